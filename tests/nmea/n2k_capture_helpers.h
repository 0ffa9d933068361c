#pragma once
// NMEA 2000 captures in the plain text form
// "timestamp,priority,pgn,source,destination,length,bytes..." and the gateway
// frames that carry their messages on the wire.

#include <cstdint>
#include <string>
#include <vector>

#include "nmea/types.h"

namespace nmea::testing {

// The messages of a capture file, in order; comment lines are skipped.
std::vector<TNmea2KMsg> ReadN2kCapture(const std::string& path);

// The message as a gateway frame: DLE STX, the body (command 0x93, length,
// priority, PGN, destination, source, timestamp, data count, data,
// checksum) with every DLE doubled, DLE ETX.
std::vector<std::uint8_t> GatewayFrame(const TNmea2KMsg& msg);

// Path of a file of the test data folder.
std::string TestDataPath(const std::string& relative);

}  // namespace nmea::testing
