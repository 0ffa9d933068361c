#pragma once
// The NMEA 2000 messages the decoder knows: one handler per PGN, each with the
// shortest payload it decodes.

#include <cstddef>
#include <cstdint>

namespace nmea {

class N2kMessage;

using N2kHandler = void (*)(N2kMessage& M);

struct N2kPgnEntry {
  std::uint32_t PGN;
  std::size_t MinLength;
  N2kHandler Decode;
};

// The entry of PGN, or null for a PGN the decoder does not know.
const N2kPgnEntry* FindN2kPgn(std::uint32_t Pgn);

void DecodeIsoAcknowledgement(N2kMessage& M);        // 59392
void DecodeSystemTime(N2kMessage& M);                // 126992
void DecodeProductInformation(N2kMessage& M);        // 126996
void DecodeConfigurationInformation(N2kMessage& M);  // 126998
void DecodeVesselHeading(N2kMessage& M);             // 127250
void DecodeRateOfTurn(N2kMessage& M);                // 127251
void DecodeAttitude(N2kMessage& M);                  // 127257
void DecodeMagneticVariation(N2kMessage& M);         // 127258
void DecodeSpeed(N2kMessage& M);                     // 128259
void DecodeWaterDepth(N2kMessage& M);                // 128267
void DecodePositionRapid(N2kMessage& M);             // 129025
void DecodeCogSogRapid(N2kMessage& M);               // 129026
void DecodeGnssPosition(N2kMessage& M);              // 129029
void DecodeTimeAndDate(N2kMessage& M);               // 129033
void DecodeDatum(N2kMessage& M);                     // 129044
void DecodeGnssDops(N2kMessage& M);                  // 129539
void DecodeSatellitesInView(N2kMessage& M);          // 129540
void DecodeWindData(N2kMessage& M);                  // 130306
void DecodeEnvironmentalParameters(N2kMessage& M);   // 130311

}  // namespace nmea
