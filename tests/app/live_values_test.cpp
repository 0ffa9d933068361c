// How the live pages judge and write single values: freshness around its
// limits and across the wrap of the tick counter, units and fix modes.

#include <gtest/gtest.h>

#include <cstdint>

#include "app/live_values.h"

namespace {

TEST(LiveValuesTest, AValueIsFreshForThreeSecondsAndAlsoJustAhead) {
  const std::uint64_t now = 100000;
  EXPECT_TRUE(app::IsFresh(now, 100000));
  EXPECT_TRUE(app::IsFresh(now, 100000 - 2999));
  EXPECT_FALSE(app::IsFresh(now, 100000 - 3000));
  EXPECT_TRUE(app::IsFresh(now, 100005));
  EXPECT_FALSE(app::IsFresh(now, 100000 + 3000));
  // Never stored.
  EXPECT_FALSE(app::IsFresh(now, 0));
  EXPECT_FALSE(app::IsFresh(2000, 0));
}

TEST(LiveValuesTest, ValuesFromBeforeTheCounterWrappedAgeLikeAnyOther) {
  const std::uint32_t beforeWrap = 0xFFFFFF00u;
  // 0x100 + 1000 ms after it: fresh; ten seconds after it: stale, and it
  // stays stale as the counter runs on.
  EXPECT_TRUE(app::IsFresh(1000, beforeWrap));
  EXPECT_FALSE(app::IsFresh(10000, beforeWrap));
  EXPECT_FALSE(app::IsFresh(2000000, beforeWrap));
  // A tick written just after the wrap, read just before it.
  EXPECT_TRUE(app::IsFresh(0xFFFFFFF0u, 5));
}

TEST(LiveValuesTest, UnitsAndFixModesReadAsThePagesShowThem) {
  EXPECT_DOUBLE_EQ(app::CelsiusToFahrenheit(20), 68);
  EXPECT_DOUBLE_EQ(app::FahrenheitToCelsius(68), 20);
  EXPECT_EQ(app::LengthText(9.55, 0), u"9.55 m");
  EXPECT_EQ(app::LengthText(9.55, 1), u"31.3 ft");
  EXPECT_EQ(app::LengthText(-0.45, 0), u"-0.45 m");
  EXPECT_EQ(app::Fixed(-0.04, 1), u"0.0");
  EXPECT_EQ(app::FixModeText(1), u"VALID");
  EXPECT_EQ(app::FixModeText(2), u"DGPS");
  EXPECT_EQ(app::FixModeText(6), u"ESTIMATED");
  EXPECT_EQ(app::FixModeText(7), u"MANUAL");
  EXPECT_EQ(app::FixModeText(8), u"SIMULATED");
  for (const int other : {0, 3, 4, 5, 255, -1}) EXPECT_EQ(app::FixModeText(other), u"INVALID") << other;
}

}  // namespace
