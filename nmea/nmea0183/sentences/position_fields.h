#pragma once
// The four position fields the fix and waypoint sentences share: latitude,
// "N"/"S", longitude, "E"/"W".

#include "nmea/nmea0183/sentence_parser.h"

namespace nmea {

// Reads the four fields from First into Position. A hemisphere field counts
// only as a whole "S" or "W", and only turns a coordinate read from the same
// sentence; the latitude stamps the position.
void ReadPosition(const TSentenceContext& Ctx, int First, TPositionStage& Position);

}  // namespace nmea
