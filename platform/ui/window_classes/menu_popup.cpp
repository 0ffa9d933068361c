// The popup menu window ("#32768") on Qt menus. The window's menu loop is
// the one home of the open menus and the selection: the Qt menus show it,
// and what the user does with them, by pointer or keys, comes back to the
// window as its MN_ messages (the pointer over an item, a sub-menu
// opening, an item chosen, the menu closed by Qt). Key messages that reach
// the thread's queue while the menu runs go to the loop itself.

#include <QMenu>
#include <QPointer>

#include <vector>

#include "platform/core/window_system/menu_tracking.h"
#include "platform/ui/window_classes/menu_qt.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class PopupMenuPeer : public QtPeer, public MenuWindowListener {
 public:
  PopupMenuPeer(HWND hWnd, QMenu* Root) : QtPeer(hWnd, Root, false), root_(Root) {
    // The Qt menu takes the pointer and the keys itself; its signals speak
    // for them.
    Root->removeEventFilter(Router.get());
    Watch(Root);
  }
  ~PopupMenuPeer() override { DisposeWidget(root_); }

  void VisibleChanged() override {
    const bool visible = (GetWindowLong(Hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!visible || !root_) {
      const Syncing syncing(*this);
      Hide(root_);
      return;
    }
    const MenuTracker* tracker = PopupMenuTracker(Hwnd);
    if (!tracker) return;
    FillMenu(root_, tracker->Root());
    WatchSubMenus(root_);
    if (tracker->Flags() & TPM_LAYOUTRTL) root_->setLayoutDirection(Qt::RightToLeft);
    const RECT at = GetWindowBounds(Hwnd);
    QPoint where(at.left, at.top);
    if (tracker->Flags() & TPM_RIGHTALIGN) where.rx() -= root_->sizeHint().width();
    const Syncing syncing(*this);
    root_->popup(where);
  }

  void MenuChanged(const MenuTracker& Tracker) override {
    const Syncing syncing(*this);
    if (Tracker.Ended()) {
      Hide(root_);
      return;
    }
    QMenu* shown = root_;
    const auto& levels = Tracker.Levels();
    for (std::size_t i = 0; i < levels.size() && shown; ++i) {
      if (i > 0 && !shown->isVisible() && shown != opening_) OpenBeside(shown);
      QAction* active = ActionAt(shown, levels[i].Selected);
      if (shown->activeAction() != active) shown->setActiveAction(active);
      QMenu* next = i + 1 < levels.size() ? SubMenuAt(shown, levels[i].Selected) : nullptr;
      for (QMenu* sub : shown->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (sub != next) Hide(sub);
      }
      shown = next;
    }
  }

  void Destroying() override {
    SilenceWidget(root_);
    QtPeer::Destroying();
  }

 private:
  class Syncing {
   public:
    explicit Syncing(PopupMenuPeer& Peer) : peer_(Peer), was_(Peer.syncing_) { peer_.syncing_ = true; }
    ~Syncing() { peer_.syncing_ = was_; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;

   private:
    PopupMenuPeer& peer_;
    bool was_;
  };

  static void Hide(QMenu* Menu) {
    if (Menu && Menu->isVisible()) Menu->hide();
  }

  // A sub-menu the loop opened from the keyboard.
  void OpenBeside(QMenu* Sub) {
    auto* parent = qobject_cast<QMenu*>(Sub->parentWidget());
    QAction* opener = parent ? ActionAt(parent, OpenerIndexOf(Sub)) : nullptr;
    if (!opener) return;
    FillMenu(Sub, MenuOf(Sub));
    WatchSubMenus(Sub);
    const QRect r = parent->actionGeometry(opener);
    Sub->popup(
        parent->mapToGlobal(parent->isRightToLeft() ? r.topLeft() - QPoint(Sub->sizeHint().width(), 0) : r.topRight()));
  }

  LRESULT Tell(UINT Msg, int Index, HMENU Menu) {
    if (syncing_ || !IsWindow(Hwnd)) return 0;
    return SendMessageW(Hwnd, Msg, static_cast<WPARAM>(static_cast<std::intptr_t>(Index)),
                        reinterpret_cast<LPARAM>(Menu));
  }

  // Each Qt menu of the window, the root and the sub-menus made as the
  // menus fill, reports to the window.
  void Watch(QMenu* Menu) {
    QObject::connect(Menu, &QMenu::hovered, Menu, [this, Menu](QAction* Action) {
      if (Menu->actions().contains(Action)) Tell(MN_SELECTITEM, ItemIndex(Action), MenuOf(Menu));
    });
    QObject::connect(Menu, &QMenu::triggered, Menu, [this, Menu](QAction* Action) {
      if (Menu->actions().contains(Action)) Tell(MN_BUTTONUP, ItemIndex(Action), MenuOf(Menu));
    });
    if (Menu == root_) {
      // Qt hides its menus before it reports the item chosen: the choice
      // must reach the loop first.
      QObject::connect(Menu, &QMenu::aboutToHide, Menu, [this] {
        if (!syncing_ && IsWindow(Hwnd)) PostMessageW(Hwnd, MN_CANCELMENUS, 0, 0);
      });
    } else {
      QObject::connect(Menu, &QMenu::aboutToShow, Menu, [this, Menu] {
        opening_ = Menu;
        Tell(MN_OPENHIERARCHY, OpenerIndexOf(Menu), OpenerMenuOf(Menu));
        opening_ = nullptr;
        FillMenu(Menu, MenuOf(Menu));
        WatchSubMenus(Menu);
      });
    }
    WatchSubMenus(Menu);
  }

  void WatchSubMenus(QMenu* Menu) {
    for (QMenu* sub : Menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (!sub->property("menuWatched").toBool()) {
        sub->setProperty("menuWatched", true);
        Watch(sub);
      }
    }
  }

  QPointer<QMenu> root_;
  QMenu* opening_ = nullptr;
  bool syncing_ = false;
};

std::unique_ptr<WindowPeer> MakePopupMenuPeer(HWND hWnd) { return std::make_unique<PopupMenuPeer>(hWnd, new QMenu); }

}  // namespace

void RegisterPopupMenuPresentation() {
  RegisterPopupMenuClass();
  SetClassPeerFactory(u"#32768", &MakePopupMenuPeer);
}

}  // namespace platform::ui
