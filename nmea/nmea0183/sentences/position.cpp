// Fix, position and time: GGA, GLL and RMC; course and speed over ground:
// VTG.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "nmea/nmea0183/sentences/position_fields.h"
#include "support/conversions.h"

namespace nmea {
namespace {

bool IsFixQuality(std::int64_t Quality) { return Quality >= 1 && Quality <= 3; }

std::uint8_t Byte(std::string_view Text) { return static_cast<std::uint8_t>(support::SafeStrToInt64(Text)); }

}  // namespace

void HandleGGA(TSentenceContext& Ctx) {
  // $--GGA,hhmmss.ss,llll.ll,a,yyyyy.yy,a,x,xx,x.x,x.x,M,x.x,M,x.x,xxxx*hh
  const TSentenceFields& f = Ctx.Fields;
  tGPS& gps = Ctx.Data.GPS;
  gps.LastFixSentenceTick = Ctx.Tick;
  TTimeStage time;
  Ctx.ParseTime(f[1], time);
  TPositionStage position;
  ReadPosition(Ctx, 2, position);
  if (f.Filled(6)) {
    const std::int64_t quality = Ctx.Int(6);
    gps.FixQuality = static_cast<std::int32_t>(quality);
    gps.FixQualityTick = Ctx.Tick;
    if (IsFixQuality(quality)) {
      Ctx.StoreTime(time);
      gps.NoFix = 0;
      Ctx.StorePosition(position);
    } else {
      gps.NoFix = 1;
    }
  } else if (f.Has(6)) {
    gps.FixQuality = kFixUnknown;
    gps.NoFix = 1;
  }
  if (f.Filled(7)) {
    gps.SatsInUse = static_cast<std::int32_t>(Ctx.Int(7));
    gps.SatsInUseTick = Ctx.Tick;
  }
  Ctx.StoreFloat(8, gps.HDOP, gps.HDOPTick);
  if (gps.NoFix == 0) Ctx.StoreFloat(9, Ctx.Data.Altitude, Ctx.Data.AltitudeTick, qtAltitude);
  if (f.Filled(11)) Ctx.Data.GeoidSeparation = Ctx.Float(11);
}

void HandleGLL(TSentenceContext& Ctx) {
  // $--GLL,llll.ll,a,yyyyy.yy,a,hhmmss.ss,A,a*hh
  const TSentenceFields& f = Ctx.Fields;
  tGPS& gps = Ctx.Data.GPS;
  gps.LastFixSentenceTick = Ctx.Tick;
  TPositionStage position;
  ReadPosition(Ctx, 1, position);
  TTimeStage time;
  Ctx.ParseTime(f[5], time);
  // Only status A reports a fix: V says there is none, and so does any other
  // letter a receiver may send. An empty status keeps the fix state of the
  // earlier sentences but gives no position of its own.
  if (f.Filled(6)) {
    gps.NoFix = Ctx.Letter(6) == 'A' ? 0 : 1;
    if (gps.NoFix == 0) {
      Ctx.StoreTime(time);
      Ctx.Touch();
      Ctx.StorePosition(position);
    }
  }
  if (f.Has(7)) {
    gps.FixQuality = TSentenceContext::FixQualityOfMode(f[7]);
    gps.FixQualityTick = Ctx.Tick;
  }
}

void HandleRMC(TSentenceContext& Ctx) {
  // $--RMC,hhmmss.ss,A,llll.ll,a,yyyyy.yy,a,x.x,x.x,xxxxxx,x.x,a,a*hh
  const TSentenceFields& f = Ctx.Fields;
  tNMEAData& data = Ctx.Data;
  tGPS& gps = data.GPS;
  TTimeStage time;
  TDateStage date;
  if (f.Has(1)) {
    Ctx.ParseTime(f[1], time);
    Ctx.Touch();
  }
  if (f[2].size() == 1) gps.NoFix = Ctx.Letter(2) == 'V' ? 1 : 0;
  // Without a fix the coordinates are not read at all.
  TPositionStage position;
  if (gps.NoFix == 0 && Ctx.ParseLatitude(3, position.Latitude)) {
    position.Tick = Ctx.Tick;
    Ctx.Touch();
    if (Ctx.Equals(4, "S")) position.Latitude = -position.Latitude;
  }
  if (gps.NoFix == 0 && Ctx.ParseLongitude(5, position.Longitude) && Ctx.Equals(6, "W")) {
    position.Longitude = -position.Longitude;
  }
  if (f.Has(6)) Ctx.StorePosition(position);
  if (Ctx.StoreFloat(7, data.SOG, data.SOGTick)) Ctx.MarkQuantity(qtSpeedOverGround);
  if (Ctx.StoreFloat(8, data.COG, data.COGTick)) Ctx.MarkQuantity(qtCourseOverGround);
  // The date and time yield to a fresh date from a ZDA, not to the ones RMC
  // stored itself, so that a receiver sending only RMC updates them every
  // time.
  if (f.Has(9) && Ctx.IsDateStale(data.ZdaDateTick)) {
    const std::string_view field = f[9];
    if (field.size() > 5 && gps.NoFix == 0) {
      date.Day = Byte(field.substr(0, 2));
      date.Month = Byte(field.substr(2, 2));
      date.Year = static_cast<std::uint16_t>(support::SafeStrToInt64(field.substr(4, 2)) + Ctx.Self.PcCentury);
      date.Tick = Ctx.Tick;
    }
    if (gps.NoFix == 0) Ctx.StoreDateTime(date, time);
  }
  if (f.Filled(12)) {
    gps.LastFixSentenceTick = Ctx.Tick;
    gps.FixQuality = TSentenceContext::FixQualityOfMode(f[12]);
    gps.FixQualityTick = Ctx.Tick;
  } else if (f.Has(12)) {
    gps.FixQuality = kFixUnknown;
  }
}

void HandleVTG(TSentenceContext& Ctx) {
  // $--VTG,x.x,T,x.x,M,x.x,N,x.x,K,a*hh
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(1, data.COG, data.COGTick, qtCourseOverGround);
  Ctx.StoreFloat(5, data.SOG, data.SOGTick, qtSpeedOverGround);
}

}  // namespace nmea
