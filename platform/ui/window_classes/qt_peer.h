#pragma once
// The presentation of one window on Qt: the widget that shows it and the
// routing of the user's input into the window's message queue. Every peer
// owns its widget; a standard control's peer owns the Qt widget that keeps
// the control's state.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "platform/core/window_system/window.h"

class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace platform::ui {

class QtPeer;

// Takes key and mouse events of the widgets it watches and posts them as
// messages to the window; lets them through only while a window procedure
// hands them back (Replay).
class InputRouter : public QObject {
 public:
  explicit InputRouter(QtPeer* Peer) : peer_(Peer) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  bool Replaying = false;

 private:
  QtPeer* peer_;
};

class QtPeer : public WindowPeer {
 public:
  // A peer that is not managed shows a part of another window's widget
  // (a combo box's edit): it routes input but leaves geometry, parent and
  // visibility to that widget, and does not own it.
  QtPeer(HWND hWnd, QWidget* Widget, bool IsManaged = true);
  ~QtPeer() override;

  HWND Handle() const { return Hwnd; }
  QWidget* Widget() const { return PeerWidget; }

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void StyleChanged() override;
  void ParentChanged() override;
  void ZOrderChanged() override;
  void FocusChanged(bool Focused) override;
  void Invalidate(const RECT* Rect) override;
  void Update() override;
  void Destroying() override;

  // Hands an input message that reached the control's own procedure back
  // to the widget. True when it was one; for the wheel, when the widget
  // took the turn.
  bool Replay(UINT Msg, WPARAM wParam, LPARAM lParam);
  // Watches w (the widget or one of its parts) for input.
  void Route(QWidget* W);

 protected:
  // The widget that receives replayed keys.
  virtual QWidget* KeyTarget() const { return PeerWidget; }
  virtual void ReplayChar(char16_t Unit);
  void ReplayKey(UINT Msg, WPARAM Vk);
  void ReplayMouse(UINT Msg, WPARAM wParam, LPARAM lParam);
  bool ReplayWheel(WPARAM wParam, LPARAM lParam);

  HWND Hwnd;
  QPointer<QWidget> PeerWidget;
  std::unique_ptr<InputRouter> Router;
  bool Syncing = false;
  bool Managed = true;

 private:
  char16_t pendingHigh_ = 0;
  friend class InputRouter;
};

// The peer of a window that paints itself: WM_ERASEBKGND and WM_PAINT with
// a device context over the widget's image.
class PaintedPeer : public QtPeer {
 public:
  explicit PaintedPeer(HWND hWnd);
};

// The widget of a window that paints itself, as PaintedPeer makes it, for
// a peer that places it in a widget of its own.
QWidget* NewPaintedWidget(HWND hWnd, QWidget* Parent);

QtPeer* PeerOf(HWND hWnd);
QWidget* WidgetOf(HWND hWnd);

// Renders a window and its children as they are on screen.
QImage Grab(HWND hWnd);

}  // namespace platform::ui
