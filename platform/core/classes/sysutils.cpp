#include "platform/core/classes/sysutils.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/core/text/cp1252.h"

namespace platform {
namespace {

// Simple case mapping within code page 1252 (its letters all map inside it).
char16_t FoldUpper(char16_t C) {
  if (C >= u'a' && C <= u'z') return static_cast<char16_t>(C - 32);
  if ((C >= 0xE0 && C <= 0xFE && C != 0xF7)) return static_cast<char16_t>(C - 32);
  if (C == 0xFF) return 0x178;
  if (C == 0x161 || C == 0x153 || C == 0x17E) return static_cast<char16_t>(C - 1);
  return C;
}

char16_t FoldLower(char16_t C) {
  if (C >= u'A' && C <= u'Z') return static_cast<char16_t>(C + 32);
  if ((C >= 0xC0 && C <= 0xDE && C != 0xD7)) return static_cast<char16_t>(C + 32);
  if (C == 0x178) return 0xFF;
  if (C == 0x160 || C == 0x152 || C == 0x17D) return static_cast<char16_t>(C + 1);
  return C;
}

std::string Map(std::string_view S, char16_t (*F)(char16_t)) {
  std::u16string w = Cp1252ToUtf16(S);
  for (auto& c : w) c = F(c);
  return Utf16ToCp1252(w);
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

int Compare(std::string_view A, std::string_view B, bool Fold) {
  const std::u16string x = Cp1252ToUtf16(A), y = Cp1252ToUtf16(B);
  const std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t p = Fold ? FoldUpper(x[i]) : x[i];
    const char16_t q = Fold ? FoldUpper(y[i]) : y[i];
    if (p != q) return p < q ? -1 : 1;
  }
  if (x.size() == y.size()) return 0;
  return x.size() < y.size() ? -1 : 1;
}

}  // namespace

int AnsiCompareStr(std::string_view A, std::string_view B) { return Compare(A, B, false); }

int AnsiCompareText(std::string_view A, std::string_view B) { return Compare(A, B, true); }

std::string AnsiUpperCase(std::string_view S) { return Map(S, &FoldUpper); }

std::string AnsiLowerCase(std::string_view S) { return Map(S, &FoldLower); }

bool SameText(std::string_view A, std::string_view B) { return AnsiCompareText(A, B) == 0; }

std::string ClassNameOf(const TObject& Object) {
  const char* mangled = typeid(Object).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  const auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

GUID StringToGUID(std::string_view S) {
  constexpr std::string_view kShape = "{........-....-....-....-............}";
  const auto invalid = [S] { return EConvertError("'" + std::string(S) + "' is not a valid GUID value"); };
  if (S.size() != kShape.size()) throw invalid();
  std::uint8_t bytes[16] = {};
  int nibble = 0;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (kShape[i] != '.') {
      if (S[i] != kShape[i]) throw invalid();
      continue;
    }
    const int digit = HexDigit(S[i]);
    if (digit < 0) throw invalid();
    bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] << 4 | digit);
    ++nibble;
  }
  GUID guid;
  guid.Data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  guid.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
  guid.Data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
  std::copy(bytes + 8, bytes + 16, guid.Data4);
  return guid;
}

}  // namespace platform
