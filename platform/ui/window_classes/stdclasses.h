#pragma once
// The standard control classes behind the Qt widgets, and what they share.

#include <QString>

#include <algorithm>
#include <string>
#include <type_traits>

#include "platform/core/text/cp1252.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

class QLineEdit;

namespace platform::ui {

void RegisterStandardClasses();
void RegisterEditClass();
void RegisterComboClass();
void RegisterListClass();
void RegisterStaticAndButtonClasses();
void RegisterTabClass();
void RegisterTreeClass();
void RegisterListViewClass();
void RegisterComboBoxExClass();
void RegisterPopupMenuPresentation();
void RegisterMenuBarPresentation();

// A standard control's peer: its font and the colours its parent gives it.
class StdPeer : public QtPeer {
 public:
  StdPeer(HWND hWnd, QWidget* Widget, UINT ColorMessage, bool IsManaged = true);
  void Invalidate(const RECT* Rect) override;
  void ParentChanged() override;
  // Asks the parent for the colours (WM_CTLCOLOR...) and shows them.
  void RefreshColors();
  HFONT Font = 0;

 private:
  UINT colorMessage_;
};

void RegisterStdClass(const char16_t* Name, WNDPROC Proc);
// WM_COMMAND to the parent with the control's identifier and code.
void NotifyParent(HWND hWnd, UINT Code);
// WM_NOTIFY to the parent; returns its answer.
LRESULT NotifyParentNM(HWND hWnd, int Code);
// The handling every standard control shares: fonts, input handed back to
// the widget (with the focus taken on a click when focusOnClick), and the
// rest through DefWindowProcW.
LRESULT StdDefault(StdPeer* Peer, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool FocusOnClick);
QString TextArg(LPARAM lParam);
// WM_GETTEXT-style copy into a caller's buffer of size units.
LRESULT CopyText(const QString& Text, std::size_t Size, LPARAM Buffer);
// Copies the whole text and a terminator (list and combo item texts).
LRESULT CopyItemText(const QString& Text, LPARAM Buffer);
// An item's text from a caller of either kind (code page 1252 or UTF-16);
// empty for none.
template <class Char>
QString TextArgOf(const Char* Text) {
  if (!Text) return {};
  if constexpr (std::is_same_v<Char, char>) {
    return ToQString(Cp1252ToUtf16(Text));
  } else {
    return QString::fromUtf16(Text);
  }
}
// Copies an item's text for a caller of either kind into its buffer of
// Capacity units: at most Capacity - 1 and a terminator. The units copied.
template <class Char>
LRESULT CopyTextOut(const QString& Text, Char* Buffer, int Capacity) {
  if (!Buffer || Capacity <= 0) return 0;
  std::basic_string<Char> text;
  if constexpr (std::is_same_v<Char, char>) {
    text = Utf16ToCp1252(FromQString(Text));
  } else {
    text = FromQString(Text);
  }
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(Capacity - 1));
  std::copy_n(text.data(), n, Buffer);
  Buffer[n] = Char{};
  return static_cast<LRESULT>(n);
}
// Removes "&" accelerator marks ("&&" stays one "&").
QString StripAccelerators(const QString& Text);

// The line edit an edit window made now takes over instead of making its
// own (a combo box's edit part).
void LendLineEdit(QLineEdit* Edit);
// Shows the edit's shortcut menu at a point on the screen (-1, -1: from
// the keyboard); the chosen command goes to the edit as its message.
void ShowEditMenu(HWND hWnd, LPARAM Where);

template <class Peer>
Peer* StdPeerOf(HWND hWnd) {
  return dynamic_cast<Peer*>(GetWindowPeer(hWnd));
}

// One message of a standard class and the function that handles it. A
// window that has no peer of the class (its making failed) answers
// `Missing` instead.
template <class Peer>
struct MessageHandler {
  UINT Msg;
  LRESULT (*Handle)(Peer& P, HWND hWnd, WPARAM wParam, LPARAM lParam);
  LRESULT Missing = 0;
};

// Hands a message to its handler in table; a message the table does not
// name gets the handling every standard control shares.
template <class Peer, std::size_t N>
LRESULT Dispatch(const MessageHandler<Peer> (&Table)[N], HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam,
                 bool FocusOnClick) {
  Peer* peer = StdPeerOf<Peer>(hWnd);
  for (const MessageHandler<Peer>& entry : Table) {
    if (entry.Msg == Msg) return peer ? entry.Handle(*peer, hWnd, wParam, lParam) : entry.Missing;
  }
  return StdDefault(peer, hWnd, Msg, wParam, lParam, FocusOnClick);
}

}  // namespace platform::ui
