#include "platform/ui/window_classes/modal_owner.h"

#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace platform::ui {

ModalOwner::ModalOwner(HWND Owner) : window_(GetAncestorRoot(Owner ? Owner : GetActiveWindow())) {
  if (Owner && window_ && IsWindowEnabled(window_)) {
    EnableWindow(window_, false);
    disabled_ = true;
  }
}

ModalOwner::~ModalOwner() {
  if (disabled_ && IsWindow(window_)) EnableWindow(window_, true);
}

QWidget* ModalOwner::Widget() const { return window_ ? WidgetOf(window_) : nullptr; }

}  // namespace platform::ui
