#include "platform/ui/window_classes/screen_image.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <vector>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/layered_presentation.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace platform::ui {
namespace {

bool Topmost(HWND hWnd) { return (GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

bool SaveScreenImage(const RECT& Area, const std::string& FileName) {
  RequireUi();
  if (Area.Width() <= 0 || Area.Height() <= 0) return false;
  QImage screen(Area.Width(), Area.Height(), QImage::Format_RGB32);
  screen.fill(ToQColor(GetSysColor(COLOR_BACKGROUND)));
  std::vector<HWND> windows;
  for (HWND h : GetThreadWindows()) {
    if (IsWindowVisible(h)) windows.push_back(h);
  }
  std::stable_partition(windows.begin(), windows.end(), [](HWND Window) { return !Topmost(Window); });
  QPainter painter(&screen);
  for (HWND h : windows) {
    const QImage picture = KeyedImage(h, Grab(h));
    if (picture.isNull()) continue;
    const RECT b = GetWindowBounds(h);
    painter.setOpacity(LayeredOpacity(h));
    painter.drawImage(b.left - Area.left, b.top - Area.top, picture);
  }
  painter.end();
  return screen.save(PictureFile(FileName), "PNG");
}

}  // namespace platform::ui
