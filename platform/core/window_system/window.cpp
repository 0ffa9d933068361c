#include "platform/core/window_system/window.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/input.h"
#include "platform/core/window_system/queue_internal.h"
#include "platform/core/window_system/thread_check.h"

namespace platform {
namespace {

struct WindowClass {
  WNDCLASS wc;
  ATOM atom = 0;
  PeerFactory peerFactory;
};

struct Window {
  std::uintptr_t id = 0;
  DWORD thread = 0;
  std::u16string className;
  WNDPROC proc;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;       // the parent of a child, the owner of any other
  std::vector<HWND> children;  // front to back
  RECT bounds;
  std::u16string text;
  std::uintptr_t childId = 0;
  LPARAM userData = 0;
  void* instance = nullptr;
  std::map<std::string, HANDLE> namedProps;
  std::map<ATOM, HANDLE> atomProps;
  bool destroying = false;
  std::unique_ptr<WindowPeer> peer;
};

struct Atom {
  std::string name;
  int count = 0;
};

struct State {
  std::mutex m;  // guards windows for lookups from other threads
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
  std::vector<HWND> topLevel;  // oldest first
  std::uintptr_t nextId = 0x10000;
  std::vector<WindowClass> classes;
  ATOM nextClassAtom = 0xC000;
  std::map<ATOM, Atom> atoms;
  std::map<std::string, UINT> registeredMessages;
  UINT nextMessage = detail::kRunTaskMessage + 1;
  PeerFactory defaultPeer;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
};

// Never destroyed: windows may still be asked about while the program's
// static objects go away.
State& S() {
  static State* state = new State;
  return *state;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool SameClassName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

WindowClass* FindClass(std::u16string_view name) {
  for (auto& c : S().classes) {
    if (SameClassName(c.wc.lpszClassName, name)) return &c;
  }
  return nullptr;
}

Window* W(HWND h) {
  if (!h) return nullptr;
  std::lock_guard lock(S().m);
  auto it = S().windows.find(IdFromHandle(h));
  return it == S().windows.end() ? nullptr : it->second.get();
}

std::u16string ToWide(const char* s) { return s ? Cp1252ToUtf16(s) : std::u16string(); }
std::string ToAnsi(const char16_t* s) { return s ? Utf16ToCp1252(s) : std::string(); }

template <class Char>
int CopyOut(std::basic_string_view<Char> text, Char* buffer, std::size_t size) {
  if (!buffer || size == 0) return 0;
  const std::size_t n = std::min(text.size(), size - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = Char{};
  return static_cast<int>(n);
}

bool IsInputStringMessage(UINT msg) {
  switch (msg) {
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
bool CarriesStrings(HWND hWnd, UINT msg) {
  if (msg < LB_ADDSTRING || msg > LB_SETCOUNT) return true;
  const Window* w = W(hWnd);
  return !w || (w->style & LBS_NODATA) == 0;
}

thread_local int t_procedureDepth = 0;

LRESULT RawCall(const WNDPROC& proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  if (!proc.Fn) return 0;
  struct Depth {
    Depth() { ++t_procedureDepth; }
    ~Depth() { --t_procedureDepth; }
  } depth;
  return proc.Fn(proc.Self, h, m, w, l);
}

// The value the window system gives a caller of the given kind for a
// procedure: the procedure itself to a caller of its own kind, a converting
// one to a caller of the other.
WNDPROC HandedOut(WNDPROC proc, bool unicodeCaller) {
  proc.Converting = proc.Fn && proc.Unicode != unicodeCaller;
  return proc;
}

// What a window or class keeps when a caller of the given kind installs
// proc: a converting value stands for its procedure and that procedure's
// kind; any other procedure takes the caller's kind.
WNDPROC Installed(WNDPROC proc, bool unicodeCaller) {
  if (!proc.Converting) proc.Unicode = unicodeCaller;
  proc.Converting = false;
  return proc;
}

// Calls proc for a caller of the given kind, converting what the message
// carries when the kinds differ.
LRESULT Call(const WNDPROC& proc, bool unicodeCaller, HWND h, UINT m, WPARAM w, LPARAM l) {
  if (!proc.Fn) return 0;
  if (proc.Unicode == unicodeCaller) return RawCall(proc, h, m, w, l);
  const bool toWide = proc.Unicode;
  if (detail::IsCharMessage(m)) {
    return RawCall(proc, h, m, toWide ? detail::CharToUnicode(w) : detail::CharToAnsi(w), l);
  }
  if (IsInputStringMessage(m) && l != 0 && CarriesStrings(h, m)) {
    if (toWide) {
      const std::u16string text = ToWide(reinterpret_cast<const char*>(l));
      return RawCall(proc, h, m, w, reinterpret_cast<LPARAM>(text.c_str()));
    }
    const std::string text = ToAnsi(reinterpret_cast<const char16_t*>(l));
    return RawCall(proc, h, m, w, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if ((m == WM_NCCREATE || m == WM_CREATE) && l != 0) {
    CREATESTRUCT cs = *reinterpret_cast<const CREATESTRUCT*>(l);
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
    return RawCall(proc, h, m, w, reinterpret_cast<LPARAM>(&cs));
  }
  if (m == WM_GETTEXT || m == CB_GETLBTEXT || m == LB_GETTEXT || m == EM_GETLINE) {
    if (l == 0 || !CarriesStrings(h, m)) return RawCall(proc, h, m, w, l);
    // The caller's buffer size in units; one unit per character either way.
    std::size_t size = 0;
    if (m == WM_GETTEXT) {
      size = w;
    } else if (m == EM_GETLINE) {
      size = *reinterpret_cast<const std::uint16_t*>(l);
    } else {
      const UINT lenMsg = m == CB_GETLBTEXT ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
      const LRESULT len = RawCall(proc, h, lenMsg, w, 0);
      if (len < 0) return len;
      size = static_cast<std::size_t>(len) + 1;
    }
    if (size == 0) return 0;
    if (toWide) {
      std::u16string buffer(size + 1, u'\0');
      if (m == EM_GETLINE) buffer[0] = static_cast<char16_t>(size);
      const LRESULT got = RawCall(proc, h, m, w, reinterpret_cast<LPARAM>(buffer.data()));
      if (got < 0) return got;
      const std::string text = Utf16ToCp1252(std::u16string_view(buffer.data(), static_cast<std::size_t>(got)));
      auto* out = reinterpret_cast<char*>(l);
      if (m == EM_GETLINE) {
        const std::size_t n = std::min(text.size(), size);
        std::copy_n(text.data(), n, out);
        return static_cast<LRESULT>(n);
      }
      return CopyOut<char>(text, out, size);
    }
    std::string buffer(size + 1, '\0');
    if (m == EM_GETLINE) *reinterpret_cast<std::uint16_t*>(buffer.data()) = static_cast<std::uint16_t>(size);
    const LRESULT got = RawCall(proc, h, m, w, reinterpret_cast<LPARAM>(buffer.data()));
    if (got < 0) return got;
    const std::u16string text = Cp1252ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    auto* out = reinterpret_cast<char16_t*>(l);
    if (m == EM_GETLINE) {
      const std::size_t n = std::min(text.size(), size);
      std::copy_n(text.data(), n, out);
      return static_cast<LRESULT>(n);
    }
    return CopyOut<char16_t>(text, out, size);
  }
  return RawCall(proc, h, m, w, l);
}

LRESULT Send(HWND h, UINT m, WPARAM w, LPARAM l, bool unicode) {
  DWORD thread = 0;
  WNDPROC proc;
  {
    std::lock_guard lock(S().m);
    auto it = S().windows.find(IdFromHandle(h));
    if (it == S().windows.end()) return 0;
    thread = it->second->thread;
    proc = it->second->proc;
  }
  if (thread != GetCurrentThreadId()) {
    LRESULT result = 0;
    detail::RunOnThreadAndWait(thread, [&] { result = Send(h, m, w, l, unicode); });
    return result;
  }
  return Call(proc, unicode, h, m, w, l);
}

void Notify(HWND h, void (WindowPeer::*what)()) {
  if (Window* w = W(h); w && w->peer) (w->peer.get()->*what)();
}

bool IsTopLevel(const Window& w) { return (w.style & WS_CHILD) == 0; }

HWND Create(DWORD exStyle, std::u16string_view className, DWORD style, std::int32_t x, std::int32_t y, std::int32_t cx,
            std::int32_t cy, HWND parent, std::uintptr_t menu, void* instance, void* param, bool unicode,
            const void* rawName, const void* rawClass) {
  WindowClass* cls = FindClass(className);
  if (!cls) return nullptr;
  if ((style & WS_CHILD) && !W(parent)) return nullptr;
  auto window = std::make_unique<Window>();
  Window& w = *window;
  w.thread = GetCurrentThreadId();
  w.className = cls->wc.lpszClassName;
  w.proc = cls->wc.lpfnWndProc;
  w.style = style;
  w.exStyle = exStyle;
  w.parent = parent;
  w.instance = instance;
  if (style & WS_CHILD) w.childId = menu;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (cx == CW_USEDEFAULT) cx = cy = 0;
  w.bounds = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
  PeerFactory factory = cls->peerFactory;
  HWND h;
  {
    std::lock_guard lock(S().m);
    w.id = S().nextId++;
    h = HandleFromId(w.id);
    S().windows.emplace(w.id, std::move(window));
  }
  if (style & WS_CHILD) {
    W(parent)->children.push_back(h);
  } else {
    S().topLevel.push_back(h);
  }
  if (factory) {
    auto peer = factory(h);
    if (Window* again = W(h)) again->peer = std::move(peer);
  }
  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent;
  cs.cx = cx;
  cs.cy = cy;
  cs.x = x;
  cs.y = y;
  cs.style = style;
  cs.lpszName = rawName;
  cs.lpszClass = rawClass;
  cs.dwExStyle = exStyle;
  const auto creating = [&](UINT msg) {
    Window* now = W(h);
    return now ? Call(now->proc, unicode, h, msg, 0, reinterpret_cast<LPARAM>(&cs)) : 0;
  };
  if (!creating(WM_NCCREATE) || !W(h)) {
    DestroyWindow(h);
    return nullptr;
  }
  if (Window* now = W(h); now && !now->peer && S().defaultPeer) {
    auto peer = S().defaultPeer(h);
    if (Window* again = W(h)) again->peer = std::move(peer);
  }
  if (creating(WM_CREATE) == -1 || !W(h)) {
    DestroyWindow(h);
    return nullptr;
  }
  if (Window* now = W(h); now && now->peer) {
    now->peer->ParentChanged();
    now->peer->BoundsChanged();
    if (now->style & WS_VISIBLE) now->peer->VisibleChanged();
  }
  return h;
}

void DestroyTree(HWND h, std::vector<HWND>& order) {
  Window* w = W(h);
  if (!w || w->destroying) return;
  w->destroying = true;
  SendMessageW(h, WM_DESTROY, 0, 0);
  w = W(h);
  if (!w) return;
  const std::vector<HWND> children = w->children;
  for (HWND c : children) DestroyTree(c, order);
  order.push_back(h);
}

void DropWindow(HWND h) {
  std::unique_ptr<Window> gone;
  {
    std::lock_guard lock(S().m);
    auto it = S().windows.find(IdFromHandle(h));
    if (it == S().windows.end()) return;
    gone = std::move(it->second);
    S().windows.erase(it);
  }
  if (Window* parent = (gone->style & WS_CHILD) ? W(gone->parent) : nullptr) {
    std::erase(parent->children, h);
  }
  std::erase(S().topLevel, h);
  if (S().focus == h) S().focus = nullptr;
  if (S().active == h) S().active = nullptr;
  if (S().capture == h) S().capture = nullptr;
  if (gone->peer) gone->peer->Destroying();
}

}  // namespace

namespace detail {

DWORD WindowThread(HWND hWnd) {
  std::lock_guard lock(S().m);
  auto it = S().windows.find(IdFromHandle(hWnd));
  return it == S().windows.end() ? 0 : it->second->thread;
}

}  // namespace detail

namespace {

ATOM RegisterClass(WNDCLASS wc, bool unicode) {
  if (wc.lpszClassName.empty() || FindClass(wc.lpszClassName)) return 0;
  wc.lpfnWndProc = Installed(wc.lpfnWndProc, unicode);
  WindowClass cls;
  cls.wc = std::move(wc);
  cls.atom = S().nextClassAtom++;
  S().classes.push_back(std::move(cls));
  return S().classes.back().atom;
}

bool GetClassInfo(std::u16string_view className, WNDCLASS* wc, bool unicode) {
  const WindowClass* cls = FindClass(className);
  if (!cls) return false;
  if (wc) {
    *wc = cls->wc;
    wc->lpfnWndProc = HandedOut(cls->wc.lpfnWndProc, unicode);
  }
  return true;
}

WNDPROC SetWindowProc(HWND hWnd, WNDPROC proc, bool unicode) {
  Window* w = W(hWnd);
  if (!w || !proc) return {};
  return HandedOut(std::exchange(w->proc, Installed(proc, unicode)), unicode);
}

}  // namespace

ATOM RegisterClassA(WNDCLASS wc) {
  RequireUiThread();
  return RegisterClass(std::move(wc), false);
}

ATOM RegisterClassW(WNDCLASS wc) {
  RequireUiThread();
  return RegisterClass(std::move(wc), true);
}

bool UnregisterClassA(std::string_view className) { return UnregisterClassW(Cp1252ToUtf16(className)); }

bool UnregisterClassW(std::u16string_view className) {
  RequireUiThread();
  auto& classes = S().classes;
  auto it = std::find_if(classes.begin(), classes.end(),
                         [&](const WindowClass& c) { return SameClassName(c.wc.lpszClassName, className); });
  if (it == classes.end()) return false;
  {
    std::lock_guard lock(S().m);
    for (const auto& [id, w] : S().windows) {
      if (SameClassName(w->className, className)) return false;
    }
  }
  classes.erase(it);
  return true;
}

bool GetClassInfoA(std::string_view className, WNDCLASS* wc) {
  RequireUiThread();
  return GetClassInfo(Cp1252ToUtf16(className), wc, false);
}

bool GetClassInfoW(std::u16string_view className, WNDCLASS* wc) {
  RequireUiThread();
  return GetClassInfo(className, wc, true);
}

std::u16string GetClassNameW(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->className : std::u16string();
}

std::string GetClassNameA(HWND hWnd) { return Utf16ToCp1252(GetClassNameW(hWnd)); }

UINT GetClassStyle(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  const WindowClass* cls = w ? FindClass(w->className) : nullptr;
  return cls ? cls->wc.style : 0;
}

HWND CreateWindowExA(DWORD exStyle, std::string_view className, std::string_view windowName, DWORD style,
                     std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, HWND hWndParent,
                     std::uintptr_t hMenu, void* hInstance, void* param) {
  RequireUiThread();
  const std::string name(windowName), cls(className);
  return Create(exStyle, Cp1252ToUtf16(className), style, x, y, width, height, hWndParent, hMenu, hInstance, param,
                false, name.c_str(), cls.c_str());
}

HWND CreateWindowExW(DWORD exStyle, std::u16string_view className, std::u16string_view windowName, DWORD style,
                     std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, HWND hWndParent,
                     std::uintptr_t hMenu, void* hInstance, void* param) {
  RequireUiThread();
  const std::u16string name(windowName), cls(className);
  return Create(exStyle, className, style, x, y, width, height, hWndParent, hMenu, hInstance, param, true, name.c_str(),
                cls.c_str());
}

bool DestroyWindow(HWND hWnd) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || w->destroying || w->thread != GetCurrentThreadId()) return false;
  if (w->style & WS_VISIBLE) ShowWindow(hWnd, SW_HIDE);
  // Owned top-level windows go with their owner.
  std::vector<HWND> owned;
  for (HWND t : S().topLevel) {
    if (const Window* o = W(t); o && o->parent == hWnd) owned.push_back(t);
  }
  for (HWND o : owned) DestroyWindow(o);
  std::vector<HWND> order;
  DestroyTree(hWnd, order);
  for (HWND h : order) {
    detail::KillWindowTimers(h);
    SendMessageW(h, WM_NCDESTROY, 0, 0);
    DropWindow(h);
  }
  return true;
}

bool IsWindow(HWND hWnd) { return W(hWnd) != nullptr; }

bool IsWindowUnicode(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w && w->proc.Unicode;
}

WNDPROC GetWindowProcA(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? HandedOut(w->proc, false) : WNDPROC{};
}

WNDPROC GetWindowProcW(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? HandedOut(w->proc, true) : WNDPROC{};
}

WNDPROC SetWindowProcA(HWND hWnd, WNDPROC proc) {
  RequireUiThread();
  return SetWindowProc(hWnd, proc, false);
}

WNDPROC SetWindowProcW(HWND hWnd, WNDPROC proc) {
  RequireUiThread();
  return SetWindowProc(hWnd, proc, true);
}

LPARAM GetWindowLong(HWND hWnd, int index) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  switch (index) {
    case GWL_HINSTANCE:
      return reinterpret_cast<LPARAM>(w->instance);
    case GWL_HWNDPARENT:
      return reinterpret_cast<LPARAM>(w->parent);
    case GWL_ID:
      return static_cast<LPARAM>(w->childId);
    case GWL_STYLE:
      return static_cast<LPARAM>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LPARAM>(w->exStyle);
    case GWL_USERDATA:
      return w->userData;
    default:
      return 0;
  }
}

LPARAM SetWindowLong(HWND hWnd, int index, LPARAM value) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  const LPARAM old = GetWindowLong(hWnd, index);
  switch (index) {
    case GWL_ID:
      w->childId = static_cast<std::uintptr_t>(value);
      break;
    case GWL_STYLE: {
      const DWORD style = static_cast<DWORD>(value);
      const bool visibilityChanged = ((style ^ w->style) & WS_VISIBLE) != 0;
      const bool enableChanged = ((style ^ w->style) & WS_DISABLED) != 0;
      w->style = style;
      Notify(hWnd, &WindowPeer::StyleChanged);
      if (visibilityChanged) Notify(hWnd, &WindowPeer::VisibleChanged);
      if (enableChanged) Notify(hWnd, &WindowPeer::EnabledChanged);
      break;
    }
    case GWL_EXSTYLE:
      w->exStyle = static_cast<DWORD>(value);
      Notify(hWnd, &WindowPeer::StyleChanged);
      break;
    case GWL_USERDATA:
      w->userData = value;
      break;
    case GWL_HWNDPARENT:
      if (IsTopLevel(*w)) w->parent = reinterpret_cast<HWND>(value);
      break;
    default:
      return 0;
  }
  return old;
}

bool InsideWindowProcedure() { return t_procedureDepth > 0; }

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc.Converting ? Call(proc, false, hWnd, msg, wParam, lParam) : RawCall(proc, hWnd, msg, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc.Converting ? Call(proc, true, hWnd, msg, wParam, lParam) : RawCall(proc, hWnd, msg, wParam, lParam);
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Send(hWnd, msg, wParam, lParam, false);
}

LRESULT SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Send(hWnd, msg, wParam, lParam, true);
}

namespace {

LRESULT DefProc(HWND h, UINT m, WPARAM wParam, LPARAM l, bool unicode) {
  Window* w = W(h);
  if (!w) return 0;
  switch (m) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(l);
      if (cs && cs->lpszName) {
        w->text = unicode ? std::u16string(static_cast<const char16_t*>(cs->lpszName))
                          : Cp1252ToUtf16(static_cast<const char*>(cs->lpszName));
      }
      return 1;
    }
    case WM_SETTEXT:
      w->text = l == 0    ? std::u16string()
                : unicode ? std::u16string(reinterpret_cast<const char16_t*>(l))
                          : Cp1252ToUtf16(reinterpret_cast<const char*>(l));
      Notify(h, &WindowPeer::TextChanged);
      return 1;
    case WM_GETTEXT:
      if (unicode) return CopyOut<char16_t>(w->text, reinterpret_cast<char16_t*>(l), wParam);
      return CopyOut<char>(Utf16ToCp1252(w->text), reinterpret_cast<char*>(l), wParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_NOTIFYFORMAT:
      if (l == static_cast<LPARAM>(NF_QUERY)) return IsWindowUnicode(h) ? NFR_UNICODE : NFR_ANSI;
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (w->peer) w->peer->FocusChanged(m == WM_SETFOCUS);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      // What a child leaves goes to its parent.
      if (!(w->style & WS_CHILD) || !w->parent) return 0;
      return unicode ? SendMessageW(w->parent, m, wParam, l) : SendMessageA(w->parent, m, wParam, l);
    default:
      return 0;
  }
}

}  // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefProc(hWnd, msg, wParam, lParam, false);
}

LRESULT DefWindowProcW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefProc(hWnd, msg, wParam, lParam, true);
}

namespace {

// call: the public call, which a window message must come through on the
// user-interface thread.
LRESULT Dispatch(const MSG* msg, bool unicode, const char* call = __builtin_FUNCTION()) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  if (msg->hwnd == nullptr) {
    if (msg->message == detail::kRunTaskMessage) detail::RunPostedTask(msg->wParam);
    return 0;
  }
  RequireUiThread(call);
  const Window* w = W(msg->hwnd);
  if (!w || w->thread != GetCurrentThreadId()) return 0;
  const WNDPROC proc = w->proc;
  return Call(proc, unicode, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

}  // namespace

LRESULT DispatchMessageA(const MSG* msg) { return Dispatch(msg, false); }

LRESULT DispatchMessageW(const MSG* msg) { return Dispatch(msg, true); }

namespace {

bool IsTabStop(HWND h) {
  const Window* w = W(h);
  return w && (w->style & WS_TABSTOP) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

void CollectTabStops(HWND h, std::vector<HWND>& out) {
  const Window* w = W(h);
  if (!w) return;
  for (HWND c : w->children) {
    if (IsTabStop(c)) out.push_back(c);
    const Window* cw = W(c);
    if (cw && (cw->style & WS_VISIBLE) && !(cw->style & WS_DISABLED)) CollectTabStops(c, out);
  }
}

HWND NextTabStop(HWND hDlg, HWND from, bool backward) {
  std::vector<HWND> stops;
  CollectTabStops(hDlg, stops);
  if (stops.empty()) return nullptr;
  auto it = std::find_if(stops.begin(), stops.end(), [&](HWND s) { return s == from || IsChild(s, from); });
  if (it == stops.end()) return backward ? stops.back() : stops.front();
  const auto i = static_cast<std::size_t>(it - stops.begin());
  const std::size_t n = stops.size();
  return stops[backward ? (i + n - 1) % n : (i + 1) % n];
}

HWND FindDefaultButton(HWND hDlg) {
  const Window* w = W(hDlg);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
    if (HWND found = FindDefaultButton(c)) return found;
  }
  return nullptr;
}

int Dialog(HWND hDlg, MSG* msg, bool unicode) {
  if (!msg || !W(hDlg) || (msg->hwnd != hDlg && !IsChild(hDlg, msg->hwnd))) return 0;
  const bool key = msg->message == WM_KEYDOWN || msg->message == WM_CHAR;
  if (key) {
    const UINT code =
        static_cast<UINT>(SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    const bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
    if (msg->message == WM_KEYDOWN && !wantsAll) {
      if (msg->wParam == VK_TAB && !(code & DLGC_WANTTAB)) {
        const bool backward = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = NextTabStop(hDlg, msg->hwnd, backward)) SetFocus(next);
        return 1;
      }
      if (msg->wParam == VK_RETURN) {
        HWND button = FindDefaultButton(hDlg);
        const int id = button ? GetDlgCtrlID(button) : IDOK;
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 1;
      }
      if (msg->wParam == VK_ESCAPE) {
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 1;
      }
    }
    if (msg->message == WM_CHAR && !wantsAll && (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 27) &&
        !(code & DLGC_WANTCHARS)) {
      // The key-down already did its work.
      return 1;
    }
  }
  if (!unicode) {
    DispatchMessageA(msg);
  } else {
    DispatchMessageW(msg);
  }
  return 1;
}

}  // namespace

bool IsDialogMessageA(HWND hDlg, MSG* msg) {
  RequireUiThread();
  return Dialog(hDlg, msg, false) != 0;
}

bool IsDialogMessageW(HWND hDlg, MSG* msg) {
  RequireUiThread();
  return Dialog(hDlg, msg, true) != 0;
}

bool SetWindowTextA(HWND hWnd, std::string_view text) {
  const std::string s(text);
  return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())) != 0;
}

bool SetWindowTextW(HWND hWnd, std::u16string_view text) {
  const std::u16string s(text);
  return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())) != 0;
}

int GetWindowTextLengthA(HWND hWnd) { return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowTextLengthW(HWND hWnd) { return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowTextA(HWND hWnd, char* buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(
      SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextW(HWND hWnd, char16_t* buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  buffer[0] = u'\0';
  return static_cast<int>(
      SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
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

bool SetPropA(HWND hWnd, std::string_view name, HANDLE data) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || name.empty()) return false;
  w->namedProps[Lower(name)] = data;
  return true;
}

HANDLE GetPropA(HWND hWnd, std::string_view name) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->namedProps.find(Lower(name));
  return it == w->namedProps.end() ? 0 : it->second;
}

HANDLE RemovePropA(HWND hWnd, std::string_view name) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->namedProps.find(Lower(name));
  if (it == w->namedProps.end()) return 0;
  const HANDLE data = it->second;
  w->namedProps.erase(it);
  return data;
}

bool SetPropAtom(HWND hWnd, ATOM atom, HANDLE data) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || atom == 0) return false;
  w->atomProps[atom] = data;
  return true;
}

HANDLE GetPropAtom(HWND hWnd, ATOM atom) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->atomProps.find(atom);
  return it == w->atomProps.end() ? 0 : it->second;
}

HANDLE RemovePropAtom(HWND hWnd, ATOM atom) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->atomProps.find(atom);
  if (it == w->atomProps.end()) return 0;
  const HANDLE data = it->second;
  w->atomProps.erase(it);
  return data;
}

ATOM GlobalAddAtomA(std::string_view name) {
  if (name.empty() || name.size() > 255) return 0;
  std::lock_guard lock(S().m);
  const std::string key = Lower(name);
  for (auto& [atom, a] : S().atoms) {
    if (Lower(a.name) == key) {
      ++a.count;
      return atom;
    }
  }
  for (ATOM atom = 0xC000; atom != 0; ++atom) {
    if (!S().atoms.contains(atom)) {
      S().atoms[atom] = Atom{std::string(name), 1};
      return atom;
    }
  }
  return 0;
}

ATOM GlobalFindAtomA(std::string_view name) {
  std::lock_guard lock(S().m);
  const std::string key = Lower(name);
  for (const auto& [atom, a] : S().atoms) {
    if (Lower(a.name) == key) return atom;
  }
  return 0;
}

ATOM GlobalDeleteAtom(ATOM atom) {
  std::lock_guard lock(S().m);
  auto it = S().atoms.find(atom);
  if (it == S().atoms.end()) return atom;
  if (--it->second.count <= 0) S().atoms.erase(it);
  return 0;
}

std::string GlobalGetAtomNameA(ATOM atom) {
  std::lock_guard lock(S().m);
  auto it = S().atoms.find(atom);
  return it == S().atoms.end() ? std::string() : it->second.name;
}

UINT RegisterWindowMessageA(std::string_view name) {
  if (name.empty()) return 0;
  std::lock_guard lock(S().m);
  auto [it, added] = S().registeredMessages.emplace(Lower(name), S().nextMessage);
  if (added) {
    if (S().nextMessage > 0xFFFF) {
      S().registeredMessages.erase(it);
      return 0;
    }
    ++S().nextMessage;
  }
  return it->second;
}

UINT RegisterWindowMessageW(std::u16string_view name) { return RegisterWindowMessageA(Utf16ToCp1252(name)); }

HWND GetParent(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->parent : nullptr;
}

HWND SetParent(HWND hWnd, HWND newParent) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || hWnd == newParent || IsChild(hWnd, newParent)) return nullptr;
  const HWND old = w->parent;
  if (w->style & WS_CHILD) {
    if (Window* p = W(old)) std::erase(p->children, hWnd);
  } else {
    std::erase(S().topLevel, hWnd);
  }
  if (Window* p = W(newParent)) {
    w->style = (w->style | WS_CHILD) & ~WS_POPUP;
    w->parent = newParent;
    p->children.insert(p->children.begin(), hWnd);
  } else {
    w->style &= ~WS_CHILD;
    w->parent = nullptr;
    S().topLevel.push_back(hWnd);
  }
  Notify(hWnd, &WindowPeer::ParentChanged);
  return old;
}

bool IsChild(HWND parent, HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  while (w && (w->style & WS_CHILD)) {
    if (w->parent == parent) return true;
    w = W(w->parent);
  }
  return false;
}

std::vector<HWND> GetChildWindows(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->children : std::vector<HWND>();
}

HWND GetDlgItem(HWND hDlg, int id) {
  RequireUiThread();
  const Window* w = W(hDlg);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    if (GetDlgCtrlID(c) == id) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w && (w->style & WS_CHILD) ? static_cast<int>(w->childId) : 0;
}

HWND GetAncestorRoot(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  while (w && (w->style & WS_CHILD)) {
    hWnd = w->parent;
    w = W(hWnd);
  }
  return w ? hWnd : nullptr;
}

std::vector<HWND> GetThreadWindows() {
  RequireUiThread();
  std::vector<HWND> out;
  const DWORD me = GetCurrentThreadId();
  for (HWND h : S().topLevel) {
    if (const Window* w = W(h); w && w->thread == me) out.push_back(h);
  }
  return out;
}

HWND SetFocus(HWND hWnd) {
  RequireUiThread();
  const HWND old = S().focus;
  if (hWnd == old) return old;
  if (hWnd && !W(hWnd)) return nullptr;
  if (old && W(old)) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  S().focus = hWnd;
  if (hWnd) {
    if (HWND root = GetAncestorRoot(hWnd)) S().active = root;
    SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return old;
}

HWND GetFocus() {
  RequireUiThread();
  return W(S().focus) ? S().focus : nullptr;
}

bool EnableWindow(HWND hWnd, bool enable) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  const bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  if (!enable) {
    w->style |= WS_DISABLED;
    if (S().focus == hWnd || IsChild(hWnd, S().focus)) SetFocus(nullptr);
  } else {
    w->style &= ~WS_DISABLED;
  }
  Notify(hWnd, &WindowPeer::EnabledChanged);
  SendMessageW(hWnd, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

bool IsWindowEnabled(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w && (w->style & WS_DISABLED) == 0;
}

bool ShowWindow(HWND hWnd, int cmdShow) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  const bool wasVisible = (w->style & WS_VISIBLE) != 0;
  const bool show = cmdShow != SW_HIDE;
  if (show == wasVisible) return wasVisible;
  SendMessageW(hWnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
  w = W(hWnd);
  if (!w) return wasVisible;
  if (show) {
    w->style |= WS_VISIBLE;
  } else {
    w->style &= ~WS_VISIBLE;
    if (S().focus == hWnd || IsChild(hWnd, S().focus)) SetFocus(nullptr);
  }
  Notify(hWnd, &WindowPeer::VisibleChanged);
  if (show && IsTopLevel(*w) && cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE) S().active = hWnd;
  return wasVisible;
}

bool IsWindowVisible(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  while (w) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (!(w->style & WS_CHILD)) return true;
    w = W(w->parent);
  }
  return false;
}

HWND SetCapture(HWND hWnd) {
  RequireUiThread();
  const HWND old = W(S().capture) ? S().capture : nullptr;
  S().capture = W(hWnd) ? hWnd : nullptr;
  return old;
}

bool ReleaseCapture() {
  RequireUiThread();
  S().capture = nullptr;
  return true;
}

HWND GetCapture() {
  RequireUiThread();
  return W(S().capture) ? S().capture : nullptr;
}

HWND GetActiveWindow() {
  RequireUiThread();
  return W(S().active) ? S().active : nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
  RequireUiThread();
  const HWND old = GetActiveWindow();
  if (W(hWnd)) S().active = GetAncestorRoot(hWnd);
  return old;
}

bool SetWindowPos(HWND hWnd, HWND insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                  UINT flags) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  RECT b = w->bounds;
  if (!(flags & SWP_NOMOVE)) b = RECT{x, y, x + b.Width(), y + b.Height()};
  if (!(flags & SWP_NOSIZE)) b.right = b.left + std::max(cx, 0), b.bottom = b.top + std::max(cy, 0);
  const bool moved = b.left != w->bounds.left || b.top != w->bounds.top;
  const bool sized = b.Width() != w->bounds.Width() || b.Height() != w->bounds.Height();
  w->bounds = b;
  if (!(flags & SWP_NOZORDER)) {
    if (insertAfter == HWND_TOPMOST()) {
      w->exStyle |= WS_EX_TOPMOST;
    } else if (insertAfter == HWND_NOTOPMOST()) {
      w->exStyle &= ~WS_EX_TOPMOST;
    } else if (Window* p = (w->style & WS_CHILD) ? W(w->parent) : nullptr) {
      std::erase(p->children, hWnd);
      auto pos = p->children.begin();
      if (insertAfter == HWND_BOTTOM()) {
        pos = p->children.end();
      } else if (insertAfter != HWND_TOP()) {
        pos = std::find(p->children.begin(), p->children.end(), insertAfter);
        if (pos != p->children.end()) ++pos;
      }
      p->children.insert(pos, hWnd);
    }
    Notify(hWnd, &WindowPeer::ZOrderChanged);
  }
  if (moved || sized) Notify(hWnd, &WindowPeer::BoundsChanged);
  if (moved) SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(b.left), static_cast<WORD>(b.top)));
  if (sized) SendMessageW(hWnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(b.Width()), static_cast<WORD>(b.Height())));
  if (flags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
  return true;
}

bool MoveWindow(HWND hWnd, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, bool repaint) {
  RequireUiThread();
  return SetWindowPos(hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

RECT GetWindowBounds(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->bounds : RECT{};
}

bool GetWindowRect(HWND hWnd, RECT* rect) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w || !rect) return false;
  POINT origin{0, 0};
  ClientToScreen(hWnd, &origin);
  *rect = RECT{origin.x, origin.y, origin.x + w->bounds.Width(), origin.y + w->bounds.Height()};
  return true;
}

bool GetClientRect(HWND hWnd, RECT* rect) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w || !rect) return false;
  *rect = RECT{0, 0, w->bounds.Width(), w->bounds.Height()};
  return true;
}

bool ClientToScreen(HWND hWnd, POINT* pt) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w || !pt) return false;
  while (w) {
    pt->x += w->bounds.left;
    pt->y += w->bounds.top;
    w = (w->style & WS_CHILD) ? W(w->parent) : nullptr;
  }
  return true;
}

bool ScreenToClient(HWND hWnd, POINT* pt) {
  RequireUiThread();
  POINT origin{0, 0};
  if (!pt || !ClientToScreen(hWnd, &origin)) return false;
  pt->x -= origin.x;
  pt->y -= origin.y;
  return true;
}

HWND GetTopWindow(HWND hWnd) {
  RequireUiThread();
  if (hWnd) {
    const Window* w = W(hWnd);
    return w && !w->children.empty() ? w->children.front() : nullptr;
  }
  // The most recently activated visible top-level window, topmost first.
  HWND found = nullptr;
  for (HWND h : GetThreadWindows()) {
    const Window* w = W(h);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    if (!found || (w->exStyle & WS_EX_TOPMOST) || h == S().active) found = h;
  }
  return found;
}

bool InvalidateRect(HWND hWnd, const RECT* rect, bool) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  if (w->peer) w->peer->Invalidate(rect);
  return true;
}

bool UpdateWindow(HWND hWnd) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return false;
  if (w->peer) w->peer->Update();
  return true;
}

void SetDefaultPeerFactory(PeerFactory factory) {
  RequireUiThread();
  S().defaultPeer = std::move(factory);
}

bool SetClassPeerFactory(std::u16string_view className, PeerFactory factory) {
  RequireUiThread();
  WindowClass* cls = FindClass(className);
  if (!cls) return false;
  cls->peerFactory = std::move(factory);
  return true;
}

WindowPeer* GetWindowPeer(HWND hWnd) {
  RequireUiThread();
  Window* w = W(hWnd);
  return w ? w->peer.get() : nullptr;
}

void SetWindowPeer(HWND hWnd, std::unique_ptr<WindowPeer> peer) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return;
  std::unique_ptr<WindowPeer> old = std::exchange(w->peer, std::move(peer));
  if (old) old->Destroying();
}

}  // namespace platform
