#include "platform/core/window_system/window.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/input.h"
#include "platform/core/window_system/layered_windows.h"
#include "platform/core/window_system/menus.h"
#include "platform/core/window_system/queue_internal.h"
#include "platform/core/window_system/thread_check.h"

namespace platform {
namespace {

struct WindowClass {
  WNDCLASS Wc;
  ATOM Atom = 0;
  PeerFactory MakePeer;
};

struct Window {
  std::uintptr_t Id = 0;
  DWORD Thread = 0;
  std::u16string ClassName;
  WNDPROC Proc;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;       // the parent of a child, the owner of any other
  std::vector<HWND> Children;  // front to back
  RECT Bounds;
  std::u16string Text;
  std::uintptr_t ChildId = 0;
  LPARAM UserData = 0;
  // The values a class keeps at non-negative indices (a dialog's result).
  std::map<int, LPARAM> Extra;
  void* Instance = nullptr;
  std::map<std::string, HANDLE> NamedProps;
  std::map<ATOM, HANDLE> AtomProps;
  bool Destroying = false;
  std::unique_ptr<WindowPeer> Peer;
};

struct Atom {
  std::string Name;
  int Count = 0;
};

struct State {
  std::mutex M;  // guards windows for lookups from other threads
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> Windows;
  std::vector<HWND> TopLevel;  // oldest first
  std::uintptr_t NextId = 0x10000;
  std::vector<WindowClass> Classes;
  ATOM NextClassAtom = 0xC000;
  std::map<ATOM, Atom> Atoms;
  std::map<std::string, UINT> RegisteredMessages;
  UINT NextMessage = detail::kRunTaskMessage + 1;
  PeerFactory DefaultPeer;
  HWND Focus = nullptr;
  HWND Active = nullptr;
  HWND Capture = nullptr;
};

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

bool SameClassName(std::u16string_view A, std::u16string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i) {
    char16_t x = A[i], y = B[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

WindowClass* FindClass(std::u16string_view Name) {
  for (auto& c : S().Classes) {
    if (SameClassName(c.Wc.lpszClassName, Name)) return &c;
  }
  return nullptr;
}

Window* W(HWND hWnd) {
  if (!hWnd) return nullptr;
  std::lock_guard lock(S().M);
  auto it = S().Windows.find(IdFromHandle(hWnd));
  return it == S().Windows.end() ? nullptr : it->second.get();
}

std::u16string ToWide(const char* S) { return S ? Cp1252ToUtf16(S) : std::u16string(); }
std::string ToAnsi(const char16_t* S) { return S ? Utf16ToCp1252(S) : std::string(); }

template <class Char>
int CopyOut(std::basic_string_view<Char> Text, Char* Buffer, std::size_t Size) {
  if (!Buffer || Size == 0) return 0;
  const std::size_t n = std::min(Text.size(), Size - 1);
  std::copy_n(Text.data(), n, Buffer);
  Buffer[n] = Char{};
  return static_cast<int>(n);
}

bool IsInputStringMessage(UINT Msg) {
  switch (Msg) {
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING:
      return true;
    default:
      return false;
  }
}

// List boxes without strings carry item data where strings would be.
bool CarriesStrings(HWND hWnd, UINT Msg) {
  if (Msg < LB_ADDSTRING || Msg > LB_SETCOUNT) return true;
  const Window* w = W(hWnd);
  return !w || (w->Style & LBS_NODATA) == 0;
}

thread_local int t_procedureDepth = 0;

LRESULT RawCall(const WNDPROC& Proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!Proc.Fn) return 0;
  struct Depth {
    Depth() { ++t_procedureDepth; }
    ~Depth() { --t_procedureDepth; }
  } depth;
  return Proc.Fn(Proc.Self, hWnd, Msg, wParam, lParam);
}

// The value the window system gives a caller of the given kind for a
// procedure: the procedure itself to a caller of its own kind, a converting
// one to a caller of the other.
WNDPROC HandedOut(WNDPROC Proc, bool UnicodeCaller) {
  Proc.Converting = Proc.Fn && Proc.Unicode != UnicodeCaller;
  return Proc;
}

// What a window or class keeps when a caller of the given kind installs
// proc: a converting value stands for its procedure and that procedure's
// kind; any other procedure takes the caller's kind.
WNDPROC Installed(WNDPROC Proc, bool UnicodeCaller) {
  if (!Proc.Converting) Proc.Unicode = UnicodeCaller;
  Proc.Converting = false;
  return Proc;
}

// Calls proc for a caller of the given kind, converting what the message
// carries when the kinds differ.
LRESULT Call(const WNDPROC& Proc, bool UnicodeCaller, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!Proc.Fn) return 0;
  if (Proc.Unicode == UnicodeCaller) return RawCall(Proc, hWnd, Msg, wParam, lParam);
  const bool toWide = Proc.Unicode;
  if (detail::IsCharMessage(Msg)) {
    return RawCall(Proc, hWnd, Msg, toWide ? detail::CharToUnicode(wParam) : detail::CharToAnsi(wParam), lParam);
  }
  if (IsInputStringMessage(Msg) && lParam != 0 && CarriesStrings(hWnd, Msg)) {
    if (toWide) {
      const std::u16string text = ToWide(reinterpret_cast<const char*>(lParam));
      return RawCall(Proc, hWnd, Msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    const std::string text = ToAnsi(reinterpret_cast<const char16_t*>(lParam));
    return RawCall(Proc, hWnd, Msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if ((Msg == WM_NCCREATE || Msg == WM_CREATE) && lParam != 0) {
    CREATESTRUCT cs = *reinterpret_cast<const CREATESTRUCT*>(lParam);
    std::u16string wideName, wideClass;
    std::string ansiName, ansiClass;
    if (toWide) {
      wideName = ToWide(static_cast<const char*>(cs.lpszName));
      wideClass = ToWide(static_cast<const char*>(cs.lpszClass));
      cs.lpszName = wideName.c_str();
      cs.lpszClass = wideClass.c_str();
    } else {
      ansiName = ToAnsi(static_cast<const char16_t*>(cs.lpszName));
      ansiClass = ToAnsi(static_cast<const char16_t*>(cs.lpszClass));
      cs.lpszName = ansiName.c_str();
      cs.lpszClass = ansiClass.c_str();
    }
    return RawCall(Proc, hWnd, Msg, wParam, reinterpret_cast<LPARAM>(&cs));
  }
  if (Msg == WM_GETTEXT || Msg == CB_GETLBTEXT || Msg == LB_GETTEXT || Msg == EM_GETLINE) {
    if (lParam == 0 || !CarriesStrings(hWnd, Msg)) return RawCall(Proc, hWnd, Msg, wParam, lParam);
    // The caller's buffer size in units; one unit per character either way.
    std::size_t size = 0;
    if (Msg == WM_GETTEXT) {
      size = wParam;
    } else if (Msg == EM_GETLINE) {
      size = *reinterpret_cast<const std::uint16_t*>(lParam);
    } else {
      const UINT lenMsg = Msg == CB_GETLBTEXT ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
      const LRESULT len = RawCall(Proc, hWnd, lenMsg, wParam, 0);
      if (len < 0) return len;
      size = static_cast<std::size_t>(len) + 1;
    }
    if (size == 0) return 0;
    if (toWide) {
      std::u16string buffer(size + 1, u'\0');
      if (Msg == EM_GETLINE) buffer[0] = static_cast<char16_t>(size);
      const LRESULT got = RawCall(Proc, hWnd, Msg, wParam, reinterpret_cast<LPARAM>(buffer.data()));
      if (got < 0) return got;
      const std::string text = Utf16ToCp1252(std::u16string_view(buffer.data(), static_cast<std::size_t>(got)));
      auto* out = reinterpret_cast<char*>(lParam);
      if (Msg == EM_GETLINE) {
        const std::size_t n = std::min(text.size(), size);
        std::copy_n(text.data(), n, out);
        return static_cast<LRESULT>(n);
      }
      return CopyOut<char>(text, out, size);
    }
    std::string buffer(size + 1, '\0');
    if (Msg == EM_GETLINE) *reinterpret_cast<std::uint16_t*>(buffer.data()) = static_cast<std::uint16_t>(size);
    const LRESULT got = RawCall(Proc, hWnd, Msg, wParam, reinterpret_cast<LPARAM>(buffer.data()));
    if (got < 0) return got;
    const std::u16string text = Cp1252ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    auto* out = reinterpret_cast<char16_t*>(lParam);
    if (Msg == EM_GETLINE) {
      const std::size_t n = std::min(text.size(), size);
      std::copy_n(text.data(), n, out);
      return static_cast<LRESULT>(n);
    }
    return CopyOut<char16_t>(text, out, size);
  }
  return RawCall(Proc, hWnd, Msg, wParam, lParam);
}

LRESULT Send(HWND h, UINT m, WPARAM w, LPARAM l, bool Unicode) {
  DWORD thread = 0;
  WNDPROC proc;
  {
    std::lock_guard lock(S().M);
    auto it = S().Windows.find(IdFromHandle(h));
    if (it == S().Windows.end()) return 0;
    thread = it->second->Thread;
    proc = it->second->Proc;
  }
  if (thread != GetCurrentThreadId()) {
    LRESULT result = 0;
    detail::RunOnThreadAndWait(thread, [&] { result = Send(h, m, w, l, Unicode); });
    return result;
  }
  return Call(proc, Unicode, h, m, w, l);
}

void Notify(HWND hWnd, void (WindowPeer::*What)()) {
  if (Window* w = W(hWnd); w && w->Peer) (w->Peer.get()->*What)();
}

bool IsTopLevel(const Window& W) { return (W.Style & WS_CHILD) == 0; }

// A top-level window's menu bar stands above its client area.
int ClientTop(HWND hWnd, const Window& W) { return IsTopLevel(W) ? detail::MenuBarBand(hWnd) : 0; }

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

namespace {

ATOM RegisterClass(WNDCLASS Wc, bool Unicode) {
  if (Wc.lpszClassName.empty() || FindClass(Wc.lpszClassName)) return 0;
  Wc.lpfnWndProc = Installed(Wc.lpfnWndProc, Unicode);
  WindowClass cls;
  cls.Wc = std::move(Wc);
  cls.Atom = S().NextClassAtom++;
  S().Classes.push_back(std::move(cls));
  return S().Classes.back().Atom;
}

bool GetClassInfo(std::u16string_view ClassName, WNDCLASS* Wc, bool Unicode) {
  const WindowClass* cls = FindClass(ClassName);
  if (!cls) return false;
  if (Wc) {
    *Wc = cls->Wc;
    Wc->lpfnWndProc = HandedOut(cls->Wc.lpfnWndProc, Unicode);
  }
  return true;
}

WNDPROC SetWindowProc(HWND hWnd, WNDPROC Proc, bool Unicode) {
  Window* w = W(hWnd);
  if (!w || !Proc) return {};
  return HandedOut(std::exchange(w->Proc, Installed(Proc, Unicode)), Unicode);
}

}  // namespace

ATOM RegisterClassA(WNDCLASS Wc) {
  RequireUiThread();
  return RegisterClass(std::move(Wc), false);
}

ATOM RegisterClassW(WNDCLASS Wc) {
  RequireUiThread();
  return RegisterClass(std::move(Wc), true);
}

bool UnregisterClassA(std::string_view ClassName) { return UnregisterClassW(Cp1252ToUtf16(ClassName)); }

bool UnregisterClassW(std::u16string_view ClassName) {
  RequireUiThread();
  auto& classes = S().Classes;
  auto it = std::find_if(classes.begin(), classes.end(),
                         [&](const WindowClass& C) { return SameClassName(C.Wc.lpszClassName, ClassName); });
  if (it == classes.end()) return false;
  {
    std::lock_guard lock(S().M);
    for (const auto& [id, w] : S().Windows) {
      if (SameClassName(w->ClassName, ClassName)) return false;
    }
  }
  classes.erase(it);
  return true;
}

bool GetClassInfoA(std::string_view ClassName, WNDCLASS* Wc) {
  RequireUiThread();
  return GetClassInfo(Cp1252ToUtf16(ClassName), Wc, false);
}

bool GetClassInfoW(std::u16string_view ClassName, WNDCLASS* Wc) {
  RequireUiThread();
  return GetClassInfo(ClassName, Wc, true);
}

std::u16string GetClassNameW(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->ClassName : std::u16string();
}

std::string GetClassNameA(HWND hWnd) { return Utf16ToCp1252(GetClassNameW(hWnd)); }

UINT GetClassStyle(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  const WindowClass* cls = w ? FindClass(w->ClassName) : nullptr;
  return cls ? cls->Wc.style : 0;
}

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

bool IsWindowUnicode(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w && w->Proc.Unicode;
}

WNDPROC GetWindowProcA(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? HandedOut(w->Proc, false) : WNDPROC{};
}

WNDPROC GetWindowProcW(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? HandedOut(w->Proc, true) : WNDPROC{};
}

WNDPROC SetWindowProcA(HWND hWnd, WNDPROC Proc) {
  RequireUiThread();
  return SetWindowProc(hWnd, Proc, false);
}

WNDPROC SetWindowProcW(HWND hWnd, WNDPROC Proc) {
  RequireUiThread();
  return SetWindowProc(hWnd, Proc, true);
}

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

bool InsideWindowProcedure() { return t_procedureDepth > 0; }

LRESULT CallWindowProcA(WNDPROC Proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return Proc.Converting ? Call(Proc, false, hWnd, Msg, wParam, lParam) : RawCall(Proc, hWnd, Msg, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC Proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return Proc.Converting ? Call(Proc, true, hWnd, Msg, wParam, lParam) : RawCall(Proc, hWnd, Msg, wParam, lParam);
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return Send(hWnd, Msg, wParam, lParam, false);
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return Send(hWnd, Msg, wParam, lParam, true);
}

namespace {

LRESULT DefProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool Unicode) {
  Window* w = W(hWnd);
  if (!w) return 0;
  switch (Msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName) {
        w->Text = Unicode ? std::u16string(static_cast<const char16_t*>(cs->lpszName))
                          : Cp1252ToUtf16(static_cast<const char*>(cs->lpszName));
      }
      return 1;
    }
    case WM_SETTEXT:
      w->Text = lParam == 0 ? std::u16string()
                : Unicode   ? std::u16string(reinterpret_cast<const char16_t*>(lParam))
                            : Cp1252ToUtf16(reinterpret_cast<const char*>(lParam));
      Notify(hWnd, &WindowPeer::TextChanged);
      return 1;
    case WM_GETTEXT:
      if (Unicode) return CopyOut<char16_t>(w->Text, reinterpret_cast<char16_t*>(lParam), wParam);
      return CopyOut<char>(Utf16ToCp1252(w->Text), reinterpret_cast<char*>(lParam), wParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->Text.size());
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_NOTIFYFORMAT:
      if (lParam == static_cast<LPARAM>(NF_QUERY)) return IsWindowUnicode(hWnd) ? NFR_UNICODE : NFR_ANSI;
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (w->Peer) w->Peer->FocusChanged(Msg == WM_SETFOCUS);
      return 0;
    case WM_ERASEBKGND:
    case WM_QUERYENDSESSION:
      return 1;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      // What a child leaves goes to its parent.
      if (!(w->Style & WS_CHILD) || !w->Parent) return 0;
      return Unicode ? SendMessageW(w->Parent, Msg, wParam, lParam) : SendMessageA(w->Parent, Msg, wParam, lParam);
    default:
      return 0;
  }
}

}  // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return DefProc(hWnd, Msg, wParam, lParam, false);
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return DefProc(hWnd, Msg, wParam, lParam, true);
}

namespace {

// call: the public call, which a window message must come through on the
// user-interface thread.
LRESULT Dispatch(const MSG* Msg, bool Unicode, const char* Caller = __builtin_FUNCTION()) {
  if (!Msg) return 0;
  if (Msg->message == WM_TIMER && Msg->lParam != 0) {
    auto proc = reinterpret_cast<TIMERPROC>(Msg->lParam);
    proc(Msg->hwnd, WM_TIMER, Msg->wParam, Msg->time);
    return 0;
  }
  if (Msg->hwnd == nullptr) {
    if (Msg->message == detail::kRunTaskMessage) detail::RunPostedTask(Msg->wParam);
    return 0;
  }
  RequireUiThread(Caller);
  const Window* w = W(Msg->hwnd);
  if (!w || w->Thread != GetCurrentThreadId()) return 0;
  const WNDPROC proc = w->Proc;
  return Call(proc, Unicode, Msg->hwnd, Msg->message, Msg->wParam, Msg->lParam);
}

}  // namespace

LRESULT DispatchMessageA(const MSG* Msg) { return Dispatch(Msg, false); }

LRESULT DispatchMessageW(const MSG* Msg) { return Dispatch(Msg, true); }

namespace {

bool IsTabStop(HWND hWnd) {
  const Window* w = W(hWnd);
  return w && (w->Style & WS_TABSTOP) && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED);
}

void CollectTabStops(HWND hWnd, std::vector<HWND>& Out) {
  const Window* w = W(hWnd);
  if (!w) return;
  for (HWND c : w->Children) {
    if (IsTabStop(c)) Out.push_back(c);
    const Window* cw = W(c);
    if (cw && (cw->Style & WS_VISIBLE) && !(cw->Style & WS_DISABLED)) CollectTabStops(c, Out);
  }
}

HWND NextTabStop(HWND hDlg, HWND From, bool Backward) {
  std::vector<HWND> stops;
  CollectTabStops(hDlg, stops);
  if (stops.empty()) return nullptr;
  auto it = std::find_if(stops.begin(), stops.end(), [&](HWND S) { return S == From || IsChild(S, From); });
  if (it == stops.end()) return Backward ? stops.back() : stops.front();
  const auto i = static_cast<std::size_t>(it - stops.begin());
  const std::size_t n = stops.size();
  return stops[Backward ? (i + n - 1) % n : (i + 1) % n];
}

HWND FindDefaultButton(HWND hDlg) {
  const Window* w = W(hDlg);
  if (!w) return nullptr;
  for (HWND c : w->Children) {
    if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
    if (HWND found = FindDefaultButton(c)) return found;
  }
  return nullptr;
}

int Dialog(HWND hDlg, MSG* Msg, bool Unicode) {
  if (!Msg || !W(hDlg) || (Msg->hwnd != hDlg && !IsChild(hDlg, Msg->hwnd))) return 0;
  const bool key = Msg->message == WM_KEYDOWN || Msg->message == WM_CHAR;
  if (key) {
    const UINT code =
        static_cast<UINT>(SendMessageW(Msg->hwnd, WM_GETDLGCODE, Msg->wParam, reinterpret_cast<LPARAM>(Msg)));
    const bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
    if (Msg->message == WM_KEYDOWN && !wantsAll) {
      if (Msg->wParam == VK_TAB && !(code & DLGC_WANTTAB)) {
        const bool backward = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = NextTabStop(hDlg, Msg->hwnd, backward)) SetFocus(next);
        return 1;
      }
      if (Msg->wParam == VK_RETURN) {
        HWND button = FindDefaultButton(hDlg);
        const int id = button ? GetDlgCtrlID(button) : IDOK;
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 1;
      }
      if (Msg->wParam == VK_ESCAPE) {
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 1;
      }
    }
    if (Msg->message == WM_CHAR && !wantsAll && (Msg->wParam == '\t' || Msg->wParam == '\r' || Msg->wParam == 27) &&
        !(code & DLGC_WANTCHARS)) {
      // The key-down already did its work.
      return 1;
    }
  }
  if (!Unicode) {
    DispatchMessageA(Msg);
  } else {
    DispatchMessageW(Msg);
  }
  return 1;
}

}  // namespace

bool IsDialogMessageA(HWND hDlg, MSG* Msg) {
  RequireUiThread();
  return Dialog(hDlg, Msg, false) != 0;
}

bool IsDialogMessageW(HWND hDlg, MSG* Msg) {
  RequireUiThread();
  return Dialog(hDlg, Msg, true) != 0;
}

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

bool SetPropA(HWND hWnd, std::string_view Name, HANDLE Data) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || Name.empty()) return false;
  w->NamedProps[Lower(Name)] = Data;
  return true;
}

HANDLE GetPropA(HWND hWnd, std::string_view Name) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->NamedProps.find(Lower(Name));
  return it == w->NamedProps.end() ? 0 : it->second;
}

HANDLE RemovePropA(HWND hWnd, std::string_view Name) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->NamedProps.find(Lower(Name));
  if (it == w->NamedProps.end()) return 0;
  const HANDLE data = it->second;
  w->NamedProps.erase(it);
  return data;
}

bool SetPropAtom(HWND hWnd, ATOM Atom, HANDLE Data) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || Atom == 0) return false;
  w->AtomProps[Atom] = Data;
  return true;
}

HANDLE GetPropAtom(HWND hWnd, ATOM Atom) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->AtomProps.find(Atom);
  return it == w->AtomProps.end() ? 0 : it->second;
}

HANDLE RemovePropAtom(HWND hWnd, ATOM Atom) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->AtomProps.find(Atom);
  if (it == w->AtomProps.end()) return 0;
  const HANDLE data = it->second;
  w->AtomProps.erase(it);
  return data;
}

ATOM GlobalAddAtomA(std::string_view Name) {
  if (Name.empty() || Name.size() > 255) return 0;
  std::lock_guard lock(S().M);
  const std::string key = Lower(Name);
  for (auto& [atom, a] : S().Atoms) {
    if (Lower(a.Name) == key) {
      ++a.Count;
      return atom;
    }
  }
  for (ATOM atom = 0xC000; atom != 0; ++atom) {
    if (!S().Atoms.contains(atom)) {
      S().Atoms[atom] = Atom{std::string(Name), 1};
      return atom;
    }
  }
  return 0;
}

ATOM GlobalFindAtomA(std::string_view Name) {
  std::lock_guard lock(S().M);
  const std::string key = Lower(Name);
  for (const auto& [atom, a] : S().Atoms) {
    if (Lower(a.Name) == key) return atom;
  }
  return 0;
}

ATOM GlobalDeleteAtom(ATOM Atom) {
  std::lock_guard lock(S().M);
  auto it = S().Atoms.find(Atom);
  if (it == S().Atoms.end()) return Atom;
  if (--it->second.Count <= 0) S().Atoms.erase(it);
  return 0;
}

std::string GlobalGetAtomNameA(ATOM Atom) {
  std::lock_guard lock(S().M);
  auto it = S().Atoms.find(Atom);
  return it == S().Atoms.end() ? std::string() : it->second.Name;
}

UINT RegisterWindowMessageA(std::string_view Name) {
  if (Name.empty()) return 0;
  std::lock_guard lock(S().M);
  auto [it, added] = S().RegisteredMessages.emplace(Lower(Name), S().NextMessage);
  if (added) {
    if (S().NextMessage > 0xFFFF) {
      S().RegisteredMessages.erase(it);
      return 0;
    }
    ++S().NextMessage;
  }
  return it->second;
}

UINT RegisterWindowMessageW(std::u16string_view Name) { return RegisterWindowMessageA(Utf16ToCp1252(Name)); }

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
      auto pos = p->Children.begin();
      if (InsertAfter == HWND_BOTTOM()) {
        pos = p->Children.end();
      } else if (InsertAfter != HWND_TOP()) {
        pos = std::find(p->Children.begin(), p->Children.end(), InsertAfter);
        if (pos != p->Children.end()) ++pos;
      }
      p->Children.insert(pos, hWnd);
    }
    Notify(hWnd, &WindowPeer::ZOrderChanged);
  }
  if (moved || sized) Notify(hWnd, &WindowPeer::BoundsChanged);
  if (moved) SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(b.left), static_cast<WORD>(b.top)));
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
