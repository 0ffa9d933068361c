#include "platform/core/window_system/layered_windows.h"

#include <map>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window.h"

namespace platform {
namespace {

struct Attributes {
  COLORREF Key = 0;
  BYTE Alpha = 255;
  DWORD Flags = 0;
};

// By window; user-interface thread only, as the windows are.
std::map<HWND, Attributes>& Layered() {
  static auto* layered = new std::map<HWND, Attributes>;
  return *layered;
}

bool IsLayered(HWND hWnd) {
  return IsWindow(hWnd) && (static_cast<DWORD>(GetWindowLong(hWnd, GWL_EXSTYLE)) & WS_EX_LAYERED) != 0;
}

}  // namespace

bool SetLayeredWindowAttributes(HWND hWnd, COLORREF Key, BYTE Alpha, DWORD Flags) {
  RequireUiThread();
  if (!IsLayered(hWnd)) return false;
  Layered()[hWnd] = Attributes{Key, Alpha, Flags & (LWA_COLORKEY | LWA_ALPHA)};
  if (WindowPeer* peer = GetWindowPeer(hWnd)) peer->StyleChanged();
  return true;
}

bool GetLayeredWindowAttributes(HWND hWnd, COLORREF* Key, BYTE* Alpha, DWORD* Flags) {
  RequireUiThread();
  if (!IsLayered(hWnd)) return false;
  const auto it = Layered().find(hWnd);
  if (it == Layered().end()) return false;
  if (Key) *Key = it->second.Key;
  if (Alpha) *Alpha = it->second.Alpha;
  if (Flags) *Flags = it->second.Flags;
  return true;
}

namespace detail {

void DropLayeredAttributes(HWND hWnd) { Layered().erase(hWnd); }

}  // namespace detail

}  // namespace platform
