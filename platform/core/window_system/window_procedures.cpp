#include "platform/core/window_system/window.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <utility>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/owner_draw.h"
#include "platform/core/window_system/queue_internal.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

using detail::Call;
using detail::HandedOut;
using detail::Installed;
using detail::Notify;
using detail::S;
using detail::W;
using detail::Window;

namespace {

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
    // The section of the settings that changed ("intl").
    case WM_SETTINGCHANGE:
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

// A list box without data, and an owner-drawn list or combo box without
// LBS_HASSTRINGS or CBS_HASSTRINGS, carries each item's data where a text
// would be: nothing to convert.
bool CarriesStrings(HWND hWnd, UINT Msg) {
  const bool list = Msg >= LB_ADDSTRING && Msg <= LB_SETCOUNT;
  const bool combo = Msg >= CB_GETEDITSEL && Msg <= CB_GETCOMBOBOXINFO;
  if (!list && !combo) return true;
  const Window* w = W(hWnd);
  if (!w) return true;
  // The owner-draw styles have the same bits in both classes.
  const bool ownerDraw = (w->Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  if (list) return (w->Style & LBS_NODATA) == 0 && (!ownerDraw || (w->Style & LBS_HASSTRINGS) != 0);
  return !ownerDraw || (w->Style & CBS_HASSTRINGS) != 0;
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

}  // namespace

namespace detail {

WNDPROC HandedOut(WNDPROC Proc, bool UnicodeCaller) {
  Proc.Converting = Proc.Fn && Proc.Unicode != UnicodeCaller;
  return Proc;
}

WNDPROC Installed(WNDPROC Proc, bool UnicodeCaller) {
  if (!Proc.Converting) Proc.Unicode = UnicodeCaller;
  Proc.Converting = false;
  return Proc;
}

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

}  // namespace detail

namespace {

LRESULT Send(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool Unicode) {
  DWORD thread = 0;
  WNDPROC proc;
  {
    std::lock_guard lock(S().M);
    auto it = S().Windows.find(IdFromHandle(hWnd));
    if (it == S().Windows.end()) return 0;
    thread = it->second->Thread;
    proc = it->second->Proc;
  }
  if (thread != GetCurrentThreadId()) {
    LRESULT result = 0;
    detail::RunOnThreadAndWait(thread, [&] { result = Send(hWnd, Msg, wParam, lParam, Unicode); });
    return result;
  }
  return Call(proc, Unicode, hWnd, Msg, wParam, lParam);
}

WNDPROC SetWindowProc(HWND hWnd, WNDPROC Proc, bool Unicode) {
  Window* w = W(hWnd);
  if (!w || !Proc) return {};
  return HandedOut(std::exchange(w->Proc, Installed(Proc, Unicode)), Unicode);
}

}  // namespace

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
    case WM_INPUTLANGCHANGE:
      // A new input language reaches every window: each passes it on.
      for (HWND child : GetChildWindows(hWnd)) {
        if (!IsWindow(child)) continue;
        if (Unicode) {
          SendMessageW(child, Msg, wParam, lParam);
        } else {
          SendMessageA(child, Msg, wParam, lParam);
        }
      }
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

}  // namespace platform
