#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace support::testing {

std::vector<std::uint8_t> FromHex(std::string_view Hex);

template <typename Bytes>
std::string ToHex(const Bytes& Data) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const auto byte : Data) {
    out += kDigits[(byte >> 4) & 15];
    out += kDigits[byte & 15];
  }
  return out;
}

}  // namespace support::testing
