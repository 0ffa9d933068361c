// The window-system menus behind menu items: each item with sub-items
// fills its own menu with them, in order, through the 8-bit calls.

#include <algorithm>
#include <vector>

#include "platform/core/os/os_error.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"

namespace platform {
namespace {

// The command of the item at Position, or 0.
UINT CommandAt(HMENU Menu, int Position) {
  MENUITEMINFOA info;
  info.fMask = MIIM_ID;
  return GetMenuItemInfoA(Menu, static_cast<UINT>(Position), true, &info) ? info.wID : 0;
}

std::string TextAt(HMENU Menu, int Position) {
  const int length = GetMenuStringA(Menu, static_cast<UINT>(Position), nullptr, 0, MF_BYPOSITION);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetMenuStringA(Menu, static_cast<UINT>(Position), text.data(), length + 1, MF_BYPOSITION);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

HMENU TMenuItem::Handle() {
  if (!handle_) {
    const bool bar = !parent_ && dynamic_cast<TMainMenu*>(menu_);
    handle_ = bar ? CreateMenu() : CreatePopupMenu();
    if (!handle_) RaiseLastOSError();
    RebuildHandle();
  }
  return handle_;
}

std::string TMenuItem::MenuText() const {
  std::string text = caption_;
  if (shortCut_ && items_.empty() && !IsTopOfMainMenu()) text += '\t' + ShortCutToText(shortCut_);
  return text;
}

void TMenuItem::WriteTo(HMENU Menu, int Position, bool Insert) {
  const TMenu* menu = GetParentMenu();
  const bool rightToLeft = menu && menu->IsRightToLeft();
  MENUITEMINFOA info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
  if (radioItem_) info.fType |= MFT_RADIOCHECK;
  if (rightToLeft) info.fType |= MFT_RIGHTORDER | (IsTopOfMainMenu() ? MFT_RIGHTJUSTIFY : 0);
  info.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : 0) | (default_ ? MFS_DEFAULT : 0);
  info.wID = command_;
  info.hSubMenu = items_.empty() ? nullptr : Handle();
  const std::string text = MenuText();
  // Text whose 8-bit image is this text already stays as it is.
  const bool writesText = !IsLine() && (Insert || TextAt(Menu, Position) != text);
  if (writesText) {
    info.fMask |= MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
  }
  const bool written = Insert ? InsertMenuItemA(Menu, static_cast<UINT>(Position), true, &info)
                              : SetMenuItemInfoA(Menu, static_cast<UINT>(Position), true, &info);
  if (!written) RaiseLastOSError();
  if (writesText) MenuTextWritten();
}

void TMenuItem::RebuildHandle() {
  std::vector<TMenuItem*> shown;
  for (TMenuItem* item : items_) {
    if (item->visible_) shown.push_back(item);
  }
  for (std::size_t at = 0; at < shown.size(); ++at) {
    const int position = static_cast<int>(at);
    // Items that are no longer shown make way; an item that comes before
    // items still shown goes in front of them, which keep their texts.
    const auto comesLater = [&](UINT Command) {
      return std::any_of(shown.begin() + static_cast<std::ptrdiff_t>(at), shown.end(),
                         [Command](const TMenuItem* Item) { return Item->command_ == Command; });
    };
    while (position < GetMenuItemCount(handle_) && CommandAt(handle_, position) != shown[at]->command_ &&
           !comesLater(CommandAt(handle_, position))) {
      RemoveMenu(handle_, static_cast<UINT>(position), MF_BYPOSITION);
    }
    const bool there = position < GetMenuItemCount(handle_) && CommandAt(handle_, position) == shown[at]->command_;
    shown[at]->WriteTo(handle_, position, !there);
  }
  while (GetMenuItemCount(handle_) > static_cast<int>(shown.size())) {
    RemoveMenu(handle_, static_cast<UINT>(shown.size()), MF_BYPOSITION);
  }
}

void TMenuItem::UpdateItem(TMenuItem* Item) {
  const int count = GetMenuItemCount(handle_);
  for (int position = 0; position < count; ++position) {
    if (CommandAt(handle_, position) == Item->command_) {
      Item->WriteTo(handle_, position, false);
      return;
    }
  }
  if (Item->visible_) RebuildHandle();
}

// --------------------------------------------------------------- TMainMenu

TMainMenu::~TMainMenu() {
  if (form_) form_->menu_ = nullptr;
  if (WindowHandle() && Items()->HandleAllocated() && GetMenu(WindowHandle()) == Items()->Handle()) {
    platform::SetMenu(WindowHandle(), nullptr);
  }
}

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
  TMenu::MenuChanged(Source, Rebuild);
  if (WindowHandle() && !RebuildSuspended()) DrawMenuBar(WindowHandle());
}

}  // namespace platform
