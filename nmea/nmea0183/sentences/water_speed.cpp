// Speed through the water and heading (VHW), distance logs (VLW) and speed
// parallel to the wind (VPW). Only knots and nautical miles are read.

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"

namespace nmea {

void HandleVHW(TSentenceContext& Ctx) {
  // $--VHW,x.x,T,x.x,M,x.x,N,x.x,K*hh
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(3, data.HeadingMagnetic, data.HeadingMagneticTick, qtHeading);
  Ctx.StoreFloat(5, data.WaterSpeed, data.WaterSpeedTick, qtWaterSpeed);
}

void HandleVLW(TSentenceContext& Ctx) {
  // $--VLW,x.x,N,x.x,N,x.x,N,x.x,N*hh
  tNMEAData& data = Ctx.Data;
  Ctx.StoreFloat(1, data.TotalWaterDistance, data.TotalWaterDistanceTick);
  Ctx.StoreFloat(3, data.TripWaterDistance, data.TripWaterDistanceTick, qtTripDistance);
  Ctx.StoreFloat(5, data.TotalGroundDistance, data.TotalGroundDistanceTick);
  Ctx.StoreFloat(7, data.TripGroundDistance, data.TripGroundDistanceTick, qtTripDistance);
}

void HandleVPW(TSentenceContext& Ctx) {
  // $--VPW,x.x,N,x.x,M*hh
  Ctx.StoreFloat(1, Ctx.Data.SpeedParallelToWind, Ctx.Data.SpeedParallelToWindTick);
}

}  // namespace nmea
