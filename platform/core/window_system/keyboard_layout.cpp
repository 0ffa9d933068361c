#include "platform/core/window_system/keyboard_layout.h"

#include <charconv>
#include <string_view>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window.h"

namespace platform {
namespace {

constexpr BYTE kDefaultCharset = 1;

struct CodePageCharset {
  std::uint32_t CodePage;
  BYTE Charset;
};

constexpr CodePageCharset kCharsets[] = {
    {1252, 0},   {1250, 238}, {1251, 204}, {1253, 161}, {1254, 162}, {1255, 177}, {1256, 178},
    {1257, 186}, {1258, 163}, {874, 222},  {932, 128},  {936, 134},  {949, 129},  {950, 136},
};

}  // namespace

BYTE KeyboardLayoutCharset(HKL Layout) {
  char text[8] = {};
  if (GetLocaleInfoA(static_cast<LCID>(Layout & 0xFFFF), LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text) <= 0) {
    return kDefaultCharset;
  }
  const std::string_view digits(text);
  std::uint32_t codePage = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), codePage);
  for (const CodePageCharset& entry : kCharsets) {
    if (entry.CodePage == codePage) return entry.Charset;
  }
  return kDefaultCharset;
}

HKL SwitchKeyboardLayout(HKL Layout) {
  RequireUiThread();
  const HKL previous = SetKeyboardLayoutValue(Layout);
  if (previous == Layout) return previous;
  const WPARAM charset = KeyboardLayoutCharset(Layout);
  for (HWND h : GetThreadWindows()) {
    if (IsWindow(h)) SendMessageW(h, WM_INPUTLANGCHANGE, charset, static_cast<LPARAM>(Layout));
  }
  return previous;
}

}  // namespace platform
