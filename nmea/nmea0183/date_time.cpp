#include "nmea/nmea0183/date_time.h"

namespace nmea {
namespace {

// Days between 30 December 1899 and 1 January 1970.
constexpr std::int64_t kUnixEpochDays = 25569;

// Days since 1 January 1970 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t Y, unsigned M, unsigned D) {
  Y -= M <= 2;
  const std::int64_t era = (Y >= 0 ? Y : Y - 399) / 400;
  const auto yoe = static_cast<unsigned>(Y - era * 400);
  const unsigned doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

}  // namespace

bool IsValidDate(int Year, int Month, int Day) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
  return Day <= kDays[Month - 1] + (Month == 2 && leap ? 1 : 0);
}

bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second, int Millisecond,
                       double& Result) {
  if (!IsValidDate(Year, Month, Day)) return false;
  if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || Millisecond < 0 ||
      Millisecond > 999) {
    return false;
  }
  const double days = static_cast<double>(
      DaysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) + kUnixEpochDays);
  Result = days + ((Hour * 60.0 + Minute) * 60.0 + Second + Millisecond / 1000.0) / 86400.0;
  return true;
}

}  // namespace nmea
