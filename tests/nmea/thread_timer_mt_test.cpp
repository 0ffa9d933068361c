#include "nmea/thread_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/queue.h"
#include "platform/core/window.h"

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
    platform::WaitMessage(static_cast<std::uint32_t>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count()));
    platform::MSG msg;
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) platform::DispatchMessage(&msg);
  }
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

TEST(ThreadTimer, ModesFireWhenTheyShould) {
  OnUiThread([] {
    // Immediately periodic: a tick at once, then one per interval.
    std::vector<Clock::time_point> ticks;
    TThreadTimer periodic("Main Timer");
    periodic.Mode = nmea::tmImmediatePeriodic;
    periodic.SetInterval(100);
    periodic.OnTimer = [&](platform::TObject* sender) {
      EXPECT_EQ(sender, &periodic);
      EXPECT_TRUE(platform::IsUiThread());
      ticks.push_back(Clock::now());
    };
    const auto start = Clock::now();
    periodic.SetEnabled(true);
    Pump(450ms);
    periodic.SetEnabled(false);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_LE(ticks.size(), 6u);
    EXPECT_LT(Ms(ticks[0] - start), 60);
    EXPECT_GE(Ms(ticks[1] - ticks[0]), 95);
    const std::size_t whenDisabled = ticks.size();
    Pump(250ms);
    EXPECT_EQ(ticks.size(), whenDisabled);

    // One-shot: one tick after the interval, never again.
    int shots = 0;
    TThreadTimer once("once");
    once.Mode = nmea::tmOneShot;
    once.SetInterval(50);
    once.OnTimer = [&](platform::TObject*) { ++shots; };
    once.SetEnabled(true);
    Pump(25ms);
    EXPECT_EQ(shots, 0);
    Pump(200ms);
    EXPECT_EQ(shots, 1);
    once.SetEnabled(false);
    once.SetEnabled(true);
    Pump(200ms);
    EXPECT_EQ(shots, 1);
  });
}

TEST(ThreadTimer, ZeroAndChangedIntervals) {
  OnUiThread([] {
    int count = 0;
    TThreadTimer timer("zero");
    timer.SetInterval(0);
    timer.OnTimer = [&](platform::TObject*) { ++count; };
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    Pump(200ms);
    EXPECT_EQ(count, 0);
    timer.SetInterval(20);
    Pump(200ms);
    EXPECT_GE(count, 3);

    int burst = 0;
    TThreadTimer fast("fast");
    fast.AllowZeroInterval = true;
    fast.SetInterval(0);
    fast.OnTimer = [&](platform::TObject*) { ++burst; };
    fast.SetEnabled(true);
    Pump(100ms);
    fast.SetEnabled(false);
    EXPECT_GE(burst, 20);

    // A new interval restarts the wait in full from the change.
    std::vector<Clock::time_point> ticks;
    TThreadTimer slow("slow");
    slow.SetInterval(300);
    slow.OnTimer = [&](platform::TObject*) { ticks.push_back(Clock::now()); };
    slow.SetEnabled(true);
    Pump(200ms);
    const auto changed = Clock::now();
    slow.SetInterval(250);
    Pump(400ms);
    ASSERT_FALSE(ticks.empty());
    EXPECT_GE(Ms(ticks[0] - changed), 240);

    TThreadTimer never("never");
    int none = 0;
    never.SetInterval(TThreadTimer::kInfinite);
    never.OnTimer = [&](platform::TObject*) { ++none; };
    never.SetEnabled(true);
    Pump(100ms);
    EXPECT_EQ(none, 0);
  });
}

TEST(ThreadTimer, HandlersThatThrowDisableOrDawdle) {
  OnUiThread([] {
    int thrown = 0;
    TThreadTimer failing("failing");
    failing.SetInterval(20);
    failing.OnTimer = [&](platform::TObject*) {
      ++thrown;
      throw std::runtime_error("tick failed");
    };
    failing.SetEnabled(true);
    Pump(200ms);
    failing.SetEnabled(false);
    EXPECT_GE(thrown, 3);

    int once = 0;
    TThreadTimer stopping("stopping");
    stopping.SetInterval(20);
    stopping.OnTimer = [&](platform::TObject*) {
      ++once;
      stopping.SetEnabled(false);
    };
    stopping.SetEnabled(true);
    Pump(200ms);
    EXPECT_EQ(once, 1);

    // A handler slower than the interval: no overlap and no backlog.
    int running = 0;
    int slowTicks = 0;
    TThreadTimer slow("slow");
    slow.SetInterval(10);
    slow.OnTimer = [&](platform::TObject*) {
      EXPECT_EQ(running++, 0);
      ++slowTicks;
      std::this_thread::sleep_for(50ms);
      --running;
    };
    slow.SetEnabled(true);
    Pump(300ms);
    slow.SetEnabled(false);
    EXPECT_GE(slowTicks, 3);
    EXPECT_LE(slowTicks, 6);
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
    auto self = std::make_unique<TThreadTimer>("self");
    self->SetInterval(10);
    self->OnTimer = [&](platform::TObject*) {
      ++calls;
      self.reset();
    };
    self->SetEnabled(true);
    Pump(200ms);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(self, nullptr);
  });
}

}  // namespace
