#pragma once
// Menus with UTF-16 captions and hints. A wide menu item keeps its caption
// and hint beside the class library's 8-bit ones (the wide value stands
// while its 8-bit image is the 8-bit value) and writes its text into the
// window system's menu as UTF-16, with the shortcut named by the keyboard
// layout in force; it draws and measures itself with its wide texts.

#include <string>
#include <string_view>

#include "platform/core/os/locale.h"
#include "platform/ui/controls/menus.h"

namespace widetext {

class TWtxMenuItem : public platform::TMenuItem {
 public:
  using platform::TMenuItem::SetCaption;
  using platform::TMenuItem::TMenuItem;

  // When the 8-bit caption was changed only in where its hot key stands,
  // the wide caption's hot key moves there too.
  std::u16string GetCaption();
  void SetCaption(std::u16string_view Value);
  std::u16string GetHint();
  // Writes the 8-bit image straight into the hint: nothing is notified.
  void SetHint(std::u16string_view Value);

  void Loaded() override;
  // Before the menu shows: a keyboard layout changed since the text was
  // written names the shortcuts anew.
  void InitiateAction() override;
  const platform::TActionLinkClass& GetActionLinkClass() const override;
  void MeasureItem(platform::TCanvas* ACanvas, int& Width, int& Height) override;
  // ACaption is the 8-bit caption or shortcut text the class library draws;
  // the wide one stands in for it.
  void DoDrawText(platform::TCanvas* ACanvas, const std::string& ACaption, platform::TRect& Rect, bool Selected,
                  platform::UINT Flags) override;

 protected:
  void ActionChange(platform::TObject* Sender, bool CheckDefaults) override;
  void MenuChanged(bool Rebuild) override;

 private:
  // Writes the item's text, and its sub-items', into the window system's
  // menu.
  void UpdateMenuText();

  std::u16string wideCaption_;
  std::u16string wideHint_;
  platform::HKL layout_ = 0;
};

class TWtxMainMenu : public platform::TMainMenu {
 public:
  using platform::TMainMenu::TMainMenu;
};

// The wide caption of any menu item (the 8-bit one widened for an item
// that is not wide).
std::u16string WideMenuItemCaption(platform::TMenuItem* Item);

// The link of a wide menu item to its action: the caption counts as linked
// while the item's wide caption and the action's are the same without their
// hot keys, and the item takes the action's wide texts.
class TWtxMenuActionLink : public platform::TMenuActionLink {
 public:
  using platform::TMenuActionLink::TMenuActionLink;
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
};

extern const platform::TActionLinkClass TWtxMenuActionLinkClass;

}  // namespace widetext
