#include "support/char_types.h"

namespace support {
namespace {

constexpr bool IsUnassigned(unsigned B) { return B == 0x81 || B == 0x8D || B == 0x8F || B == 0x90 || B == 0x9D; }

// Letters among 0x80-0x9F (whose Unicode characters lie elsewhere): Š Œ Ž Ÿ
// are upper case, š œ ž ƒ lower case, ˆ a letter without case; the rest
// there are punctuation, or controls where the code page assigns nothing.
constexpr std::uint16_t ClassOfHighByte(unsigned B) {
  switch (B) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9F:
      return kCharUpper | kCharAlpha;
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x83:
      return kCharLower | kCharAlpha;
    case 0x88:
      return kCharAlpha;
    default:
      return IsUnassigned(B) ? kCharControl : kCharPunctuation;
  }
}

// Bytes outside 0x80-0x9F stand for the Unicode character of the same value.
constexpr std::uint16_t ClassOfLatin1(unsigned U) {
  std::uint16_t flags = 0;
  if (U < 0x20 || U == 0x7F) flags |= kCharControl;
  if ((U >= 0x09 && U <= 0x0D) || U == 0x20 || U == 0xA0) flags |= kCharSpace;
  if (U == 0x09 || U == 0x20 || U == 0xA0) flags |= kCharBlank;
  if ((U >= '0' && U <= '9') || U == 0xB2 || U == 0xB3 || U == 0xB9) flags |= kCharDigit;
  if ((U >= '0' && U <= '9') || (U >= 'A' && U <= 'F') || (U >= 'a' && U <= 'f')) flags |= kCharHexDigit;
  const bool accented = U >= 0xC0 && U != 0xD7 && U != 0xF7;
  if ((U >= 'A' && U <= 'Z') || (accented && U <= 0xDE)) flags |= kCharUpper | kCharAlpha;
  if ((U >= 'a' && U <= 'z') || (accented && U > 0xDF) || U == 0xB5) flags |= kCharLower | kCharAlpha;
  if (U == 0xDF || U == 0xAA || U == 0xBA) flags |= kCharAlpha;
  const bool graphic = U > 0x20 && U != 0x7F && U != 0xA0;
  if (graphic && !(flags & (kCharAlpha | kCharDigit))) flags |= kCharPunctuation;
  return flags;
}

constexpr TCharTypeTable BuildCharTypeTable() {
  TCharTypeTable table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = (b >= 0x80 && b < 0xA0) ? ClassOfHighByte(b) : ClassOfLatin1(b);
  return table;
}

}  // namespace

constinit const TCharTypeTable CharTypeTable = BuildCharTypeTable();

bool IsNumberChar(char C) {
  switch (C) {
    case '+':
    case ',':
    case '-':
    case '.':
    case 'E':
    case 'e':
      return true;
    default:
      return IsDigitChar(C);
  }
}

}  // namespace support
