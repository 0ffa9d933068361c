// How the live pages write single values: units and fix modes.

#include <gtest/gtest.h>

#include "app/live_values.h"

namespace {

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
