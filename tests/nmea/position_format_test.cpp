#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nmea/nmea0183/position_format.h"

namespace nmea {
namespace {

TEST(PositionFormat, DegreesMinutesSecondsRoundOnTheWholeValue) {
  EXPECT_EQ(FormatLatitude(2, 45.5), u"45\u00B0 30' 00.00\" N");
  EXPECT_EQ(FormatLatitude(2, -45.5), u"45\u00B0 30' 00.00\" S");
  EXPECT_EQ(FormatLatitude(2, 12.3456789), u"12\u00B0 20' 44.44\" N");
  EXPECT_EQ(FormatLatitude(2, 0.9999999), u"1\u00B0 00' 00.00\" N");
  EXPECT_EQ(FormatLatitude(2, 0), u"0\u00B0 00' 00.00\" N");
  EXPECT_EQ(FormatLongitude(2, -123.185333333), u"123\u00B0 11' 07.20\" W");
  EXPECT_EQ(FormatLongitude(2, 0), u"0\u00B0 00' 00.00\" E");
}

TEST(PositionFormat, DecimalDegreesAndMinutes) {
  EXPECT_EQ(FormatLongitude(0, -9.25), u"9.250000\u00B0 W");
  EXPECT_EQ(FormatLongitude(6, -9.25), u"-9.250000");
  EXPECT_EQ(FormatLongitude(5, 7.5), u"7 30.0000E");
  EXPECT_EQ(FormatLongitude(1, 7.5), u"7\u00B0 30.0000' E");
  EXPECT_EQ(FormatLatitude(3, -48.1173), u"48\u00B0 07.0380' S");
}

TEST(PositionFormat, ValuesOutsideTheDomainGiveNoText) {
  for (const std::uint8_t format : {0, 1, 2, 5, 6}) {
    EXPECT_EQ(FormatLatitude(format, std::numeric_limits<double>::quiet_NaN()), u"") << int(format);
    EXPECT_EQ(FormatLongitude(format, -std::numeric_limits<double>::infinity()), u"") << int(format);
  }
  // The minute and second notations work on 32-bit integers.
  for (const std::uint8_t format : {1, 2, 5}) {
    EXPECT_EQ(FormatLatitude(format, 1e9), u"") << int(format);
    EXPECT_EQ(FormatLongitude(format, -6000.0), u"") << int(format);
  }
  EXPECT_EQ(FormatLatitude(6, -6000.0), u"-6000.000000");
}

}  // namespace
}  // namespace nmea
