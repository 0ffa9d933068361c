#include "platform/core/window_system/input_target.h"

#include <vector>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"

namespace platform {
namespace {

DWORD StyleOf(HWND hWnd) { return static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE)); }

bool IsDisabled(HWND hWnd) { return (StyleOf(hWnd) & WS_DISABLED) != 0; }

// hWnd and the windows it is in, up to its top-level window.
std::vector<HWND> Chain(HWND hWnd) {
  std::vector<HWND> chain;
  for (HWND h = hWnd; h && IsWindow(h); h = (StyleOf(h) & WS_CHILD) ? GetParent(h) : nullptr) chain.push_back(h);
  return chain;
}

bool Owns(HWND Owner, HWND hWnd) {
  for (HWND o = GetParent(hWnd); o; o = GetParent(o)) {
    if (o == Owner) return true;
  }
  return false;
}

}  // namespace

HWND MouseInputWindow(HWND hWnd) {
  const std::vector<HWND> chain = Chain(hWnd);
  if (chain.empty() || IsDisabled(chain.back())) return nullptr;
  // From the top-level window inwards, the input stops before the first
  // disabled window.
  for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it) {
    if (IsDisabled(*it)) return *(it - 1);
  }
  return hWnd;
}

bool TakesKeyboardInput(HWND hWnd) {
  const std::vector<HWND> chain = Chain(hWnd);
  if (chain.empty()) return false;
  for (HWND h : chain) {
    if (IsDisabled(h)) return false;
  }
  return true;
}

HWND GetEnabledPopup(HWND Owner) {
  const std::vector<HWND> windows = GetThreadWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (*it != Owner && Owns(Owner, *it) && IsWindowVisible(*it) && !IsDisabled(*it)) return *it;
  }
  return nullptr;
}

bool IsOwnedByDisabledWindow(HWND hWnd) {
  if (StyleOf(hWnd) & WS_CHILD) return false;
  for (HWND o = GetParent(hWnd); o; o = GetParent(o)) {
    if (IsDisabled(o)) return true;
  }
  return false;
}

}  // namespace platform
