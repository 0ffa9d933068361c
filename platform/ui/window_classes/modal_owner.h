#pragma once
// The owner of a dialog that Qt shows for the window system (a message box,
// a file dialog). While the dialog runs its owner's top-level window is
// disabled, as the window system disables a dialog's owner, and the
// dialog's Qt parent is that window's widget, so the window manager keeps
// the dialog above it. Nothing outside platform/ui includes this header.

#include <QWidget>

#include "platform/core/window_system/wintypes.h"

namespace platform::ui {

class ModalOwner {
 public:
  // Owner null: the dialog stands over the active window, which stays as
  // it is.
  explicit ModalOwner(HWND Owner);
  ~ModalOwner();
  ModalOwner(const ModalOwner&) = delete;
  ModalOwner& operator=(const ModalOwner&) = delete;

  // The parent for the dialog; null when there is no window to stand over.
  QWidget* Widget() const;

 private:
  HWND window_ = nullptr;
  bool disabled_ = false;
};

}  // namespace platform::ui
