#include "widetext/wide_api.h"

#include "platform/core/text/case_mapping.h"
#include "platform/core/window_system/window.h"

namespace widetext {

bool WideApiSetWindowText(platform::HWND hWnd, std::u16string_view Text) {
  return platform::SetWindowTextW(hWnd, Text);
}

char16_t* WideApiCharUpper(char16_t* Str) {
  for (char16_t* p = Str; *p; ++p) *p = platform::CharUpperW(*p);
  return Str;
}

char16_t* WideApiCharLower(char16_t* Str) {
  for (char16_t* p = Str; *p; ++p) *p = platform::CharLowerW(*p);
  return Str;
}

char16_t WideApiCharUpper(char16_t C) { return platform::CharUpperW(C); }

char16_t WideApiCharLower(char16_t C) { return platform::CharLowerW(C); }

std::uint32_t WideApiCharUpperBuff(char16_t* Str, std::uint32_t Length) {
  return platform::CharUpperBuffW(Str, Length);
}

std::uint32_t WideApiCharLowerBuff(char16_t* Str, std::uint32_t Length) {
  return platform::CharLowerBuffW(Str, Length);
}

}  // namespace widetext
