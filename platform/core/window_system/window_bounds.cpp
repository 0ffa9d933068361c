#include "platform/core/window_system/window.h"

#include <algorithm>

#include "platform/core/window_system/menus.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

using detail::ClientTop;
using detail::IsTopLevel;
using detail::Notify;
using detail::S;
using detail::W;
using detail::Window;

bool SetWindowPos(HWND hWnd, HWND InsertAfter, std::int32_t X, std::int32_t Y, std::int32_t Cx, std::int32_t Cy,
                  UINT Flags) {
  RequireUiThread();
  if (!W(hWnd)) return false;
  // The window may change what is about to happen to it.
  WINDOWPOS pos{hWnd, InsertAfter, X, Y, Cx, Cy, Flags};
  SendMessageW(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  Window* w = W(hWnd);
  if (!w) return false;
  InsertAfter = pos.hwndInsertAfter;
  Flags = pos.flags;
  RECT b = w->Bounds;
  if (!(Flags & SWP_NOMOVE)) b = RECT{pos.x, pos.y, pos.x + b.Width(), pos.y + b.Height()};
  if (!(Flags & SWP_NOSIZE)) b.right = b.left + std::max(pos.cx, 0), b.bottom = b.top + std::max(pos.cy, 0);
  const bool moved = b.left != w->Bounds.left || b.top != w->Bounds.top;
  const bool sized = b.Width() != w->Bounds.Width() || b.Height() != w->Bounds.Height();
  w->Bounds = b;
  if (!(Flags & SWP_NOZORDER)) {
    if (InsertAfter == HWND_TOPMOST()) {
      w->ExStyle |= WS_EX_TOPMOST;
    } else if (InsertAfter == HWND_NOTOPMOST()) {
      w->ExStyle &= ~WS_EX_TOPMOST;
    } else if (Window* p = (w->Style & WS_CHILD) ? W(w->Parent) : nullptr) {
      std::erase(p->Children, hWnd);
      auto at = p->Children.begin();
      if (InsertAfter == HWND_BOTTOM()) {
        at = p->Children.end();
      } else if (InsertAfter != HWND_TOP()) {
        at = std::find(p->Children.begin(), p->Children.end(), InsertAfter);
        if (at != p->Children.end()) ++at;
      }
      p->Children.insert(at, hWnd);
    }
    Notify(hWnd, &WindowPeer::ZOrderChanged);
  }
  if (moved || sized) Notify(hWnd, &WindowPeer::BoundsChanged);
  if (moved) SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(b.left), static_cast<WORD>(b.top)));
  // The window may have gone while it heard of the move.
  w = W(hWnd);
  if (!w) return true;
  if (sized) {
    const int band = IsTopLevel(*w) ? detail::MenuBarBand(hWnd) : 0;
    SendMessageW(hWnd, WM_SIZE, 0,
                 MAKELPARAM(static_cast<WORD>(b.Width()), static_cast<WORD>(std::max(b.Height() - band, 0))));
  }
  if (Flags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOWNA);
  if (Flags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
  return true;
}

bool MoveWindow(HWND hWnd, std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height, bool Repaint) {
  RequireUiThread();
  return SetWindowPos(hWnd, nullptr, X, Y, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE | (Repaint ? 0 : SWP_NOREDRAW));
}

RECT GetWindowBounds(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->Bounds : RECT{};
}

bool GetWindowRect(HWND hWnd, RECT* Rect) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w || !Rect) return false;
  POINT origin{0, 0};
  ClientToScreen(hWnd, &origin);
  origin.y -= ClientTop(hWnd, *w);
  *Rect = RECT{origin.x, origin.y, origin.x + w->Bounds.Width(), origin.y + w->Bounds.Height()};
  return true;
}

bool GetClientRect(HWND hWnd, RECT* Rect) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w || !Rect) return false;
  *Rect = RECT{0, 0, w->Bounds.Width(), std::max(w->Bounds.Height() - ClientTop(hWnd, *w), 0)};
  return true;
}

bool ClientToScreen(HWND hWnd, POINT* Pt) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w || !Pt) return false;
  HWND h = hWnd;
  while (w) {
    Pt->x += w->Bounds.left;
    Pt->y += w->Bounds.top + ClientTop(h, *w);
    h = (w->Style & WS_CHILD) ? w->Parent : nullptr;
    w = W(h);
  }
  return true;
}

bool ScreenToClient(HWND hWnd, POINT* Pt) {
  RequireUiThread();
  POINT origin{0, 0};
  if (!Pt || !ClientToScreen(hWnd, &origin)) return false;
  Pt->x -= origin.x;
  Pt->y -= origin.y;
  return true;
}

HWND GetTopWindow(HWND hWnd) {
  RequireUiThread();
  if (hWnd) {
    const Window* w = W(hWnd);
    return w && !w->Children.empty() ? w->Children.front() : nullptr;
  }
  // The most recently activated visible top-level window, topmost first.
  HWND found = nullptr;
  for (HWND h : GetThreadWindows()) {
    const Window* w = W(h);
    if (!w || !(w->Style & WS_VISIBLE)) continue;
    if (!found || (w->ExStyle & WS_EX_TOPMOST) || h == S().Active) found = h;
  }
  return found;
}

}  // namespace platform
