#pragma once
// The checksum of an NMEA 0183 sentence: the exclusive or of every character
// between the start character and the asterisk, sent as two upper-case
// hexadecimal digits after the asterisk.

#include <cstdint>
#include <string_view>

namespace nmea {

std::uint8_t SentenceChecksum(std::string_view Body);

}  // namespace nmea
