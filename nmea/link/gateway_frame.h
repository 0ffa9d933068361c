#pragma once
// The body of a gateway frame, after DLE unstuffing, as an NMEA 2000
// message: command, length, priority, PGN (3 bytes), destination, source,
// timestamp (4 bytes), data count, data and a checksum that makes the byte
// sum of the body 0 mod 256. Multi-byte fields are little-endian.

#include <cstdint>
#include <string_view>

#include "nmea/types.h"

namespace nmea {

// The command of a frame that carries a received NMEA 2000 message.
inline constexpr std::uint8_t kGatewayMessage = 0x93;

// Fills Msg and returns true when Frame is a whole message frame: the
// message command, a length byte that matches, a matching checksum and a
// data count within the frame. Any other frame leaves Msg as it was.
bool ReadGatewayFrame(std::string_view Frame, TNmea2KMsg& Msg);

}  // namespace nmea
