#pragma once
// Character classes of the 8-bit (code page 1252) text the program reads:
// NMEA fields, settings and list texts.

#include <array>
#include <cstdint>

namespace support {

// Classification flags of one byte, as the platform's first classification
// set gives them.
inline constexpr std::uint16_t kCharUpper = 0x0001;
inline constexpr std::uint16_t kCharLower = 0x0002;
inline constexpr std::uint16_t kCharDigit = 0x0004;
inline constexpr std::uint16_t kCharSpace = 0x0008;
inline constexpr std::uint16_t kCharPunctuation = 0x0010;
inline constexpr std::uint16_t kCharControl = 0x0020;
inline constexpr std::uint16_t kCharBlank = 0x0040;
inline constexpr std::uint16_t kCharHexDigit = 0x0080;
inline constexpr std::uint16_t kCharAlpha = 0x0100;

using TCharTypeTable = std::array<std::uint16_t, 256>;

// The class of every byte of code page 1252 as the default user locale sees
// it. Besides "0"-"9" the superscripts 0xB2, 0xB3 and 0xB9 count as digits
// there; the text-to-number conversions reject them all the same. Built at
// compile time, so no start-up code of any other file can see it unfilled.
extern const TCharTypeTable CharTypeTable;

inline bool IsDigitChar(char C) { return (CharTypeTable[static_cast<unsigned char>(C)] & kCharDigit) != 0; }

// A digit, or one of "+", ",", "-", ".", "E", "e".
bool IsNumberChar(char C);

// 0-15 for a hexadecimal digit of either case, -1 otherwise.
inline int HexDigitValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

}  // namespace support
