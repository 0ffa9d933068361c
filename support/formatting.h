#pragma once
// Numbers and bytes as text in fixed layouts. The decimal point is always
// "." whatever the locale.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace support {

// The upper-case hexadecimal digits by value: the one table of every hex
// text of the program.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// Two upper-case hexadecimal digits.
std::string ByteToHex(std::uint8_t B);
// Each byte as ByteToHex, with Sep between two bytes.
std::string BytesToHex(std::span<const std::uint8_t> Bytes, std::string_view Sep);

// The decimal digits of |Value| padded with "0" to Width digits (never cut),
// with "-" in front of a negative Value: (-5, 4) gives "-0005".
std::string IntToStrPadded(std::int64_t Value, std::int32_t Width);

// Value rounded half to even to Decimals places (at most 10), the integer
// part padded to IntWidth digits. With TrimZeros, trailing zeros of the
// fraction go, and the point with them when nothing is left. A value that
// rounds to zero has no minus sign. NaN, infinities and values whose scaled
// form does not fit in 64 bits give the empty text.
std::string FloatToStrTrimmed(double Value, std::uint8_t IntWidth, std::uint8_t Decimals, bool TrimZeros);
std::string FloatToStrFixed(double Value, std::uint8_t IntWidth, std::uint8_t Decimals);

}  // namespace support
