#include "platform/ui/window_classes/presentation.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

#include "platform/core/window_system/input.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "platform/ui/window_classes/stdclasses.h"
#include "platform/ui/window_classes/window_frame.h"

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

QObject& TimerTarget() {
  static QObject target;
  return target;
}

// Serves the queue's waits with Qt's own event processing.
void InstallEventSource() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  QueueEventSource source;
  source.Wake = [dispatcher] { dispatcher->wakeUp(); };
  source.Wait = [](std::uint32_t timeoutMs) {
    DeleteDisposedWidgets();
    if (timeoutMs == 0) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      return;
    }
    std::unique_ptr<QTimer> timer;
    if (timeoutMs != 0xFFFFFFFFu) {
      timer = std::make_unique<QTimer>(&TimerTarget());
      timer->setSingleShot(true);
      timer->start(static_cast<int>(std::min<std::uint32_t>(timeoutMs, 0x7FFFFFFF)));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  };
  SetQueueEventSource(std::move(source));
}

class PaintedWidget : public QWidget {
 public:
  PaintedWidget(HWND hWnd, QWidget* parent) : QWidget(parent), hwnd_(hWnd) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!IsWindow(hwnd_) || width() <= 0 || height() <= 0) return;
    QImage image(size(), QImage::Format_RGB32);
    image.fill(ToQColor(GetSysColor(COLOR_BTNFACE)));
    HDC dc = CreateImageDC(&image);
    SetPaintDC(hwnd_, dc);
    SendMessageW(hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(hwnd_, WM_PAINT, 0, 0);
    SetPaintDC(hwnd_, nullptr);
    delete dc;
    QPainter(this).drawImage(0, 0, image);
  }
  void resizeEvent(QResizeEvent*) override { SyncBounds(); }
  void moveEvent(QMoveEvent*) override { SyncBounds(); }
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (IsWindow(hwnd_)) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  }

 private:
  // A top-level window the user moved or resized tells the model.
  void SyncBounds() {
    if (!isWindow() || !IsWindow(hwnd_)) return;
    const RECT b = GetWindowBounds(hwnd_);
    const QRect g = geometry();
    if (b.left == g.x() && b.top == g.y() && b.Width() == g.width() && b.Height() == g.height()) return;
    SetWindowPos(hwnd_, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND hwnd_;
};

QWidget* ParentWidgetFor(HWND hWnd) {
  const HWND parent = GetParent(hWnd);
  return parent ? WidgetOf(parent) : nullptr;
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
    case QEvent::KeyRelease: {
      auto* k = static_cast<QKeyEvent*>(event);
      NoteModifiers(k->modifiers());
      UINT vk = VirtualKey(k->key());
      if (vk == 0 && !k->text().isEmpty()) vk = 0xE5;  // a character the layout made
      const LPARAM data = static_cast<LPARAM>((k->nativeScanCode() & 0xFF) << 16) |
                          (event->type() == QEvent::KeyRelease ? static_cast<LPARAM>(0xC0000001u) : 1);
      if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
        SetKeyDown(static_cast<int>(vk), event->type() == QEvent::KeyPress);
      const bool alt = (k->modifiers() & Qt::AltModifier) != 0;
      if (event->type() == QEvent::KeyPress) {
        const QString text = k->text();
        PostKeyDown(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, data, FromQString(text));
      } else {
        PostMessageW(h, alt ? WM_SYSKEYUP : WM_KEYUP, vk, data);
      }
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      auto* m = static_cast<QMouseEvent*>(event);
      NoteModifiers(m->modifiers());
      const bool dbl = (GetClassStyle(h) & CS_DBLCLKS) != 0;
      const UINT msg = MouseMessage(event->type(), m->button(), dbl);
      if (msg == 0) return true;
      const QPoint local = peer_->Widget()->mapFromGlobal(m->globalPosition().toPoint());
      PostMessageW(h, msg, MouseKeys(m->buttons(), m->modifiers()), Point(local));
      return true;
    }
    case QEvent::MouseMove: {
      auto* m = static_cast<QMouseEvent*>(event);
      const QPoint local = peer_->Widget()->mapFromGlobal(m->globalPosition().toPoint());
      PostMessageW(h, WM_MOUSEMOVE, MouseKeys(m->buttons(), m->modifiers()), Point(local));
      return true;
    }
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

QtPeer::QtPeer(HWND hWnd, QWidget* widget, bool managed)
    : hwnd_(hWnd), widget_(widget), router_(std::make_unique<InputRouter>(this)), managed_(managed) {
  Route(widget);
  if (!managed) return;
  const DWORD style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
  if (!(style & WS_CHILD)) {
    widget->setWindowTitle(ToQString(std::u16string()));
  }
  ParentChanged();
  BoundsChanged();
  EnabledChanged();
}

QtPeer::~QtPeer() {
  if (widget_) widget_->removeEventFilter(router_.get());
  if (managed_) DisposeWidget(widget_);
}

void QtPeer::Route(QWidget* w) {
  w->installEventFilter(router_.get());
  w->setFocusPolicy(Qt::NoFocus);
}

void QtPeer::BoundsChanged() {
  if (!managed_ || !widget_) return;
  const RECT b = GetWindowBounds(hwnd_);
  const QRect g(b.left, b.top, b.Width(), b.Height());
  const auto style = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
  if (!(style & WS_CHILD)) {
    PlaceTopLevel(widget_, style, g);
  } else if (widget_->geometry() != g) {
    widget_->setGeometry(g);
  }
}

void QtPeer::VisibleChanged() {
  if (!managed_ || !widget_) return;
  const bool visible = (GetWindowLong(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
  widget_->setVisible(visible);
  // Without a display there is nothing to raise or activate.
  if (visible && widget_->isWindow() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
    widget_->raise();
    const DWORD ex = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_EXSTYLE));
    if (!(ex & WS_EX_TOOLWINDOW)) widget_->activateWindow();
  }
}

void QtPeer::EnabledChanged() {
  if (managed_ && widget_) widget_->setEnabled((GetWindowLong(hwnd_, GWL_STYLE) & WS_DISABLED) == 0);
}

void QtPeer::TextChanged() {
  if (widget_ && widget_->isWindow()) widget_->setWindowTitle(ToQString(WindowTextW(hwnd_)));
}

void QtPeer::StyleChanged() {
  if (!widget_ || !widget_->isWindow()) return;
  const DWORD ex = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_EXSTYLE));
  const bool top = (ex & WS_EX_TOPMOST) != 0;
  if (widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != top) {
    const bool visible = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (visible) widget_->show();
  }
}

void QtPeer::ParentChanged() {
  if (!managed_ || !widget_) return;
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
  QWidget* parent = ParentWidgetFor(hwnd_);
  if (style & WS_CHILD) {
    if (widget_->parentWidget() != parent) widget_->setParent(parent);
  } else {
    const Qt::WindowFlags flags = TopLevelFlags(style, static_cast<DWORD>(GetWindowLong(hwnd_, GWL_EXSTYLE)));
    if (widget_->parentWidget() != parent || widget_->windowFlags() != flags) widget_->setParent(parent, flags);
  }
  BoundsChanged();
  VisibleChanged();
}

void QtPeer::ZOrderChanged() {
  if (!managed_ || !widget_ || widget_->isWindow()) return;
  // Children are listed front to back; restack them all.
  const HWND parent = GetParent(hwnd_);
  const auto siblings = GetChildWindows(parent);
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
    if (QWidget* w = WidgetOf(*it)) w->raise();
  }
}

void QtPeer::FocusChanged(bool focused) {
  if (!widget_ || syncing_) return;
  syncing_ = true;
  if (focused) {
    QWidget* target = KeyTarget();
    if (target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
  } else if (widget_->hasFocus()) {
    widget_->clearFocus();
  }
  syncing_ = false;
}

void QtPeer::Invalidate(const RECT* rect) {
  if (!widget_) return;
  if (rect) {
    widget_->update(QRect(rect->left, rect->top, rect->Width(), rect->Height()));
  } else {
    widget_->update();
  }
}

void QtPeer::Update() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

void QtPeer::Destroying() {
  hwnd_ = nullptr;
  // The peer's parts go before this base: their signal handlers must not
  // run meanwhile.
  if (managed_) SilenceWidget(widget_);
}

void QtPeer::ReplayChar(char16_t unit) {
  QWidget* target = KeyTarget();
  if (!target) return;
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
  router_->replaying = true;
  QCoreApplication::sendEvent(target, &press);
  QCoreApplication::sendEvent(target, &release);
  router_->replaying = false;
}

bool QtPeer::Replay(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!widget_) return false;
  switch (msg) {
    case WM_CHAR:
      ReplayChar(static_cast<char16_t>(wParam));
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      const int key = QtKey(static_cast<UINT>(wParam));
      // Keys that make characters act through WM_CHAR; Tab moves the focus
      // through the dialog handling, never through the widget.
      const bool producesChar = (wParam >= 'A' && wParam <= 'Z') || (wParam >= '0' && wParam <= '9') ||
                                wParam == VK_SPACE || wParam == VK_BACK || wParam == VK_RETURN || wParam == VK_ESCAPE ||
                                wParam == VK_TAB || wParam == 0xE5;
      if (key == Qt::Key_unknown || producesChar) return true;
      QKeyEvent e(msg == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, Modifiers());
      router_->replaying = true;
      if (QWidget* target = KeyTarget()) QCoreApplication::sendEvent(target, &e);
      router_->replaying = false;
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
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
      router_->replaying = true;
      QCoreApplication::sendEvent(target, &e);
      router_->replaying = false;
      return true;
    }
    default:
      return false;
  }
}

PaintedPeer::PaintedPeer(HWND hWnd) : QtPeer(hWnd, new PaintedWidget(hWnd, ParentWidgetFor(hWnd))) {}

QtPeer* PeerOf(HWND hWnd) { return dynamic_cast<QtPeer*>(GetWindowPeer(hWnd)); }

QWidget* WidgetOf(HWND hWnd) {
  QtPeer* p = PeerOf(hWnd);
  return p ? p->Widget() : nullptr;
}

QImage Grab(HWND hWnd) {
  QWidget* w = WidgetOf(hWnd);
  if (!w) return {};
  if (w->isWindow() && !w->isVisible()) {
    w->setAttribute(Qt::WA_DontShowOnScreen, true);
    w->show();
    QImage image = w->grab().toImage();
    w->hide();
    w->setAttribute(Qt::WA_DontShowOnScreen, false);
    return image;
  }
  return w->grab().toImage();
}

void InitializeUi() {
  EnsureApplication();
  BindUiThread();
  static bool done = false;
  if (done) return;
  done = true;
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setFont(ToQFont(LOGFONT{}));
  InstallEventSource();
  ServeQueueInModalLoops();
  SetDefaultPeerFactory([](HWND h) -> std::unique_ptr<WindowPeer> { return std::make_unique<PaintedPeer>(h); });
  RegisterStandardClasses();
}

bool SaveWindowImage(HWND hWnd, const std::string& fileName) {
  const QImage image = Grab(hWnd);
  return !image.isNull() && image.save(QString::fromStdString(fileName), "PNG");
}

}  // namespace platform::ui

namespace platform {

bool GetCursorPos(POINT* pt) {
  if (!pt) return false;
  ui::EnsureApplication();
  const QPoint p = QCursor::pos();
  *pt = POINT{p.x(), p.y()};
  return true;
}

}  // namespace platform
