// ZDA: UTC date and time. The local-zone fields are not read.

#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {

void HandleZDA(TSentenceContext& Ctx) {
  // $--ZDA,hhmmss.ss,xx,xx,xxxx,xx,xx*hh
  TTimeStage time;
  TDateStage date;
  if (Ctx.ParseTime(Ctx.Fields[1], time)) Ctx.Touch();
  if (Ctx.Fields.Filled(2)) date.Day = static_cast<std::uint8_t>(Ctx.Int(2));
  if (Ctx.Fields.Filled(3)) date.Month = static_cast<std::uint8_t>(Ctx.Int(3));
  if (Ctx.Fields[4].size() > 3) {
    date.Year = static_cast<std::uint16_t>(Ctx.Int(4));
    date.Tick = Ctx.Tick;
    if (Ctx.StoreDateTime(date, time)) Ctx.Data.ZdaDateTick = Ctx.Tick;
    Ctx.Touch();
  }
}

}  // namespace nmea
