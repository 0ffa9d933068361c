#include "platform/core/window_system/window.h"

#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

using detail::IsTopLevel;
using detail::Notify;
using detail::S;
using detail::W;
using detail::Window;

HWND SetFocus(HWND hWnd) {
  RequireUiThread();
  const HWND old = S().Focus;
  if (hWnd == old) return old;
  if (hWnd && !W(hWnd)) return nullptr;
  if (old && W(old)) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  S().Focus = hWnd;
  if (hWnd) {
    if (HWND root = GetAncestorRoot(hWnd)) S().Active = root;
    SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return old;
}

HWND GetFocus() {
  RequireUiThread();
  return W(S().Focus) ? S().Focus : nullptr;
}

bool EnableWindow(HWND hWnd, bool Enable) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  const bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (wasDisabled == !Enable) return wasDisabled;
  if (!Enable) {
    w->Style |= WS_DISABLED;
    if (S().Focus == hWnd || IsChild(hWnd, S().Focus)) SetFocus(nullptr);
  } else {
    w->Style &= ~WS_DISABLED;
  }
  Notify(hWnd, &WindowPeer::EnabledChanged);
  SendMessageW(hWnd, WM_ENABLE, Enable ? 1 : 0, 0);
  return wasDisabled;
}

bool IsWindowEnabled(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w && (w->Style & WS_DISABLED) == 0;
}

bool ShowWindow(HWND hWnd, int CmdShow) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  const bool wasVisible = (w->Style & WS_VISIBLE) != 0;
  const bool show = CmdShow != SW_HIDE;
  if (show == wasVisible) return wasVisible;
  SendMessageW(hWnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
  w = W(hWnd);
  if (!w) return wasVisible;
  if (show) {
    w->Style |= WS_VISIBLE;
  } else {
    w->Style &= ~WS_VISIBLE;
    if (S().Focus == hWnd || IsChild(hWnd, S().Focus)) SetFocus(nullptr);
  }
  Notify(hWnd, &WindowPeer::VisibleChanged);
  if (show && IsTopLevel(*w) && CmdShow != SW_SHOWNA && CmdShow != SW_SHOWNOACTIVATE) S().Active = hWnd;
  return wasVisible;
}

bool IsWindowVisible(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  while (w) {
    if (!(w->Style & WS_VISIBLE)) return false;
    if (!(w->Style & WS_CHILD)) return true;
    w = W(w->Parent);
  }
  return false;
}

HWND SetCapture(HWND hWnd) {
  RequireUiThread();
  const HWND old = W(S().Capture) ? S().Capture : nullptr;
  S().Capture = W(hWnd) ? hWnd : nullptr;
  return old;
}

bool ReleaseCapture() {
  RequireUiThread();
  S().Capture = nullptr;
  return true;
}

HWND GetCapture() {
  RequireUiThread();
  return W(S().Capture) ? S().Capture : nullptr;
}

HWND GetActiveWindow() {
  RequireUiThread();
  return W(S().Active) ? S().Active : nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
  RequireUiThread();
  const HWND old = GetActiveWindow();
  if (W(hWnd)) S().Active = GetAncestorRoot(hWnd);
  return old;
}

}  // namespace platform
