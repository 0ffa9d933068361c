#pragma once
// The wide-text layer's wrappers of the platform's UTF-16 text calls. On a
// platform with Unicode support (Win32PlatformIsUnicode) each goes straight
// to the UTF-16 call; on one without, it takes the 8-bit call with its
// texts in their 8-bit image (the default code page, 1252 here).

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
// A single character. The 8-bit path converts only a character the code
// page holds, and takes the result back only when it is one character.
char16_t WideApiCharUpper(char16_t C);
char16_t WideApiCharLower(char16_t C);
// Length characters in place (the 8-bit path one at a time); returns
// Length.
std::uint32_t WideApiCharUpperBuff(char16_t* Str, std::uint32_t Length);
std::uint32_t WideApiCharLowerBuff(char16_t* Str, std::uint32_t Length);

}  // namespace widetext
