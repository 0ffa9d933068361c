#include "support/base64.h"

#include <array>

namespace support {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::int8_t, 256> MakeDecodeTable() {
  std::array<std::int8_t, 256> table{};
  table.fill(-1);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  return table;
}

constexpr auto kDecode = MakeDecodeTable();

}  // namespace

std::string Base64Encode(std::span<const std::uint8_t> Data) {
  std::string out;
  out.reserve((Data.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= Data.size(); i += 3) {
    const std::uint32_t v = std::uint32_t{Data[i]} << 16 | std::uint32_t{Data[i + 1]} << 8 | Data[i + 2];
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  const std::size_t rest = Data.size() - i;
  if (rest > 0) {
    std::uint32_t v = std::uint32_t{Data[i]} << 16;
    if (rest == 2) v |= std::uint32_t{Data[i + 1]} << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string Base64Decode(std::string_view Text) {
  std::string out;
  out.reserve(Text.size() / 4 * 3);
  std::uint32_t bits = 0;
  int bitCount = 0;
  for (const char c : Text) {
    if (c == '=') break;
    const int value = kDecode[static_cast<unsigned char>(c)];
    if (value < 0) continue;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      out += static_cast<char>((bits >> bitCount) & 0xFF);
    }
  }
  return out;
}

}  // namespace support
