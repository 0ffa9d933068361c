// Navigation to a waypoint: the route to the destination (RMB), a waypoint
// location (WPL) and the closure velocity towards it (WCV).

#include "nmea/endpoint.h"
#include "nmea/sentence_handlers.h"
#include "nmea/sentences/position_fields.h"
#include "support/conversions.h"

namespace nmea {
namespace {

void StoreTrimmed(const TSentenceContext& ctx, int n, std::string& member) {
  if (ctx.Fields.Filled(n)) member = support::TrimText(ctx.Fields[n]);
}

}  // namespace

void HandleRMB(TSentenceContext& Ctx) {
  const TSentenceFields& f = Ctx.Fields;
  trRoute& route = Ctx.Data.Route;
  if (Ctx.Letter(1) == 'V') return;
  const bool crossTrack = Ctx.StoreFloat(2, route.CrossTrackError, route.Tick);
  if (crossTrack && Ctx.Letter(3) == 'R') route.CrossTrackError *= -1.0;
  StoreTrimmed(Ctx, 4, route.OriginId);
  StoreTrimmed(Ctx, 5, route.DestinationId);
  const double latitude = f.Has(6) ? ParseLatitude(f[6]) : kNoPosition;
  if (latitude != kNoPosition) route.DestinationLatitude = Ctx.Letter(7) == 'S' ? -latitude : latitude;
  const double longitude = f.Has(8) ? ParseLongitude(f[8]) : kNoPosition;
  if (longitude != kNoPosition) route.DestinationLongitude = Ctx.Letter(9) == 'W' ? -longitude : longitude;
  Ctx.StoreFloat(10, route.RangeToDestination, route.Tick);
  if (f.Filled(11)) route.BearingToDestination = Ctx.Float(11);
  if (f.Filled(12)) route.ClosingVelocity = Ctx.Float(12);
  if (f.Filled(13)) route.Arrived = Ctx.Letter(13) == 'A' ? 1 : 0;
  if (f.Has(14)) route.Mode = ModeQuality(Ctx, 14);
}

void HandleWPL(TSentenceContext& Ctx) {
  TPositionBlock position;
  position.Read(Ctx, 1);
  if (!Ctx.Fields.Filled(5) || !position.Complete()) return;
  trWaypoint& waypoint = Ctx.Data.Waypoint;
  waypoint.Name = support::TrimText(Ctx.Fields[5]);
  waypoint.Tick = Ctx.Tick;
  waypoint.Latitude = position.Latitude;
  waypoint.Longitude = position.Longitude;
}

void HandleWCV(TSentenceContext& Ctx) {
  trWaypoint& waypoint = Ctx.Data.Waypoint;
  if (Ctx.Fields.Filled(1)) waypoint.ClosureVelocity = Ctx.Float(1);
  if (Ctx.Fields.Filled(3)) {
    waypoint.Name = support::TrimText(Ctx.Fields[3]);
    Ctx.Touch();
  }
  const char mode = Ctx.Letter(4);
  if (mode == 'A' || mode == 'D' || mode == 'S') waypoint.Tick = Ctx.Tick;
}

}  // namespace nmea
