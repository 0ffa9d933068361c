// Heading (HDG, HDM, HDT), rate of turn (ROT) and attitude (HPR). The
// sensor heading of HDG and the heading of HPR go with the magnetic one;
// only HDT fills the true heading.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {

void HandleHDG(TSentenceContext& Ctx) {
  Ctx.StoreFloat(1, Ctx.Data.HeadingMagnetic, Ctx.Data.HeadingMagneticTick, qtHeading);
}

void HandleHDM(TSentenceContext& Ctx) {
  Ctx.StoreFloat(1, Ctx.Data.HeadingMagnetic, Ctx.Data.HeadingMagneticTick, qtHeading);
}

void HandleHDT(TSentenceContext& Ctx) { Ctx.StoreFloat(1, Ctx.Data.HeadingTrue, Ctx.Data.HeadingTrueTick, qtHeading); }

void HandleROT(TSentenceContext& Ctx) { Ctx.StoreFloat(1, Ctx.Data.RateOfTurn, Ctx.Data.RateOfTurnTick, qtRateOfTurn); }

void HandleHPR(TSentenceContext& Ctx) {
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(1, data.HeadingMagnetic, data.HeadingMagneticTick, qtHeading);
  Ctx.StoreFloat(2, data.Pitch, data.PitchTick, qtPitchRoll);
  Ctx.StoreFloat(3, data.Roll, data.RollTick, qtPitchRoll);
}

}  // namespace nmea
