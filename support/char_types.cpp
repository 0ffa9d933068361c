#include "support/char_types.h"

namespace support {
namespace {

constexpr bool IsUnassigned(unsigned b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

// Letters among 0x80-0x9F (whose Unicode characters lie elsewhere): Š Œ Ž Ÿ
// are upper case, š œ ž ƒ lower case, ˆ a letter without case; the rest
// there are punctuation, or controls where the code page assigns nothing.
constexpr std::uint16_t ClassOfHighByte(unsigned b) {
  switch (b) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9F:
      return C1_UPPER | C1_ALPHA;
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x83:
      return C1_LOWER | C1_ALPHA;
    case 0x88:
      return C1_ALPHA;
    default:
      return IsUnassigned(b) ? C1_CNTRL : C1_PUNCT;
  }
}

// Bytes outside 0x80-0x9F stand for the Unicode character of the same value.
constexpr std::uint16_t ClassOfLatin1(unsigned u) {
  std::uint16_t flags = 0;
  if (u < 0x20 || u == 0x7F) flags |= C1_CNTRL;
  if ((u >= 0x09 && u <= 0x0D) || u == 0x20 || u == 0xA0) flags |= C1_SPACE;
  if (u == 0x09 || u == 0x20 || u == 0xA0) flags |= C1_BLANK;
  if ((u >= '0' && u <= '9') || u == 0xB2 || u == 0xB3 || u == 0xB9) flags |= C1_DIGIT;
  if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f')) flags |= C1_XDIGIT;
  const bool accented = u >= 0xC0 && u != 0xD7 && u != 0xF7;
  if ((u >= 'A' && u <= 'Z') || (accented && u <= 0xDE)) flags |= C1_UPPER | C1_ALPHA;
  if ((u >= 'a' && u <= 'z') || (accented && u > 0xDF) || u == 0xB5) flags |= C1_LOWER | C1_ALPHA;
  if (u == 0xDF || u == 0xAA || u == 0xBA) flags |= C1_ALPHA;
  const bool graphic = u > 0x20 && u != 0x7F && u != 0xA0;
  if (graphic && !(flags & (C1_ALPHA | C1_DIGIT))) flags |= C1_PUNCT;
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
