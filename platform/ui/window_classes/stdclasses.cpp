#include "platform/ui/window_classes/stdclasses.h"

#include <QPalette>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {

StdPeer::StdPeer(HWND hWnd, QWidget* widget, UINT colorMessage, bool managed)
    : QtPeer(hWnd, widget, managed), colorMessage_(colorMessage) {}

void StdPeer::Invalidate(const RECT* rect) {
  RefreshColors();
  QtPeer::Invalidate(rect);
}

void StdPeer::ParentChanged() {
  QtPeer::ParentChanged();
  RefreshColors();
}

void StdPeer::RefreshColors() {
  if (!widget_ || !IsWindow(hwnd_)) return;
  const HWND parent = GetParent(hwnd_);
  if (!parent) return;
  HDC dc = GetDC(nullptr);
  SetTextColor(dc,
               GetSysColor(colorMessage_ == WM_CTLCOLORBTN || colorMessage_ == WM_CTLCOLORSTATIC ? COLOR_BTNTEXT
                                                                                                 : COLOR_WINDOWTEXT));
  const auto brush = static_cast<HBRUSH>(
      SendMessageW(parent, colorMessage_, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
  QPalette pal = widget_->palette();
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
  if (pal != widget_->palette()) widget_->setPalette(pal);
}

void RegisterStdClass(const char16_t* name, WNDPROC proc) {
  WNDCLASS wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  RegisterClassW(wc);
}

void NotifyParent(HWND hWnd, UINT code) {
  const HWND parent = GetParent(hWnd);
  if (!parent || !(GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hWnd)), static_cast<WORD>(code)),
               reinterpret_cast<LPARAM>(hWnd));
}

LRESULT NotifyParentNM(HWND hWnd, int code) {
  const HWND parent = GetParent(hWnd);
  if (!parent) return 0;
  NMHDR nm;
  nm.hwndFrom = hWnd;
  nm.idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID(hWnd));
  nm.code = code;
  return SendMessageW(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT StdDefault(StdPeer* peer, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool focusOnClick) {
  switch (msg) {
    case WM_SETFONT:
      if (peer) {
        peer->font = static_cast<HFONT>(wParam);
        if (peer->Widget()) peer->Widget()->setFont(ToQFont(FontOf(peer->font)));
      }
      return 0;
    case WM_GETFONT:
      return peer ? static_cast<LRESULT>(peer->font) : 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      if (focusOnClick && IsWindowEnabled(hWnd) && GetFocus() != hWnd) SetFocus(hWnd);
      if (peer && IsWindow(hWnd)) peer->Replay(msg, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (peer) peer->Replay(msg, wParam, lParam);
      return 0;
    case WM_MOUSEWHEEL:
      // A turn the widget does not take goes on, as the default handling
      // passes it to the parent.
      if (peer && peer->Replay(msg, wParam, lParam)) return 0;
      return DefWindowProcW(hWnd, msg, wParam, lParam);
    default:
      return DefWindowProcW(hWnd, msg, wParam, lParam);
  }
}

QString TextArg(LPARAM lParam) {
  return lParam ? QString::fromUtf16(reinterpret_cast<const char16_t*>(lParam)) : QString();
}

LRESULT CopyText(const QString& text, std::size_t size, LPARAM buffer) {
  if (!buffer || size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.size()), size - 1);
  auto* out = reinterpret_cast<char16_t*>(buffer);
  std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, out);
  out[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT CopyItemText(const QString& text, LPARAM buffer) {
  return CopyText(text, static_cast<std::size_t>(text.size()) + 1, buffer);
}

QString StripAccelerators(const QString& text) {
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 < text.size()) out += text[++i];
      continue;
    }
    out += text[i];
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
}

}  // namespace platform::ui
