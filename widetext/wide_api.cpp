#include "widetext/wide_api.h"

#include "platform/core/text/case_mapping.h"
#include "platform/core/window_system/window.h"

namespace widetext {

bool WideApiSetWindowText(platform::HWND hWnd, std::u16string_view Text) {
  return platform::SetWindowTextW(hWnd, Text);
}

bool WideApiExtTextOut(platform::HDC DC, int X, int Y, platform::UINT Options, const platform::RECT* Rect,
                       const char16_t* Str, int Count, const int* Dx) {
  return platform::ExtTextOutW(DC, X, Y, Options, Rect, Str, Count, Dx);
}

int WideApiDrawText(platform::HDC DC, const char16_t* Str, int Count, platform::RECT* Rect, platform::UINT Format) {
  return platform::DrawTextW(DC, Str, Count, Rect, Format);
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
