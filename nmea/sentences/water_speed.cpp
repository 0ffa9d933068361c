// Speed through the water and heading (VHW), distance logs (VLW) and speed
// parallel to the wind (VPW). Only knots and nautical miles are read.

#include "nmea/endpoint.h"
#include "nmea/sentence_handlers.h"

namespace nmea {

void HandleVHW(TSentenceContext& Ctx) {
  tNMEAData& data = Ctx.Data;
  if (Ctx.StoreFloat(3, data.HeadingMagnetic, data.HeadingMagneticTick)) {
    Ctx.Touch();
    Ctx.MarkQuantity(qtHeading);
  }
  if (Ctx.StoreFloat(5, data.WaterSpeed, data.WaterSpeedTick)) {
    Ctx.Touch();
    Ctx.MarkQuantity(qtWaterSpeed);
  }
}

void HandleVLW(TSentenceContext& Ctx) {
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(1, data.TotalWaterDistance, data.TotalWaterDistanceTick);
  if (Ctx.StoreFloat(3, data.TripWaterDistance, data.TripWaterDistanceTick)) {
    Ctx.Touch();
    Ctx.MarkQuantity(qtTripDistance);
  }
  Ctx.StoreFloat(5, data.TotalGroundDistance, data.TotalGroundDistanceTick);
  if (Ctx.StoreFloat(7, data.TripGroundDistance, data.TripGroundDistanceTick)) {
    Ctx.Touch();
    Ctx.MarkQuantity(qtTripDistance);
  }
}

void HandleVPW(TSentenceContext& Ctx) {
  Ctx.StoreFloat(1, Ctx.Data.SpeedParallelToWind, Ctx.Data.SpeedParallelToWindTick);
}

}  // namespace nmea
