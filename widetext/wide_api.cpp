#include "widetext/wide_api.h"

#include <string>

#include "platform/core/text/case_mapping.h"
#include "platform/core/text/codepages.h"
#include "platform/core/window_system/window.h"
#include "widetext/codepage.h"
#include "widetext/platform_flags.h"
#include "widetext/wide_strings.h"

namespace widetext {
namespace {

// The 8-bit image of a text: what the default conversion makes of it.
std::string Ansi(std::u16string_view Text) { return WideStringToStringEx(Text, platform::CP_ACP); }

std::u16string_view View(const char16_t* Str, int Count) {
  if (!Str) return {};
  return Count < 0 ? std::u16string_view(Str) : std::u16string_view(Str, static_cast<std::size_t>(Count));
}

// One character through the 8-bit case call, when the code page holds it.
char16_t ThroughAnsi(char16_t C, char (*Map)(char)) {
  if (!IsWideCharMappableToAnsi(C)) return C;
  const std::string ansi = Ansi(std::u16string_view(&C, 1));
  const std::u16string back = StringToWideStringEx(std::string(1, Map(ansi.front())), platform::CP_ACP);
  return back.size() == 1 ? back.front() : C;
}

char16_t* MapString(char16_t* Str, char16_t (*Map)(char16_t)) {
  for (char16_t* p = Str; *p; ++p) *p = Map(*p);
  return Str;
}

std::uint32_t MapBuffer(char16_t* Str, std::uint32_t Length, char16_t (*Map)(char16_t)) {
  for (std::uint32_t i = 0; i < Length; ++i) Str[i] = Map(Str[i]);
  return Length;
}

}  // namespace

bool WideApiSetWindowText(platform::HWND hWnd, std::u16string_view Text) {
  if (!Win32PlatformIsUnicode) return platform::SetWindowTextA(hWnd, Ansi(Text));
  return platform::SetWindowTextW(hWnd, Text);
}

bool WideApiExtTextOut(platform::HDC DC, int X, int Y, platform::UINT Options, const platform::RECT* Rect,
                       const char16_t* Str, int Count, const int* Dx) {
  if (!Win32PlatformIsUnicode) {
    const std::string text = Ansi(View(Str, Count));
    return platform::ExtTextOutA(DC, X, Y, Options, Rect, text.c_str(), static_cast<int>(text.size()), Dx);
  }
  return platform::ExtTextOutW(DC, X, Y, Options, Rect, Str, Count, Dx);
}

int WideApiDrawText(platform::HDC DC, const char16_t* Str, int Count, platform::RECT* Rect, platform::UINT Format) {
  if (!Win32PlatformIsUnicode) {
    const std::string text = Ansi(View(Str, Count));
    return platform::DrawTextA(DC, text.c_str(), -1, Rect, Format);
  }
  return platform::DrawTextW(DC, Str, Count, Rect, Format);
}

char16_t WideApiCharUpper(char16_t C) {
  if (!Win32PlatformIsUnicode) return ThroughAnsi(C, &platform::CharUpperA);
  return platform::CharUpperW(C);
}

char16_t WideApiCharLower(char16_t C) {
  if (!Win32PlatformIsUnicode) return ThroughAnsi(C, &platform::CharLowerA);
  return platform::CharLowerW(C);
}

char16_t* WideApiCharUpper(char16_t* Str) {
  return MapString(Str, static_cast<char16_t (*)(char16_t)>(&WideApiCharUpper));
}

char16_t* WideApiCharLower(char16_t* Str) {
  return MapString(Str, static_cast<char16_t (*)(char16_t)>(&WideApiCharLower));
}

std::uint32_t WideApiCharUpperBuff(char16_t* Str, std::uint32_t Length) {
  if (!Win32PlatformIsUnicode) {
    return MapBuffer(Str, Length, static_cast<char16_t (*)(char16_t)>(&WideApiCharUpper));
  }
  return platform::CharUpperBuffW(Str, Length);
}

std::uint32_t WideApiCharLowerBuff(char16_t* Str, std::uint32_t Length) {
  if (!Win32PlatformIsUnicode) {
    return MapBuffer(Str, Length, static_cast<char16_t (*)(char16_t)>(&WideApiCharLower));
  }
  return platform::CharLowerBuffW(Str, Length);
}

}  // namespace widetext
