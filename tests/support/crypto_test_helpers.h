#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace support::testing {

std::vector<std::uint8_t> FromHex(std::string_view Hex);
std::string ToHex(const std::uint8_t* Data, std::size_t Size);

template <typename Container>
std::string ToHex(const Container& Bytes) {
  return ToHex(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
}

}  // namespace support::testing
