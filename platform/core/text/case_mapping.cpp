#include "platform/core/text/case_mapping.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

#include "platform/core/text/cp1252.h"
#include "platform/core/text/utf16.h"

namespace platform {
namespace {

// The C library's Unicode tables, independent of the process's locale.
locale_t UnicodeLocale() {
  static const locale_t locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return locale;
}

char16_t Mapped(char16_t C, wint_t Mapped) {
  // A mapping out of the basic plane cannot be held in one unit.
  return Mapped <= 0xFFFF ? static_cast<char16_t>(Mapped) : C;
}

}  // namespace

char16_t CharUpperW(char16_t C) {
  if (C < 0x80) return (C >= u'a' && C <= u'z') ? static_cast<char16_t>(C - 32) : C;
  if (IsSurrogate(C)) return C;
  return Mapped(C, towupper_l(C, UnicodeLocale()));
}

char16_t CharLowerW(char16_t C) {
  if (C < 0x80) return (C >= u'A' && C <= u'Z') ? static_cast<char16_t>(C + 32) : C;
  if (IsSurrogate(C)) return C;
  return Mapped(C, towlower_l(C, UnicodeLocale()));
}

bool IsCharAlphaW(char16_t C) { return !IsSurrogate(C) && iswalpha_l(C, UnicodeLocale()) != 0; }

bool IsCharAlphaNumericW(char16_t C) { return !IsSurrogate(C) && iswalnum_l(C, UnicodeLocale()) != 0; }

std::uint32_t CharUpperBuffW(char16_t* Buffer, std::uint32_t Length) {
  for (std::uint32_t i = 0; i < Length; ++i) Buffer[i] = CharUpperW(Buffer[i]);
  return Length;
}

std::uint32_t CharLowerBuffW(char16_t* Buffer, std::uint32_t Length) {
  for (std::uint32_t i = 0; i < Length; ++i) Buffer[i] = CharLowerW(Buffer[i]);
  return Length;
}

namespace {

char InCodePage(char C, char16_t (*Map)(char16_t)) {
  char out = C;
  return UnicodeToCp1252(Map(Cp1252ToUnicode(static_cast<unsigned char>(C))), out) ? out : C;
}

}  // namespace

char CharUpperA(char C) { return InCodePage(C, &CharUpperW); }

char CharLowerA(char C) { return InCodePage(C, &CharLowerW); }

int CompareStringW(std::uint32_t, std::uint32_t Flags, std::u16string_view String1, std::u16string_view String2) {
  const bool ignoreCase = (Flags & NORM_IGNORECASE) != 0;
  const std::size_t common = std::min(String1.size(), String2.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t a = ignoreCase ? CharUpperW(String1[i]) : String1[i];
    const char16_t b = ignoreCase ? CharUpperW(String2[i]) : String2[i];
    if (a != b) return a < b ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  }
  if (String1.size() == String2.size()) return CSTR_EQUAL;
  return String1.size() < String2.size() ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

}  // namespace platform
