#pragma once
// Reading back what the window system's menus hold, as a test sees them.

#include <QImage>
#include <QMenu>
#include <QPainter>

#include <string>
#include <vector>

#include "platform/core/window_system/system_settings.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace menutest {

// The text of the item at Item (a command, or a position with
// MF_BYPOSITION) of Menu.
inline std::u16string MenuString(platform::HMENU Menu, platform::UINT Item, platform::UINT Flags) {
  const int length = platform::GetMenuStringW(Menu, Item, nullptr, 0, Flags);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  platform::GetMenuStringW(Menu, Item, text.data(), length + 1, Flags);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The text a menu item shows in its parent's menu.
inline std::u16string MenuText(platform::TMenuItem* Item) {
  return MenuString(Item->Parent()->Handle(), Item->Command(), platform::MF_BYCOMMAND);
}

// Saves a window as a PNG with the menus of its menu bar that are open, as
// the screen shows them.
inline bool SaveWithOpenMenus(platform::HWND Window, const std::string& FileName) {
  QWidget* widget = platform::ui::WidgetOf(Window);
  if (!widget) return false;
  const QImage window = platform::ui::Grab(Window);
  QRect area(QPoint(0, 0), window.size());
  std::vector<QMenu*> open;
  for (QMenu* menu : widget->findChildren<QMenu*>()) {
    if (!menu->isVisible()) continue;
    open.push_back(menu);
    area |= QRect(widget->mapFromGlobal(menu->pos()), menu->size());
  }
  QImage out(area.size(), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter painter(&out);
  painter.drawImage(-area.topLeft(), window);
  for (QMenu* menu : open)
    painter.drawImage(widget->mapFromGlobal(menu->pos()) - area.topLeft(), menu->grab().toImage());
  painter.end();
  return out.save(platform::ui::PictureFile(FileName), "PNG");
}

// The system reads right to left while it stands.
class ScopedMiddleEast {
 public:
  ScopedMiddleEast() : previous_(platform::SetMiddleEastEnabled(true)) {}
  ~ScopedMiddleEast() { platform::SetMiddleEastEnabled(previous_); }
  ScopedMiddleEast(const ScopedMiddleEast&) = delete;
  ScopedMiddleEast& operator=(const ScopedMiddleEast&) = delete;

 private:
  bool previous_;
};

}  // namespace menutest
