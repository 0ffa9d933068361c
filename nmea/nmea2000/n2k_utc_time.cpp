#include "nmea/nmea2000/n2k_utc_time.h"

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "support/date_time.h"

namespace nmea {
namespace {

constexpr std::uint32_t kClockOffsetInterval = 15000;

}  // namespace

void StoreN2kUtcTime(N2kMessage& M, double DateTime, bool DateValid) {
  tNMEAData& d = M.Data;
  const TTick t = M.Tick();
  const support::TDateTimeMsRec rec = support::DecodeDateTimeRecMs(DateTime);
  d.UtcHour = rec.Hour;
  d.UtcMinute = rec.Minute;
  d.UtcSecond = rec.Second;
  d.UtcMillisecond = rec.Millisecond;
  d.UtcTimeTick = t;
  M.Stored(qtUtcTime);
  if (DateValid) {
    d.UtcDay = rec.Day;
    d.UtcMonth = rec.Month;
    d.UtcYear = rec.Year;
    d.UtcDateTick = t;
    // Ages are taken modulo 2^32, so the interval holds across the wrap of the
    // tick counter.
    if (TickAge(t, d.ClockOffsetTick) >= kClockOffsetInterval) {
      d.ClockOffset = M.Self.NowUtc() - DateTime;
      d.ClockOffsetTick = t;
    } else {
      d.ClockOffset = 0;
    }
  }
  M.Updated();
}

}  // namespace nmea
