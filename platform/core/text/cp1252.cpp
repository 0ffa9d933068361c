#include "platform/core/text/cp1252.h"

#include <array>

namespace platform {
namespace {

// 0x80..0x9F; 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char16_t Cp1252ToUnicode(unsigned char C) {
  if (C >= 0x80 && C <= 0x9F) return kHigh[C - 0x80];
  return C;
}

std::u16string Cp1252ToUtf16(std::string_view Text) {
  std::u16string out;
  out.reserve(Text.size());
  for (const char c : Text) out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

bool UnicodeToCp1252(char16_t Unit, char& Out) {
  if (Unit < 0x80 || (Unit >= 0xA0 && Unit <= 0xFF)) {
    Out = static_cast<char>(Unit);
    return true;
  }
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == Unit) {
      Out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

std::string Utf16ToCp1252(std::u16string_view Text, char DefaultChar, bool* UsedDefault) {
  std::string out;
  out.reserve(Text.size());
  bool defaulted = false;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char16_t unit = Text[i];
    char c;
    if (UnicodeToCp1252(unit, c)) {
      out.push_back(c);
      continue;
    }
    // A surrogate pair is one character and gets one default char.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF) ++i;
    out.push_back(DefaultChar);
    defaulted = true;
  }
  if (UsedDefault) *UsedDefault = defaulted;
  return out;
}

}  // namespace platform
