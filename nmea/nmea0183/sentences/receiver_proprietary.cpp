// Proprietary sentences of GPS receivers: map datum (GRMM), estimated
// position error (GRME), receiver self-test (GRMT) and the MTK590 value.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {

void HandleGRMM(TSentenceContext& Ctx) {
  // $PGRMM,c--c*hh
  Ctx.Data.GPS.Manufacturer = Ctx.Manufacturer;
  if (Ctx.Fields.Filled(1)) {
    Ctx.Data.GPS.Datum.Str = Ctx.Fields[1];
    Ctx.Data.GPS.Datum.Tick = Ctx.Tick;
    Ctx.Touch();
  }
}

void HandleGRME(TSentenceContext& Ctx) {
  // $PGRME,x.x,M,x.x,M,x.x,M*hh
  tGPS& gps = Ctx.Data.GPS;
  gps.Manufacturer = Ctx.Manufacturer;
  if (Ctx.StoreFloat(1, gps.HorizontalError, gps.HorizontalErrorTick)) Ctx.Touch();
  if (Ctx.StoreFloat(3, gps.VerticalError, gps.VerticalErrorTick)) Ctx.Touch();
}

void HandleGRMT(TSentenceContext& Ctx) {
  // $PGRMT,c--c,A,A,A,A,A,c,x,x*hh
  if (Ctx.Fields.Filled(1)) Ctx.Data.GPS.ReceiverInfo = Ctx.Fields[1];
  Ctx.Touch();
}

void HandleMTK590(TSentenceContext& Ctx) {
  // $PMTK590,x*hh
  if (Ctx.Fields.Filled(1)) {
    Ctx.Self.SetExtra({kExtraMtk590, static_cast<std::int32_t>(Ctx.Int(1)), Ctx.Tick}, Ctx.Data.Extras);
  }
  Ctx.Touch();
}

}  // namespace nmea
