#pragma once
// The window system's windows: classes, windows with their procedures,
// sending and dispatching, text, properties, atoms, registered messages,
// parent and child windows, focus, enable and show state, and bounds.
//
// Every window procedure is marked 8-bit (A) or Unicode (W). When a message
// that carries text goes from a caller of one kind to a procedure of the
// other, the text is converted between code page 1252 and UTF-16, as the
// window system does. A window is Unicode when its procedure is.
//
// Every window belongs to the user-interface thread, which makes it: every
// call here is made on that thread (builds with thread checks stop the
// program when one is not), except IsWindow, the text calls and
// SendMessage, which other threads may make: sending to a window from
// another thread runs the procedure on the window's thread and waits. Atoms
// and registered messages serve every thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/wintypes.h"

namespace platform {

using WndProcFn = LRESULT (*)(void* Self, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// A window procedure: a function, the object it serves (may be null) and its
// kind. Two procedures are equal when all their fields are, so code can ask
// whether a window still has the procedure it installed.
//
// A procedure the program makes (MakeWndProc) is plain: CallWindowProc
// calls it as it is, whatever the caller's kind. Asked for a procedure
// through a call of the other kind (GetWindowProcA of a Unicode window, the
// previous procedure SetWindowProcW returns for an 8-bit one, GetClassInfoA
// of a Unicode class), the window system hands out a Converting value:
// CallWindowProc of the other kind converts the message for it, and
// installing it again restores the procedure with its own kind.
struct WNDPROC {
  WndProcFn Fn = nullptr;
  void* Self = nullptr;
  bool Unicode = false;
  bool Converting = false;

  explicit operator bool() const { return Fn != nullptr; }
  bool operator==(const WNDPROC&) const = default;
};

namespace detail {
template <LRESULT (*F)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CallFree(void*, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return F(hWnd, Msg, wParam, lParam);
}
template <class C, LRESULT (C::*M)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CallMember(void* Self, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return (static_cast<C*>(Self)->*M)(hWnd, Msg, wParam, lParam);
}
}  // namespace detail

// A procedure from a free function.
template <LRESULT (*F)(HWND, UINT, WPARAM, LPARAM)>
WNDPROC MakeWndProc(bool Unicode) {
  return WNDPROC{&detail::CallFree<F>, nullptr, Unicode};
}
// A procedure from a member function and its object.
template <auto M, class C>
WNDPROC MakeWndProc(C* Self, bool Unicode) {
  return WNDPROC{&detail::CallMember<C, M>, Self, Unicode};
}

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;

// NOLINTBEGIN(readability-identifier-naming)
struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc;
  void* hInstance = nullptr;
  COLORREF hbrBackground = 0;
  // A name, or (when empty) an integer resource id.
  std::string lpszMenuName;
  std::uint16_t MenuId = 0;
  std::u16string lpszClassName;
};
// NOLINTEND(readability-identifier-naming)

// RegisterClassA marks the class procedure 8-bit, RegisterClassW Unicode.
// 0 when the name is empty or taken.
ATOM RegisterClassA(WNDCLASS Wc);
ATOM RegisterClassW(WNDCLASS Wc);
bool UnregisterClassA(std::string_view ClassName);
bool UnregisterClassW(std::u16string_view ClassName);
// Fills wc for a registered class (the predefined control classes
// included once the presentation has registered them).
bool GetClassInfoA(std::string_view ClassName, WNDCLASS* Wc);
bool GetClassInfoW(std::u16string_view ClassName, WNDCLASS* Wc);
std::u16string GetClassNameW(HWND hWnd);
UINT GetClassStyle(HWND hWnd);
std::string GetClassNameA(HWND hWnd);

// NOLINTBEGIN(readability-identifier-naming)
struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  void* hInstance = nullptr;
  std::uintptr_t hMenu = 0;  // a child's identifier
  HWND hwndParent = nullptr;
  std::int32_t cy = 0;
  std::int32_t cx = 0;
  std::int32_t y = 0;
  std::int32_t x = 0;
  DWORD style = 0;
  // Zero-terminated; char or char16_t as the receiving procedure's kind.
  const void* lpszName = nullptr;
  const void* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};
// NOLINTEND(readability-identifier-naming)

constexpr std::int32_t CW_USEDEFAULT = static_cast<std::int32_t>(0x80000000);

// Creates a window of a registered class: WM_NCCREATE, then WM_CREATE go to
// its procedure (either answering failure destroys it and gives null).
// Children carry WS_CHILD and take hMenu as their identifier; other windows
// take hWndParent as their owner.
HWND CreateWindowExA(DWORD ExStyle, std::string_view ClassName, std::string_view WindowName, DWORD Style,
                     std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent,
                     std::uintptr_t hMenu, void* hInstance, void* Param);
HWND CreateWindowExW(DWORD ExStyle, std::u16string_view ClassName, std::u16string_view WindowName, DWORD Style,
                     std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent,
                     std::uintptr_t hMenu, void* hInstance, void* Param);
// WM_DESTROY to the window and then to its children, WM_NCDESTROY to the
// children and then the window; the handle is invalid afterwards.
bool DestroyWindow(HWND hWnd);
bool IsWindow(HWND hWnd);
bool IsWindowUnicode(HWND hWnd);

// The window's procedure, and replacing it (subclassing). The A and W forms
// mark the new procedure 8-bit or Unicode; both return the previous one.
WNDPROC GetWindowProcA(HWND hWnd);
WNDPROC GetWindowProcW(HWND hWnd);
inline WNDPROC GetWindowProc(HWND hWnd) { return GetWindowProcA(hWnd); }
WNDPROC SetWindowProcA(HWND hWnd, WNDPROC Proc);
WNDPROC SetWindowProcW(HWND hWnd, WNDPROC Proc);

constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_HWNDPARENT = -8;
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
// A non-negative index names a value the window's class keeps for it (a
// dialog's DWL_MSGRESULT); 0 until set.
LPARAM GetWindowLong(HWND hWnd, int Index);
// Returns the previous value. Style changes reach the presentation.
LPARAM SetWindowLong(HWND hWnd, int Index, LPARAM Value);

// True while a window procedure runs on the calling thread. The toolkit
// code that led into it may still be on the stack, so the presentation
// frees a widget only when none runs.
bool InsideWindowProcedure();

// Calls a procedure as an 8-bit or a Unicode caller, converting text and
// characters for a Converting value of the other kind only.
LRESULT CallWindowProcA(WNDPROC Proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC Proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(hWnd, Msg, wParam, lParam);
}
// Text and creation, focus, close and the queries every window answers.
LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// A window message goes to the window's procedure; WM_TIMER with a timer
// procedure calls that; the task messages of RunOnUiThread run their task.
LRESULT DispatchMessageA(const MSG* Msg);
LRESULT DispatchMessageW(const MSG* Msg);
inline LRESULT DispatchMessage(const MSG* Msg) { return DispatchMessageA(Msg); }
// Dialog keyboard handling for hDlg and the windows inside it: Tab and
// Shift+Tab move the focus between tab stops, Enter presses the default
// button (IDOK), Escape sends IDCANCEL, unless the focused control asks for
// the key (WM_GETDLGCODE). True when the message belonged to the dialog
// (it has then been handled).
bool IsDialogMessageA(HWND hDlg, MSG* Msg);
bool IsDialogMessageW(HWND hDlg, MSG* Msg);
inline bool IsDialogMessage(HWND hDlg, MSG* Msg) { return IsDialogMessageA(hDlg, Msg); }

// Window text, through WM_SETTEXT and WM_GETTEXT.
bool SetWindowTextA(HWND hWnd, std::string_view Text);
bool SetWindowTextW(HWND hWnd, std::u16string_view Text);
int GetWindowTextLengthA(HWND hWnd);
int GetWindowTextLengthW(HWND hWnd);
// The buffer forms copy at most maxCount - 1 units and a terminator.
int GetWindowTextA(HWND hWnd, char* Buffer, int MaxCount);
int GetWindowTextW(HWND hWnd, char16_t* Buffer, int MaxCount);
std::string WindowTextA(HWND hWnd);
std::u16string WindowTextW(HWND hWnd);

// Window properties, by name or by atom.
using HANDLE = std::uintptr_t;
bool SetPropA(HWND hWnd, std::string_view Name, HANDLE Data);
HANDLE GetPropA(HWND hWnd, std::string_view Name);
HANDLE RemovePropA(HWND hWnd, std::string_view Name);
bool SetPropAtom(HWND hWnd, ATOM Atom, HANDLE Data);
HANDLE GetPropAtom(HWND hWnd, ATOM Atom);
HANDLE RemovePropAtom(HWND hWnd, ATOM Atom);

// Global atoms: counted, case-insensitive names numbered from 0xC000.
ATOM GlobalAddAtomA(std::string_view Name);
ATOM GlobalFindAtomA(std::string_view Name);
ATOM GlobalDeleteAtom(ATOM Atom);  // 0 on success, as the platform answers
std::string GlobalGetAtomNameA(ATOM Atom);
// The same name gives the same message number (0xC001 to 0xFFFF) for the
// life of the process; 0 for an empty name.
UINT RegisterWindowMessageA(std::string_view Name);
UINT RegisterWindowMessageW(std::u16string_view Name);

// Parent and child windows.
HWND GetParent(HWND hWnd);
HWND SetParent(HWND hWnd, HWND NewParent);
bool IsChild(HWND Parent, HWND hWnd);
// Direct children, front to back.
std::vector<HWND> GetChildWindows(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int Id);
int GetDlgCtrlID(HWND hWnd);
// The top-level window that hWnd is in.
HWND GetAncestorRoot(HWND hWnd);
// Top-level windows of the calling thread, oldest first.
std::vector<HWND> GetThreadWindows();

// Focus (WM_KILLFOCUS, then WM_SETFOCUS), enable state (WM_ENABLE) and
// visibility (WM_SHOWWINDOW).
HWND SetFocus(HWND hWnd);
HWND GetFocus();
bool EnableWindow(HWND hWnd, bool Enable);  // true when it was disabled
bool IsWindowEnabled(HWND hWnd);
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
bool ShowWindow(HWND hWnd, int CmdShow);  // true when it was visible
// Visible itself and every parent visible.
bool IsWindowVisible(HWND hWnd);
// The window that gets the mouse until released (model state; the
// presentation delivers a pressed button's moves to the pressed window).
HWND SetCapture(HWND hWnd);
bool ReleaseCapture();
HWND GetCapture();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hWnd);

// Bounds. A child's position is relative to its parent's client area; a
// top-level window's is on the screen. Windows have no frame of their own
// here: the client area is the whole window.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline HWND HWND_TOP() { return nullptr; }
inline HWND HWND_BOTTOM() { return HandleFromId(1); }
inline HWND HWND_TOPMOST() { return HandleFromId(~std::uintptr_t{0}); }
inline HWND HWND_NOTOPMOST() { return HandleFromId(~std::uintptr_t{0} - 1); }
// Moves and sizes (WM_MOVE, WM_SIZE after the change); reorders siblings
// or the topmost state unless SWP_NOZORDER.
bool SetWindowPos(HWND hWnd, HWND InsertAfter, std::int32_t X, std::int32_t Y, std::int32_t Cx, std::int32_t Cy,
                  UINT Flags);
bool MoveWindow(HWND hWnd, std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height, bool Repaint);
// The bounds in the parent's client coordinates (screen for top level).
RECT GetWindowBounds(HWND hWnd);
// On the screen.
bool GetWindowRect(HWND hWnd, RECT* Rect);
bool GetClientRect(HWND hWnd, RECT* Rect);
bool ClientToScreen(HWND hWnd, POINT* Pt);
bool ScreenToClient(HWND hWnd, POINT* Pt);
// The top-level window that stands in front, of this thread's windows.
HWND GetTopWindow(HWND hWnd);

// Painting goes through the presentation.
bool InvalidateRect(HWND hWnd, const RECT* Rect, bool Erase);
bool UpdateWindow(HWND hWnd);

// What the presentation puts behind a window. The model calls it after
// each change of the state it shows; the state itself stays in the model
// (or, for a standard control, in the toolkit widget the peer owns).
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void TextChanged() {}
  virtual void StyleChanged() {}
  virtual void ParentChanged() {}
  virtual void ZOrderChanged() {}
  virtual void FocusChanged(bool /*focused*/) {}
  virtual void Invalidate(const RECT* /*rect*/) {}
  virtual void Update() {}
  // The window is about to go; the peer is destroyed right after.
  virtual void Destroying() {}
};

// Makes the peer of a new window before WM_NCCREATE; may return null.
using PeerFactory = std::function<std::unique_ptr<WindowPeer>(HWND hWnd)>;
// A class's own factory wins over the default one.
void SetDefaultPeerFactory(PeerFactory Factory);
bool SetClassPeerFactory(std::u16string_view ClassName, PeerFactory Factory);
WindowPeer* GetWindowPeer(HWND hWnd);
// A class procedure that puts its own presentation behind the window does
// so while handling WM_NCCREATE; the previous peer is dropped.
void SetWindowPeer(HWND hWnd, std::unique_ptr<WindowPeer> Peer);

}  // namespace platform
