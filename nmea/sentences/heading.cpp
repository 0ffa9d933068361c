// Heading (HDG, HDM, HDT), rate of turn (ROT) and attitude (HPR). The
// sensor heading of HDG and the heading of HPR go with the magnetic one;
// only HDT fills the true heading.

#include "nmea/endpoint.h"
#include "nmea/sentence_handlers.h"

namespace nmea {
namespace {

void StoreAngle(const TSentenceContext& ctx, int n, double& value, TTick& tick, TQuantity quantity) {
  if (!ctx.StoreFloat(n, value, tick)) return;
  ctx.Touch();
  ctx.MarkQuantity(quantity);
}

}  // namespace

void HandleHDG(TSentenceContext& Ctx) {
  StoreAngle(Ctx, 1, Ctx.Data.HeadingMagnetic, Ctx.Data.HeadingMagneticTick, qtHeading);
}

void HandleHDM(TSentenceContext& Ctx) {
  StoreAngle(Ctx, 1, Ctx.Data.HeadingMagnetic, Ctx.Data.HeadingMagneticTick, qtHeading);
}

void HandleHDT(TSentenceContext& Ctx) {
  StoreAngle(Ctx, 1, Ctx.Data.HeadingTrue, Ctx.Data.HeadingTrueTick, qtHeading);
}

void HandleROT(TSentenceContext& Ctx) {
  StoreAngle(Ctx, 1, Ctx.Data.RateOfTurn, Ctx.Data.RateOfTurnTick, qtRateOfTurn);
}

void HandleHPR(TSentenceContext& Ctx) {
  tNMEAData& data = Ctx.Data;
  StoreAngle(Ctx, 1, data.HeadingMagnetic, data.HeadingMagneticTick, qtHeading);
  StoreAngle(Ctx, 2, data.Pitch, data.PitchTick, qtPitchRoll);
  StoreAngle(Ctx, 3, data.Roll, data.RollTick, qtPitchRoll);
}

}  // namespace nmea
