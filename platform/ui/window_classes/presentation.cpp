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
#include <filesystem>

#include "platform/core/os/modules.h"
#include "platform/core/window_system/input_target.h"
#include "platform/core/window_system/mdi.h"
#include "platform/core/window_system/menus.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/ui/window_classes/layered_presentation.h"
#include "platform/ui/window_classes/mdi_presentation.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "platform/ui/window_classes/setting_broadcasts.h"
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
  source.Wait = [](std::uint32_t TimeoutMs) {
    DeleteDisposedWidgets();
    if (TimeoutMs == 0) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      return;
    }
    std::unique_ptr<QTimer> timer;
    if (TimeoutMs != 0xFFFFFFFFu) {
      timer = std::make_unique<QTimer>(&TimerTarget());
      timer->setSingleShot(true);
      timer->start(static_cast<int>(std::min<std::uint32_t>(TimeoutMs, 0x7FFFFFFF)));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  };
  SetQueueEventSource(std::move(source));
}

class PaintedWidget : public QWidget {
 public:
  PaintedWidget(HWND hWnd, QWidget* Parent) : QWidget(Parent), hwnd_(hWnd) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    // A menu bar takes the band above the client area.
    const int band = detail::MenuBarBand(hwnd_);
    if (!IsWindow(hwnd_) || width() <= 0 || height() <= band) return;
    QImage image(width(), height() - band, QImage::Format_RGB32);
    image.fill(ToQColor(GetSysColor(COLOR_BTNFACE)));
    HDC dc = CreateImageDC(&image);
    SetPaintDC(hwnd_, dc);
    SendMessageW(hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(hwnd_, WM_PAINT, 0, 0);
    SetPaintDC(hwnd_, nullptr);
    delete dc;
    QPainter(this).drawImage(0, band, image);
    RefreshColorKey(hwnd_);
  }
  void resizeEvent(QResizeEvent*) override { SyncBounds(); }
  void moveEvent(QMoveEvent*) override { SyncBounds(); }
  void closeEvent(QCloseEvent* E) override {
    E->ignore();
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

QtPeer::QtPeer(HWND hWnd, QWidget* Widget, bool IsManaged)
    : Hwnd(hWnd), PeerWidget(Widget), Router(std::make_unique<InputRouter>(this)), Managed(IsManaged) {
  Route(Widget);
  if (!IsManaged) return;
  const DWORD style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
  // A window made with its title shows it from the start.
  if (!(style & WS_CHILD)) {
    std::u16string title(static_cast<std::size_t>(DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
    title.resize(static_cast<std::size_t>(
        DefWindowProcW(hWnd, WM_GETTEXT, title.size(), reinterpret_cast<LPARAM>(title.data()))));
    Widget->setWindowTitle(ToQString(title));
  }
  ParentChanged();
  BoundsChanged();
  EnabledChanged();
}

QtPeer::~QtPeer() {
  if (PeerWidget) PeerWidget->removeEventFilter(Router.get());
  if (Managed) DisposeWidget(PeerWidget);
}

void QtPeer::BoundsChanged() {
  if (!Managed || !PeerWidget) return;
  const RECT b = GetWindowBounds(Hwnd);
  const QRect g(b.left, b.top, b.Width(), b.Height());
  const auto style = static_cast<DWORD>(GetWindowLong(Hwnd, GWL_STYLE));
  if (!(style & WS_CHILD)) {
    PlaceTopLevel(PeerWidget, style, g);
  } else if (const QRect placed = g.translated(0, detail::MenuBarBand(GetParent(Hwnd)));
             PeerWidget->geometry() != placed) {
    PeerWidget->setGeometry(placed);
  }
}

void QtPeer::VisibleChanged() {
  if (!Managed || !PeerWidget) return;
  const bool visible = (GetWindowLong(Hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  // A window shown while its owner is disabled is a modal window: the
  // window manager keeps it above the program's other windows, which take
  // no input meanwhile. Qt takes the modality only while the widget is
  // hidden.
  if (visible && PeerWidget->isWindow() && !PeerWidget->isVisible()) {
    PeerWidget->setWindowModality(IsOwnedByDisabledWindow(Hwnd) ? Qt::ApplicationModal : Qt::NonModal);
  }
  PeerWidget->setVisible(visible);
  if (!visible) PeerWidget->setWindowModality(Qt::NonModal);
  // Without a display there is nothing to raise or activate.
  if (visible && PeerWidget->isWindow() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
    PeerWidget->raise();
    const DWORD ex = static_cast<DWORD>(GetWindowLong(Hwnd, GWL_EXSTYLE));
    if (!(ex & WS_EX_TOOLWINDOW)) PeerWidget->activateWindow();
  }
}

// A disabled top-level window takes no input (see InputRouter) but keeps
// its look: its controls show their own state, not its.
void QtPeer::EnabledChanged() {
  if (!Managed || !PeerWidget) return;
  PeerWidget->setEnabled(PeerWidget->isWindow() || (GetWindowLong(Hwnd, GWL_STYLE) & WS_DISABLED) == 0);
}

void QtPeer::TextChanged() {
  if (PeerWidget && PeerWidget->isWindow()) PeerWidget->setWindowTitle(ToQString(WindowTextW(Hwnd)));
}

void QtPeer::StyleChanged() {
  if (!PeerWidget || !PeerWidget->isWindow()) return;
  const DWORD ex = static_cast<DWORD>(GetWindowLong(Hwnd, GWL_EXSTYLE));
  const bool top = (ex & WS_EX_TOPMOST) != 0;
  if (PeerWidget->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != top) {
    const bool visible = PeerWidget->isVisible();
    PeerWidget->setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (visible) PeerWidget->show();
  }
  ShowLayeredAttributes(Hwnd, PeerWidget);
}

void QtPeer::ParentChanged() {
  if (!Managed || !PeerWidget) return;
  const DWORD style = static_cast<DWORD>(GetWindowLong(Hwnd, GWL_STYLE));
  QWidget* parent = ParentWidgetFor(Hwnd);
  if (style & WS_CHILD) {
    if (PeerWidget->parentWidget() != parent) PeerWidget->setParent(parent);
  } else {
    const Qt::WindowFlags flags =
        TopLevelFlags(style, static_cast<DWORD>(GetWindowLong(Hwnd, GWL_EXSTYLE)), parent != nullptr);
    if (PeerWidget->parentWidget() != parent || PeerWidget->windowFlags() != flags)
      PeerWidget->setParent(parent, flags);
  }
  BoundsChanged();
  VisibleChanged();
}

void QtPeer::ZOrderChanged() {
  if (!Managed || !PeerWidget || PeerWidget->isWindow()) return;
  // Children are listed front to back; restack them all.
  const HWND parent = GetParent(Hwnd);
  const auto siblings = GetChildWindows(parent);
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
    if (QWidget* w = WidgetOf(*it)) w->raise();
  }
}

void QtPeer::FocusChanged(bool Focused) {
  if (!PeerWidget || Syncing) return;
  Syncing = true;
  if (Focused) {
    QWidget* target = KeyTarget();
    if (target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
  } else if (PeerWidget->hasFocus()) {
    PeerWidget->clearFocus();
  }
  Syncing = false;
}

void QtPeer::Invalidate(const RECT* Rect) {
  if (!PeerWidget) return;
  if (Rect) {
    PeerWidget->update(QRect(Rect->left, Rect->top + detail::MenuBarBand(Hwnd), Rect->Width(), Rect->Height()));
  } else {
    PeerWidget->update();
  }
}

void QtPeer::Update() {
  if (PeerWidget && PeerWidget->isVisible()) PeerWidget->repaint();
}

void QtPeer::Destroying() {
  Hwnd = nullptr;
  // The peer's parts go before this base: their signal handlers must not
  // run meanwhile.
  if (Managed) SilenceWidget(PeerWidget);
}

PaintedPeer::PaintedPeer(HWND hWnd) : QtPeer(hWnd, new PaintedWidget(hWnd, ParentWidgetFor(hWnd))) {}

QWidget* NewPaintedWidget(HWND hWnd, QWidget* Parent) { return new PaintedWidget(hWnd, Parent); }

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

void CheckUi(const char* Call) {
  if (!IsUiThread()) FailThreadCheck(Call, "off the user-interface thread");
  const QCoreApplication* app = QCoreApplication::instance();
  if (!app || app->thread() != QThread::currentThread()) FailThreadCheck(Call, "before the user interface was started");
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
  FollowUiLanguage();
  FollowInputLanguage();
  FollowDesktopSession();
  SetDefaultPeerFactory([](HWND hWnd) -> std::unique_ptr<WindowPeer> {
    if (GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) return MakeMdiChildPeer(hWnd);
    return std::make_unique<PaintedPeer>(hWnd);
  });
  RegisterStandardClasses();
  RegisterMdiPresentation();
  WatchSettingChanges();
}

QString PictureFile(const std::string& FileName) {
  std::filesystem::path file(FileName);
  if (file.is_relative()) file = std::filesystem::path(ProgramFileName()).parent_path() / file;
  return QString::fromStdString(file.string());
}

bool SaveWindowImage(HWND hWnd, const std::string& FileName) {
  RequireUi();
  const QImage image = Grab(hWnd);
  return !image.isNull() && image.save(PictureFile(FileName), "PNG");
}

}  // namespace platform::ui

namespace platform {

bool GetCursorPos(POINT* Pt) {
  ui::RequireUi();
  if (!Pt) return false;
  const QPoint p = QCursor::pos();
  *Pt = POINT{p.x(), p.y()};
  return true;
}

}  // namespace platform
