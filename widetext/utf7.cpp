#include "widetext/utf7.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "widetext/exceptions.h"

namespace widetext {
namespace {

constexpr std::string_view kBase64Chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kDirectChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:?";
constexpr std::string_view kOptionalDirectChars = "!\"#$%&*;<=>@[]^_`{|}";
constexpr std::string_view kSpaces = "\t\r\n ";

struct Tables {
  std::array<bool, 128> MustShiftSafe{};
  std::array<bool, 128> MustShiftOptional{};
  std::array<std::int16_t, 128> InvBase64{};
};

constexpr Tables BuildTables() {
  Tables t;
  for (std::size_t i = 0; i < 128; ++i) {
    t.MustShiftSafe[i] = true;
    t.InvBase64[i] = -1;
  }
  for (const char c : kDirectChars) t.MustShiftSafe[static_cast<unsigned char>(c)] = false;
  for (const char c : kSpaces) t.MustShiftSafe[static_cast<unsigned char>(c)] = false;
  t.MustShiftOptional = t.MustShiftSafe;
  for (const char c : kOptionalDirectChars) t.MustShiftOptional[static_cast<unsigned char>(c)] = false;
  for (std::size_t i = 0; i < kBase64Chars.size(); ++i) {
    t.InvBase64[static_cast<unsigned char>(kBase64Chars[i])] = static_cast<std::int16_t>(i);
  }
  return t;
}

constexpr Tables kTables = BuildTables();

bool IsBase64(std::uint32_t C) { return C < 128 && kTables.InvBase64[C] >= 0; }

}  // namespace

TUTF7Result WideCharToUTF7(const char16_t*& Source, const char16_t* SourceEnd, char*& Target, char* TargetEnd,
                           bool Optional, bool Verbose) {
  const std::array<bool, 128>& mustShift = Optional ? kTables.MustShiftOptional : kTables.MustShiftSafe;
  bool shifted = false;
  std::uint32_t bits = 0;  // filled from the top
  int bitCount = 0;
  const auto put = [&](char C) {
    if (Target >= TargetEnd) return false;
    *Target++ = C;
    return true;
  };
  for (;;) {
    const bool atEnd = Source >= SourceEnd;
    const std::uint32_t c = atEnd ? 0 : *Source;
    const bool needShift = !atEnd && (c > 127 || mustShift[c]);
    if (needShift && !shifted) {
      if (!put('+')) return utf7TargetExhausted;
      if (c == '+') {
        // "+" itself is written "+-" and opens no run.
        if (!put('-')) return utf7TargetExhausted;
      } else {
        shifted = true;
      }
    }
    if (shifted) {
      if (needShift) {
        bits |= c << (16 - bitCount);
        bitCount += 16;
      } else {
        bitCount += (6 - bitCount % 6) % 6;
      }
      while (bitCount >= 6 && Target < TargetEnd) {
        *Target++ = kBase64Chars[bits >> 26];
        bits <<= 6;
        bitCount -= 6;
      }
      if (bitCount >= 6) return utf7TargetExhausted;
      if (!needShift) {
        // Without the "-" the next character would be read as part of the run.
        if (Verbose || (!atEnd && (IsBase64(c) || c == '-'))) {
          if (!put('-')) return utf7TargetExhausted;
        }
        shifted = false;
      }
    }
    if (!needShift && !atEnd) {
      if (!put(static_cast<char>(c))) return utf7TargetExhausted;
    }
    if (atEnd) return utf7Done;
    ++Source;
  }
}

TUTF7Result UTF7ToWideChar(const char*& Source, const char* SourceEnd, char16_t*& Target, char16_t* TargetEnd) {
  TUTF7Result result = utf7Done;
  bool shifted = false;
  bool first = false;
  bool wroteOne = false;
  std::uint32_t bits = 0;  // filled from the top
  int bitCount = 0;
  std::uint32_t c = 0;
  bool atEnd = false;
  const auto next = [&] {
    atEnd = Source >= SourceEnd;
    if (!atEnd) c = static_cast<unsigned char>(*Source++);
  };
  for (;;) {
    next();
    if (shifted) {
      const bool done = atEnd || !IsBase64(c);
      if (done) {
        shifted = false;
        if (!atEnd && (c == '+' || c == '-')) {
          const std::uint32_t terminator = c;
          next();
          if (first && terminator == '-') {
            if (Target >= TargetEnd) return utf7TargetExhausted;
            *Target++ = u'+';
          } else if (!wroteOne) {
            result = utf7SourceIllegal;
          }
        } else if (!wroteOne) {
          result = utf7SourceIllegal;
        }
      } else {
        bits |= static_cast<std::uint32_t>(kTables.InvBase64[c]) << (26 - bitCount);
        bitCount += 6;
        first = false;
      }
      while (bitCount >= 16 && Target < TargetEnd) {
        *Target++ = static_cast<char16_t>(bits >> 16);
        bits <<= 16;
        bitCount -= 16;
        wroteOne = true;
      }
      if (bitCount >= 16) return utf7TargetExhausted;
      if (done) {
        if (bits != 0) result = utf7SourceIllegal;
        // The padding of a run belongs to that run only; left in the buffer
        // it would shift every unit of the next run.
        bits = 0;
        bitCount = 0;
      }
    }
    if (!shifted && !atEnd) {
      if (c == '+') {
        shifted = true;
        first = true;
        wroteOne = false;
      } else {
        if (Target >= TargetEnd) return utf7TargetExhausted;
        *Target++ = static_cast<char16_t>(c);
        if (c > 127) result = utf7SourceIllegal;
      }
    }
    if (atEnd) return result;
  }
}

std::string WideStringToUTF7(std::u16string_view WS) {
  if (WS.empty()) return {};
  std::string out(WS.size() * 7, '\0');
  const char16_t* source = WS.data();
  char* target = out.data();
  if (WideCharToUTF7(source, WS.data() + WS.size(), target, out.data() + out.size(), true, false) != utf7Done) {
    throw EWtxInternalError("Buffer overflow");
  }
  out.resize(static_cast<std::size_t>(target - out.data()));
  return out;
}

std::u16string UTF7ToWideString(std::string_view S) {
  if (S.empty()) return {};
  std::u16string out(S.size(), u'\0');
  const char* source = S.data();
  char16_t* target = out.data();
  switch (UTF7ToWideChar(source, S.data() + S.size(), target, out.data() + out.size())) {
    case utf7Done:
      break;
    case utf7SourceIllegal:
      throw EWtxGeneralError("Invalid UTF7");
    case utf7TargetExhausted:
      throw EWtxInternalError("Buffer overflow");
  }
  out.resize(static_cast<std::size_t>(target - out.data()));
  return out;
}

}  // namespace widetext
