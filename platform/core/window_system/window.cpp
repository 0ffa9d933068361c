#include "platform/core/window_system/window.h"

#include <algorithm>
#include <utility>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/layered_windows.h"
#include "platform/core/window_system/menus.h"
#include "platform/core/window_system/queue_internal.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {
namespace detail {

// Never destroyed: windows may still be asked about while the program's
// static objects go away.
State& S() {
  static State* state = new State;
  return *state;
}

std::string Lower(std::string_view S) {
  std::string out(S);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

Window* W(HWND hWnd) {
  if (!hWnd) return nullptr;
  std::lock_guard lock(S().M);
  auto it = S().Windows.find(IdFromHandle(hWnd));
  return it == S().Windows.end() ? nullptr : it->second.get();
}

void Notify(HWND hWnd, void (WindowPeer::*What)()) {
  if (Window* w = W(hWnd); w && w->Peer) (w->Peer.get()->*What)();
}

bool IsTopLevel(const Window& W) { return (W.Style & WS_CHILD) == 0; }

int ClientTop(HWND hWnd, const Window& W) { return IsTopLevel(W) ? detail::MenuBarBand(hWnd) : 0; }

}  // namespace detail

using detail::Call;
using detail::ClientTop;
using detail::FindClass;
using detail::IsTopLevel;
using detail::Notify;
using detail::S;
using detail::W;
using detail::Window;
using detail::WindowClass;

namespace {

HWND Create(DWORD ExStyle, std::u16string_view ClassName, DWORD Style, std::int32_t X, std::int32_t Y, std::int32_t Cx,
            std::int32_t Cy, HWND Parent, std::uintptr_t Menu, void* Instance, void* Param, bool Unicode,
            const void* RawName, const void* RawClass) {
  WindowClass* cls = FindClass(ClassName);
  if (!cls) return nullptr;
  if ((Style & WS_CHILD) && !W(Parent)) return nullptr;
  auto window = std::make_unique<Window>();
  Window& w = *window;
  w.Thread = GetCurrentThreadId();
  w.ClassName = cls->Wc.lpszClassName;
  w.Proc = cls->Wc.lpfnWndProc;
  w.Style = Style;
  w.ExStyle = ExStyle;
  w.Parent = Parent;
  w.Instance = Instance;
  if (Style & WS_CHILD) w.ChildId = Menu;
  if (X == CW_USEDEFAULT) X = Y = 0;
  if (Cx == CW_USEDEFAULT) Cx = Cy = 0;
  w.Bounds = RECT{X, Y, X + std::max(Cx, 0), Y + std::max(Cy, 0)};
  PeerFactory factory = cls->MakePeer;
  HWND h;
  {
    std::lock_guard lock(S().M);
    w.Id = S().NextId++;
    h = HandleFromId(w.Id);
    S().Windows.emplace(w.Id, std::move(window));
  }
  if (Style & WS_CHILD) {
    W(Parent)->Children.push_back(h);
  } else {
    S().TopLevel.push_back(h);
  }
  if (factory) {
    auto peer = factory(h);
    if (Window* again = W(h)) again->Peer = std::move(peer);
  }
  CREATESTRUCT cs;
  cs.lpCreateParams = Param;
  cs.hInstance = Instance;
  cs.hMenu = Menu;
  cs.hwndParent = Parent;
  cs.cx = Cx;
  cs.cy = Cy;
  cs.x = X;
  cs.y = Y;
  cs.style = Style;
  cs.lpszName = RawName;
  cs.lpszClass = RawClass;
  cs.dwExStyle = ExStyle;
  const auto creating = [&](UINT Msg) {
    Window* now = W(h);
    return now ? Call(now->Proc, Unicode, h, Msg, 0, reinterpret_cast<LPARAM>(&cs)) : 0;
  };
  if (!creating(WM_NCCREATE) || !W(h)) {
    DestroyWindow(h);
    return nullptr;
  }
  if (Window* now = W(h); now && !now->Peer && S().DefaultPeer) {
    auto peer = S().DefaultPeer(h);
    if (Window* again = W(h)) again->Peer = std::move(peer);
  }
  if (creating(WM_CREATE) == -1 || !W(h)) {
    DestroyWindow(h);
    return nullptr;
  }
  if (Window* now = W(h); now && now->Peer) {
    now->Peer->ParentChanged();
    now->Peer->BoundsChanged();
    if (now->Style & WS_VISIBLE) now->Peer->VisibleChanged();
  }
  return h;
}

void DestroyTree(HWND hWnd, std::vector<HWND>& Order) {
  Window* w = W(hWnd);
  if (!w || w->Destroying) return;
  w->Destroying = true;
  SendMessageW(hWnd, WM_DESTROY, 0, 0);
  w = W(hWnd);
  if (!w) return;
  const std::vector<HWND> children = w->Children;
  for (HWND c : children) DestroyTree(c, Order);
  Order.push_back(hWnd);
}

void DropWindow(HWND hWnd) {
  std::unique_ptr<Window> gone;
  {
    std::lock_guard lock(S().M);
    auto it = S().Windows.find(IdFromHandle(hWnd));
    if (it == S().Windows.end()) return;
    gone = std::move(it->second);
    S().Windows.erase(it);
  }
  if (Window* parent = (gone->Style & WS_CHILD) ? W(gone->Parent) : nullptr) {
    std::erase(parent->Children, hWnd);
  }
  std::erase(S().TopLevel, hWnd);
  if (S().Focus == hWnd) S().Focus = nullptr;
  if (S().Active == hWnd) S().Active = nullptr;
  if (S().Capture == hWnd) S().Capture = nullptr;
  if (gone->Peer) gone->Peer->Destroying();
}

}  // namespace

namespace detail {

DWORD WindowThread(HWND hWnd) {
  std::lock_guard lock(S().M);
  auto it = S().Windows.find(IdFromHandle(hWnd));
  return it == S().Windows.end() ? 0 : it->second->Thread;
}

}  // namespace detail

HWND CreateWindowExA(DWORD ExStyle, std::string_view ClassName, std::string_view WindowName, DWORD Style,
                     std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent,
                     std::uintptr_t hMenu, void* hInstance, void* Param) {
  RequireUiThread();
  const std::string name(WindowName), cls(ClassName);
  return Create(ExStyle, Cp1252ToUtf16(ClassName), Style, X, Y, Width, Height, hWndParent, hMenu, hInstance, Param,
                false, name.c_str(), cls.c_str());
}

HWND CreateWindowExW(DWORD ExStyle, std::u16string_view ClassName, std::u16string_view WindowName, DWORD Style,
                     std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent,
                     std::uintptr_t hMenu, void* hInstance, void* Param) {
  RequireUiThread();
  const std::u16string name(WindowName), cls(ClassName);
  return Create(ExStyle, ClassName, Style, X, Y, Width, Height, hWndParent, hMenu, hInstance, Param, true, name.c_str(),
                cls.c_str());
}

bool DestroyWindow(HWND hWnd) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || w->Destroying || w->Thread != GetCurrentThreadId()) return false;
  if (w->Style & WS_VISIBLE) ShowWindow(hWnd, SW_HIDE);
  // Owned top-level windows go with their owner.
  std::vector<HWND> owned;
  for (HWND t : S().TopLevel) {
    if (const Window* o = W(t); o && o->Parent == hWnd) owned.push_back(t);
  }
  for (HWND o : owned) DestroyWindow(o);
  std::vector<HWND> order;
  DestroyTree(hWnd, order);
  for (HWND h : order) {
    detail::KillWindowTimers(h);
    detail::DropLayeredAttributes(h);
    SendMessageW(h, WM_NCDESTROY, 0, 0);
    DropWindow(h);
  }
  return true;
}

bool IsWindow(HWND hWnd) { return W(hWnd) != nullptr; }

LPARAM GetWindowLong(HWND hWnd, int Index) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  switch (Index) {
    case GWL_HINSTANCE:
      return reinterpret_cast<LPARAM>(w->Instance);
    case GWL_HWNDPARENT:
      return reinterpret_cast<LPARAM>(w->Parent);
    case GWL_ID:
      return static_cast<LPARAM>(w->ChildId);
    case GWL_STYLE:
      return static_cast<LPARAM>(w->Style);
    case GWL_EXSTYLE:
      return static_cast<LPARAM>(w->ExStyle);
    case GWL_USERDATA:
      return w->UserData;
    default: {
      const auto it = w->Extra.find(Index);
      return Index >= 0 && it != w->Extra.end() ? it->second : 0;
    }
  }
}

LPARAM SetWindowLong(HWND hWnd, int Index, LPARAM Value) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  const LPARAM old = GetWindowLong(hWnd, Index);
  switch (Index) {
    case GWL_ID:
      w->ChildId = static_cast<std::uintptr_t>(Value);
      break;
    case GWL_STYLE: {
      const DWORD style = static_cast<DWORD>(Value);
      const bool visibilityChanged = ((style ^ w->Style) & WS_VISIBLE) != 0;
      const bool enableChanged = ((style ^ w->Style) & WS_DISABLED) != 0;
      w->Style = style;
      Notify(hWnd, &WindowPeer::StyleChanged);
      if (visibilityChanged) Notify(hWnd, &WindowPeer::VisibleChanged);
      if (enableChanged) Notify(hWnd, &WindowPeer::EnabledChanged);
      break;
    }
    case GWL_EXSTYLE:
      if ((w->ExStyle & ~static_cast<DWORD>(Value)) & WS_EX_LAYERED) detail::DropLayeredAttributes(hWnd);
      w->ExStyle = static_cast<DWORD>(Value);
      Notify(hWnd, &WindowPeer::StyleChanged);
      break;
    case GWL_USERDATA:
      w->UserData = Value;
      break;
    case GWL_HWNDPARENT:
      if (IsTopLevel(*w)) w->Parent = reinterpret_cast<HWND>(Value);
      break;
    default:
      if (Index < 0) return 0;
      w->Extra[Index] = Value;
      break;
  }
  return old;
}

bool InvalidateRect(HWND hWnd, const RECT* Rect, bool) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  if (w->Peer) w->Peer->Invalidate(Rect);
  return true;
}

bool UpdateWindow(HWND hWnd) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  if (w->Peer) w->Peer->Update();
  return true;
}

void SetDefaultPeerFactory(PeerFactory Factory) {
  RequireUiThread();
  S().DefaultPeer = std::move(Factory);
}

bool SetClassPeerFactory(std::u16string_view ClassName, PeerFactory Factory) {
  RequireUiThread();
  WindowClass* cls = FindClass(ClassName);
  if (!cls) return false;
  cls->MakePeer = std::move(Factory);
  return true;
}

WindowPeer* GetWindowPeer(HWND hWnd) {
  RequireUiThread();
  Window* w = W(hWnd);
  return w ? w->Peer.get() : nullptr;
}

void SetWindowPeer(HWND hWnd, std::unique_ptr<WindowPeer> Peer) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return;
  std::unique_ptr<WindowPeer> old = std::exchange(w->Peer, std::move(Peer));
  if (old) old->Destroying();
}

}  // namespace platform
