#include "widetext/utf8.h"

#include <cstdint>

#include "platform/core/text/utf16.h"

namespace widetext {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char Byte) { return (Byte & 0xC0) == 0x80; }

}  // namespace

std::string UTF8Encode(std::u16string_view WS) {
  std::string out;
  out.reserve(WS.size() * 3);
  for (std::size_t i = 0; i < WS.size(); ++i) {
    std::uint32_t c = WS[i];
    if (platform::IsHighSurrogate(c) && i + 1 < WS.size() && platform::IsLowSurrogate(WS[i + 1])) {
      c = platform::CombineSurrogates(c, WS[i + 1]);
      ++i;
    }
    platform::AppendUtf8(out, c);
  }
  return out;
}

std::u16string UTF8Decode(std::string_view S) {
  std::u16string out;
  out.reserve(S.size());
  std::size_t i = 0;
  while (i < S.size()) {
    const auto lead = static_cast<unsigned char>(S[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t c = 0;
    // The allowed range of the second byte excludes overlong forms and
    // values above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      c = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    std::size_t used = 1;
    bool complete = length > 0;
    while (complete && used < length) {
      if (i + used >= S.size()) {
        complete = false;
        break;
      }
      const auto byte = static_cast<unsigned char>(S[i + used]);
      const bool inRange = used == 1 ? (byte >= low && byte <= high) : IsContinuation(byte);
      if (!inRange) {
        complete = false;
        break;
      }
      c = (c << 6) | (byte & 0x3F);
      ++used;
    }
    i += used;
    if (!complete) {
      out.push_back(kReplacement);
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

}  // namespace widetext
