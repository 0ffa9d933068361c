#include "nmea/n2k_decoder.h"

#include "nmea/endpoint.h"

namespace nmea {

// Messages are counted in the statistics; their contents are not decoded yet.
void DecodePGN(TNMEA2KDecoder& Self, const TNmea2KMsg& Msg, tNMEAData&) {
  if (Self.CollectStatistics) Self.AddSourcePGN(Msg.Source, Msg.PGN);
}

}  // namespace nmea
