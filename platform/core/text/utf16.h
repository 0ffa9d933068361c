#pragma once
// Small building blocks shared by every converter between UTF-16 and the
// byte forms of text.

#include <cstdint>
#include <string>

namespace platform {

constexpr bool IsHighSurrogate(std::uint32_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(std::uint32_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }
constexpr bool IsSurrogate(std::uint32_t Unit) { return Unit >= 0xD800 && Unit <= 0xDFFF; }

// The code point of a high and a low surrogate.
constexpr std::uint32_t CombineSurrogates(std::uint32_t High, std::uint32_t Low) {
  return 0x10000 + ((High - 0xD800) << 10) + (Low - 0xDC00);
}

// Appends the UTF-8 bytes of one code point (a lone surrogate gets the
// three-byte form of its value).
inline void AppendUtf8(std::string& Out, std::uint32_t C) {
  if (C < 0x80) {
    Out.push_back(static_cast<char>(C));
  } else if (C < 0x800) {
    Out.push_back(static_cast<char>(0xC0 | (C >> 6)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  } else if (C < 0x10000) {
    Out.push_back(static_cast<char>(0xE0 | (C >> 12)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  } else {
    Out.push_back(static_cast<char>(0xF0 | (C >> 18)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 12) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  }
}

}  // namespace platform
