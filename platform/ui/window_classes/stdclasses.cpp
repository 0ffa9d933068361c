#include "platform/ui/window_classes/stdclasses.h"

#include <QPalette>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {

StdPeer::StdPeer(HWND hWnd, QWidget* Widget, UINT ColorMessage, bool IsManaged)
    : QtPeer(hWnd, Widget, IsManaged), colorMessage_(ColorMessage) {}

void StdPeer::Invalidate(const RECT* Rect) {
  RefreshColors();
  QtPeer::Invalidate(Rect);
}

void StdPeer::ParentChanged() {
  QtPeer::ParentChanged();
  RefreshColors();
}

void StdPeer::RefreshColors() {
  if (!PeerWidget || !IsWindow(Hwnd)) return;
  const HWND parent = GetParent(Hwnd);
  if (!parent) return;
  HDC dc = GetDC(nullptr);
  SetTextColor(dc,
               GetSysColor(colorMessage_ == WM_CTLCOLORBTN || colorMessage_ == WM_CTLCOLORSTATIC ? COLOR_BTNTEXT
                                                                                                 : COLOR_WINDOWTEXT));
  const auto brush = static_cast<HBRUSH>(
      SendMessageW(parent, colorMessage_, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Hwnd)));
  QPalette pal = PeerWidget->palette();
  const QColor text = ToQColor(GetTextColor(dc));
  pal.setColor(QPalette::Text, text);
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::ButtonText, text);
  if (brush != 0) {
    HDC probe = GetDC(nullptr);
    FillRect(probe, RECT{0, 0, 1, 1}, brush);
    const QColor back = ToQColor(GetPixel(probe, 0, 0));
    ReleaseDC(nullptr, probe);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Window, back);
  }
  ReleaseDC(nullptr, dc);
  if (pal != PeerWidget->palette()) PeerWidget->setPalette(pal);
}

void RegisterStdClass(const char16_t* Name, WNDPROC Proc) {
  WNDCLASS wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = Name;
  RegisterClassW(wc);
}

void NotifyParent(HWND hWnd, UINT Code) {
  const HWND parent = GetParent(hWnd);
  if (!parent || !(GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hWnd)), static_cast<WORD>(Code)),
               reinterpret_cast<LPARAM>(hWnd));
}

LRESULT NotifyParentNM(HWND hWnd, int Code) {
  const HWND parent = GetParent(hWnd);
  if (!parent) return 0;
  NMHDR nm;
  nm.hwndFrom = hWnd;
  nm.idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID(hWnd));
  nm.code = Code;
  return SendMessageW(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT StdDefault(StdPeer* Peer, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool FocusOnClick) {
  switch (Msg) {
    case WM_SETFONT:
      if (Peer) {
        Peer->Font = static_cast<HFONT>(wParam);
        if (Peer->Widget()) Peer->Widget()->setFont(ToQFont(FontOf(Peer->Font)));
      }
      return 0;
    case WM_GETFONT:
      return Peer ? static_cast<LRESULT>(Peer->Font) : 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      if (FocusOnClick && IsWindowEnabled(hWnd) && GetFocus() != hWnd) SetFocus(hWnd);
      if (Peer && IsWindow(hWnd)) Peer->Replay(Msg, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (Peer) Peer->Replay(Msg, wParam, lParam);
      return 0;
    case WM_MOUSEWHEEL:
      // A turn the widget does not take goes on, as the default handling
      // passes it to the parent.
      if (Peer && Peer->Replay(Msg, wParam, lParam)) return 0;
      return DefWindowProcW(hWnd, Msg, wParam, lParam);
    default:
      return DefWindowProcW(hWnd, Msg, wParam, lParam);
  }
}

QString TextArg(LPARAM lParam) {
  return lParam ? QString::fromUtf16(reinterpret_cast<const char16_t*>(lParam)) : QString();
}

LRESULT CopyText(const QString& Text, std::size_t Size, LPARAM Buffer) {
  if (!Buffer || Size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(Text.size()), Size - 1);
  auto* out = reinterpret_cast<char16_t*>(Buffer);
  std::copy_n(reinterpret_cast<const char16_t*>(Text.utf16()), n, out);
  out[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT CopyItemText(const QString& Text, LPARAM Buffer) {
  return CopyText(Text, static_cast<std::size_t>(Text.size()) + 1, Buffer);
}

QString StripAccelerators(const QString& Text) {
  QString out;
  for (int i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'&') {
      if (i + 1 < Text.size()) out += Text[++i];
      continue;
    }
    out += Text[i];
  }
  return out;
}

void RegisterStandardClasses() {
  RegisterEditClass();
  RegisterComboClass();
  RegisterListClass();
  RegisterStaticAndButtonClasses();
  RegisterTabClass();
  RegisterTreeClass();
  RegisterListViewClass();
  RegisterComboBoxExClass();
  RegisterPopupMenuPresentation();
  RegisterMenuBarPresentation();
}

}  // namespace platform::ui
