#include "platform/core/os/registry_text.h"

#include <cstdint>

#include "platform/core/text/cp1252.h"
#include "platform/core/text/utf16.h"

namespace platform {
namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence that starts Text, and its
// code point; 0 when none starts there: a continuation byte, a lead byte
// without all its continuation bytes, an overlong form, a surrogate, a value
// beyond U+10FFFF.
std::size_t Utf8Sequence(std::string_view Text, std::uint32_t& Code) {
  const auto lead = static_cast<unsigned char>(Text[0]);
  if (lead < 0x80) {
    Code = lead;
    return 1;
  }
  std::size_t length = 0;
  std::uint32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    least = 0x80;
    Code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    least = 0x800;
    Code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    least = 0x10000;
    Code = lead & 0x07u;
  } else {
    return 0;
  }
  if (Text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto c = static_cast<unsigned char>(Text[i]);
    if ((c & 0xC0) != 0x80) return 0;
    Code = (Code << 6) | (c & 0x3Fu);
  }
  return Code >= least && Code <= 0x10FFFF && !IsSurrogate(Code) ? length : 0;
}

// The character that starts Text: a UTF-8 sequence, or one byte of code
// page 1252.
std::size_t NextCharacter(std::string_view Text, std::uint32_t& Code) {
  const std::size_t length = Utf8Sequence(Text, Code);
  if (length > 0) return length;
  Code = Cp1252ToUnicode(static_cast<unsigned char>(Text[0]));
  return 1;
}

TRegistryText DecodeUtf16(std::string_view Bytes) {
  TRegistryText result;
  result.Whole = Bytes.size() % 2 == 0;
  const auto unitAt = [Bytes](std::size_t I) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(Bytes[I]) |
                                      (static_cast<unsigned char>(Bytes[I + 1]) << 8));
  };
  for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
    std::uint32_t code = unitAt(i);
    if (IsHighSurrogate(code) && i + 3 < Bytes.size() && IsLowSurrogate(unitAt(i + 2))) {
      code = CombineSurrogates(code, unitAt(i + 2));
      i += 2;
    } else if (IsSurrogate(code)) {
      // Half a character: it cannot be written back as it stood.
      code = kReplacement;
      result.Whole = false;
    }
    AppendUtf8(result.Text, code);
  }
  return result;
}

}  // namespace

TRegistryText DecodeRegistryText(std::string_view Bytes) {
  if (Bytes.starts_with("\xFF\xFE")) return DecodeUtf16(Bytes.substr(2));
  if (Bytes.starts_with("\xEF\xBB\xBF")) Bytes.remove_prefix(3);
  TRegistryText result;
  result.Text.reserve(Bytes.size());
  while (!Bytes.empty()) {
    std::uint32_t code = 0;
    const std::size_t length = NextCharacter(Bytes, code);
    AppendUtf8(result.Text, code);
    Bytes.remove_prefix(length);
  }
  return result;
}

bool IsUtf8(std::string_view Text) {
  while (!Text.empty()) {
    std::uint32_t code = 0;
    const std::size_t length = Utf8Sequence(Text, code);
    if (length == 0) return false;
    Text.remove_prefix(length);
  }
  return true;
}

std::string EncodeRegistryText(std::string_view Text) {
  std::string out = "\xFF\xFE";
  out.reserve(2 + 2 * Text.size());
  const auto put = [&out](std::uint32_t Unit) {
    out.push_back(static_cast<char>(Unit & 0xFF));
    out.push_back(static_cast<char>(Unit >> 8));
  };
  while (!Text.empty()) {
    std::uint32_t code = 0;
    Text.remove_prefix(NextCharacter(Text, code));
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

}  // namespace platform
