#include "platform/core/window_system/queue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/queue_internal.h"

namespace platform {
namespace {

constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

// Work another thread waits for; it runs inside the owner's retrieval.
struct SentTask {
  std::function<void()> fn;
  std::mutex m;
  std::condition_variable cv;
  bool finished = false;
  bool cancelled = false;
  std::exception_ptr error;

  void Finish(bool wasCancelled) {
    std::lock_guard lock(m);
    finished = true;
    cancelled = wasCancelled;
    cv.notify_all();
  }
};

struct Timer {
  HWND hwnd = nullptr;
  std::uintptr_t id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  DWORD due = 0;
};

struct Hook {
  std::uintptr_t handle = 0;
  HOOKPROC proc;
  bool unicode = false;
};

struct ThreadQueue {
  DWORD threadId = 0;
  std::mutex m;
  std::condition_variable cv;
  std::deque<MSG> posted;  // character messages as UTF-16
  std::deque<std::shared_ptr<SentTask>> sent;
  bool quit = false;
  int quitCode = 0;
  bool closed = false;
  QueueEventSource source;
  std::unordered_map<WPARAM, std::function<void()>> tasks;
  WPARAM nextTask = 1;
  // Owner thread only.
  bool ranSent = false;  // waiting work ran since the last WaitMessage
  std::vector<Timer> timers;
  std::uintptr_t nextTimerId = 1;
  std::vector<Hook> hooks;  // newest first
};

std::atomic<DWORD> g_nextThreadId{1};
std::atomic<DWORD> g_uiThread{0};
std::atomic<std::uintptr_t> g_nextHook{1};
std::mutex g_registryMutex;
std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>>& Registry() {
  static std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  return queues;
}

void CancelSent(ThreadQueue& q, std::unique_lock<std::mutex>& lock) {
  std::deque<std::shared_ptr<SentTask>> pending;
  pending.swap(q.sent);
  lock.unlock();
  for (auto& task : pending) task->Finish(true);
  lock.lock();
}

void CloseQueue(ThreadQueue& q) {
  std::unique_lock lock(q.m);
  q.closed = true;
  CancelSent(q, lock);
  q.cv.notify_all();
}

// Removes the thread's queue when the thread ends, so that waiting senders
// are released and later posts fail.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueHolder() {
    if (!queue) return;
    CloseQueue(*queue);
    std::lock_guard lock(g_registryMutex);
    Registry().erase(queue->threadId);
  }
};

thread_local DWORD t_threadId = 0;
thread_local QueueHolder t_holder;

ThreadQueue& CurrentQueue() {
  if (!t_holder.queue) {
    auto q = std::make_shared<ThreadQueue>();
    q->threadId = GetCurrentThreadId();
    std::lock_guard lock(g_registryMutex);
    Registry()[q->threadId] = q;
    t_holder.queue = std::move(q);
  }
  return *t_holder.queue;
}

std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId) {
  std::lock_guard lock(g_registryMutex);
  auto it = Registry().find(threadId);
  return it == Registry().end() ? nullptr : it->second;
}

void Wake(ThreadQueue& q, std::unique_lock<std::mutex>& lock) {
  q.cv.notify_all();
  auto wake = q.source.Wake;
  lock.unlock();
  if (wake) wake();
}

bool PostTo(ThreadQueue& q, const MSG& msg, bool atFront = false) {
  std::unique_lock lock(q.m);
  if (q.closed) return false;
  if (atFront) {
    q.posted.push_front(msg);
  } else {
    q.posted.push_back(msg);
  }
  Wake(q, lock);
  return true;
}

MSG MakeMsg(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = hWnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  return m;
}

bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode, std::uint64_t extra = 0) {
  if (!unicode && detail::IsCharMessage(msg)) wParam = detail::CharToUnicode(wParam);
  MSG m = MakeMsg(hWnd, msg, wParam, lParam);
  m.extra = extra;
  std::shared_ptr<ThreadQueue> q;
  if (hWnd == nullptr) {
    CurrentQueue();
    q = t_holder.queue;
  } else {
    const DWORD thread = detail::WindowThread(hWnd);
    if (thread == 0) return false;
    q = FindQueue(thread);
  }
  return q && PostTo(*q, m);
}

bool PostThread(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode) {
  if (!unicode && detail::IsCharMessage(msg)) wParam = detail::CharToUnicode(wParam);
  auto q = FindQueue(threadId);
  return q && PostTo(*q, MakeMsg(nullptr, msg, wParam, lParam));
}

void ToForm(MSG& msg, bool unicode) {
  if (!unicode && detail::IsCharMessage(msg.message)) msg.wParam = detail::CharToAnsi(msg.wParam);
}

void FromForm(MSG& msg, bool unicode) {
  if (!unicode && detail::IsCharMessage(msg.message)) msg.wParam = detail::CharToUnicode(msg.wParam);
}

LRESULT CallHookAt(ThreadQueue& q, std::size_t index, int code, WPARAM wParam, MSG* msg) {
  if (index >= q.hooks.size()) return 0;
  const Hook hook = q.hooks[index];  // the chain may change inside the call
  ToForm(*msg, hook.unicode);
  LRESULT result = 0;
  try {
    result = hook.proc(code, wParam, reinterpret_cast<LPARAM>(msg));
  } catch (...) {
    FromForm(*msg, hook.unicode);
    throw;
  }
  FromForm(*msg, hook.unicode);
  return result;
}

// Runs the work other threads wait for; true when any ran.
bool RunSent(ThreadQueue& q) {
  bool ran = false;
  for (;;) {
    std::shared_ptr<SentTask> task;
    {
      std::lock_guard lock(q.m);
      if (q.sent.empty()) return ran;
      task = q.sent.front();
      q.sent.pop_front();
    }
    ran = true;
    q.ranSent = true;
    try {
      task->fn();
    } catch (...) {
      task->error = std::current_exception();
    }
    task->Finish(false);
  }
}

bool Matches(const MSG& m, HWND hWnd, UINT filterMin, UINT filterMax) {
  if (hWnd == HandleFromId(~std::uintptr_t{0})) {
    if (m.hwnd != nullptr) return false;
  } else if (hWnd != nullptr && m.hwnd != hWnd) {
    return false;
  }
  if (filterMin == 0 && filterMax == 0) return true;
  return m.message >= filterMin && m.message <= filterMax;
}

bool TimerMatches(const Timer& t, HWND hWnd, UINT filterMin, UINT filterMax) {
  MSG probe;
  probe.hwnd = t.hwnd;
  probe.message = WM_TIMER;
  return Matches(probe, hWnd, filterMin, filterMax);
}

bool Due(DWORD due, DWORD now) { return static_cast<std::int32_t>(now - due) >= 0; }

// Takes the next message, or returns false when none is there.
bool TakeMessage(ThreadQueue& q, MSG* out, HWND hWnd, UINT filterMin, UINT filterMax, bool remove) {
  {
    std::lock_guard lock(q.m);
    auto it = std::find_if(q.posted.begin(), q.posted.end(),
                           [&](const MSG& m) { return Matches(m, hWnd, filterMin, filterMax); });
    if (it != q.posted.end()) {
      *out = *it;
      if (remove) q.posted.erase(it);
      return true;
    }
    if (q.quit) {
      *out = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
      if (remove) q.quit = false;
      return true;
    }
  }
  const DWORD now = GetTickCount();
  for (Timer& t : q.timers) {
    if (!Due(t.due, now) || !TimerMatches(t, hWnd, filterMin, filterMax)) continue;
    *out = MakeMsg(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
    if (remove) t.due = now + t.elapse;
    return true;
  }
  return false;
}

std::uint32_t NextTimerWait(const ThreadQueue& q) {
  std::uint32_t wait = kInfinite;
  const DWORD now = GetTickCount();
  for (const Timer& t : q.timers) {
    const auto left = static_cast<std::int32_t>(t.due - now);
    wait = std::min<std::uint32_t>(wait, left <= 0 ? 0u : static_cast<std::uint32_t>(left));
  }
  return wait;
}

// Blocks the owner until something arrives or timeoutMs passes.
void WaitOn(ThreadQueue& q, std::uint32_t timeoutMs) {
  std::function<void(std::uint32_t)> wait;
  {
    std::unique_lock lock(q.m);
    if (!q.posted.empty() || !q.sent.empty() || q.quit || q.closed) return;
    wait = q.source.Wait;
    if (!wait) {
      auto ready = [&] { return !q.posted.empty() || !q.sent.empty() || q.quit || q.closed; };
      if (timeoutMs == kInfinite) {
        q.cv.wait(lock, ready);
      } else {
        q.cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
      }
      return;
    }
  }
  wait(timeoutMs);
}

void PollSource(ThreadQueue& q) {
  std::function<void(std::uint32_t)> wait;
  {
    std::lock_guard lock(q.m);
    wait = q.source.Wait;
  }
  if (wait) wait(0);
}

bool Retrieve(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax, bool remove, bool unicode, bool block) {
  ThreadQueue& q = CurrentQueue();
  bool polled = false;
  for (;;) {
    RunSent(q);
    if (!polled) {
      PollSource(q);
      polled = true;
      RunSent(q);
    }
    if (TakeMessage(q, msg, hWnd, filterMin, filterMax, remove)) {
      if (!q.hooks.empty()) CallHookAt(q, 0, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, msg);
      ToForm(*msg, unicode);
      return true;
    }
    if (!block) return false;
    WaitOn(q, NextTimerWait(q));
  }
}

HHOOK AddHook(int idHook, HOOKPROC proc, DWORD threadId, bool unicode) {
  if (idHook != WH_GETMESSAGE || !proc) return nullptr;
  if (threadId != 0 && threadId != GetCurrentThreadId()) return nullptr;
  ThreadQueue& q = CurrentQueue();
  Hook hook{g_nextHook.fetch_add(1), std::move(proc), unicode};
  q.hooks.insert(q.hooks.begin(), hook);
  return reinterpret_cast<HHOOK>(hook.handle);
}

}  // namespace

namespace detail {

bool IsCharMessage(UINT msg) {
  return msg == WM_CHAR || msg == WM_DEADCHAR || msg == WM_SYSCHAR || msg == WM_SYSDEADCHAR || msg == WM_IME_CHAR;
}

// Only the character changes; the upper word, where the wide layer parks a
// character the 8-bit code cannot carry, goes along as it is.
constexpr WPARAM kUpperWord = ~static_cast<WPARAM>(0xFFFF);

WPARAM CharToUnicode(WPARAM ansiChar) {
  return (ansiChar & kUpperWord) | Cp1252ToUnicode(static_cast<unsigned char>(ansiChar & 0xFF));
}

WPARAM CharToAnsi(WPARAM unicodeChar) {
  char c = '?';
  if (!UnicodeToCp1252(static_cast<char16_t>(unicodeChar & 0xFFFF), c)) c = '?';
  return (unicodeChar & kUpperWord) | static_cast<unsigned char>(c);
}

void KillWindowTimers(HWND hWnd) {
  std::erase_if(CurrentQueue().timers, [&](const Timer& t) { return t.hwnd == hWnd; });
}

void RunPostedTask(WPARAM key) {
  ThreadQueue& q = CurrentQueue();
  std::function<void()> fn;
  {
    std::lock_guard lock(q.m);
    auto it = q.tasks.find(key);
    if (it == q.tasks.end()) return;
    fn = std::move(it->second);
    q.tasks.erase(it);
  }
  fn();
}

bool RunOnThreadAndWait(DWORD threadId, const std::function<void()>& fn) {
  if (threadId == GetCurrentThreadId()) {
    fn();
    return true;
  }
  auto q = FindQueue(threadId);
  if (!q) return false;
  auto task = std::make_shared<SentTask>();
  task->fn = fn;
  {
    std::unique_lock lock(q->m);
    if (q->closed) return false;
    q->sent.push_back(task);
    Wake(*q, lock);
  }
  std::unique_lock wait(task->m);
  task->cv.wait(wait, [&] { return task->finished; });
  if (task->error) std::rethrow_exception(task->error);
  return !task->cancelled;
}

}  // namespace detail

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = g_nextThreadId.fetch_add(1);
  return t_threadId;
}

void BindUiThread() {
  ThreadQueue& own = CurrentQueue();
  {
    std::lock_guard lock(own.m);
    own.closed = false;
  }
  DWORD current = g_uiThread.load();
  if (current == GetCurrentThreadId()) return;
  if (current != 0) {
    auto q = FindQueue(current);
    if (q) {
      std::lock_guard lock(q->m);
      if (!q->closed) return;
    }
  }
  g_uiThread.compare_exchange_strong(current, GetCurrentThreadId());
}

DWORD UiThreadId() { return g_uiThread.load(); }

bool IsUiThread() { return g_uiThread.load() == GetCurrentThreadId(); }

void ShutdownUiThread() {
  if (auto q = FindQueue(g_uiThread.load())) CloseQueue(*q);
}

bool PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) { return Post(hWnd, msg, wParam, lParam, false); }

bool PostMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) { return Post(hWnd, msg, wParam, lParam, true); }

bool PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostThread(threadId, msg, wParam, lParam, false);
}

bool PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostThread(threadId, msg, wParam, lParam, true);
}

void PostQuitMessage(int exitCode) {
  ThreadQueue& q = CurrentQueue();
  std::unique_lock lock(q.m);
  q.quit = true;
  q.quitCode = exitCode;
  Wake(q, lock);
}

bool PostKeyDown(HWND hWnd, UINT msg, WPARAM virtualKey, LPARAM keyData, std::u16string_view text) {
  std::uint64_t extra = 0;
  const std::size_t count = std::min<std::size_t>(text.size(), 2);
  for (std::size_t i = 0; i < count; ++i) extra |= static_cast<std::uint64_t>(text[i]) << (16 * i);
  extra |= static_cast<std::uint64_t>(count) << 32;
  return Post(hWnd, msg, virtualKey, keyData, true, extra);
}

bool PeekMessageA(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  return Retrieve(msg, hWnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, false, false);
}

bool PeekMessageW(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  return Retrieve(msg, hWnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, true, false);
}

bool GetMessageA(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax) {
  Retrieve(msg, hWnd, filterMin, filterMax, true, false, true);
  return msg->message != WM_QUIT;
}

bool GetMessageW(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax) {
  Retrieve(msg, hWnd, filterMin, filterMax, true, true, true);
  return msg->message != WM_QUIT;
}

void WaitMessage(std::uint32_t timeoutMs) {
  ThreadQueue& q = CurrentQueue();
  // Work that ran since the last wait, here or inside a peek, may be what the
  // caller waits for: let it look again.
  RunSent(q);
  if (std::exchange(q.ranSent, false)) return;
  WaitOn(q, std::min(timeoutMs, NextTimerWait(q)));
  RunSent(q);
  q.ranSent = false;
}

bool TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return false;
  const auto count = static_cast<std::size_t>((msg->extra >> 32) & 0x3);
  if (count == 0) return false;
  ThreadQueue& q = CurrentQueue();
  const UINT charMsg = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  // Pushed to the front in reverse, so they come next and in order.
  for (std::size_t i = count; i-- > 0;) {
    const auto unit = static_cast<WPARAM>((msg->extra >> (16 * i)) & 0xFFFF);
    PostTo(q, MakeMsg(msg->hwnd, charMsg, unit, msg->lParam), true);
  }
  return true;
}

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, DWORD threadId) {
  return AddHook(idHook, std::move(proc), threadId, false);
}

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, DWORD threadId) {
  return AddHook(idHook, std::move(proc), threadId, true);
}

bool UnhookWindowsHookEx(HHOOK hook) {
  ThreadQueue& q = CurrentQueue();
  const auto handle = reinterpret_cast<std::uintptr_t>(hook);
  auto it = std::find_if(q.hooks.begin(), q.hooks.end(), [&](const Hook& h) { return h.handle == handle; });
  if (it == q.hooks.end()) return false;
  q.hooks.erase(it);
  return true;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  ThreadQueue& q = CurrentQueue();
  const auto handle = reinterpret_cast<std::uintptr_t>(hook);
  auto it = std::find_if(q.hooks.begin(), q.hooks.end(), [&](const Hook& h) { return h.handle == handle; });
  if (it == q.hooks.end()) return 0;
  auto* msg = reinterpret_cast<MSG*>(lParam);
  // The calling hook had the message in its own form.
  FromForm(*msg, it->unicode);
  const LRESULT result = CallHookAt(q, static_cast<std::size_t>(it - q.hooks.begin()) + 1, code, wParam, msg);
  ToForm(*msg, it->unicode);
  return result;
}

std::uintptr_t SetTimer(HWND hWnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc) {
  if (hWnd != nullptr && detail::WindowThread(hWnd) != GetCurrentThreadId()) return 0;
  ThreadQueue& q = CurrentQueue();
  if (hWnd == nullptr) {
    // Each call without a window makes a new timer, unless it names one
    // already made.
    auto existing =
        std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == nullptr && t.id == id; });
    if (id == 0 || existing == q.timers.end()) id = q.nextTimerId++;
  }
  const UINT elapse = std::max<UINT>(elapseMs, 10);
  auto it =
      std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hWnd && t.id == id; });
  Timer timer{hWnd, id, elapse, proc, GetTickCount() + elapse};
  if (it != q.timers.end()) {
    *it = timer;
  } else {
    q.timers.push_back(timer);
  }
  std::unique_lock lock(q.m);
  Wake(q, lock);
  return hWnd == nullptr ? id : 1;
}

bool KillTimer(HWND hWnd, std::uintptr_t id) {
  ThreadQueue& q = CurrentQueue();
  auto it =
      std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hWnd && t.id == id; });
  if (it == q.timers.end()) return false;
  q.timers.erase(it);
  // A WM_TIMER already retrieved but not yet taken stays; none is queued.
  return true;
}

std::uint32_t NextTimerDue() { return NextTimerWait(CurrentQueue()); }

bool RunOnUiThread(std::function<void()> fn) {
  auto q = FindQueue(g_uiThread.load());
  if (!q || !fn) return false;
  std::unique_lock lock(q->m);
  if (q->closed) return false;
  const WPARAM key = q->nextTask++;
  q->tasks.emplace(key, std::move(fn));
  q->posted.push_back(MakeMsg(nullptr, detail::kRunTaskMessage, key, 0));
  Wake(*q, lock);
  return true;
}

bool RunOnUiThreadAndWait(std::function<void()> fn) {
  const DWORD ui = g_uiThread.load();
  if (ui == 0 || !fn) return false;
  return detail::RunOnThreadAndWait(ui, fn);
}

bool CheckSynchronize(std::uint32_t timeoutMs) {
  ThreadQueue& q = CurrentQueue();
  if (RunSent(q)) return true;
  if (timeoutMs == 0) return false;
  {
    std::unique_lock lock(q.m);
    auto ready = [&] { return !q.sent.empty() || q.closed; };
    if (timeoutMs == kInfinite) {
      q.cv.wait(lock, ready);
    } else {
      q.cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    }
  }
  return RunSent(q);
}

void SetQueueEventSource(QueueEventSource source) {
  ThreadQueue& q = CurrentQueue();
  std::lock_guard lock(q.m);
  q.source = std::move(source);
}

}  // namespace platform
