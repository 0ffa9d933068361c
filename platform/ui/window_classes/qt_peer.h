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
  explicit InputRouter(QtPeer* peer) : peer_(peer) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool replaying = false;

 private:
  QtPeer* peer_;
};

class QtPeer : public WindowPeer {
 public:
  // A peer that is not managed shows a part of another window's widget
  // (a combo box's edit): it routes input but leaves geometry, parent and
  // visibility to that widget, and does not own it.
  QtPeer(HWND hWnd, QWidget* widget, bool managed = true);
  ~QtPeer() override;

  HWND Handle() const { return hwnd_; }
  QWidget* Widget() const { return widget_; }

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void StyleChanged() override;
  void ParentChanged() override;
  void ZOrderChanged() override;
  void FocusChanged(bool focused) override;
  void Invalidate(const RECT* rect) override;
  void Update() override;
  void Destroying() override;

  // Hands an input message that reached the control's own procedure back
  // to the widget. True when it was one; for the wheel, when the widget
  // took the turn.
  bool Replay(UINT msg, WPARAM wParam, LPARAM lParam);
  // Watches w (the widget or one of its parts) for input.
  void Route(QWidget* w);

 protected:
  // The widget that receives replayed keys.
  virtual QWidget* KeyTarget() const { return widget_; }
  virtual void ReplayChar(char16_t unit);
  void ReplayKey(UINT msg, WPARAM vk);
  void ReplayMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  bool ReplayWheel(WPARAM wParam, LPARAM lParam);

  HWND hwnd_;
  QPointer<QWidget> widget_;
  std::unique_ptr<InputRouter> router_;
  bool syncing_ = false;
  bool managed_ = true;

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

QtPeer* PeerOf(HWND hWnd);
QWidget* WidgetOf(HWND hWnd);

// Renders a window and its children as they are on screen.
QImage Grab(HWND hWnd);

}  // namespace platform::ui
