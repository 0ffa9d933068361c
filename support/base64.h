#pragma once
// Base64 with the standard alphabet and "=" padding (RFC 4648), the text
// form of the cipher's string operations.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace support {

std::string Base64Encode(std::span<const std::uint8_t> Data);
// Characters outside the alphabet (line breaks, blanks) are skipped and the
// first "=" ends the data; bits that do not fill a byte are dropped.
std::string Base64Decode(std::string_view Text);

}  // namespace support
