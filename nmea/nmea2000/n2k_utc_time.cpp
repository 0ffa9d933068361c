#include "nmea/nmea2000/n2k_utc_time.h"

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "support/date_time.h"

namespace nmea {
namespace {

constexpr std::uint32_t kClockOffsetInterval = 15000;

}  // namespace

void StoreN2kUtcTime(N2kMessage& m, double dateTime, bool dateValid) {
  tNMEAData& d = m.Data;
  const TTick t = m.Tick();
  const support::TDateTimeMsRec rec = support::DecodeDateTimeRecMs(dateTime);
  d.UtcHour = rec.Hour;
  d.UtcMinute = rec.Minute;
  d.UtcSecond = rec.Second;
  d.UtcMillisecond = rec.Millisecond;
  d.UtcTimeTick = t;
  m.Stored(qtUtcTime);
  if (dateValid) {
    d.UtcDay = rec.Day;
    d.UtcMonth = rec.Month;
    d.UtcYear = rec.Year;
    d.UtcDateTick = t;
    // Ages are taken modulo 2^32, so the interval holds across the wrap of the
    // tick counter.
    if (TickAge(t, d.ClockOffsetTick) >= kClockOffsetInterval) {
      d.ClockOffset = m.Self.NowUtc() - dateTime;
      d.ClockOffsetTick = t;
    } else {
      d.ClockOffset = 0;
    }
  }
  m.Updated();
}

}  // namespace nmea
