#pragma once
// The clipboard's text, as the window system offers it: UTF-16 text, or
// 8-bit text in code page 1252 (converted from whatever the clipboard
// holds).

#include <string>
#include <string_view>

#include "platform/core/window_system/wintypes.h"

namespace platform {

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

bool IsClipboardFormatAvailable(UINT Format);
// Empty when the clipboard holds no text.
std::u16string GetClipboardTextW();
std::string GetClipboardTextA();
void SetClipboardTextW(std::u16string_view Text);

}  // namespace platform
