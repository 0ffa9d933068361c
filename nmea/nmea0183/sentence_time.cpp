// Received times and dates: staging, acceptance, and the offset of the
// computer's clock from the received time.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "nmea/nmea0183/date_time.h"
#include "nmea/nmea0183/sentence_parser.h"
#include "support/conversions.h"
#include "support/date_time.h"

namespace nmea {
namespace {

// A stored date serves a time for up to 2000 ms.
constexpr std::uint32_t kDateFreshFor = 2001;
constexpr std::int32_t kClockOffsetInterval = 15000;
constexpr std::int32_t kTimeDateMaxSkew = 4000;
constexpr double kNoClockOffset = 9999.0;
constexpr double kOneSecond = 1.157407e-05;

std::uint8_t Byte(std::string_view Text) { return static_cast<std::uint8_t>(support::SafeStrToInt64(Text)); }

// The computer's clock as UTC minus the stored date and time, in days; at
// most once per 15 s of received time (0.0 in between), 9999.0 when the time
// cannot be trusted.
double ComputeClockOffset(TNMEA2KDecoder& Self, tNMEAData& Data) {
  const TTick timeTick = Data.UtcTimeTick;
  // Tick 0 means never computed.
  if (Data.ClockOffsetTick != 0 && TickDelta(timeTick, Data.ClockOffsetTick) < kClockOffsetInterval) return 0.0;
  if (std::abs(static_cast<std::int64_t>(TickDelta(timeTick, Data.UtcDateTick))) >= kTimeDateMaxSkew) {
    return kNoClockOffset;
  }
  const std::int32_t quality = Data.GPS.FixQuality;
  if (quality != 1 && quality != 2 && quality != 3 && quality != kFixUnknown) return kNoClockOffset;
  double received = 0;
  if (!TryEncodeDateTime(Data.UtcYear, Data.UtcMonth, Data.UtcDay, Data.UtcHour, Data.UtcMinute, Data.UtcSecond,
                         Data.UtcMillisecond, received)) {
    return kNoClockOffset;
  }
  Data.ClockOffsetTick = timeTick;
  return Self.NowUtc() - received - kOneSecond;
}

void CopyTime(tNMEAData& Data, const TTimeStage& Time) {
  Data.UtcHour = Time.Hour;
  Data.UtcMinute = Time.Minute;
  Data.UtcSecond = Time.Second;
  Data.UtcMillisecond = Time.Millisecond;
  Data.UtcTimeTick = Time.Tick;
}

bool TimeInRange(const TTimeStage& Time) { return Time.Hour < 25 && Time.Minute < 60 && Time.Second < 60; }

}  // namespace

bool TSentenceContext::ParseTime(std::string_view Field, TTimeStage& Time) const {
  if (Field.size() <= 5) return false;
  Time.Hour = Byte(Field.substr(0, 2));
  Time.Minute = Byte(Field.substr(2, 2));
  Time.Second = Byte(Field.substr(4, 2));
  Time.Millisecond = 0;
  if (Field.size() > 7) {
    std::string fraction = "0.";
    fraction.append(Field.substr(7));
    // Rounds half to even; a fraction that rounds up to a whole second stays
    // within the second.
    const double ms = std::nearbyint(support::SafeStrToFloat(fraction) * 1000);
    Time.Millisecond = static_cast<std::uint16_t>(std::clamp(ms, 0.0, 999.0));
  }
  Time.Tick = Tick;
  return true;
}

bool TSentenceContext::IsDateStale(TTick DateTick) const {
  if (!Self.CheckDateAge) return true;
  // A modular age, as for every received value: a signed one would make a
  // date heard more than 24.8 days ago look fresh.
  return !IsFresh(Tick, DateTick, kDateFreshFor);
}

bool TSentenceContext::StoreDateTime(const TDateStage& Date, const TTimeStage& Time) const {
  if (Date.Year < Self.PcYear || Date.Year > 2100 || Date.Day >= 32 || !TimeInRange(Time)) return false;
  CopyTime(Data, Time);
  Data.UtcDay = Date.Day;
  Data.UtcMonth = Date.Month;
  Data.UtcYear = Date.Year;
  Data.UtcDateTick = Date.Tick;
  Data.ClockOffset = ComputeClockOffset(Self, Data);
  MarkQuantity(qtUtcTime);
  return true;
}

bool TSentenceContext::StoreTime(const TTimeStage& Time) const {
  if (!TimeInRange(Time)) return false;
  if (IsDateStale(Data.UtcDateTick) || !IsValidDate(Data.UtcYear, Data.UtcMonth, Data.UtcDay)) {
    const support::TDateTimeRec today = support::DecodeDateTimeRec(Self.NowUtc());
    Data.UtcYear = today.Year;
    Data.UtcMonth = today.Month;
    Data.UtcDay = today.Day;
    Data.UtcDateTick = Tick;
  }
  CopyTime(Data, Time);
  Data.ClockOffset = ComputeClockOffset(Self, Data);
  MarkQuantity(qtUtcTime);
  return true;
}

}  // namespace nmea
