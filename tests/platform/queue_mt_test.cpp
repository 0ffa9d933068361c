#include "platform/core/window_system/queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/core/window_system/window.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

// Runs body on a fresh thread that serves as the user-interface thread.
template <class BodyFn>
void OnFreshUiThread(BodyFn Body) {
  if (IsUiThread()) ShutdownUiThread();
  std::thread ui([&] {
    BindUiThread();
    ASSERT_TRUE(IsUiThread());
    Body();
    ShutdownUiThread();
  });
  ui.join();
}

TEST(QueueThreads, PostsFromManyThreadsArriveInEachThreadsOrder) {
  OnFreshUiThread([] {
    constexpr int kThreads = 4;
    constexpr int kEach = 200;
    const DWORD ui = GetCurrentThreadId();
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t) {
      senders.emplace_back([=] {
        for (int i = 0; i < kEach; ++i) PostThreadMessage(ui, WM_APP + static_cast<UINT>(t), static_cast<WPARAM>(i), 0);
      });
    }
    std::map<UINT, WPARAM> next;
    MSG m;
    for (int got = 0; got < kThreads * kEach; ++got) {
      ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
      EXPECT_EQ(m.wParam, next[m.message]++);
    }
    for (auto& s : senders) s.join();
  });
}

TEST(QueueThreads, WaitingWorkRunsInsideAnyRetrievalAndRethrows) {
  OnFreshUiThread([] {
    std::atomic<bool> ranOnUi{false};
    std::atomic<bool> threw{false};
    std::thread worker([&] {
      EXPECT_TRUE(RunOnUiThreadAndWait([&] { ranOnUi = IsUiThread(); }));
      try {
        RunOnUiThreadAndWait([] { throw std::runtime_error("boom"); });
      } catch (const std::runtime_error&) {
        threw = true;
      }
      PostThreadMessage(UiThreadId(), WM_APP, 0, 0);
    });
    // A filter that matches nothing posted still lets the work run.
    MSG m;
    ASSERT_TRUE(GetMessage(&m, nullptr, WM_APP, WM_APP));
    worker.join();
    EXPECT_TRUE(ranOnUi);
    EXPECT_TRUE(threw);
  });
}

TEST(QueueThreads, AWaitAfterAPeekRanWaitingWorkLetsTheCallerLookAgain) {
  OnFreshUiThread([] {
    std::atomic<bool> ran{false};
    std::thread worker([&] { RunOnUiThreadAndWait([&] { ran = true; }); });
    MSG m;
    while (!ran) PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
    worker.join();
    // Nothing else arrives: only the guard's late post could end a wait that
    // missed the work the peek ran.
    std::atomic<bool> returned{false};
    const DWORD ui = GetCurrentThreadId();
    std::thread guard([&] {
      for (int i = 0; i < 500 && !returned; ++i) std::this_thread::sleep_for(10ms);
      if (!returned) PostThreadMessage(ui, WM_APP, 0, 0);
    });
    WaitMessage();
    returned = true;
    guard.join();
    EXPECT_FALSE(PeekMessage(&m, nullptr, WM_APP, WM_APP, PM_NOREMOVE));
  });
}

TEST(QueueThreads, ShutdownReleasesWaitersAndRefusesLaterWork) {
  std::atomic<bool> waiting{false};
  std::atomic<int> result{-1};
  std::thread worker;
  OnFreshUiThread([&] {
    worker = std::thread([&] {
      waiting = true;
      result = RunOnUiThreadAndWait([] {}) ? 1 : 0;
    });
    while (!waiting) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(20ms);
  });
  worker.join();
  // Either the work got in before the shutdown and ran, or it was released.
  EXPECT_NE(result.load(), -1);
  EXPECT_FALSE(RunOnUiThreadAndWait([] { FAIL() << "must not run"; }));
  EXPECT_FALSE(RunOnUiThread([] {}));
}

TEST(QueueThreads, JoiningAWorkerThatWaitsForTheUiThreadDoesNotDeadlock) {
  OnFreshUiThread([] {
    std::atomic<bool> done{false};
    int ticks = 0;
    std::thread worker([&] {
      for (int i = 0; i < 5; ++i) RunOnUiThreadAndWait([&] { ++ticks; });
      done = true;
    });
    while (!done) CheckSynchronize(10);
    worker.join();
    EXPECT_EQ(ticks, 5);
  });
}

TEST(QueueThreads, EventSourceIsWokenByPostsAndServesTheWait) {
  OnFreshUiThread([] {
    std::atomic<int> wakes{0};
    std::atomic<int> waits{0};
    SetQueueEventSource({[&] { ++wakes; },
                         [&](std::uint32_t Timeout) {
                           ++waits;
                           if (Timeout != 0) std::this_thread::sleep_for(1ms);
                         }});
    std::thread poster([] {
      std::this_thread::sleep_for(10ms);
      PostThreadMessage(UiThreadId(), WM_APP, 5, 0);
    });
    MSG m;
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    poster.join();
    EXPECT_EQ(m.wParam, 5u);
    EXPECT_GE(wakes.load(), 1);
    EXPECT_GE(waits.load(), 1);
    SetQueueEventSource({});
  });
}

LRESULT RecordThread(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_APP) return static_cast<LRESULT>(GetCurrentThreadId());
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

TEST(QueueThreads, SendingToAnotherThreadsWindowRunsThereAndWaits) {
  OnFreshUiThread([] {
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&RecordThread>(true);
    wc.lpszClassName = u"ThreadProbe";
    RegisterClassW(wc);
    HWND h = CreateWindowExW(0, u"ThreadProbe", u"", 0, 0, 0, 10, 10, nullptr, 0, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    std::atomic<LRESULT> answeredOn{0};
    std::atomic<bool> done{false};
    std::thread other([&] {
      answeredOn = SendMessageW(h, WM_APP, 0, 0);
      done = true;
    });
    while (!done) CheckSynchronize(10);
    other.join();
    EXPECT_EQ(answeredOn.load(), static_cast<LRESULT>(GetCurrentThreadId()));
    DestroyWindow(h);
    UnregisterClassW(u"ThreadProbe");
  });
}

}  // namespace
