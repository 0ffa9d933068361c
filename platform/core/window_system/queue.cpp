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
  std::function<void()> Fn;
  std::mutex M;
  std::condition_variable Cv;
  bool Finished = false;
  bool Cancelled = false;
  std::exception_ptr Error;

  void Finish(bool WasCancelled) {
    std::lock_guard lock(M);
    Finished = true;
    Cancelled = WasCancelled;
    Cv.notify_all();
  }
};

struct Timer {
  HWND Hwnd = nullptr;
  std::uintptr_t Id = 0;
  UINT Elapse = 0;
  TIMERPROC Proc = nullptr;
  DWORD Due = 0;
};

struct Hook {
  std::uintptr_t Handle = 0;
  HOOKPROC Proc;
  bool Unicode = false;
};

struct ThreadQueue {
  DWORD ThreadId = 0;
  std::mutex M;
  std::condition_variable Cv;
  std::deque<MSG> Posted;  // character messages as UTF-16
  std::deque<std::shared_ptr<SentTask>> Sent;
  bool Quit = false;
  int QuitCode = 0;
  bool Closed = false;
  QueueEventSource Source;
  std::unordered_map<WPARAM, std::function<void()>> Tasks;
  WPARAM NextTask = 1;
  // Owner thread only.
  bool RanSent = false;  // waiting work ran since the last WaitMessage
  std::vector<Timer> Timers;
  std::uintptr_t NextTimerId = 1;
  std::vector<Hook> Hooks;  // newest first
};

std::atomic<DWORD> g_nextThreadId{1};
std::atomic<DWORD> g_uiThread{0};
std::atomic<std::uintptr_t> g_nextHook{1};
std::mutex g_registryMutex;
std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>>& Registry() {
  static std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  return queues;
}

void CancelSent(ThreadQueue& Q, std::unique_lock<std::mutex>& Lock) {
  std::deque<std::shared_ptr<SentTask>> pending;
  pending.swap(Q.Sent);
  Lock.unlock();
  for (auto& task : pending) task->Finish(true);
  Lock.lock();
}

void CloseQueue(ThreadQueue& Q) {
  std::unique_lock lock(Q.M);
  Q.Closed = true;
  CancelSent(Q, lock);
  Q.Cv.notify_all();
}

// Removes the thread's queue when the thread ends, so that waiting senders
// are released and later posts fail.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> Queue;
  ~QueueHolder() {
    if (!Queue) return;
    CloseQueue(*Queue);
    std::lock_guard lock(g_registryMutex);
    Registry().erase(Queue->ThreadId);
  }
};

thread_local DWORD t_threadId = 0;
thread_local QueueHolder t_holder;

ThreadQueue& CurrentQueue() {
  if (!t_holder.Queue) {
    auto q = std::make_shared<ThreadQueue>();
    q->ThreadId = GetCurrentThreadId();
    std::lock_guard lock(g_registryMutex);
    Registry()[q->ThreadId] = q;
    t_holder.Queue = std::move(q);
  }
  return *t_holder.Queue;
}

std::shared_ptr<ThreadQueue> FindQueue(DWORD ThreadId) {
  std::lock_guard lock(g_registryMutex);
  auto it = Registry().find(ThreadId);
  return it == Registry().end() ? nullptr : it->second;
}

void Wake(ThreadQueue& Q, std::unique_lock<std::mutex>& Lock) {
  Q.Cv.notify_all();
  auto wake = Q.Source.Wake;
  Lock.unlock();
  if (wake) wake();
}

bool PostTo(ThreadQueue& Q, const MSG& Msg, bool AtFront = false) {
  std::unique_lock lock(Q.M);
  if (Q.Closed) return false;
  if (AtFront) {
    Q.Posted.push_front(Msg);
  } else {
    Q.Posted.push_back(Msg);
  }
  Wake(Q, lock);
  return true;
}

MSG MakeMsg(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = hWnd;
  m.message = Msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  return m;
}

bool Post(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool Unicode, std::uint64_t Extra = 0) {
  if (!Unicode && detail::IsCharMessage(Msg)) wParam = detail::CharToUnicode(wParam);
  MSG m = MakeMsg(hWnd, Msg, wParam, lParam);
  m.Extra = Extra;
  std::shared_ptr<ThreadQueue> q;
  if (hWnd == nullptr) {
    CurrentQueue();
    q = t_holder.Queue;
  } else {
    const DWORD thread = detail::WindowThread(hWnd);
    if (thread == 0) return false;
    q = FindQueue(thread);
  }
  return q && PostTo(*q, m);
}

bool PostThread(DWORD ThreadId, UINT Msg, WPARAM wParam, LPARAM lParam, bool Unicode) {
  if (!Unicode && detail::IsCharMessage(Msg)) wParam = detail::CharToUnicode(wParam);
  auto q = FindQueue(ThreadId);
  return q && PostTo(*q, MakeMsg(nullptr, Msg, wParam, lParam));
}

void ToForm(MSG& Msg, bool Unicode) {
  if (!Unicode && detail::IsCharMessage(Msg.message)) Msg.wParam = detail::CharToAnsi(Msg.wParam);
}

void FromForm(MSG& Msg, bool Unicode) {
  if (!Unicode && detail::IsCharMessage(Msg.message)) Msg.wParam = detail::CharToUnicode(Msg.wParam);
}

LRESULT CallHookAt(ThreadQueue& Q, std::size_t Index, int Code, WPARAM wParam, MSG* Msg) {
  if (Index >= Q.Hooks.size()) return 0;
  const Hook hook = Q.Hooks[Index];  // the chain may change inside the call
  ToForm(*Msg, hook.Unicode);
  LRESULT result = 0;
  try {
    result = hook.Proc(Code, wParam, reinterpret_cast<LPARAM>(Msg));
  } catch (...) {
    FromForm(*Msg, hook.Unicode);
    throw;
  }
  FromForm(*Msg, hook.Unicode);
  return result;
}

// Runs the work other threads wait for; true when any ran.
bool RunSent(ThreadQueue& Q) {
  bool ran = false;
  for (;;) {
    std::shared_ptr<SentTask> task;
    {
      std::lock_guard lock(Q.M);
      if (Q.Sent.empty()) return ran;
      task = Q.Sent.front();
      Q.Sent.pop_front();
    }
    ran = true;
    Q.RanSent = true;
    try {
      task->Fn();
    } catch (...) {
      task->Error = std::current_exception();
    }
    task->Finish(false);
  }
}

bool Matches(const MSG& M, HWND hWnd, UINT FilterMin, UINT FilterMax) {
  if (hWnd == HandleFromId(~std::uintptr_t{0})) {
    if (M.hwnd != nullptr) return false;
  } else if (hWnd != nullptr && M.hwnd != hWnd) {
    return false;
  }
  if (FilterMin == 0 && FilterMax == 0) return true;
  return M.message >= FilterMin && M.message <= FilterMax;
}

bool TimerMatches(const Timer& T, HWND hWnd, UINT FilterMin, UINT FilterMax) {
  MSG probe;
  probe.hwnd = T.Hwnd;
  probe.message = WM_TIMER;
  return Matches(probe, hWnd, FilterMin, FilterMax);
}

bool Due(DWORD Due, DWORD Now) { return static_cast<std::int32_t>(Now - Due) >= 0; }

// Takes the next message, or returns false when none is there.
bool TakeMessage(ThreadQueue& Q, MSG* Out, HWND hWnd, UINT FilterMin, UINT FilterMax, bool Remove) {
  {
    std::lock_guard lock(Q.M);
    auto it = std::find_if(Q.Posted.begin(), Q.Posted.end(),
                           [&](const MSG& M) { return Matches(M, hWnd, FilterMin, FilterMax); });
    if (it != Q.Posted.end()) {
      *Out = *it;
      if (Remove) Q.Posted.erase(it);
      return true;
    }
    if (Q.Quit) {
      *Out = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(Q.QuitCode), 0);
      if (Remove) Q.Quit = false;
      return true;
    }
  }
  const DWORD now = GetTickCount();
  for (Timer& t : Q.Timers) {
    if (!Due(t.Due, now) || !TimerMatches(t, hWnd, FilterMin, FilterMax)) continue;
    *Out = MakeMsg(t.Hwnd, WM_TIMER, t.Id, reinterpret_cast<LPARAM>(t.Proc));
    if (Remove) t.Due = now + t.Elapse;
    return true;
  }
  return false;
}

std::uint32_t NextTimerWait(const ThreadQueue& Q) {
  std::uint32_t wait = kInfinite;
  const DWORD now = GetTickCount();
  for (const Timer& t : Q.Timers) {
    const auto left = static_cast<std::int32_t>(t.Due - now);
    wait = std::min<std::uint32_t>(wait, left <= 0 ? 0u : static_cast<std::uint32_t>(left));
  }
  return wait;
}

// Blocks the owner until something arrives or timeoutMs passes.
void WaitOn(ThreadQueue& Q, std::uint32_t TimeoutMs) {
  std::function<void(std::uint32_t)> wait;
  {
    std::unique_lock lock(Q.M);
    if (!Q.Posted.empty() || !Q.Sent.empty() || Q.Quit || Q.Closed) return;
    wait = Q.Source.Wait;
    if (!wait) {
      auto ready = [&] { return !Q.Posted.empty() || !Q.Sent.empty() || Q.Quit || Q.Closed; };
      if (TimeoutMs == kInfinite) {
        Q.Cv.wait(lock, ready);
      } else {
        Q.Cv.wait_for(lock, std::chrono::milliseconds(TimeoutMs), ready);
      }
      return;
    }
  }
  wait(TimeoutMs);
}

void PollSource(ThreadQueue& Q) {
  std::function<void(std::uint32_t)> wait;
  {
    std::lock_guard lock(Q.M);
    wait = Q.Source.Wait;
  }
  if (wait) wait(0);
}

// The time of the message the calling thread took from its queue last.
thread_local DWORD t_lastMessageTime = 0;

bool Retrieve(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax, bool Remove, bool Unicode, bool Block) {
  ThreadQueue& q = CurrentQueue();
  bool polled = false;
  for (;;) {
    RunSent(q);
    if (!polled) {
      PollSource(q);
      polled = true;
      RunSent(q);
    }
    if (TakeMessage(q, Msg, hWnd, FilterMin, FilterMax, Remove)) {
      if (!q.Hooks.empty()) CallHookAt(q, 0, HC_ACTION, Remove ? PM_REMOVE : PM_NOREMOVE, Msg);
      ToForm(*Msg, Unicode);
      if (Remove) t_lastMessageTime = Msg->time;
      return true;
    }
    if (!Block) return false;
    WaitOn(q, NextTimerWait(q));
  }
}

HHOOK AddHook(int idHook, HOOKPROC Proc, DWORD ThreadId, bool Unicode) {
  if (idHook != WH_GETMESSAGE || !Proc) return nullptr;
  if (ThreadId != 0 && ThreadId != GetCurrentThreadId()) return nullptr;
  ThreadQueue& q = CurrentQueue();
  Hook hook{g_nextHook.fetch_add(1), std::move(Proc), Unicode};
  q.Hooks.insert(q.Hooks.begin(), hook);
  return reinterpret_cast<HHOOK>(hook.Handle);
}

}  // namespace

namespace detail {

bool IsCharMessage(UINT Msg) {
  return Msg == WM_CHAR || Msg == WM_DEADCHAR || Msg == WM_SYSCHAR || Msg == WM_SYSDEADCHAR || Msg == WM_IME_CHAR;
}

// Only the character changes; the upper word, where the wide layer parks a
// character the 8-bit code cannot carry, goes along as it is.
constexpr WPARAM kUpperWord = ~static_cast<WPARAM>(0xFFFF);

WPARAM CharToUnicode(WPARAM AnsiChar) {
  return (AnsiChar & kUpperWord) | Cp1252ToUnicode(static_cast<unsigned char>(AnsiChar & 0xFF));
}

WPARAM CharToAnsi(WPARAM UnicodeChar) {
  char c = '?';
  if (!UnicodeToCp1252(static_cast<char16_t>(UnicodeChar & 0xFFFF), c)) c = '?';
  return (UnicodeChar & kUpperWord) | static_cast<unsigned char>(c);
}

void KillWindowTimers(HWND hWnd) {
  std::erase_if(CurrentQueue().Timers, [&](const Timer& T) { return T.Hwnd == hWnd; });
}

void RunPostedTask(WPARAM Key) {
  ThreadQueue& q = CurrentQueue();
  std::function<void()> fn;
  {
    std::lock_guard lock(q.M);
    auto it = q.Tasks.find(Key);
    if (it == q.Tasks.end()) return;
    fn = std::move(it->second);
    q.Tasks.erase(it);
  }
  fn();
}

bool RunOnThreadAndWait(DWORD ThreadId, const std::function<void()>& Fn) {
  if (ThreadId == GetCurrentThreadId()) {
    Fn();
    return true;
  }
  auto q = FindQueue(ThreadId);
  if (!q) return false;
  auto task = std::make_shared<SentTask>();
  task->Fn = Fn;
  {
    std::unique_lock lock(q->M);
    if (q->Closed) return false;
    q->Sent.push_back(task);
    Wake(*q, lock);
  }
  std::unique_lock wait(task->M);
  task->Cv.wait(wait, [&] { return task->Finished; });
  if (task->Error) std::rethrow_exception(task->Error);
  return !task->Cancelled;
}

}  // namespace detail

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = g_nextThreadId.fetch_add(1);
  return t_threadId;
}

void BindUiThread() {
  ThreadQueue& own = CurrentQueue();
  {
    std::lock_guard lock(own.M);
    own.Closed = false;
  }
  DWORD current = g_uiThread.load();
  if (current == GetCurrentThreadId()) return;
  if (current != 0) {
    auto q = FindQueue(current);
    if (q) {
      std::lock_guard lock(q->M);
      if (!q->Closed) return;
    }
  }
  g_uiThread.compare_exchange_strong(current, GetCurrentThreadId());
}

DWORD UiThreadId() { return g_uiThread.load(); }

bool IsUiThread() { return g_uiThread.load() == GetCurrentThreadId(); }

void ShutdownUiThread() {
  if (auto q = FindQueue(g_uiThread.load())) CloseQueue(*q);
}

bool PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) { return Post(hWnd, Msg, wParam, lParam, false); }

bool PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) { return Post(hWnd, Msg, wParam, lParam, true); }

bool PostThreadMessageA(DWORD ThreadId, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return PostThread(ThreadId, Msg, wParam, lParam, false);
}

bool PostThreadMessageW(DWORD ThreadId, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return PostThread(ThreadId, Msg, wParam, lParam, true);
}

void PostQuitMessage(int ExitCode) {
  ThreadQueue& q = CurrentQueue();
  std::unique_lock lock(q.M);
  q.Quit = true;
  q.QuitCode = ExitCode;
  Wake(q, lock);
}

bool PostKeyDown(HWND hWnd, UINT Msg, WPARAM VirtualKey, LPARAM KeyData, std::u16string_view Text) {
  std::uint64_t extra = 0;
  const std::size_t count = std::min<std::size_t>(Text.size(), 2);
  for (std::size_t i = 0; i < count; ++i) extra |= static_cast<std::uint64_t>(Text[i]) << (16 * i);
  extra |= static_cast<std::uint64_t>(count) << 32;
  return Post(hWnd, Msg, VirtualKey, KeyData, true, extra);
}

bool PeekMessageA(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax, UINT RemoveFlags) {
  return Retrieve(Msg, hWnd, FilterMin, FilterMax, (RemoveFlags & PM_REMOVE) != 0, false, false);
}

DWORD GetMessageTime() { return t_lastMessageTime; }

bool PeekMessageW(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax, UINT RemoveFlags) {
  return Retrieve(Msg, hWnd, FilterMin, FilterMax, (RemoveFlags & PM_REMOVE) != 0, true, false);
}

bool GetMessageA(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax) {
  Retrieve(Msg, hWnd, FilterMin, FilterMax, true, false, true);
  return Msg->message != WM_QUIT;
}

bool GetMessageW(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax) {
  Retrieve(Msg, hWnd, FilterMin, FilterMax, true, true, true);
  return Msg->message != WM_QUIT;
}

void WaitMessage(std::uint32_t TimeoutMs) {
  ThreadQueue& q = CurrentQueue();
  // Work that ran since the last wait, here or inside a peek, may be what the
  // caller waits for: let it look again.
  RunSent(q);
  if (std::exchange(q.RanSent, false)) return;
  WaitOn(q, std::min(TimeoutMs, NextTimerWait(q)));
  RunSent(q);
  q.RanSent = false;
}

bool TranslateMessage(const MSG* Msg) {
  if (!Msg || (Msg->message != WM_KEYDOWN && Msg->message != WM_SYSKEYDOWN)) return false;
  const auto count = static_cast<std::size_t>((Msg->Extra >> 32) & 0x3);
  if (count == 0) return false;
  ThreadQueue& q = CurrentQueue();
  const UINT charMsg = Msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  // Pushed to the front in reverse, so they come next and in order.
  for (std::size_t i = count; i-- > 0;) {
    const auto unit = static_cast<WPARAM>((Msg->Extra >> (16 * i)) & 0xFFFF);
    PostTo(q, MakeMsg(Msg->hwnd, charMsg, unit, Msg->lParam), true);
  }
  return true;
}

HHOOK SetWindowsHookExA(int idHook, HOOKPROC Proc, DWORD ThreadId) {
  return AddHook(idHook, std::move(Proc), ThreadId, false);
}

HHOOK SetWindowsHookExW(int idHook, HOOKPROC Proc, DWORD ThreadId) {
  return AddHook(idHook, std::move(Proc), ThreadId, true);
}

bool UnhookWindowsHookEx(HHOOK hHook) {
  ThreadQueue& q = CurrentQueue();
  const auto handle = reinterpret_cast<std::uintptr_t>(hHook);
  auto it = std::find_if(q.Hooks.begin(), q.Hooks.end(), [&](const Hook& Entry) { return Entry.Handle == handle; });
  if (it == q.Hooks.end()) return false;
  q.Hooks.erase(it);
  return true;
}

LRESULT CallNextHookEx(HHOOK hHook, int Code, WPARAM wParam, LPARAM lParam) {
  ThreadQueue& q = CurrentQueue();
  const auto handle = reinterpret_cast<std::uintptr_t>(hHook);
  auto it = std::find_if(q.Hooks.begin(), q.Hooks.end(), [&](const Hook& Entry) { return Entry.Handle == handle; });
  if (it == q.Hooks.end()) return 0;
  auto* msg = reinterpret_cast<MSG*>(lParam);
  // The calling hook had the message in its own form.
  FromForm(*msg, it->Unicode);
  const LRESULT result = CallHookAt(q, static_cast<std::size_t>(it - q.Hooks.begin()) + 1, Code, wParam, msg);
  ToForm(*msg, it->Unicode);
  return result;
}

std::uintptr_t SetTimer(HWND hWnd, std::uintptr_t Id, UINT ElapseMs, TIMERPROC Proc) {
  if (hWnd != nullptr && detail::WindowThread(hWnd) != GetCurrentThreadId()) return 0;
  ThreadQueue& q = CurrentQueue();
  if (hWnd == nullptr) {
    // Each call without a window makes a new timer, unless it names one
    // already made.
    auto existing =
        std::find_if(q.Timers.begin(), q.Timers.end(), [&](const Timer& T) { return T.Hwnd == nullptr && T.Id == Id; });
    if (Id == 0 || existing == q.Timers.end()) Id = q.NextTimerId++;
  }
  const UINT elapse = std::max<UINT>(ElapseMs, 10);
  auto it =
      std::find_if(q.Timers.begin(), q.Timers.end(), [&](const Timer& T) { return T.Hwnd == hWnd && T.Id == Id; });
  Timer timer{hWnd, Id, elapse, Proc, GetTickCount() + elapse};
  if (it != q.Timers.end()) {
    *it = timer;
  } else {
    q.Timers.push_back(timer);
  }
  std::unique_lock lock(q.M);
  Wake(q, lock);
  return hWnd == nullptr ? Id : 1;
}

bool KillTimer(HWND hWnd, std::uintptr_t Id) {
  ThreadQueue& q = CurrentQueue();
  auto it =
      std::find_if(q.Timers.begin(), q.Timers.end(), [&](const Timer& T) { return T.Hwnd == hWnd && T.Id == Id; });
  if (it == q.Timers.end()) return false;
  q.Timers.erase(it);
  // A WM_TIMER already retrieved but not yet taken stays; none is queued.
  return true;
}

std::uint32_t NextTimerDue() { return NextTimerWait(CurrentQueue()); }

bool RunOnUiThread(std::function<void()> Fn) {
  auto q = FindQueue(g_uiThread.load());
  if (!q || !Fn) return false;
  std::unique_lock lock(q->M);
  if (q->Closed) return false;
  const WPARAM key = q->NextTask++;
  q->Tasks.emplace(key, std::move(Fn));
  q->Posted.push_back(MakeMsg(nullptr, detail::kRunTaskMessage, key, 0));
  Wake(*q, lock);
  return true;
}

bool RunOnUiThreadAndWait(std::function<void()> Fn) {
  const DWORD ui = g_uiThread.load();
  if (ui == 0 || !Fn) return false;
  return detail::RunOnThreadAndWait(ui, Fn);
}

bool CheckSynchronize(std::uint32_t TimeoutMs) {
  ThreadQueue& q = CurrentQueue();
  if (RunSent(q)) return true;
  if (TimeoutMs == 0) return false;
  {
    std::unique_lock lock(q.M);
    auto ready = [&] { return !q.Sent.empty() || q.Closed; };
    if (TimeoutMs == kInfinite) {
      q.Cv.wait(lock, ready);
    } else {
      q.Cv.wait_for(lock, std::chrono::milliseconds(TimeoutMs), ready);
    }
  }
  return RunSent(q);
}

void SetQueueEventSource(QueueEventSource Source) {
  ThreadQueue& q = CurrentQueue();
  std::lock_guard lock(q.M);
  q.Source = std::move(Source);
}

}  // namespace platform
