#include "support/date_time.h"

#include <cmath>

#include "platform/core/os/clock.h"
#include "support/formatting.h"

namespace support {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Day 0 of TDateTime is 25569 days before 1 January 1970.
constexpr std::int64_t kUnixEpochDay = 25569;

// Day number to proleptic Gregorian date (days from 1 January 1970).
void CivilFromDays(std::int64_t Z, int& Year, unsigned& Month, unsigned& Day) {
  Z += 719468;
  const std::int64_t era = (Z >= 0 ? Z : Z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(Z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  Day = doy - (153 * mp + 2) / 5 + 1;
  Month = mp < 10 ? mp + 3 : mp - 9;
  Year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (Month <= 2));
}

// DT in (0, kMaxDateTime]: the time of day is rounded half to even to the
// millisecond, and a round-up to a full day carries into the date.
TDateTimeMsRec Split(TDateTime Dt) {
  std::int64_t days = static_cast<std::int64_t>(std::floor(Dt));
  const double fraction = Dt - static_cast<double>(days);
  auto ms = static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(fraction) * kMsPerDay));
  if (ms >= kMsPerDay) {
    ++days;
    ms -= kMsPerDay;
  }
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(days - kUnixEpochDay, year, month, day);
  TDateTimeMsRec rec;
  rec.Day = static_cast<std::uint8_t>(day);
  rec.Month = static_cast<std::uint8_t>(month);
  rec.Year = static_cast<std::uint16_t>(year);
  rec.Hour = static_cast<std::uint8_t>(ms / 3'600'000);
  rec.Minute = static_cast<std::uint8_t>(ms / 60'000 % 60);
  rec.Second = static_cast<std::uint8_t>(ms / 1000 % 60);
  rec.Millisecond = static_cast<std::uint16_t>(ms % 1000);
  return rec;
}

TDateTimeMsRec FirstOfJanuary(std::uint16_t Year) {
  TDateTimeMsRec rec;
  rec.Day = 1;
  rec.Month = 1;
  rec.Year = Year;
  return rec;
}

}  // namespace

TDateTimeRec DecodeDateTimeRec(TDateTime DT) {
  if (std::isnan(DT) || DT <= 0) return FirstOfJanuary(0);
  if (DT > kMaxDateTime) return FirstOfJanuary(3000);
  return Split(DT);
}

TDateTimeMsRec DecodeDateTimeRecMs(TDateTime DT) {
  if (std::isnan(DT) || DT <= 0 || DT > kMaxDateTime) return FirstOfJanuary(3000);
  return Split(DT);
}

std::string FormatDateTimeRec(const TDateTimeRec& Rec, bool MonthFirst, bool WithTime, std::string_view Sep,
                              bool TwoDigitYear) {
  std::string out;
  if (Rec.Day == 0 || Rec.Month == 0) {
    out.append("--").append(kDateSeparator).append("--").append(kDateSeparator).append(TwoDigitYear ? "--" : "----");
  } else {
    const std::string day = IntToStrPadded(Rec.Day, 2);
    const std::string month = IntToStrPadded(Rec.Month, 2);
    out.append(MonthFirst ? month : day).append(kDateSeparator).append(MonthFirst ? day : month);
    out.append(kDateSeparator);
    out.append(TwoDigitYear ? IntToStrPadded(YearToTwoDigits(Rec.Year), 2) : IntToStrPadded(Rec.Year, 4));
  }
  if (WithTime) out.append(Sep).append(FormatTimeRec(Rec, true));
  return out;
}

std::string FormatTimeRec(const TDateTimeRec& Rec, bool WithSeconds) {
  std::string out = IntToStrPadded(Rec.Hour, 2);
  out.append(kTimeSeparator).append(IntToStrPadded(Rec.Minute, 2));
  if (WithSeconds) out.append(kTimeSeparator).append(IntToStrPadded(Rec.Second, 2));
  return out;
}

std::int32_t YearToTwoDigits(std::int32_t Year) { return Year <= 1000 ? Year : Year % 100; }

std::string FormatDateTimeText(TDateTime DT, bool MonthFirst, bool WithTime, std::string_view Sep, bool TwoDigitYear) {
  return FormatDateTimeRec(DecodeDateTimeRec(DT), MonthFirst, WithTime, Sep, TwoDigitYear);
}

double GetUtcOffsetHours(bool& IsDaylight) {
  const platform::TimeZoneInformation zone = platform::GetTimeZoneInformation();
  IsDaylight = zone.Valid && zone.Daylight;
  if (!zone.Valid) return 0;
  const std::int32_t bias = zone.Bias + (IsDaylight ? zone.DaylightBias : zone.StandardBias);
  return -bias / 60.0;
}

}  // namespace support
