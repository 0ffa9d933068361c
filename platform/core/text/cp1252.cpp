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

char16_t Cp1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F) return kHigh[c - 0x80];
  return c;
}

std::u16string Cp1252ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char c : text) out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

bool UnicodeToCp1252(char16_t unit, char& out) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
    out = static_cast<char>(unit);
    return true;
  }
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == unit) {
      out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

std::string Utf16ToCp1252(std::u16string_view text, char defaultChar, bool* usedDefault) {
  std::string out;
  out.reserve(text.size());
  bool defaulted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    char c;
    if (UnicodeToCp1252(unit, c)) {
      out.push_back(c);
      continue;
    }
    // A surrogate pair is one character and gets one default char.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
    out.push_back(defaultChar);
    defaulted = true;
  }
  if (usedDefault) *usedDefault = defaulted;
  return out;
}

}  // namespace platform
