#pragma once
// The NMEA 2000 message decoder: turns one accepted gateway message into
// values of the endpoint's record, statistics and text lines. Called by the
// endpoint on the reader thread with the endpoint's lock held.

#include "nmea/types.h"

namespace nmea {

class TNMEA2KDecoder;

void DecodePGN(TNMEA2KDecoder& Self, const TNmea2KMsg& Msg, tNMEAData& Data);

}  // namespace nmea
