// Heading (HDG, HDM, HDT), rate of turn (ROT) and attitude (HPR). The
// sensor heading of HDG and the heading of HPR go with the magnetic one;
// only HDT fills the true heading.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {

void HandleHDG(TSentenceContext& Ctx) {
  // $--HDG,x.x,x.x,a,x.x,a*hh
  Ctx.StoreFloat(1, Ctx.Data.HeadingMagnetic, Ctx.Data.HeadingMagneticTick, qtHeading);
}

void HandleHDM(TSentenceContext& Ctx) {
  // $--HDM,x.x,M*hh
  Ctx.StoreFloat(1, Ctx.Data.HeadingMagnetic, Ctx.Data.HeadingMagneticTick, qtHeading);
}

void HandleHDT(TSentenceContext& Ctx) {
  // $--HDT,x.x,T*hh
  Ctx.StoreFloat(1, Ctx.Data.HeadingTrue, Ctx.Data.HeadingTrueTick, qtHeading);
}

void HandleROT(TSentenceContext& Ctx) {
  // $--ROT,x.x,A*hh
  Ctx.StoreFloat(1, Ctx.Data.RateOfTurn, Ctx.Data.RateOfTurnTick, qtRateOfTurn);
}

void HandleHPR(TSentenceContext& Ctx) {
  // $--HPR,x.x,x.x,x.x*hh
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(1, data.HeadingMagnetic, data.HeadingMagneticTick, qtHeading);
  Ctx.StoreFloat(2, data.Pitch, data.PitchTick, qtPitchRoll);
  Ctx.StoreFloat(3, data.Roll, data.RollTick, qtPitchRoll);
}

}  // namespace nmea
