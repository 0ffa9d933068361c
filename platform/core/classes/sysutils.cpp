#include "platform/core/classes/sysutils.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/core/text/cp1252.h"

namespace platform {
namespace {

// Simple case mapping within code page 1252 (its letters all map inside it).
char16_t FoldUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c == 0x161 || c == 0x153 || c == 0x17E) return static_cast<char16_t>(c - 1);
  return c;
}

char16_t FoldLower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
  if (c == 0x178) return 0xFF;
  if (c == 0x160 || c == 0x152 || c == 0x17D) return static_cast<char16_t>(c + 1);
  return c;
}

std::string Map(std::string_view s, char16_t (*f)(char16_t)) {
  std::u16string w = Cp1252ToUtf16(s);
  for (auto& c : w) c = f(c);
  return Utf16ToCp1252(w);
}

int Compare(std::string_view a, std::string_view b, bool fold) {
  const std::u16string x = Cp1252ToUtf16(a), y = Cp1252ToUtf16(b);
  const std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t p = fold ? FoldUpper(x[i]) : x[i];
    const char16_t q = fold ? FoldUpper(y[i]) : y[i];
    if (p != q) return p < q ? -1 : 1;
  }
  if (x.size() == y.size()) return 0;
  return x.size() < y.size() ? -1 : 1;
}

}  // namespace

int AnsiCompareStr(std::string_view a, std::string_view b) { return Compare(a, b, false); }

int AnsiCompareText(std::string_view a, std::string_view b) { return Compare(a, b, true); }

std::string AnsiUpperCase(std::string_view s) { return Map(s, &FoldUpper); }

std::string AnsiLowerCase(std::string_view s) { return Map(s, &FoldLower); }

bool SameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string ClassNameOf(const TObject& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  const auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

}  // namespace platform
