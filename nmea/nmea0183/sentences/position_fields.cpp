#include "nmea/nmea0183/sentences/position_fields.h"

namespace nmea {

void ReadPosition(const TSentenceContext& Ctx, int First, TPositionStage& Position) {
  if (Ctx.ParseLatitude(First, Position.Latitude)) {
    Position.Tick = Ctx.Tick;
    if (Ctx.Equals(First + 1, "S")) Position.Latitude = -Position.Latitude;
  }
  if (Ctx.ParseLongitude(First + 2, Position.Longitude) && Ctx.Equals(First + 3, "W")) {
    Position.Longitude = -Position.Longitude;
  }
}

}  // namespace nmea
