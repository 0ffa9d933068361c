// ALR: an alarm report. The alarm store keeps nothing, so what lasts is the
// update tick.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "support/hashing.h"

namespace nmea {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

}  // namespace

void HandleALR(TSentenceContext& Ctx) {
  // $--ALR,hhmmss.ss,xxx,A,A,c--c*hh
  const TSentenceFields& f = Ctx.Fields;
  if (!f.Has(5)) return;
  tALR_Rec alarm;
  TTimeStage time;
  alarm.Key = static_cast<std::uint32_t>(support::StringHashEx(Ctx.Talker));
  Ctx.ParseTime(f[1], time);
  if (f.Filled(2)) alarm.Number = static_cast<std::int32_t>(Ctx.Int(2));
  if (f.Filled(3)) alarm.Condition = Ctx.Letter(3) == 'A' ? 1 : 0;
  if (f.Filled(4)) alarm.Acknowledged = Ctx.Letter(4) == 'A' ? 1 : 0;
  if (f.Filled(5)) alarm.Text = f[5];
  alarm.Tick = Ctx.Tick;
  Ctx.Touch();
  if (time.Hour < 24 && time.Minute < 60 && time.Second < 60) {
    alarm.Time =
        (((time.Hour * 60.0 + time.Minute) * 60.0 + time.Second) * 1000.0 + time.Millisecond) / kMillisecondsPerDay;
  }
  Ctx.Self.AddAlarm(alarm);
}

}  // namespace nmea
