#include "platform/ui/window_classes/mdi_presentation.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "platform/core/window_system/input_target.h"
#include "platform/core/window_system/mdi.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace platform::ui {
namespace {

QWidget* HostOf(HWND hWnd) {
  const HWND parent = GetParent(hWnd);
  return parent ? WidgetOf(parent) : nullptr;
}

class ClientWidget : public QWidget {
 public:
  explicit ClientWidget(QWidget* Parent) : QWidget(Parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNSHADOW))); }
};

// The frame around an MDI child: border and title bar. The child's own
// widget sits inside it, below the title.
class ChildFrame : public QWidget {
 public:
  ChildFrame(HWND hWnd, QWidget* Parent) : QWidget(Parent), hwnd_(hWnd) {}
  void Forget() { hwnd_ = nullptr; }
  bool eventFilter(QObject*, QEvent* Event) override {
    // A press in the child's own area activates it too.
    if (Event->type() == QEvent::MouseButtonPress && TakesInput()) PostMessageW(hwnd_, WM_CHILDACTIVATE, 0, 0);
    return false;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const bool active = Active();
    p.fillRect(rect(), ToQColor(GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_BTNFACE)));
    p.setPen(ToQColor(GetSysColor(COLOR_WINDOWFRAME)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!hwnd_ || !IsWindow(hwnd_)) return;
    const QRect title(kMdiChildBorder + 4, 0, width() - 2 * kMdiChildBorder - 8, kMdiChildCaption);
    p.setPen(ToQColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_GRAYTEXT)));
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const QString text = QFontMetrics(bold).elidedText(ToQString(WindowTextW(hwnd_)), Qt::ElideRight, title.width());
    p.drawText(title, Qt::AlignVCenter | Qt::AlignLeft, text);
  }
  void mousePressEvent(QMouseEvent* E) override {
    if (E->button() != Qt::LeftButton) return;
    dragging_ = E->position().y() < kMdiChildCaption;
    Post(WM_NCLBUTTONDOWN, dragging_ ? HTCAPTION : 0, E);
  }
  void mouseMoveEvent(QMouseEvent* E) override {
    if (dragging_) Post(WM_NCMOUSEMOVE, HTCAPTION, E);
  }
  void mouseReleaseEvent(QMouseEvent* E) override {
    if (!dragging_) return;
    dragging_ = false;
    Post(WM_NCLBUTTONUP, HTCAPTION, E);
  }

 private:
  bool Active() const {
    if (!hwnd_ || !IsWindow(hwnd_)) return false;
    return SendMessageW(GetParent(hwnd_), WM_MDIGETACTIVE, 0, 0) == reinterpret_cast<LRESULT>(hwnd_);
  }
  // While a modal window keeps the frame window disabled, its children
  // are neither activated nor dragged.
  bool TakesInput() const { return hwnd_ && IsWindow(hwnd_) && MouseInputWindow(hwnd_) != nullptr; }
  // Non-client messages carry the point on the screen.
  void Post(UINT Msg, WPARAM HitTest, const QMouseEvent* E) const {
    if (!TakesInput()) return;
    const QPoint at = E->globalPosition().toPoint();
    PostMessageW(hwnd_, Msg, HitTest, MAKELPARAM(static_cast<WORD>(at.x()), static_cast<WORD>(at.y())));
  }

  HWND hwnd_;
  bool dragging_ = false;
};

class ChildPeer : public QtPeer {
 public:
  ChildPeer(HWND hWnd, ChildFrame* Frame) : QtPeer(hWnd, NewPaintedWidget(hWnd, Frame)), frame_(Frame) {
    PeerWidget->installEventFilter(Frame);
    Place();
  }
  ~ChildPeer() override {
    if (!frame_) return;
    frame_->Forget();
    DisposeWidget(frame_);
  }

  void BoundsChanged() override { Place(); }
  void VisibleChanged() override { Place(); }
  void ParentChanged() override { Place(); }
  void TextChanged() override { Refresh(); }
  void Invalidate(const RECT* Rect) override {
    QtPeer::Invalidate(Rect);
    Refresh();
  }
  void ZOrderChanged() override {
    if (!IsWindow(Hwnd)) return;
    const auto siblings = GetChildWindows(GetParent(Hwnd));
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
      if (auto* child = dynamic_cast<ChildPeer*>(PeerOf(*it)); child && child->frame_) {
        child->frame_->raise();
      } else if (QWidget* w = WidgetOf(*it)) {
        w->raise();
      }
    }
  }
  void Destroying() override {
    QtPeer::Destroying();
    if (frame_) frame_->Forget();
  }

 private:
  void Refresh() {
    if (frame_) frame_->update();
  }
  // The frame where the window stands in its client, the window's own
  // widget inside it.
  void Place() {
    if (!frame_ || !PeerWidget || !IsWindow(Hwnd)) return;
    QWidget* host = HostOf(Hwnd);
    if (frame_->parentWidget() != host) frame_->setParent(host);
    if (PeerWidget->parentWidget() != frame_) PeerWidget->setParent(frame_);
    const RECT b = GetWindowBounds(Hwnd);
    frame_->setGeometry(b.left - kMdiChildBorder, b.top - kMdiChildCaption, b.Width() + 2 * kMdiChildBorder,
                        b.Height() + kMdiChildCaption + kMdiChildBorder);
    PeerWidget->setGeometry(kMdiChildBorder, kMdiChildCaption, b.Width(), b.Height());
    PeerWidget->setVisible(true);
    frame_->setVisible((GetWindowLong(Hwnd, GWL_STYLE) & WS_VISIBLE) != 0);
  }

  QPointer<ChildFrame> frame_;
};

}  // namespace

void RegisterMdiPresentation() {
  RegisterMdiClientClass();
  SetClassPeerFactory(u"MDICLIENT", [](HWND hWnd) -> std::unique_ptr<WindowPeer> {
    return std::make_unique<QtPeer>(hWnd, new ClientWidget(HostOf(hWnd)));
  });
}

std::unique_ptr<WindowPeer> MakeMdiChildPeer(HWND hWnd) {
  return std::make_unique<ChildPeer>(hWnd, new ChildFrame(hWnd, HostOf(hWnd)));
}

}  // namespace platform::ui
