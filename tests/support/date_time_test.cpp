#include "support/date_time.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/os/clock.h"

namespace support {
namespace {

using Ms = TDateTimeMsRec;

TDateTime At(double day, int hour, int minute, double seconds) {
  return day + (hour * 3600 + minute * 60 + seconds) / 86400.0;
}

TEST(DecodeDateTime, CalendarDatesAndSentinels) {
  EXPECT_EQ(DecodeDateTimeRecMs(1), (Ms{{31, 12, 1899}}));
  EXPECT_EQ(DecodeDateTimeRecMs(61), (Ms{{1, 3, 1900}}));
  EXPECT_EQ(DecodeDateTimeRecMs(At(45351, 13, 45, 7.25)), (Ms{{29, 2, 2024, 13, 45, 7}, 250}));
  EXPECT_EQ(DecodeDateTimeRecMs(kMaxDateTime), (Ms{{1, 1, 3000}}));

  EXPECT_EQ(DecodeDateTimeRec(0), (TDateTimeRec{1, 1, 0}));
  EXPECT_EQ(DecodeDateTimeRec(std::nan("")), (TDateTimeRec{1, 1, 0}));
  EXPECT_EQ(DecodeDateTimeRec(kMaxDateTime + 0.001), (TDateTimeRec{1, 1, 3000}));
  EXPECT_EQ(DecodeDateTimeRecMs(0), (Ms{{1, 1, 3000}}));
  EXPECT_EQ(DecodeDateTimeRecMs(-5), (Ms{{1, 1, 3000}}));
  EXPECT_EQ(DecodeDateTimeRecMs(1e300), (Ms{{1, 1, 3000}}));
}

// Rounding to the millisecond happens before the split, so a round-up carries
// through the seconds, minutes and hours into the date.
TEST(DecodeDateTime, MillisecondRoundingCarriesIntoTheNextSecondAndDay) {
  EXPECT_EQ(DecodeDateTimeRecMs(At(45000, 10, 20, 30.9996)), (Ms{{15, 3, 2023, 10, 20, 31}, 0}));
  EXPECT_EQ(DecodeDateTimeRecMs(At(45000, 10, 59, 59.9997)), (Ms{{15, 3, 2023, 11, 0, 0}, 0}));
  EXPECT_EQ(DecodeDateTimeRecMs(At(45351, 23, 59, 59.9996)), (Ms{{1, 3, 2024}}));
  EXPECT_EQ(DecodeDateTimeRec(At(45351, 23, 59, 59.9996)), (TDateTimeRec{1, 3, 2024}));
  EXPECT_EQ(DecodeDateTimeRecMs(At(45000, 23, 59, 59.9994)), (Ms{{15, 3, 2023, 23, 59, 59}, 999}));
  EXPECT_EQ(DecodeDateTimeRecMs(kMaxDateTime - 1e-10), (Ms{{1, 1, 3000}}));
}

TEST(FormatDateTime, LayoutsAndPlaceholders) {
  const TDateTimeRec rec{5, 3, 2024, 9, 7, 3};
  EXPECT_EQ(FormatDateTimeRec(rec, false, false, " ", false), "05/03/2024");
  EXPECT_EQ(FormatDateTimeRec(rec, true, true, " ", true), "03/05/24 09:07:03");
  EXPECT_EQ(FormatDateTimeRec({0, 5, 2024, 10, 20, 30}, false, true, " ", false), "--/--/---- 10:20:30");
  EXPECT_EQ(FormatDateTimeRec({4, 0, 2024}, false, false, " ", true), "--/--/--");
  EXPECT_EQ(FormatDateTimeRec({1, 1, 999}, false, false, "", true), "01/01/999");
  EXPECT_EQ(FormatDateTimeRec({1, 1, 3000}, false, false, "", true), "01/01/00");
  EXPECT_EQ(FormatTimeRec(rec, false), "09:07");
  EXPECT_EQ(FormatDateTimeText(At(40238, 18, 30, 0), false, false, " ", false), "01/03/2010");
  EXPECT_EQ(FormatDateTimeText(0, false, true, " ", false), "01/01/0000 00:00:00");
}

TEST(UtcOffset, FollowsTheZoneAndItsDaylightTime) {
  platform::TimeZoneInformation zone{.Valid = true, .Bias = -60, .DaylightBias = -60};
  platform::ScopedClockOverride clock({.TimeZone = [&zone] { return zone; }});
  bool daylight = true;
  EXPECT_EQ(GetUtcOffsetHours(daylight), 1.0);
  EXPECT_FALSE(daylight);
  zone.Daylight = true;
  EXPECT_EQ(GetUtcOffsetHours(daylight), 2.0);
  EXPECT_TRUE(daylight);
  zone = {.Valid = true, .Bias = 330};
  EXPECT_EQ(GetUtcOffsetHours(daylight), -5.5);
  zone = {.Valid = false, .Daylight = true, .Bias = 120};
  EXPECT_EQ(GetUtcOffsetHours(daylight), 0.0);
  EXPECT_FALSE(daylight);
}

}  // namespace
}  // namespace support
