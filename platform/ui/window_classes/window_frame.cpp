#include "platform/ui/window_classes/window_frame.h"

#include "platform/core/window_system/messages.h"

namespace platform::ui {

Qt::WindowFlags TopLevelFlags(DWORD Style, DWORD ExStyle, bool Owned) {
  // An owned window stays above its owner: the window manager keeps a
  // dialog above the window it is transient for.
  Qt::WindowFlags flags = Owned ? Qt::Dialog : Qt::Window;
  if (Style & WS_POPUP) flags = (Style & WS_CAPTION) ? Qt::Dialog : Qt::Tool | Qt::FramelessWindowHint;
  if ((Style & WS_CAPTION) == WS_CAPTION) {
    // Only the buttons the styles ask for.
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (Style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (Style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (Style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  }
  if (ExStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void PlaceTopLevel(QWidget* Widget, DWORD Style, const QRect& Bounds) {
  if (Style & WS_THICKFRAME) {
    Widget->setMinimumSize(0, 0);
    Widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    Widget->setFixedSize(Bounds.size());
  }
  if (Widget->geometry() != Bounds) Widget->setGeometry(Bounds);
}

}  // namespace platform::ui
