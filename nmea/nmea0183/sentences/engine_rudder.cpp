// Engine and shaft revolutions (RPM), rudder angles (RSA) and the radar
// system data (RSD), which is recognised but stores nothing.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {
namespace {

// A rudder angle not received.
constexpr double kNoAngle = 99999.0;

}  // namespace

void HandleRPM(TSentenceContext& Ctx) {
  // $--RPM,a,x,x.x,x.x,A*hh
  const TSentenceFields& f = Ctx.Fields;
  if (!f.Has(5) || Ctx.Letter(5) != 'A') return;
  const bool engine = Ctx.Letter(1) == 'E';
  const std::int64_t number = f.Filled(2) ? Ctx.Int(2) : 0;
  if (number < 0 || number >= static_cast<std::int64_t>(Ctx.Data.Engine.size())) return;
  const auto speed = static_cast<float>(f.Filled(3) ? Ctx.Float(3) : 0.0);
  const auto pitch = static_cast<float>(f.Filled(4) ? Ctx.Float(4) : 0.0);
  tEngineSlot& slot = Ctx.Data.Engine[static_cast<std::size_t>(number)];
  if (engine) {
    slot.EngineSpeed = speed;
    slot.Pitch = pitch;
    slot.EngineTick = Ctx.Tick;
  } else {
    slot.ShaftSpeed = speed;
    slot.Pitch = pitch;
    slot.ShaftTick = Ctx.Tick;
  }
}

void HandleRSA(TSentenceContext& Ctx) {
  // $--RSA,x.x,A,x.x,A*hh
  const TSentenceFields& f = Ctx.Fields;
  tNMEAData& data = Ctx.Data;
  double angle = kNoAngle;
  if (f.Filled(1)) angle = Ctx.Float(1);
  if (Ctx.Letter(2) == 'A' && angle != kNoAngle) {
    data.StarboardRudder = static_cast<float>(angle);
    data.StarboardRudderTick = Ctx.Tick;
  }
  if (!f.Filled(3)) return;
  angle = Ctx.Float(3);
  if (Ctx.Letter(4) == 'A') {
    data.PortRudder = static_cast<float>(angle);
    data.PortRudderTick = Ctx.Tick;
  }
}

void HandleRSD(TSentenceContext&) {
  // $--RSD,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,a,a*hh
  // Known, so that it counts as a decoded sentence; nothing in it is kept.
}

}  // namespace nmea
