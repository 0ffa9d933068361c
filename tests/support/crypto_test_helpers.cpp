#include "tests/support/crypto_test_helpers.h"

#include <stdexcept>

namespace support::testing {

std::vector<std::uint8_t> FromHex(std::string_view Hex) {
  const auto nibble = [](char c) -> std::uint8_t {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    throw std::invalid_argument("not a hex digit");
  };
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < Hex.size(); i += 2) out.push_back(static_cast<std::uint8_t>(nibble(Hex[i]) << 4 | nibble(Hex[i + 1])));
  return out;
}

std::string ToHex(const std::uint8_t* Data, std::size_t Size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < Size; ++i) {
    out += kDigits[Data[i] >> 4];
    out += kDigits[Data[i] & 15];
  }
  return out;
}

}  // namespace support::testing
