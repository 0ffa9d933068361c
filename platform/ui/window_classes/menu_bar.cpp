// A window's menu bar on a Qt menu bar across the top of its widget, in the
// band above the client area. Opening one of its menus starts a menu loop
// for the window (menu_tracking.h); the pointer and keys moving through the
// Qt menus move the loop's selection, so the window hears WM_MENUSELECT as
// they move and WM_COMMAND for the item chosen. The bar shows the menu's
// items anew when the window's menu is set or redrawn, and after a loop
// when that happened during it.

#include <QEvent>
#include <QMenuBar>
#include <QPointer>

#include <map>
#include <memory>

#include "platform/core/window_system/menu_tracking.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/menu_qt.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class BarPresenter : public QObject {
 public:
  BarPresenter(HWND hWnd, QWidget* Window) : hwnd_(hWnd), window_(Window), bar_(new QMenuBar(Window)) {
    setParent(bar_);
    bar_->setNativeMenuBar(false);
    Window->installEventFilter(this);
    QObject::connect(bar_, &QMenuBar::hovered, this, [this](QAction* Action) {
      if (tracker_ && bar_->actions().contains(Action)) tracker_->Select(MenuOf(bar_), ItemIndex(Action), true);
    });
    QObject::connect(bar_, &QMenuBar::triggered, this, [this](QAction* Action) { Chosen(Action); });
  }

  void Show() {
    const HMENU menu = GetMenu(hwnd_);
    if (tracker_) {
      stale_ = true;
      return;
    }
    FillMenu(bar_, menu);
    Watch(bar_);
    Place();
    bar_->show();
    bar_->raise();
  }

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == window_ && Event->type() == QEvent::Resize) Place();
    return false;
  }

 private:
  void Place() {
    if (window_) bar_->setGeometry(0, 0, window_->width(), kMenuBarHeight);
  }

  // The loop starts with the first menu that opens; moving along the bar
  // keeps it.
  MenuTracker& Tracker() {
    if (!tracker_) {
      tracker_ = std::make_unique<MenuTracker>(hwnd_, MenuOf(bar_), false);
      tracker_->Enter();
    }
    return *tracker_;
  }

  void Watch(QWidget* Target) {
    for (QMenu* sub : Target->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (sub->property("menuWatched").toBool()) continue;
      sub->setProperty("menuWatched", true);
      QObject::connect(sub, &QMenu::aboutToShow, this, [this, sub] {
        if (!IsWindow(hwnd_)) return;
        Tracker().Open(OpenerMenuOf(sub), OpenerIndexOf(sub));
        FillMenu(sub, MenuOf(sub));
        Watch(sub);
      });
      QObject::connect(sub, &QMenu::hovered, this, [this, sub](QAction* Action) {
        if (tracker_ && sub->actions().contains(Action)) tracker_->Select(MenuOf(sub), ItemIndex(Action), true);
      });
      QObject::connect(sub, &QMenu::aboutToHide, this, [this] { CheckClosed(); });
    }
  }

  void Chosen(QAction* Action) {
    if (!IsWindow(hwnd_)) return;
    // Each item's action belongs to the Qt menu (or bar) that shows it.
    auto* holder = qobject_cast<QWidget*>(Action->parent());
    if (!holder || !MenuOf(holder)) return;
    MenuTracker& tracker = Tracker();
    tracker.Choose(MenuOf(holder), ItemIndex(Action));
    if (tracker.Ended()) Close();
  }

  // Qt closes one menu before it opens the next along the bar: the loop
  // ends only when none is open once that has settled.
  void CheckClosed() {
    RunOnUiThread([self = QPointer<BarPresenter>(this)] {
      if (!self || !self->tracker_) return;
      for (QMenu* sub : self->bar_->findChildren<QMenu*>()) {
        if (sub->isVisible()) return;
      }
      self->Close();
    });
  }

  void Close() {
    const std::unique_ptr<MenuTracker> tracker = std::move(tracker_);
    if (tracker && IsWindow(hwnd_)) tracker->Finish();
    if (std::exchange(stale_, false) && IsWindow(hwnd_)) Show();
  }

  HWND hwnd_;
  QPointer<QWidget> window_;
  QMenuBar* bar_;
  std::unique_ptr<MenuTracker> tracker_;
  bool stale_ = false;
};

std::map<HWND, QPointer<BarPresenter>>& Presenters() {
  static std::map<HWND, QPointer<BarPresenter>> presenters;
  return presenters;
}

// The window's children stand below the band, and its painting with them.
void Shift(HWND hWnd) {
  for (HWND child : GetChildWindows(hWnd)) {
    if (QtPeer* peer = PeerOf(child)) peer->BoundsChanged();
  }
  if (QWidget* w = WidgetOf(hWnd)) w->update();
}

void Present(HWND hWnd) {
  auto& presenters = Presenters();
  std::erase_if(presenters, [](const auto& Entry) { return !Entry.second || !IsWindow(Entry.first); });
  QWidget* window = WidgetOf(hWnd);
  if (!window || !window->isWindow()) return;
  auto it = presenters.find(hWnd);
  if (!GetMenu(hWnd)) {
    if (it != presenters.end()) {
      DisposeWidget(qobject_cast<QWidget*>(it->second->parent()));
      presenters.erase(it);
      Shift(hWnd);
    }
    return;
  }
  if (it == presenters.end()) {
    it = presenters.emplace(hWnd, new BarPresenter(hWnd, window)).first;
    Shift(hWnd);
  }
  it->second->Show();
}

}  // namespace

void RegisterMenuBarPresentation() { SetMenuBarPresenter(&Present); }

}  // namespace platform::ui
