#pragma once
// The wide-text layer's wrappers of the platform's UTF-16 text calls. This
// platform is Unicode throughout (Win32PlatformIsUnicode), so each goes
// straight to the UTF-16 call.

#include <cstdint>
#include <string_view>

#include "platform/core/window_system/wintypes.h"
#include "platform/ui/window_classes/gdi.h"

namespace widetext {

bool WideApiSetWindowText(platform::HWND hWnd, std::u16string_view Text);
bool WideApiExtTextOut(platform::HDC DC, int X, int Y, platform::UINT Options, const platform::RECT* Rect,
                       const char16_t* Str, int Count, const int* Dx);
// Count -1: up to the terminator.
int WideApiDrawText(platform::HDC DC, const char16_t* Str, int Count, platform::RECT* Rect, platform::UINT Format);

// A zero-terminated text, converted in place; returns Str.
char16_t* WideApiCharUpper(char16_t* Str);
char16_t* WideApiCharLower(char16_t* Str);
// A single character.
char16_t WideApiCharUpper(char16_t C);
char16_t WideApiCharLower(char16_t C);
// Length characters in place; returns Length.
std::uint32_t WideApiCharUpperBuff(char16_t* Str, std::uint32_t Length);
std::uint32_t WideApiCharLowerBuff(char16_t* Str, std::uint32_t Length);

}  // namespace widetext
