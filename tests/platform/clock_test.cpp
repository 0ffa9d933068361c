#include "platform/core/os/clock.h"

#include <gtest/gtest.h>

#include <ctime>
#include <map>

namespace {

TEST(Clock, OverridesReplaceOnlyTheGivenSourcesAndAreUndone) {
  const platform::SystemTime real = platform::GetLocalTime();
  {
    platform::ScopedClockOverride outer({.Tick = [] { return 0xFFFFFFF0u; }});
    EXPECT_EQ(platform::GetTickCount(), 0xFFFFFFF0u);
    {
      platform::ScopedClockOverride inner(
          {.Tick = [] { return 7u; }, .LocalTime = [] { return platform::SystemTime{2024, 2, 29, 23, 59, 58, 999}; }});
      EXPECT_EQ(platform::GetTickCount(), 7u);
      EXPECT_EQ(platform::GetLocalTime().Day, 29);
    }
    EXPECT_EQ(platform::GetTickCount(), 0xFFFFFFF0u);
  }
  EXPECT_GE(platform::GetLocalTime().Year, real.Year);
}

TEST(Clock, TheSystemTickCountsAcrossSuspendAndReadsTheSleepOnceAStep) {
  // The kernel's clocks: the coarse one in 4 ms steps of the running time,
  // the boot-time one with the time spent suspended on top.
  std::int64_t running = 5'000'000'000;
  std::int64_t slept = 0;
  std::map<int, int> reads;
  platform::ScopedClockOverride clock({.KernelClock = [&](int Id) {
    ++reads[Id];
    if (Id == CLOCK_MONOTONIC_COARSE) return running / 4'000'000 * 4'000'000;
    return Id == CLOCK_BOOTTIME ? running + slept : running;
  }});
  const std::uint32_t before = platform::GetTickCount();
  EXPECT_EQ(before, 5000u);
  // An hour asleep, and one scheduler tick after waking.
  slept += 3'600'000'000'000;
  running += 4'000'000;
  EXPECT_EQ(platform::GetTickCount() - before, 3'600'004u);

  // Within one step the sleep is not measured again.
  reads.clear();
  running += 1'000'000;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(platform::GetTickCount() - before, 3'600'004u);
  EXPECT_EQ(reads[CLOCK_MONOTONIC_COARSE], 100);
  EXPECT_EQ(reads[CLOCK_BOOTTIME], 0);
}

TEST(Clock, TimeZoneBiasMatchesTheLocalOffset) {
  const platform::TimeZoneInformation zone = platform::GetTimeZoneInformation();
  ASSERT_TRUE(zone.Valid);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const int bias = zone.Bias + (zone.Daylight ? zone.DaylightBias : zone.StandardBias);
  EXPECT_EQ(-bias * 60, local.tm_gmtoff);
}

}  // namespace
