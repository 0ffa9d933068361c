// Wind: speed and angle (MWV), true direction and speed (MWD), relative
// (VWR) and true (VWT) angle and speed. Speeds are kept in knots, angles
// off the bow in (-180, 180], negative to port.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {
namespace {

constexpr double kKnotsPerKmh = 0.5399568034557235;
constexpr double kKnotsPerMetrePerSecond = 1.9438444924406046;
constexpr double kKnotsPerMph = 0.8689757019438445;

void StoreWind(const TSentenceContext& Ctx, double Value, double& Member, TTick& Tick) {
  Member = Value;
  Tick = Ctx.Tick;
  Ctx.TouchQuantity(qtWind);
}

// Angle, "L" or "R", speed in knots, as VWR and VWT send them.
void HandleSidedWind(const TSentenceContext& Ctx, double& Angle, TTick& AngleTick, double& Speed, TTick& SpeedTick) {
  const bool parsed = Ctx.StoreFloat(1, Angle, AngleTick, qtWind);
  if (parsed && Ctx.Equals(2, "L")) Angle = -Angle;
  Ctx.StoreFloat(3, Speed, SpeedTick, qtWind);
}

}  // namespace

void HandleMWV(TSentenceContext& Ctx) {
  // $--MWV,x.x,a,x.x,a,A*hh
  const TSentenceFields& f = Ctx.Fields;
  tNMEAData& data = Ctx.Data;
  if (!f.Has(2)) return;
  // Empty angle and speed fields read as 0.0.
  const double angle = f.Filled(1) ? Ctx.Float(1) : 0.0;
  // The reference is compared as sent: only "R" is relative wind.
  const bool relative = f[2] == "R";
  const double folded = angle <= 180 ? angle : angle - 360;
  if (relative) {
    StoreWind(Ctx, folded, data.ApparentWindAngle, data.ApparentWindAngleTick);
  } else {
    StoreWind(Ctx, folded, data.TrueWindAngle, data.TrueWindAngleTick);
  }
  if (!f.Has(4)) return;
  double speed = f.Filled(3) ? Ctx.Float(3) : 0.0;
  if (Ctx.Equals(4, "K")) {
    speed *= kKnotsPerKmh;
  } else if (Ctx.Equals(4, "M")) {
    speed *= kKnotsPerMetrePerSecond;
  } else if (Ctx.Equals(4, "S")) {
    speed *= kKnotsPerMph;
  }
  if (relative) {
    StoreWind(Ctx, speed, data.ApparentWindSpeed, data.ApparentWindSpeedTick);
  } else {
    StoreWind(Ctx, speed, data.TrueWindSpeed, data.TrueWindSpeedTick);
  }
}

void HandleMWD(TSentenceContext& Ctx) {
  // $--MWD,x.x,T,x.x,M,x.x,N,x.x,M*hh
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(1, data.TrueWindDirection, data.TrueWindDirectionTick, qtWind);
  Ctx.StoreFloat(5, data.TrueWindSpeed, data.TrueWindSpeedTick, qtWind);
}

void HandleVWR(TSentenceContext& Ctx) {
  // $--VWR,x.x,a,x.x,N,x.x,M,x.x,K*hh
  tNMEAData& data = Ctx.Data;
  HandleSidedWind(Ctx, data.ApparentWindAngle, data.ApparentWindAngleTick, data.ApparentWindSpeed,
                  data.ApparentWindSpeedTick);
}

void HandleVWT(TSentenceContext& Ctx) {
  // $--VWT,x.x,a,x.x,N,x.x,M,x.x,K*hh
  tNMEAData& data = Ctx.Data;
  HandleSidedWind(Ctx, data.TrueWindAngle, data.TrueWindAngleTick, data.TrueWindSpeed, data.TrueWindSpeedTick);
}

}  // namespace nmea
