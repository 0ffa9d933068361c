// The routing of the user's input: Qt's key, mouse, wheel, input-method,
// context-menu and drag events on a window's widgets become messages in the
// window's queue, so that they pass through its window procedures; what
// reaches the control's own procedure is handed back to the widget.

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "platform/core/window_system/input.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace platform::ui {
namespace {

UINT VirtualKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<UINT>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<UINT>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<UINT>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    default:
      return 0;
  }
}

int QtKey(UINT vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + static_cast<int>(vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + static_cast<int>(vk - '0');
  if (vk >= VK_F1 && vk < VK_F1 + 24) return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
  switch (vk) {
    case VK_BACK:
      return Qt::Key_Backspace;
    case VK_TAB:
      return Qt::Key_Tab;
    case VK_RETURN:
      return Qt::Key_Return;
    case VK_ESCAPE:
      return Qt::Key_Escape;
    case VK_SPACE:
      return Qt::Key_Space;
    case VK_PRIOR:
      return Qt::Key_PageUp;
    case VK_NEXT:
      return Qt::Key_PageDown;
    case VK_END:
      return Qt::Key_End;
    case VK_HOME:
      return Qt::Key_Home;
    case VK_LEFT:
      return Qt::Key_Left;
    case VK_UP:
      return Qt::Key_Up;
    case VK_RIGHT:
      return Qt::Key_Right;
    case VK_DOWN:
      return Qt::Key_Down;
    case VK_INSERT:
      return Qt::Key_Insert;
    case VK_DELETE:
      return Qt::Key_Delete;
    default:
      return Qt::Key_unknown;
  }
}

Qt::KeyboardModifiers Modifiers() {
  Qt::KeyboardModifiers m;
  if (GetKeyState(VK_SHIFT) < 0) m |= Qt::ShiftModifier;
  if (GetKeyState(VK_CONTROL) < 0) m |= Qt::ControlModifier;
  if (GetKeyState(VK_MENU) < 0) m |= Qt::AltModifier;
  return m;
}

void NoteModifiers(Qt::KeyboardModifiers m) {
  SetKeyDown(VK_SHIFT, m & Qt::ShiftModifier);
  SetKeyDown(VK_CONTROL, m & Qt::ControlModifier);
  SetKeyDown(VK_MENU, m & Qt::AltModifier);
}

WPARAM MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  WPARAM w = 0;
  if (b & Qt::LeftButton) w |= MK_LBUTTON;
  if (b & Qt::RightButton) w |= MK_RBUTTON;
  if (b & Qt::MiddleButton) w |= MK_MBUTTON;
  if (m & Qt::ShiftModifier) w |= MK_SHIFT;
  if (m & Qt::ControlModifier) w |= MK_CONTROL;
  return w;
}

UINT MouseMessage(QEvent::Type type, Qt::MouseButton button, bool doubleClicks) {
  const bool dbl = type == QEvent::MouseButtonDblClick && doubleClicks;
  const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  switch (button) {
    case Qt::LeftButton:
      return dbl ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton:
      return dbl ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton:
      return dbl ? WM_MBUTTONDBLCLK : down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
      return 0;
  }
}

LPARAM Point(const QPoint& p) {
  return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(p.x())),
                    static_cast<WORD>(static_cast<std::int16_t>(p.y())));
}

// Alt is held for the Alt key itself too, which Qt reports before it counts.
bool AltHeld(const QKeyEvent& k) { return (k.modifiers() & Qt::AltModifier) || k.key() == Qt::Key_Alt; }

// Key data as the window system gives it: the scan code in bits 16-23, Alt
// held in bit 29, a repeat in bit 30 and a release in bits 30 and 31.
LPARAM KeyData(const QKeyEvent& k) {
  DWORD data = 1 | ((k.nativeScanCode() & 0xFF) << 16);
  if (AltHeld(k)) data |= 1u << 29;
  if (k.type() == QEvent::KeyRelease) {
    data |= 3u << 30;
  } else if (k.isAutoRepeat()) {
    data |= 1u << 30;
  }
  return static_cast<LPARAM>(data);
}

void PostKey(HWND h, const QKeyEvent& k) {
  NoteModifiers(k.modifiers());
  UINT vk = VirtualKey(k.key());
  if (vk == 0 && !k.text().isEmpty()) vk = 0xE5;  // a character the layout made
  const bool press = k.type() == QEvent::KeyPress;
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) SetKeyDown(static_cast<int>(vk), press);
  const bool alt = AltHeld(k);
  if (press) {
    PostKeyDown(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyData(k), FromQString(k.text()));
  } else {
    PostMessageW(h, alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyData(k));
  }
}

void PostMouseButton(HWND h, QWidget* widget, const QMouseEvent& m) {
  NoteModifiers(m.modifiers());
  const bool dbl = (GetClassStyle(h) & CS_DBLCLKS) != 0;
  const UINT msg = MouseMessage(m.type(), m.button(), dbl);
  if (msg == 0) return;
  const QPoint local = widget->mapFromGlobal(m.globalPosition().toPoint());
  PostMessageW(h, msg, MouseKeys(m.buttons(), m.modifiers()), Point(local));
}

void PostMouseMove(HWND h, QWidget* widget, const QMouseEvent& m) {
  const QPoint local = widget->mapFromGlobal(m.globalPosition().toPoint());
  PostMessageW(h, WM_MOUSEMOVE, MouseKeys(m.buttons(), m.modifiers()), Point(local));
}

// The wheel's turn in 120ths of a notch in the upper word, the point on the
// screen.
void PostWheel(HWND h, const QWheelEvent& w) {
  NoteModifiers(w.modifiers());
  const int delta = w.angleDelta().y();
  if (delta == 0) return;
  const auto turn = static_cast<WORD>(static_cast<std::int16_t>(std::clamp(delta, -32768, 32767)));
  PostMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(MouseKeys(w.buttons(), w.modifiers())), turn),
               Point(w.globalPosition().toPoint()));
}

// An input method's committed text comes as the characters it is made of.
// The commit also ends the composition the widget shows; that part is let
// through without the text.
bool PostCommit(HWND h, QObject* watched, InputRouter& router, const QInputMethodEvent& e) {
  const QString commit = e.commitString();
  if (commit.isEmpty()) return false;
  for (const QChar c : commit) PostMessageW(h, WM_CHAR, c.unicode(), 1);
  QInputMethodEvent ended;
  router.replaying = true;
  QCoreApplication::sendEvent(watched, &ended);
  router.replaying = false;
  return true;
}

// From the keyboard the menu has no point: -1, -1, as the window system has it.
void PostContextMenu(HWND h, const QContextMenuEvent& c) {
  const LPARAM where = c.reason() == QContextMenuEvent::Keyboard ? MAKELPARAM(0xFFFF, 0xFFFF) : Point(c.globalPos());
  PostMessageW(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), where);
}

bool IsTextField(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// The clipboard keys of a text field act through the window's own messages,
// where a procedure in front of the control sees them.
UINT ClipboardMessageForChar(char16_t unit) {
  switch (unit) {
    case 3:
      return WM_COPY;
    case 22:
      return WM_PASTE;
    case 24:
      return WM_CUT;
    case 26:
      return WM_UNDO;
    default:
      return 0;
  }
}

// Hands events to a widget as replayed input. What an event sets off may
// free the control, its peer and router included; nothing of them is
// touched once that has happened, and no later event is handed on.
void Deliver(QPointer<InputRouter> router, QPointer<QWidget> target, std::initializer_list<QEvent*> events) {
  for (QEvent* e : events) {
    if (!router || !target) return;
    router->replaying = true;
    QCoreApplication::sendEvent(target, e);
    if (router) router->replaying = false;
  }
}

UINT ClipboardMessageForKey(UINT vk) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (vk == VK_DELETE && shift) return WM_CUT;
  if (vk == VK_INSERT && shift) return WM_PASTE;
  if (vk == VK_INSERT && control) return WM_COPY;
  return 0;
}

}  // namespace

bool InputRouter::eventFilter(QObject* watched, QEvent* event) {
  if (replaying) return false;
  const HWND h = peer_->hwnd_;
  if (!IsWindow(h)) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      event->accept();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      PostKey(h, *static_cast<QKeyEvent*>(event));
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      PostMouseButton(h, peer_->Widget(), *static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseMove:
      PostMouseMove(h, peer_->Widget(), *static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::Wheel:
      PostWheel(h, *static_cast<QWheelEvent*>(event));
      return true;
    case QEvent::InputMethod:
      return PostCommit(h, watched, *this, *static_cast<QInputMethodEvent*>(event));
    case QEvent::ContextMenu:
      PostContextMenu(h, *static_cast<QContextMenuEvent*>(event));
      return true;
    // Text is never dropped behind the window's procedures.
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      event->ignore();
      return true;
    case QEvent::Leave:
      if (watched == peer_->Widget()) PostMessageW(h, WM_MOUSELEAVE, 0, 0);
      return false;
    case QEvent::FocusIn:
      if (GetFocus() != h && !peer_->syncing_) {
        peer_->syncing_ = true;
        SetFocus(h);
        peer_->syncing_ = false;
      }
      return false;
    default:
      return false;
  }
}

// Mouse moves arrive whether a button is held or not, as the window system
// sends them.
void QtPeer::Route(QWidget* w) {
  w->installEventFilter(router_.get());
  w->setFocusPolicy(Qt::NoFocus);
  w->setMouseTracking(true);
  w->setAcceptDrops(false);
}

void QtPeer::ReplayChar(char16_t unit) {
  QWidget* target = KeyTarget();
  if (!target) return;
  if (IsTextField(target)) {
    if (const UINT clipboard = ClipboardMessageForChar(unit)) {
      SendMessageW(hwnd_, clipboard, 0, 0);
      return;
    }
    // A text field has no redo of its own.
    if (unit == 25) return;
  }
  QString text;
  if (unit >= 0xD800 && unit < 0xDC00) {
    pendingHigh_ = unit;
    return;
  }
  if (unit >= 0xDC00 && unit < 0xE000 && pendingHigh_) {
    text = QString(QChar(pendingHigh_)) + QChar(unit);
  } else {
    text = QString(QChar(unit));
  }
  pendingHigh_ = 0;
  int key = Qt::Key_unknown;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  switch (unit) {
    case 8:
      key = Qt::Key_Backspace;
      break;
    case 9:
      key = Qt::Key_Tab;
      break;
    case 13:
      key = Qt::Key_Return;
      break;
    case 27:
      key = Qt::Key_Escape;
      break;
    default:
      if (unit >= 1 && unit <= 26) {
        key = Qt::Key_A + (unit - 1);
        mods = Qt::ControlModifier;
      }
      break;
  }
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  Deliver(router_.get(), target, {&press, &release});
}

void QtPeer::ReplayKey(UINT msg, WPARAM vk) {
  QWidget* target = KeyTarget();
  const int key = QtKey(static_cast<UINT>(vk));
  // Keys that make characters act through WM_CHAR; Tab moves the focus
  // through the dialog handling, never through the widget.
  const bool producesChar = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE || vk == VK_BACK ||
                            vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_TAB || vk == 0xE5;
  if (!target || key == Qt::Key_unknown || producesChar) return;
  if (IsTextField(target)) {
    if (const UINT clipboard = ClipboardMessageForKey(static_cast<UINT>(vk))) {
      if (msg == WM_KEYDOWN) SendMessageW(hwnd_, clipboard, 0, 0);
      return;
    }
  }
  QKeyEvent e(msg == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, Modifiers());
  Deliver(router_.get(), target, {&e});
}

void QtPeer::ReplayMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const QPoint pos(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QWidget* target = widget_->childAt(pos);
  if (!target) target = widget_;
  const QPoint local = target->mapFrom(widget_, pos);
  const QPoint global = widget_->mapToGlobal(pos);
  QEvent::Type type = QEvent::MouseMove;
  Qt::MouseButton button = Qt::NoButton;
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) type = QEvent::MouseButtonPress;
  if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) type = QEvent::MouseButtonRelease;
  if (msg == WM_LBUTTONDBLCLK) type = QEvent::MouseButtonDblClick;
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK) button = Qt::LeftButton;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) button = Qt::RightButton;
  Qt::MouseButtons buttons;
  if (wParam & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (wParam & MK_RBUTTON) buttons |= Qt::RightButton;
  QMouseEvent e(type, QPointF(local), QPointF(global), button, buttons, Modifiers());
  Deliver(router_.get(), target, {&e});
}

// The part of the widget under the point takes the turn (a scroll area's
// viewport); whether it took it tells the caller.
bool QtPeer::ReplayWheel(WPARAM wParam, LPARAM lParam) {
  const QPoint global(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QWidget* target = widget_->childAt(widget_->mapFromGlobal(global));
  if (!target) target = widget_;
  Qt::MouseButtons buttons;
  if (wParam & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (wParam & MK_RBUTTON) buttons |= Qt::RightButton;
  const int turn = static_cast<std::int16_t>(HIWORD(wParam));
  QWheelEvent e(QPointF(target->mapFromGlobal(global)), QPointF(global), QPoint(), QPoint(0, turn), buttons,
                Modifiers(), Qt::NoScrollPhase, false);
  e.setAccepted(false);
  Deliver(router_.get(), target, {&e});
  return e.isAccepted();
}

bool QtPeer::Replay(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!widget_) return false;
  switch (msg) {
    case WM_CHAR:
      ReplayChar(static_cast<char16_t>(wParam));
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
      ReplayKey(msg, wParam);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      ReplayMouse(msg, wParam, lParam);
      return true;
    case WM_MOUSEWHEEL:
      return ReplayWheel(wParam, lParam);
    default:
      return false;
  }
}

}  // namespace platform::ui
