#include "nmea/serial/thread_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"

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

// The user-interface thread's message loop for a while.
void Pump(std::chrono::milliseconds span) {
  const auto until = Clock::now() + span;
  for (auto now = Clock::now(); now < until; now = Clock::now()) {
    platform::WaitMessage(
        static_cast<std::uint32_t>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count()));
    platform::MSG msg;
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) platform::DispatchMessage(&msg);
  }
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

TEST(ThreadTimer, ModesAndIntervals) {
  OnUiThread([] {
    Recorded periodic(nmea::tmImmediatePeriodic, 100);
    const auto start = Clock::now();
    periodic.timer.SetEnabled(true);
    Pump(450ms);
    periodic.timer.SetEnabled(false);
    ASSERT_GE(periodic.ticks.size(), 3u);
    EXPECT_LE(periodic.ticks.size(), 6u);
    EXPECT_LT(Ms(periodic.ticks[0] - start), 60);  // at once, then one per interval
    EXPECT_GE(Ms(periodic.ticks[1] - periodic.ticks[0]), 95);

    Recorded once(nmea::tmOneShot, 50);
    once.timer.SetEnabled(true);
    Pump(200ms);
    once.timer.SetEnabled(false);
    once.timer.SetEnabled(true);
    Pump(150ms);
    EXPECT_EQ(once.ticks.size(), 1u);

    // Interval 0 idles unless allowed, and then ticks back to back.
    Recorded zero(nmea::tmPeriodic, 0);
    zero.timer.SetEnabled(true);
    Pump(150ms);
    EXPECT_TRUE(zero.ticks.empty());
    zero.timer.SetInterval(20);
    Pump(150ms);
    EXPECT_GE(zero.ticks.size(), 3u);
    Recorded fast(nmea::tmPeriodic, 0);
    fast.timer.AllowZeroInterval = true;
    fast.timer.SetEnabled(true);
    Pump(100ms);
    fast.timer.SetEnabled(false);
    EXPECT_GE(fast.ticks.size(), 20u);

    // A new interval restarts the wait in full from the change.
    Recorded slow(nmea::tmPeriodic, 300);
    slow.timer.SetEnabled(true);
    Pump(200ms);
    const auto changed = Clock::now();
    slow.timer.SetInterval(250);
    Pump(400ms);
    ASSERT_FALSE(slow.ticks.empty());
    EXPECT_GE(Ms(slow.ticks[0] - changed), 240);
  });
}

TEST(ThreadTimer, HandlersThatThrowDisableOrDawdle) {
  OnUiThread([] {
    int thrown = 0;
    int once = 0;
    int slowTicks = 0;
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
    // Slower than its interval: the next tick waits, no backlog builds.
    slow.OnTimer = [&](platform::TObject*) {
      ++slowTicks;
      std::this_thread::sleep_for(50ms);
    };
    for (TThreadTimer* t : {&failing, &stopping, &slow}) {
      t->SetInterval(t == &slow ? 10 : 20);
      t->SetEnabled(true);
    }
    Pump(300ms);
    for (TThreadTimer* t : {&failing, &slow}) t->SetEnabled(false);
    EXPECT_GE(thrown, 3);
    EXPECT_EQ(once, 1);
    EXPECT_GE(slowTicks, 2);
    EXPECT_LE(slowTicks, 7);
  });
}

TEST(ThreadTimer, ElapsedModeCountsAcrossTheTickWrap) {
  std::atomic<std::uint32_t> tick{0xFFFFFFFFu};
  std::atomic<int> reads{0};
  platform::ScopedClockOverride clock({.Tick = [&] {
    ++reads;
    return tick.load();
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
    while (reads == 0) std::this_thread::sleep_for(1ms);
    tick = 0;
    Pump(100ms);
    timer.SetEnabled(false);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 1001);
  });
}

TEST(ThreadTimer, DestroyingItWhileATickWaitsForTheUserInterface) {
  OnUiThread([] {
    std::atomic<int> calls{0};
    auto timer = std::make_unique<TThreadTimer>("busy");
    timer->SetInterval(10);
    timer->OnTimer = [&](platform::TObject*) { ++calls; };
    timer->SetEnabled(true);
    // The user-interface thread is busy, so the worker's tick waits.
    std::this_thread::sleep_for(100ms);
    const auto start = Clock::now();
    timer.reset();
    EXPECT_LT(Ms(Clock::now() - start), 500);
    Pump(100ms);
    EXPECT_EQ(calls, 0);

    // And from inside its own handler.
    timer = std::make_unique<TThreadTimer>("self");
    timer->SetInterval(10);
    timer->OnTimer = [&](platform::TObject*) {
      ++calls;
      timer.reset();
    };
    timer->SetEnabled(true);
    Pump(200ms);
    EXPECT_EQ(calls, 1);
  });
}

}  // namespace
