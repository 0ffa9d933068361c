#pragma once
// Date-times as day counts, split into calendar fields and shown in fixed
// layouts; the local offset from UTC.

#include <cstdint>
#include <string>
#include <string_view>

namespace support {

// Days since 30 December 1899 00:00; the fraction is the time of day.
using TDateTime = double;

// 1 January 3000 00:00, the latest date-time the decoders accept.
inline constexpr TDateTime kMaxDateTime = 401769;

// Both records are packed: 7 and 9 bytes, with no padding between or after
// the fields.
struct [[gnu::packed]] TDateTimeRec {
  std::uint8_t Day = 0;    // 1-31
  std::uint8_t Month = 0;  // 1-12
  std::uint16_t Year = 0;
  std::uint8_t Hour = 0;    // 0-23
  std::uint8_t Minute = 0;  // 0-59
  std::uint8_t Second = 0;  // 0-59
  friend bool operator==(const TDateTimeRec&, const TDateTimeRec&) = default;
};

struct [[gnu::packed]] TDateTimeMsRec : TDateTimeRec {
  std::uint16_t Millisecond = 0;  // 0-999
  friend bool operator==(const TDateTimeMsRec&, const TDateTimeMsRec&) = default;
};

static_assert(sizeof(TDateTimeRec) == 7);
static_assert(sizeof(TDateTimeMsRec) == 9);

// The calendar fields of DT, rounded to the millisecond first so that a time
// within half a millisecond of midnight is 00:00 of the next day. DT <= 0 or
// NaN gives 1/1/0 00:00:00; beyond kMaxDateTime gives 1/1/3000 00:00:00.
TDateTimeRec DecodeDateTimeRec(TDateTime DT);
// As above with the milliseconds, except that DT <= 0 and NaN also give
// 1/1/3000 00:00:00.000.
TDateTimeMsRec DecodeDateTimeRecMs(TDateTime DT);

// The user locale's separators.
inline constexpr std::string_view kDateSeparator = "/";
inline constexpr std::string_view kTimeSeparator = ":";

// "dd/mm/yyyy" (or month first, or a two-digit year), then Sep and the time
// with seconds when WithTime. A record without a day or month shows its date
// as "--/--/----".
std::string FormatDateTimeRec(const TDateTimeRec& Rec, bool MonthFirst, bool WithTime, std::string_view Sep,
                              bool TwoDigitYear);
// "hh:mm", or "hh:mm:ss" WithSeconds.
std::string FormatTimeRec(const TDateTimeRec& Rec, bool WithSeconds);
// Year for years up to 1000, else its last two digits.
std::int32_t YearToTwoDigits(std::int32_t Year);
std::string FormatDateTimeText(TDateTime DT, bool MonthFirst, bool WithTime, std::string_view Sep, bool TwoDigitYear);

// Local time minus UTC in hours, daylight saving included when in effect.
// 0 and no daylight time when the zone cannot be read.
double GetUtcOffsetHours(bool& IsDaylight);

}  // namespace support
