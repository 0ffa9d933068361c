#pragma once
// Reading back what the window system's menus hold, as a test sees them.

#include <string>

#include "platform/ui/controls/menus.h"

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

}  // namespace menutest
