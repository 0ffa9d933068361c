#include "platform/core/os/clock.h"

#include <gtest/gtest.h>

#include <ctime>

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
