#include "platform/core/window_system/mdi.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/core/os/errors.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/apphooks.h"
#include "platform/core/window_system/input.h"
#include "platform/core/window_system/thread_check.h"

namespace platform {
namespace {

constexpr char16_t kClientClass[] = u"MDICLIENT";
// Where cascaded children step to.
constexpr int kCascadeStep = 24;

struct Client {
  UINT FirstChildId = 0;
  HWND Active = nullptr;
};

// By client window; user-interface thread only, as the windows are.
std::map<HWND, Client>& Clients() {
  static auto* clients = new std::map<HWND, Client>;
  return *clients;
}

// The child being dragged by its title, where the drag began (on the
// screen) and where the child stood then.
struct Drag {
  HWND Child = nullptr;
  POINT Start;
  RECT Bounds;
};
Drag& CurrentDrag() {
  static Drag drag;
  return drag;
}

bool IsVisible(HWND hWnd) { return (GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// The client's children, front to back; only the visible ones when asked.
std::vector<HWND> Children(HWND hClient, bool VisibleOnly) {
  std::vector<HWND> out;
  for (HWND h : GetChildWindows(hClient)) {
    if (!VisibleOnly || IsVisible(h)) out.push_back(h);
  }
  return out;
}

HWND ActiveChild(HWND hClient) {
  auto it = Clients().find(hClient);
  if (it == Clients().end()) return nullptr;
  if (it->second.Active && !IsChild(hClient, it->second.Active)) it->second.Active = nullptr;
  return it->second.Active;
}

void Activate(HWND hClient, HWND Child) {
  if (!IsChild(hClient, Child) || GetParent(Child) != hClient) return;
  const HWND old = ActiveChild(hClient);
  if (old == Child) return;
  Clients()[hClient].Active = Child;
  const auto oldParam = reinterpret_cast<WPARAM>(old);
  const auto newParam = reinterpret_cast<LPARAM>(Child);
  if (old) {
    SendMessageW(old, WM_MDIACTIVATE, oldParam, newParam);
    InvalidateRect(old, nullptr, false);
  }
  if (!IsWindow(Child)) return;
  SetWindowPos(Child, HWND_TOP(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(Child, WM_MDIACTIVATE, oldParam, newParam);
  InvalidateRect(Child, nullptr, false);
  const HWND frame = GetAncestorRoot(hClient);
  if (IsWindow(Child) && frame && GetActiveWindow() == frame) SetFocus(Child);
}

// The next visible child after (or before) From, which goes to the back
// when stepping forward.
void ActivateNext(HWND hClient, HWND From, bool Previous) {
  std::vector<HWND> children = Children(hClient, true);
  if (!From) From = ActiveChild(hClient);
  std::erase(children, From);
  if (children.empty()) return;
  if (Previous) {
    Activate(hClient, children.back());
    return;
  }
  if (From) SetWindowPos(From, HWND_BOTTOM(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Activate(hClient, children.front());
}

HWND CreateChild(HWND hClient, const MDICREATESTRUCTW& Cs) {
  if (!Cs.szClass) return nullptr;
  RECT area;
  GetClientRect(hClient, &area);
  const std::vector<HWND> existing = Children(hClient, false);
  const int slot = static_cast<int>(existing.size() % 8);
  std::int32_t x = Cs.x;
  std::int32_t y = Cs.y;
  if (x == CW_USEDEFAULT || y == CW_USEDEFAULT) {
    x = kMdiChildBorder + slot * kCascadeStep;
    y = kMdiChildCaption + slot * kCascadeStep;
  }
  std::int32_t cx = Cs.cx;
  std::int32_t cy = Cs.cy;
  if (cx == CW_USEDEFAULT || cy == CW_USEDEFAULT) {
    cx = std::max(area.Width() * 3 / 4, 100);
    cy = std::max(area.Height() * 3 / 4, 60);
  }
  const DWORD style = Cs.style | WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
  const UINT id = Clients()[hClient].FirstChildId + static_cast<UINT>(existing.size());
  const std::u16string title = Cs.szTitle ? std::u16string(Cs.szTitle) : std::u16string();
  const HWND child = CreateWindowExW(WS_EX_MDICHILD, Cs.szClass, title, style, x, y, cx, cy, hClient, id, Cs.hOwner,
                                     const_cast<MDICREATESTRUCTW*>(&Cs));
  if (child && IsVisible(child)) Activate(hClient, child);
  return child;
}

void Destroy(HWND hClient, HWND Child) {
  if (GetParent(Child) != hClient) return;
  if (ActiveChild(hClient) == Child) ActivateNext(hClient, Child, false);
  if (ActiveChild(hClient) == Child) Clients()[hClient].Active = nullptr;
  DestroyWindow(Child);
}

// Each visible child a little below and right of the one behind it.
LRESULT Cascade(HWND hClient) {
  const std::vector<HWND> children = Children(hClient, true);
  RECT area;
  GetClientRect(hClient, &area);
  const int width = std::max(area.Width() * 3 / 4, 100);
  const int height = std::max(area.Height() * 3 / 4, 60);
  int slot = 0;
  for (auto it = children.rbegin(); it != children.rend(); ++it, ++slot) {
    const int step = (slot % 8) * kCascadeStep;
    SetWindowPos(*it, nullptr, kMdiChildBorder + step, kMdiChildCaption + step, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return static_cast<LRESULT>(children.size());
}

// The visible children side by side (vertical) or one above the other,
// their frames inside the client.
LRESULT Tile(HWND hClient, bool Horizontal) {
  const std::vector<HWND> children = Children(hClient, true);
  if (children.empty()) return 0;
  RECT area;
  GetClientRect(hClient, &area);
  const int n = static_cast<int>(children.size());
  for (int i = 0; i < n; ++i) {
    RECT cell = Horizontal ? RECT{0, area.Height() * i / n, area.Width(), area.Height() * (i + 1) / n}
                           : RECT{area.Width() * i / n, 0, area.Width() * (i + 1) / n, area.Height()};
    cell.left += kMdiChildBorder;
    cell.right -= kMdiChildBorder;
    cell.top += kMdiChildCaption;
    cell.bottom -= kMdiChildBorder;
    SetWindowPos(children[static_cast<std::size_t>(i)], nullptr, cell.left, cell.top, std::max(cell.Width(), 0),
                 std::max(cell.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return n;
}

LRESULT ClientProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      const auto* ccs = cs ? static_cast<const CLIENTCREATESTRUCT*>(cs->lpCreateParams) : nullptr;
      Clients()[hWnd].FirstChildId = ccs ? ccs->idFirstChild : 0;
      return 0;
    }
    case WM_NCDESTROY:
      Clients().erase(hWnd);
      return 0;
    case WM_MDICREATE:
      if (lParam == 0) return 0;
      return reinterpret_cast<LRESULT>(CreateChild(hWnd, *reinterpret_cast<const MDICREATESTRUCTW*>(lParam)));
    case WM_MDIDESTROY:
      Destroy(hWnd, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_MDIACTIVATE:
      Activate(hWnd, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_MDIGETACTIVE:
      if (lParam != 0) *reinterpret_cast<bool*>(lParam) = false;
      return reinterpret_cast<LRESULT>(ActiveChild(hWnd));
    case WM_MDINEXT:
      ActivateNext(hWnd, reinterpret_cast<HWND>(wParam), lParam != 0);
      return 0;
    case WM_MDICASCADE:
      return Cascade(hWnd);
    case WM_MDITILE:
      return Tile(hWnd, (wParam & MDITILE_HORIZONTAL) != 0);
    case WM_SETFOCUS:
      if (HWND active = ActiveChild(hWnd)) SetFocus(active);
      return 0;
    default:
      return DefWindowProcW(hWnd, Msg, wParam, lParam);
  }
}

LRESULT FrameDefault(HWND hWnd, HWND hClient, UINT Msg, WPARAM wParam, LPARAM lParam, bool Unicode) {
  switch (Msg) {
    case WM_SIZE:
      if (IsMdiClient(hClient))
        MoveWindow(hClient, 0, 0, LOWORD(static_cast<std::uintptr_t>(lParam)),
                   HIWORD(static_cast<std::uintptr_t>(lParam)), true);
      return 0;
    case WM_SETFOCUS:
      if (IsMdiClient(hClient)) {
        SetFocus(hClient);
        return 0;
      }
      break;
    default:
      break;
  }
  return Unicode ? DefWindowProcW(hWnd, Msg, wParam, lParam) : DefWindowProcA(hWnd, Msg, wParam, lParam);
}

LRESULT ChildDefault(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool Unicode) {
  const HWND client = GetParent(hWnd);
  Drag& drag = CurrentDrag();
  switch (Msg) {
    case WM_CHILDACTIVATE:
    case WM_SETFOCUS:
      if (IsMdiClient(client)) SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
      break;
    case WM_NCLBUTTONDOWN:
      if (IsMdiClient(client)) SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
      if (wParam == HTCAPTION && IsWindow(hWnd)) {
        drag = Drag{hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, GetWindowBounds(hWnd)};
      }
      return 0;
    case WM_NCMOUSEMOVE:
      if (drag.Child == hWnd) {
        SetWindowPos(hWnd, nullptr, drag.Bounds.left + GET_X_LPARAM(lParam) - drag.Start.x,
                     drag.Bounds.top + GET_Y_LPARAM(lParam) - drag.Start.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_NCLBUTTONUP:
      if (drag.Child == hWnd) drag = Drag{};
      return 0;
    case WM_CLOSE:
      if (IsMdiClient(client)) {
        SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
        return 0;
      }
      break;
    case WM_DESTROY:
      if (drag.Child == hWnd) drag = Drag{};
      break;
    default:
      break;
  }
  return Unicode ? DefWindowProcW(hWnd, Msg, wParam, lParam) : DefWindowProcA(hWnd, Msg, wParam, lParam);
}

}  // namespace

void RegisterMdiClientClass() {
  RequireUiThread();
  WNDCLASS existing;
  if (GetClassInfoW(kClientClass, &existing)) return;
  WNDCLASS wc;
  wc.lpfnWndProc = MakeWndProc<&ClientProc>(true);
  wc.lpszClassName = kClientClass;
  RegisterClassW(wc);
}

bool IsMdiClient(HWND hWnd) { return hWnd && Clients().contains(hWnd) && IsWindow(hWnd); }

HWND CreateMDIWindowW(std::u16string_view ClassName, std::u16string_view WindowName, DWORD Style, std::int32_t X,
                      std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent, void* hInstance,
                      LPARAM lParam) {
  RequireUiThread();
  if (!IsMdiClient(hWndParent)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const std::u16string className(ClassName), title(WindowName);
  MDICREATESTRUCTW cs;
  cs.szClass = className.c_str();
  cs.szTitle = title.c_str();
  cs.hOwner = hInstance;
  cs.x = X;
  cs.y = Y;
  cs.cx = Width;
  cs.cy = Height;
  cs.style = Style;
  cs.lParam = lParam;
  const auto child = reinterpret_cast<HWND>(SendMessageW(hWndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
  if (!child) SetLastError(ERROR_INVALID_PARAMETER);
  return child;
}

HWND CreateMDIWindowA(std::string_view ClassName, std::string_view WindowName, DWORD Style, std::int32_t X,
                      std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent, void* hInstance,
                      LPARAM lParam) {
  return CreateMDIWindowW(Cp1252ToUtf16(ClassName), Cp1252ToUtf16(WindowName), Style, X, Y, Width, Height, hWndParent,
                          hInstance, lParam);
}

bool TranslateMDISysAccel(HWND Client, MSG* Msg) {
  RequireUiThread();
  if (!Msg || !IsMdiClient(Client) || (Msg->message != WM_KEYDOWN && Msg->message != WM_SYSKEYDOWN)) return false;
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  const HWND active = ActiveChild(Client);
  if (!active || (Msg->hwnd != active && !IsChild(active, Msg->hwnd))) return false;
  constexpr WPARAM kF6 = VK_F1 + 5;
  if (Msg->wParam == VK_F4) {
    SendMessageW(active, WM_CLOSE, 0, 0);
    return true;
  }
  if (Msg->wParam == kF6) {
    ActivateNext(Client, active, GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  return false;
}

LRESULT DefFrameProcA(HWND hWnd, HWND hWndMDIClient, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return FrameDefault(hWnd, hWndMDIClient, Msg, wParam, lParam, false);
}

LRESULT DefFrameProcW(HWND hWnd, HWND hWndMDIClient, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return FrameDefault(hWnd, hWndMDIClient, Msg, wParam, lParam, true);
}

LRESULT DefMDIChildProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return ChildDefault(hWnd, Msg, wParam, lParam, false);
}

LRESULT DefMDIChildProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return ChildDefault(hWnd, Msg, wParam, lParam, true);
}

}  // namespace platform
