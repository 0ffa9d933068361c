// Navigation to a waypoint: the route to the destination (RMB), a waypoint
// location (WPL) and the closure velocity towards it (WCV).

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "nmea/nmea0183/sentences/position_fields.h"
#include "support/conversions.h"

namespace nmea {
namespace {

void StoreTrimmed(const TSentenceContext& Ctx, int N, std::string& Member) {
  if (Ctx.Fields.Filled(N)) Member = support::TrimText(Ctx.Fields[N]);
}

}  // namespace

void HandleRMB(TSentenceContext& Ctx) {
  // $--RMB,A,x.x,a,c--c,c--c,llll.ll,a,yyyyy.yy,a,x.x,x.x,x.x,A,a*hh
  const TSentenceFields& f = Ctx.Fields;
  trRoute& route = Ctx.Data.Route;
  if (Ctx.Letter(1) == 'V') return;
  const bool crossTrack = Ctx.StoreFloat(2, route.CrossTrackError, route.Tick);
  if (crossTrack && Ctx.Letter(3) == 'R') route.CrossTrackError *= -1.0;
  StoreTrimmed(Ctx, 4, route.OriginId);
  StoreTrimmed(Ctx, 5, route.DestinationId);
  // Here the hemisphere letters count by their first character.
  if (Ctx.ParseLatitude(6, route.DestinationLatitude) && Ctx.Letter(7) == 'S') {
    route.DestinationLatitude = -route.DestinationLatitude;
  }
  if (Ctx.ParseLongitude(8, route.DestinationLongitude) && Ctx.Letter(9) == 'W') {
    route.DestinationLongitude = -route.DestinationLongitude;
  }
  Ctx.StoreFloat(10, route.RangeToDestination, route.Tick);
  if (f.Filled(11)) route.BearingToDestination = Ctx.Float(11);
  if (f.Filled(12)) route.ClosingVelocity = Ctx.Float(12);
  if (f.Filled(13)) route.Arrived = Ctx.Letter(13) == 'A' ? 1 : 0;
  if (f.Has(14)) route.Mode = static_cast<std::uint8_t>(TSentenceContext::FixQualityOfMode(f[14]));
}

void HandleWPL(TSentenceContext& Ctx) {
  // $--WPL,llll.ll,a,yyyyy.yy,a,c--c*hh
  TPositionStage position;
  ReadPosition(Ctx, 1, position);
  if (!Ctx.Fields.Filled(5) || position.Latitude == kNoPosition || position.Longitude == kNoPosition) return;
  trWaypoint& waypoint = Ctx.Data.Waypoint;
  waypoint.Name = support::TrimText(Ctx.Fields[5]);
  waypoint.Tick = Ctx.Tick;
  waypoint.Latitude = position.Latitude;
  waypoint.Longitude = position.Longitude;
}

void HandleWCV(TSentenceContext& Ctx) {
  // $--WCV,x.x,N,c--c,a*hh
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
