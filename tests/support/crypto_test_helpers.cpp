#include "tests/support/crypto_test_helpers.h"

namespace support::testing {

std::vector<std::uint8_t> FromHex(std::string_view Hex) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < Hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(Hex.substr(i, 2)), nullptr, 16)));
  return out;
}

}  // namespace support::testing
