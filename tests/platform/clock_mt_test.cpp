#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/core/os/clock.h"

namespace {

// The tick counter is read from reader threads while the user-interface
// thread reads it too: from every thread it only goes forward, and within
// what the calling thread saw before and after.
TEST(ClockThreads, TickCounterIsReadableFromManyThreads) {
  constexpr int kThreads = 4;
  std::vector<std::vector<std::uint32_t>> seen(kThreads);
  const std::uint32_t first = platform::GetTickCount();
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&seen, t] {
      for (int i = 0; i < 20000; ++i)
        seen[t].push_back(t % 2 == 0 ? platform::GetTickCount() : platform::TimeGetTime());
    });
  }
  for (std::thread& thread : threads) thread.join();
  const std::uint32_t last = platform::GetTickCount();
  for (int t = 0; t < kThreads; t += 2) {
    const std::vector<std::uint32_t>& ticks = seen[t];
    for (std::size_t i = 1; i < ticks.size(); ++i) ASSERT_GE(static_cast<std::int32_t>(ticks[i] - ticks[i - 1]), 0);
    EXPECT_GE(static_cast<std::int32_t>(ticks.front() - first), 0);
    EXPECT_GE(static_cast<std::int32_t>(last - ticks.back()), 0);
  }
  for (int t = 1; t < kThreads; t += 2) {
    const std::vector<std::uint32_t>& times = seen[t];
    for (std::size_t i = 1; i < times.size(); ++i) ASSERT_GE(static_cast<std::int32_t>(times[i] - times[i - 1]), 0);
  }
}

}  // namespace
