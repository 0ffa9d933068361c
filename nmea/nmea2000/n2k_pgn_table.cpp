#include <algorithm>
#include <array>

#include "nmea/nmea2000/n2k_pgns.h"

namespace nmea {
namespace {

// Sorted by PGN.
constexpr std::array kPgns = {
    N2kPgnEntry{59392, 8, DecodeIsoAcknowledgement},
    N2kPgnEntry{126992, 8, DecodeSystemTime},
    N2kPgnEntry{126996, 133, DecodeProductInformation},
    N2kPgnEntry{126998, 0, DecodeConfigurationInformation},
    N2kPgnEntry{127250, 8, DecodeVesselHeading},
    N2kPgnEntry{127251, 8, DecodeRateOfTurn},
    N2kPgnEntry{127257, 8, DecodeAttitude},
    N2kPgnEntry{127258, 6, DecodeMagneticVariation},
    N2kPgnEntry{128259, 8, DecodeSpeed},
    N2kPgnEntry{128267, 8, DecodeWaterDepth},
    N2kPgnEntry{129025, 8, DecodePositionRapid},
    N2kPgnEntry{129026, 8, DecodeCogSogRapid},
    N2kPgnEntry{129029, 43, DecodeGnssPosition},
    N2kPgnEntry{129033, 8, DecodeTimeAndDate},
    N2kPgnEntry{129044, 20, DecodeDatum},
    N2kPgnEntry{129539, 8, DecodeGnssDops},
    N2kPgnEntry{129540, 3, DecodeSatellitesInView},
    N2kPgnEntry{130306, 8, DecodeWindData},
    N2kPgnEntry{130311, 8, DecodeEnvironmentalParameters},
};

static_assert(std::is_sorted(kPgns.begin(), kPgns.end(),
                             [](const N2kPgnEntry& A, const N2kPgnEntry& B) { return A.PGN < B.PGN; }));

}  // namespace

const N2kPgnEntry* FindN2kPgn(std::uint32_t Pgn) {
  const auto it = std::lower_bound(kPgns.begin(), kPgns.end(), Pgn,
                                   [](const N2kPgnEntry& E, std::uint32_t P) { return E.PGN < P; });
  return it != kPgns.end() && it->PGN == Pgn ? &*it : nullptr;
}

}  // namespace nmea
