#include "platform/core/window_system/window.h"

#include <string>

namespace platform {

bool SetWindowTextA(HWND hWnd, std::string_view Text) {
  const std::string s(Text);
  return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())) != 0;
}

bool SetWindowTextW(HWND hWnd, std::u16string_view Text) {
  const std::u16string s(Text);
  return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())) != 0;
}

int GetWindowTextLengthA(HWND hWnd) { return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowTextLengthW(HWND hWnd) { return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowTextA(HWND hWnd, char* Buffer, int MaxCount) {
  if (!Buffer || MaxCount <= 0) return 0;
  Buffer[0] = '\0';
  return static_cast<int>(
      SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(MaxCount), reinterpret_cast<LPARAM>(Buffer)));
}

int GetWindowTextW(HWND hWnd, char16_t* Buffer, int MaxCount) {
  if (!Buffer || MaxCount <= 0) return 0;
  Buffer[0] = u'\0';
  return static_cast<int>(
      SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(MaxCount), reinterpret_cast<LPARAM>(Buffer)));
}

std::string WindowTextA(HWND hWnd) {
  const int len = GetWindowTextLengthA(hWnd);
  if (len <= 0) return {};
  std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
  buffer.resize(static_cast<std::size_t>(GetWindowTextA(hWnd, buffer.data(), len + 1)));
  return buffer;
}

std::u16string WindowTextW(HWND hWnd) {
  const int len = GetWindowTextLengthW(hWnd);
  if (len <= 0) return {};
  std::u16string buffer(static_cast<std::size_t>(len) + 1, u'\0');
  buffer.resize(static_cast<std::size_t>(GetWindowTextW(hWnd, buffer.data(), len + 1)));
  return buffer;
}

}  // namespace platform
