#include "nmea/nmea0183/checksum.h"

#include <cstring>

namespace nmea {

// Eight bytes at a time: every received sentence is checked.
std::uint8_t SentenceChecksum(std::string_view Body) {
  std::uint64_t wide = 0;
  std::size_t i = 0;
  for (; i + 8 <= Body.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, Body.data() + i, sizeof word);
    wide ^= word;
  }
  wide ^= wide >> 32;
  wide ^= wide >> 16;
  wide ^= wide >> 8;
  auto sum = static_cast<std::uint8_t>(wide & 0xFF);
  for (; i < Body.size(); ++i) sum ^= static_cast<std::uint8_t>(Body[i]);
  return sum;
}

}  // namespace nmea
