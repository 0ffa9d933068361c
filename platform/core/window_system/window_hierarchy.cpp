#include "platform/core/window_system/window.h"

#include <algorithm>
#include <vector>

#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

using detail::Notify;
using detail::S;
using detail::W;
using detail::Window;

HWND GetParent(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->Parent : nullptr;
}

HWND SetParent(HWND hWnd, HWND NewParent) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || hWnd == NewParent || IsChild(hWnd, NewParent)) return nullptr;
  const HWND old = w->Parent;
  if (w->Style & WS_CHILD) {
    if (Window* p = W(old)) std::erase(p->Children, hWnd);
  } else {
    std::erase(S().TopLevel, hWnd);
  }
  if (Window* p = W(NewParent)) {
    w->Style = (w->Style | WS_CHILD) & ~WS_POPUP;
    w->Parent = NewParent;
    p->Children.insert(p->Children.begin(), hWnd);
  } else {
    w->Style &= ~WS_CHILD;
    w->Parent = nullptr;
    S().TopLevel.push_back(hWnd);
  }
  Notify(hWnd, &WindowPeer::ParentChanged);
  return old;
}

bool IsChild(HWND Parent, HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  while (w && (w->Style & WS_CHILD)) {
    if (w->Parent == Parent) return true;
    w = W(w->Parent);
  }
  return false;
}

std::vector<HWND> GetChildWindows(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->Children : std::vector<HWND>();
}

HWND GetDlgItem(HWND hDlg, int Id) {
  RequireUiThread();
  const Window* w = W(hDlg);
  if (!w) return nullptr;
  for (HWND c : w->Children) {
    if (GetDlgCtrlID(c) == Id) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w && (w->Style & WS_CHILD) ? static_cast<int>(w->ChildId) : 0;
}

HWND GetAncestorRoot(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  while (w && (w->Style & WS_CHILD)) {
    hWnd = w->Parent;
    w = W(hWnd);
  }
  return w ? hWnd : nullptr;
}

std::vector<HWND> GetThreadWindows() {
  RequireUiThread();
  std::vector<HWND> out;
  const DWORD me = GetCurrentThreadId();
  for (HWND h : S().TopLevel) {
    if (const Window* w = W(h); w && w->Thread == me) out.push_back(h);
  }
  return out;
}

}  // namespace platform
