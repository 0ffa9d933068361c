#include "nmea/nmea0183/checksum.h"

#include <bit>
#include <cstring>

namespace nmea {
namespace {

// The tail below takes the last bytes from the high end of a word.
static_assert(std::endian::native == std::endian::little);

std::uint64_t LoadWord(const char* P) {
  std::uint64_t word;
  std::memcpy(&word, P, sizeof word);
  return word;
}

}  // namespace

// Eight bytes at a time: every received sentence is checked. The last few
// bytes are the top of the word that ends the body, so they take no loop.
std::uint8_t SentenceChecksum(std::string_view Body) {
  const char* const data = Body.data();
  const std::size_t size = Body.size();
  std::uint64_t wide = 0;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) wide ^= LoadWord(data + i);
  if (i < size && size >= 8) {
    wide ^= LoadWord(data + size - 8) >> (8 * (8 - (size - i)));
    i = size;
  }
  for (; i < size; ++i) wide ^= static_cast<unsigned char>(data[i]);
  wide ^= wide >> 32;
  wide ^= wide >> 16;
  wide ^= wide >> 8;
  return static_cast<std::uint8_t>(wide & 0xFF);
}

}  // namespace nmea
