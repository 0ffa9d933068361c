#include "nmea/serial/thread_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"
#include "tests/nmea/serial_helpers.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using nmea::TThreadTimer;

// Runs body on a fresh thread that serves as the user-interface thread.
template <class Body>
void OnUiThread(Body body) {
  if (platform::IsUiThread()) platform::ShutdownUiThread();
  std::thread ui([&] {
    platform::BindUiThread();
    body();
    platform::ShutdownUiThread();
  });
  ui.join();
}

// Runs the user-interface thread's message loop until done holds; false
// when it did not within the deadline.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = 10s) {
  const auto until = Clock::now() + deadline;
  while (!done()) {
    if (Clock::now() >= until) return false;
    platform::WaitMessage(20);
    platform::MSG msg;
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) platform::DispatchMessage(&msg);
  }
  return true;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A timer that records when its ticks ran.
struct Recorded {
  Recorded(std::uint8_t mode, std::uint32_t interval) : timer("Main Timer") {
    timer.Mode = mode;
    timer.SetInterval(interval);
    timer.OnTimer = [this](platform::TObject* sender) {
      EXPECT_EQ(sender, &timer);
      EXPECT_TRUE(platform::IsUiThread());
      ticks.push_back(Clock::now());
    };
  }
  TThreadTimer timer;
  std::vector<Clock::time_point> ticks;
};

// Runs the message loop until a timer of this interval has ticked this
// often: time has passed, shown by the timers themselves, in place of a
// sleep.
void PumpForTicks(std::uint32_t interval, std::size_t count) {
  Recorded witness(nmea::tmPeriodic, interval);
  witness.timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return witness.ticks.size() >= count; }));
}

// Runs the message loop until everything queued on it so far has run.
void PumpQueued() {
  bool reached = false;
  ASSERT_TRUE(platform::RunOnUiThread([&] { reached = true; }));
  ASSERT_TRUE(PumpUntil([&] { return reached; }));
}

TEST(ThreadTimer, ModesAndIntervals) {
  OnUiThread([] {
    // An immediate timer ticks before its first interval (an hour) is over.
    Recorded immediate(nmea::tmImmediatePeriodic, 3600000);
    immediate.timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return !immediate.ticks.empty(); }));
    immediate.timer.SetEnabled(false);

    // A periodic one waits its interval before each tick.
    Recorded periodic(nmea::tmPeriodic, 100);
    const auto start = Clock::now();
    periodic.timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return periodic.ticks.size() >= 3; }));
    periodic.timer.SetEnabled(false);
    EXPECT_GE(Ms(periodic.ticks[0] - start), 95);
    EXPECT_GE(Ms(periodic.ticks[1] - periodic.ticks[0]), 95);
    EXPECT_GE(Ms(periodic.ticks[2] - periodic.ticks[1]), 95);

    // A one-shot ticks once, and enabling it again does not rearm it.
    Recorded once(nmea::tmOneShot, 50);
    once.timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return !once.ticks.empty(); }));
    once.timer.SetEnabled(false);
    once.timer.SetEnabled(true);
    PumpForTicks(50, 4);
    EXPECT_EQ(once.ticks.size(), 1u);

    // Interval 0 idles unless allowed, and then ticks back to back.
    Recorded zero(nmea::tmPeriodic, 0);
    zero.timer.SetEnabled(true);
    PumpForTicks(20, 5);
    EXPECT_TRUE(zero.ticks.empty());
    zero.timer.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return zero.ticks.size() >= 3; }));
    zero.timer.SetEnabled(false);
    Recorded fast(nmea::tmPeriodic, 0);
    fast.timer.AllowZeroInterval = true;
    fast.timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return fast.ticks.size() >= 20; }));
    fast.timer.SetEnabled(false);

    // A new interval restarts the wait in full from the change: a timer
    // that kept its start would tick within 50 ms of it.
    Recorded slow(nmea::tmPeriodic, 3600000);
    slow.timer.SetEnabled(true);
    PumpForTicks(50, 4);
    const auto changed = Clock::now();
    slow.timer.SetInterval(250);
    ASSERT_TRUE(PumpUntil([&] { return !slow.ticks.empty(); }));
    EXPECT_GE(Ms(slow.ticks[0] - changed), 245);
  });
}

TEST(ThreadTimer, HandlersThatThrowDisableOrDawdle) {
  OnUiThread([] {
    int thrown = 0;
    int once = 0;
    std::vector<Clock::time_point> slowTicks;
    TThreadTimer failing("failing");
    TThreadTimer stopping("stopping");
    TThreadTimer slow("slow");
    failing.OnTimer = [&](platform::TObject*) {
      ++thrown;
      throw std::runtime_error("tick failed");
    };
    stopping.OnTimer = [&](platform::TObject*) {
      ++once;
      stopping.SetEnabled(false);
    };
    // Slower than its interval: the next tick waits for the handler and then
    // a whole interval, so no backlog builds.
    slow.OnTimer = [&](platform::TObject*) {
      slowTicks.push_back(Clock::now());
      std::this_thread::sleep_for(50ms);
    };
    for (TThreadTimer* t : {&failing, &stopping, &slow}) {
      t->SetInterval(t == &slow ? 10 : 20);
      t->SetEnabled(true);
    }
    ASSERT_TRUE(PumpUntil([&] { return thrown >= 3 && once == 1 && slowTicks.size() >= 3; }));
    PumpForTicks(20, 3);
    for (TThreadTimer* t : {&failing, &slow}) t->SetEnabled(false);
    EXPECT_EQ(once, 1);
    for (std::size_t i = 1; i < slowTicks.size(); ++i) EXPECT_GE(Ms(slowTicks[i] - slowTicks[i - 1]), 59);
  });
}

TEST(ThreadTimer, ElapsedModeCountsAcrossTheTickWrap) {
  // The timer's worker reads its start just before the wrap and its first
  // tick just after it; each tick's handler moves the clock on by a second.
  // (The user-interface thread reads the clock too, for its queue.)
  std::atomic<std::uint32_t> tick{0};
  std::atomic<int> workerReads{0};
  platform::ScopedClockOverride clock({.Tick = [&] {
    if (platform::IsUiThread()) return tick.load();
    return workerReads++ == 0 ? 0xFFFFFFFFu : tick.load();
  }});
  OnUiThread([&] {
    std::vector<std::int64_t> seen;
    TThreadTimer timer("elapsed");
    timer.Mode = nmea::tmElapsed;
    timer.SetInterval(30);
    timer.OnTimerElapsed = [&](platform::TObject*, std::int64_t elapsed) {
      seen.push_back(elapsed);
      tick = tick + 1000;
    };
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return seen.size() >= 2; }));
    timer.SetEnabled(false);
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 1001);
  });
}

// A tick already queued for the user-interface thread when the timer is
// disabled runs no handler; enabled again, the timer ticks again.
TEST(ThreadTimer, ATickQueuedBeforeDisablingRunsNoHandler) {
  OnUiThread([] {
    for (const std::uint8_t mode : {nmea::tmPeriodic, nmea::tmElapsed}) {
      int calls = 0;
      TThreadTimer timer("queued");
      timer.Mode = mode;
      timer.SetInterval(10);
      timer.OnTimer = [&](platform::TObject*) { ++calls; };
      timer.OnTimerElapsed = [&](platform::TObject*, std::int64_t) { ++calls; };
      timer.SetEnabled(true);
      ASSERT_TRUE(testing_serial::WaitUntil([] {
        platform::MSG msg;
        return platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);
      }));
      timer.SetEnabled(false);
      PumpQueued();
      EXPECT_EQ(calls, 0) << static_cast<int>(mode);
      timer.SetEnabled(true);
      ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
      timer.SetEnabled(false);
    }
  });
}

TEST(ThreadTimer, DestroyingItWhileATickWaitsForTheUserInterface) {
  OnUiThread([] {
    int calls = 0;
    auto timer = std::make_unique<TThreadTimer>("busy");
    timer->SetInterval(10);
    timer->OnTimer = [&](platform::TObject*) { ++calls; };
    timer->SetEnabled(true);
    // The user-interface thread is busy, so the worker's tick waits in its
    // queue.
    ASSERT_TRUE(testing_serial::WaitUntil([] {
      platform::MSG msg;
      return platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);
    }));
    timer.reset();
    PumpQueued();
    EXPECT_EQ(calls, 0);

    // And from inside its own handler.
    timer = std::make_unique<TThreadTimer>("self");
    timer->SetInterval(10);
    timer->OnTimer = [&](platform::TObject*) {
      ++calls;
      timer.reset();
    };
    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpQueued();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(timer, nullptr);
  });
}

}  // namespace
