#include "support/hashing.h"

namespace support {
namespace {

constexpr std::uint32_t Step(std::uint32_t H, unsigned char C) {
  H = (H << 4) + C;
  if (const std::uint32_t g = H & 0xF0000000u; g != 0) H = (H ^ (g >> 24)) & ~g;
  return H;
}

}  // namespace

std::uint32_t StringHash(std::string_view S) {
  std::uint32_t h = 0;
  for (const char c : S) h = Step(h, static_cast<unsigned char>(c));
  return h & 0x7FFFFFFFu;
}

std::int32_t StringHashEx(std::string_view S) {
  std::uint32_t h = 0;
  for (const char c : S) h = Step(h, static_cast<unsigned char>(c));
  // The decimal codes are folded in where the text would be extended by them,
  // without building that longer text.
  for (const char c : S) {
    const unsigned code = static_cast<unsigned char>(c);
    if (code >= 100) h = Step(h, static_cast<unsigned char>('0' + code / 100));
    if (code >= 10) h = Step(h, static_cast<unsigned char>('0' + code / 10 % 10));
    h = Step(h, static_cast<unsigned char>('0' + code % 10));
  }
  return static_cast<std::int32_t>(h & 0x7FFFFFFFu);
}

}  // namespace support
