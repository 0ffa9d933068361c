#pragma once
// Text to number without errors: text that is not a number gives 0. These
// sit on the decoder's hot path, so they neither allocate nor consult the
// C locale.

#include <cstdint>
#include <string_view>

namespace support {

// S without the characters of codes below 33 (blanks and controls) at
// either end.
std::string_view TrimText(std::string_view S);

// A trimmed, optionally signed decimal integer; anything else, including a
// value outside the signed 64-bit range, gives 0.
std::int64_t SafeStrToInt64(std::string_view S);

// A trimmed decimal number with an optional exponent, "," or "." as the
// decimal point and no thousands separators; anything else, including a value
// outside the range of a double, gives 0.
double SafeStrToFloat(std::string_view S);

// The last 2, 4 or 8 characters of the trimmed text (zeros filled in at the
// front of a shorter one) as hexadecimal. Each byte's two characters are
// trimmed again on their own, so a blank inside pads its byte: HexToWord("1 23")
// is 0x0123. A bad digit zeroes only the byte that holds it: HexToWord("12G4")
// is 0x1200.
std::uint8_t HexToByte(std::string_view S);
std::uint16_t HexToWord(std::string_view S);
std::uint32_t HexToCardinal(std::string_view S);

}  // namespace support
