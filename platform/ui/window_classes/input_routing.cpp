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
#include "platform/core/window_system/input_target.h"
#include "platform/core/window_system/menus.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/message_beep.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace platform::ui {
namespace {

// The keypad's keys that type: digits and operators. With Num Lock off the
// keypad reports its navigation keys, which are the ordinary ones.
UINT KeypadKey(int Key) {
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9) return static_cast<UINT>(VK_NUMPAD0 + (Key - Qt::Key_0));
  switch (Key) {
    case Qt::Key_Asterisk:
      return VK_MULTIPLY;
    case Qt::Key_Plus:
      return VK_ADD;
    case Qt::Key_Minus:
      return VK_SUBTRACT;
    case Qt::Key_Slash:
      return VK_DIVIDE;
    // The decimal key types a comma in some layouts.
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return VK_DECIMAL;
    default:
      return 0;
  }
}

UINT VirtualKey(int Key, Qt::KeyboardModifiers Modifiers) {
  if (Modifiers & Qt::KeypadModifier) {
    if (const UINT vk = KeypadKey(Key)) return vk;
  }
  if (Key >= Qt::Key_A && Key <= Qt::Key_Z) return static_cast<UINT>('A' + (Key - Qt::Key_A));
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9) return static_cast<UINT>('0' + (Key - Qt::Key_0));
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return static_cast<UINT>(VK_F1 + (Key - Qt::Key_F1));
  switch (Key) {
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
    case Qt::Key_Pause:
      return VK_PAUSE;
    case Qt::Key_CapsLock:
      return VK_CAPITAL;
    case Qt::Key_NumLock:
      return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
      return VK_SCROLL;
    // With Alt held the desktop reports Print Screen as SysRq.
    case Qt::Key_Print:
    case Qt::Key_SysReq:
      return VK_SNAPSHOT;
    case Qt::Key_Super_L:
      return VK_LWIN;
    case Qt::Key_Super_R:
      return VK_RWIN;
    case Qt::Key_Menu:
      return VK_APPS;
    default:
      return 0;
  }
}

int QtKey(UINT Vk) {
  if (Vk >= 'A' && Vk <= 'Z') return Qt::Key_A + static_cast<int>(Vk - 'A');
  if (Vk >= '0' && Vk <= '9') return Qt::Key_0 + static_cast<int>(Vk - '0');
  if (Vk >= VK_F1 && Vk < VK_F1 + 24) return Qt::Key_F1 + static_cast<int>(Vk - VK_F1);
  switch (Vk) {
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

void NoteModifiers(Qt::KeyboardModifiers M) {
  SetKeyDown(VK_SHIFT, M & Qt::ShiftModifier);
  SetKeyDown(VK_CONTROL, M & Qt::ControlModifier);
  SetKeyDown(VK_MENU, M & Qt::AltModifier);
}

WPARAM MouseKeys(Qt::MouseButtons B, Qt::KeyboardModifiers M) {
  WPARAM w = 0;
  if (B & Qt::LeftButton) w |= MK_LBUTTON;
  if (B & Qt::RightButton) w |= MK_RBUTTON;
  if (B & Qt::MiddleButton) w |= MK_MBUTTON;
  if (M & Qt::ShiftModifier) w |= MK_SHIFT;
  if (M & Qt::ControlModifier) w |= MK_CONTROL;
  return w;
}

UINT MouseMessage(QEvent::Type Type, Qt::MouseButton Button, bool DoubleClicks) {
  const bool dbl = Type == QEvent::MouseButtonDblClick && DoubleClicks;
  const bool down = Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick;
  switch (Button) {
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

LPARAM Point(const QPoint& P) {
  return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(P.x())),
                    static_cast<WORD>(static_cast<std::int16_t>(P.y())));
}

// Alt is held for the Alt key itself too, which Qt reports before it counts.
bool AltHeld(const QKeyEvent& K) { return (K.modifiers() & Qt::AltModifier) || K.key() == Qt::Key_Alt; }

// Key data as the window system gives it: the scan code in bits 16-23, Alt
// held in bit 29, a repeat in bit 30 and a release in bits 30 and 31.
LPARAM KeyData(const QKeyEvent& K) {
  DWORD data = 1 | ((K.nativeScanCode() & 0xFF) << 16);
  if (AltHeld(K)) data |= 1u << 29;
  if (K.type() == QEvent::KeyRelease) {
    data |= 3u << 30;
  } else if (K.isAutoRepeat()) {
    data |= 1u << 30;
  }
  return static_cast<LPARAM>(data);
}

void PostKey(HWND hWnd, const QKeyEvent& K) {
  NoteModifiers(K.modifiers());
  UINT vk = VirtualKey(K.key(), K.modifiers());
  if (vk == 0 && !K.text().isEmpty()) vk = 0xE5;  // a character the layout made
  const bool press = K.type() == QEvent::KeyPress;
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) SetKeyDown(static_cast<int>(vk), press);
  const bool alt = AltHeld(K);
  if (press) {
    PostKeyDown(hWnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyData(K), FromQString(K.text()));
  } else {
    PostMessageW(hWnd, alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyData(K));
  }
}

// The pointer in the window's client area, which a menu bar pushes down.
QPoint ClientPoint(HWND hWnd, QWidget* Widget, const QMouseEvent& M) {
  return Widget->mapFromGlobal(M.globalPosition().toPoint()) - QPoint(0, detail::MenuBarBand(hWnd));
}

void PostMouseButton(HWND hWnd, QWidget* Widget, const QMouseEvent& M) {
  NoteModifiers(M.modifiers());
  const bool dbl = (GetClassStyle(hWnd) & CS_DBLCLKS) != 0;
  const UINT msg = MouseMessage(M.type(), M.button(), dbl);
  if (msg == 0) return;
  const QPoint local = ClientPoint(hWnd, Widget, M);
  PostMessageW(hWnd, msg, MouseKeys(M.buttons(), M.modifiers()), Point(local));
}

void PostMouseMove(HWND hWnd, QWidget* Widget, const QMouseEvent& M) {
  const QPoint local = ClientPoint(hWnd, Widget, M);
  PostMessageW(hWnd, WM_MOUSEMOVE, MouseKeys(M.buttons(), M.modifiers()), Point(local));
}

// The wheel's turn in 120ths of a notch in the upper word, the point on the
// screen.
void PostWheel(HWND hWnd, const QWheelEvent& W) {
  NoteModifiers(W.modifiers());
  const int delta = W.angleDelta().y();
  if (delta == 0) return;
  const auto turn = static_cast<WORD>(static_cast<std::int16_t>(std::clamp(delta, -32768, 32767)));
  PostMessageW(hWnd, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(MouseKeys(W.buttons(), W.modifiers())), turn),
               Point(W.globalPosition().toPoint()));
}

// An input method's committed text comes as the characters it is made of.
// The commit also ends the composition the widget shows; that part is let
// through without the text.
bool PostCommit(HWND hWnd, QObject* Watched, InputRouter& Router, const QInputMethodEvent& E) {
  const QString commit = E.commitString();
  if (commit.isEmpty()) return false;
  for (const QChar c : commit) PostMessageW(hWnd, WM_CHAR, c.unicode(), 1);
  QInputMethodEvent ended;
  Router.Replaying = true;
  QCoreApplication::sendEvent(Watched, &ended);
  Router.Replaying = false;
  return true;
}

// From the keyboard the menu has no point: -1, -1, as the window system has it.
void PostContextMenu(HWND hWnd, const QContextMenuEvent& C) {
  const LPARAM where = C.reason() == QContextMenuEvent::Keyboard ? MAKELPARAM(0xFFFF, 0xFFFF) : Point(C.globalPos());
  PostMessageW(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), where);
}

bool IsTextField(const QWidget* W) {
  return qobject_cast<const QLineEdit*>(W) || qobject_cast<const QPlainTextEdit*>(W);
}

// The clipboard keys of a text field act through the window's own messages,
// where a procedure in front of the control sees them.
UINT ClipboardMessageForChar(char16_t Unit) {
  switch (Unit) {
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
void Deliver(QPointer<InputRouter> Router, QPointer<QWidget> Target, std::initializer_list<QEvent*> Events) {
  for (QEvent* e : Events) {
    if (!Router || !Target) return;
    Router->Replaying = true;
    QCoreApplication::sendEvent(Target, e);
    if (Router) Router->Replaying = false;
  }
}

UINT ClipboardMessageForKey(UINT Vk) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (Vk == VK_DELETE && shift) return WM_CUT;
  if (Vk == VK_INSERT && shift) return WM_PASTE;
  if (Vk == VK_INSERT && control) return WM_COPY;
  return 0;
}

// A press on a window whose top-level window is disabled brings forward
// the window that keeps it so (a modal window it owns), with the warning
// sound, as the window system answers such a click.
void RefusePress(HWND hWnd) {
  MessageBeep(0);
  const HWND popup = GetEnabledPopup(GetAncestorRoot(hWnd));
  QWidget* widget = popup ? WidgetOf(popup) : nullptr;
  if (!widget) return;
  widget->raise();
  widget->activateWindow();
}

}  // namespace

bool InputRouter::eventFilter(QObject* Watched, QEvent* Event) {
  if (Replaying) return false;
  const HWND h = peer_->Hwnd;
  if (!IsWindow(h)) return false;
  switch (Event->type()) {
    case QEvent::ShortcutOverride:
      Event->accept();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (TakesKeyboardInput(h)) PostKey(h, *static_cast<QKeyEvent*>(Event));
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      if (const HWND target = MouseInputWindow(h); target && WidgetOf(target)) {
        PostMouseButton(target, WidgetOf(target), *static_cast<QMouseEvent*>(Event));
      } else if (!target && Event->type() == QEvent::MouseButtonPress) {
        RefusePress(h);
      }
      return true;
    case QEvent::MouseMove:
      if (const HWND target = MouseInputWindow(h); target && WidgetOf(target)) {
        PostMouseMove(target, WidgetOf(target), *static_cast<QMouseEvent*>(Event));
      }
      return true;
    case QEvent::Wheel:
      if (const HWND target = MouseInputWindow(h)) PostWheel(target, *static_cast<QWheelEvent*>(Event));
      return true;
    case QEvent::InputMethod:
      if (!TakesKeyboardInput(h)) return true;
      return PostCommit(h, Watched, *this, *static_cast<QInputMethodEvent*>(Event));
    case QEvent::ContextMenu:
      if (const HWND target = MouseInputWindow(h)) PostContextMenu(target, *static_cast<QContextMenuEvent*>(Event));
      return true;
    // Text is never dropped behind the window's procedures.
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      Event->ignore();
      return true;
    case QEvent::Leave:
      if (Watched == peer_->Widget()) PostMessageW(h, WM_MOUSELEAVE, 0, 0);
      return false;
    // A window that takes no keys does not take the focus either.
    case QEvent::FocusIn:
      if (GetFocus() != h && !peer_->Syncing && TakesKeyboardInput(h)) {
        peer_->Syncing = true;
        SetFocus(h);
        peer_->Syncing = false;
      }
      return false;
    default:
      return false;
  }
}

// Mouse moves arrive whether a button is held or not, as the window system
// sends them.
void QtPeer::Route(QWidget* W) {
  W->installEventFilter(Router.get());
  W->setFocusPolicy(Qt::NoFocus);
  W->setMouseTracking(true);
  W->setAcceptDrops(false);
}

void QtPeer::ReplayChar(char16_t Unit) {
  QWidget* target = KeyTarget();
  if (!target) return;
  if (IsTextField(target)) {
    if (const UINT clipboard = ClipboardMessageForChar(Unit)) {
      SendMessageW(Hwnd, clipboard, 0, 0);
      return;
    }
    // A text field has no redo of its own.
    if (Unit == 25) return;
  }
  QString text;
  if (Unit >= 0xD800 && Unit < 0xDC00) {
    pendingHigh_ = Unit;
    return;
  }
  if (Unit >= 0xDC00 && Unit < 0xE000 && pendingHigh_) {
    text = QString(QChar(pendingHigh_)) + QChar(Unit);
  } else {
    text = QString(QChar(Unit));
  }
  pendingHigh_ = 0;
  int key = Qt::Key_unknown;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  switch (Unit) {
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
      if (Unit >= 1 && Unit <= 26) {
        key = Qt::Key_A + (Unit - 1);
        mods = Qt::ControlModifier;
      }
      break;
  }
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  Deliver(Router.get(), target, {&press, &release});
}

void QtPeer::ReplayKey(UINT Msg, WPARAM Vk) {
  QWidget* target = KeyTarget();
  const int key = QtKey(static_cast<UINT>(Vk));
  // Keys that make characters act through WM_CHAR; Tab moves the focus
  // through the dialog handling, never through the widget.
  const bool producesChar = (Vk >= 'A' && Vk <= 'Z') || (Vk >= '0' && Vk <= '9') || Vk == VK_SPACE || Vk == VK_BACK ||
                            Vk == VK_RETURN || Vk == VK_ESCAPE || Vk == VK_TAB || Vk == 0xE5;
  if (!target || key == Qt::Key_unknown || producesChar) return;
  if (IsTextField(target)) {
    if (const UINT clipboard = ClipboardMessageForKey(static_cast<UINT>(Vk))) {
      if (Msg == WM_KEYDOWN) SendMessageW(Hwnd, clipboard, 0, 0);
      return;
    }
  }
  QKeyEvent e(Msg == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, Modifiers());
  Deliver(Router.get(), target, {&e});
}

void QtPeer::ReplayMouse(UINT Msg, WPARAM wParam, LPARAM lParam) {
  const QPoint pos(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QWidget* target = PeerWidget->childAt(pos);
  if (!target) target = PeerWidget;
  const QPoint local = target->mapFrom(PeerWidget, pos);
  const QPoint global = PeerWidget->mapToGlobal(pos);
  QEvent::Type type = QEvent::MouseMove;
  Qt::MouseButton button = Qt::NoButton;
  if (Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN) type = QEvent::MouseButtonPress;
  if (Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP) type = QEvent::MouseButtonRelease;
  if (Msg == WM_LBUTTONDBLCLK) type = QEvent::MouseButtonDblClick;
  if (Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONUP || Msg == WM_LBUTTONDBLCLK) button = Qt::LeftButton;
  if (Msg == WM_RBUTTONDOWN || Msg == WM_RBUTTONUP) button = Qt::RightButton;
  Qt::MouseButtons buttons;
  if (wParam & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (wParam & MK_RBUTTON) buttons |= Qt::RightButton;
  QMouseEvent e(type, QPointF(local), QPointF(global), button, buttons, Modifiers());
  Deliver(Router.get(), target, {&e});
}

// The part of the widget under the point takes the turn (a scroll area's
// viewport); whether it took it tells the caller.
bool QtPeer::ReplayWheel(WPARAM wParam, LPARAM lParam) {
  const QPoint global(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QWidget* target = PeerWidget->childAt(PeerWidget->mapFromGlobal(global));
  if (!target) target = PeerWidget;
  Qt::MouseButtons buttons;
  if (wParam & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (wParam & MK_RBUTTON) buttons |= Qt::RightButton;
  const int turn = static_cast<std::int16_t>(HIWORD(wParam));
  QWheelEvent e(QPointF(target->mapFromGlobal(global)), QPointF(global), QPoint(), QPoint(0, turn), buttons,
                Modifiers(), Qt::NoScrollPhase, false);
  e.setAccepted(false);
  Deliver(Router.get(), target, {&e});
  return e.isAccepted();
}

bool QtPeer::Replay(UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!PeerWidget) return false;
  switch (Msg) {
    case WM_CHAR:
      ReplayChar(static_cast<char16_t>(wParam));
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
      ReplayKey(Msg, wParam);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      ReplayMouse(Msg, wParam, lParam);
      return true;
    case WM_MOUSEWHEEL:
      return ReplayWheel(wParam, lParam);
    default:
      return false;
  }
}

}  // namespace platform::ui
