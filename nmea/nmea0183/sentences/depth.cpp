// Depth below the transducer (DBT) and depth with the transducer offset and
// the sounder's range (DPT).

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {
namespace {

constexpr double kMetresPerFoot = 0.3048;

void StoreDepth(const TSentenceContext& Ctx, double Metres) {
  Ctx.Data.Depth = static_cast<float>(Metres);
  Ctx.Data.DepthTick = Ctx.Tick;
  Ctx.TouchQuantity(qtDepth);
}

}  // namespace

void HandleDBT(TSentenceContext& Ctx) {
  // $--DBT,x.x,f,x.x,M,x.x,F*hh
  const TSentenceFields& f = Ctx.Fields;
  if (!f.Has(3)) return;
  if (f.Filled(3)) {
    StoreDepth(Ctx, Ctx.Float(3));
    return;
  }
  // Metres missing: feet, when they are a depth at all. Fathoms are not read.
  const double feet = f.Filled(1) ? Ctx.Float(1) : 0.0;
  if (feet > 0) StoreDepth(Ctx, feet * kMetresPerFoot);
}

void HandleDPT(TSentenceContext& Ctx) {
  // $--DPT,x.x,x.x,x.x*hh
  tNMEAData& data = Ctx.Data;
  if (Ctx.Fields.Filled(1)) StoreDepth(Ctx, Ctx.Float(1));
  if (Ctx.StoreFloat(2, data.TransducerOffset, data.TransducerOffsetTick)) Ctx.Touch();
  if (Ctx.Fields.Filled(3)) data.DepthRange = static_cast<float>(Ctx.Float(3));
}

}  // namespace nmea
