#include "platform/ui/window_classes/presentation.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "platform/ui/window_classes/stdclasses.h"
#include "platform/ui/window_classes/window_frame.h"

namespace platform::ui {
namespace {

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

void CheckUi(const char* call) {
  if (!IsUiThread()) FailThreadCheck(call, "off the user-interface thread");
  const QCoreApplication* app = QCoreApplication::instance();
  if (!app || app->thread() != QThread::currentThread()) FailThreadCheck(call, "before the user interface was started");
}

// The Qt application is made here, on the thread that becomes the
// user-interface thread, and on no other.
void InitializeUi() {
  BindUiThread();
  if (!IsUiThread()) FailThreadCheck("InitializeUi", "while another thread serves as the user-interface thread");
  static bool done = false;
  if (done) return;
  done = true;
  static int argc = 1;
  static char name[] = "veltrosa";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QApplication(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setFont(ToQFont(LOGFONT{}));
  InstallEventSource();
  ServeQueueInModalLoops();
  SetDefaultPeerFactory([](HWND h) -> std::unique_ptr<WindowPeer> { return std::make_unique<PaintedPeer>(h); });
  RegisterStandardClasses();
}

bool SaveWindowImage(HWND hWnd, const std::string& fileName) {
  RequireUi();
  const QImage image = Grab(hWnd);
  return !image.isNull() && image.save(QString::fromStdString(fileName), "PNG");
}

}  // namespace platform::ui

namespace platform {

bool GetCursorPos(POINT* pt) {
  ui::RequireUi();
  if (!pt) return false;
  const QPoint p = QCursor::pos();
  *pt = POINT{p.x(), p.y()};
  return true;
}

}  // namespace platform
