#include "platform/ui/window_classes/window_frame.h"

#include "platform/core/window_system/messages.h"

namespace platform::ui {

Qt::WindowFlags TopLevelFlags(DWORD style, DWORD exStyle) {
  Qt::WindowFlags flags = Qt::Window;
  if (style & WS_POPUP) flags = (style & WS_CAPTION) ? Qt::Dialog : Qt::Tool | Qt::FramelessWindowHint;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    // Only the buttons the styles ask for.
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  }
  if (exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void PlaceTopLevel(QWidget* widget, DWORD style, const QRect& bounds) {
  if (style & WS_THICKFRAME) {
    widget->setMinimumSize(0, 0);
    widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    widget->setFixedSize(bounds.size());
  }
  if (widget->geometry() != bounds) widget->setGeometry(bounds);
}

}  // namespace platform::ui
