#pragma once
// Menus with UTF-16 captions and hints. A wide menu item keeps its caption
// and hint beside the class library's 8-bit ones (the wide value stands
// while its 8-bit image is the 8-bit value) and writes its text into the
// window system's menu as UTF-16, with the shortcut named by the keyboard
// layout in force; it draws and measures itself with its wide texts, and
// files its wide Caption and Hint unless its action supplies them.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/filer.h"
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

  // Writes the item's text, and its sub-items', into the window system's
  // menu as UTF-16 (on Unicode platforms): not into a bitmap, owner-drawn
  // or separator item, and only where the menu shows something else.
  // Raises EOSError when the menu refuses the text.
  void UpdateMenuText();

  void Loaded() override;
  // Before the menu shows: a keyboard layout changed since the text was
  // written names the shortcuts anew.
  void InitiateAction() override;
  const platform::TActionLinkClass& GetActionLinkClass() const override;
  void MeasureItem(platform::TCanvas* ACanvas, int& Width, int& Height) override;
  // ACaption is the 8-bit caption or shortcut text the class library draws;
  // the wide one stands in for it. A right-to-left menu's texts stand at
  // the right and read right to left.
  void DoDrawText(platform::TCanvas* ACanvas, const std::string& ACaption, platform::TRect& Rect, bool Selected,
                  platform::UINT Flags) override;
  // Caption and Hint, wide, each stored unless the action supplies it.
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override;
  void DefineProperties(platform::TFiler* Filer) override;

 protected:
  void ActionChange(platform::TObject* Sender, bool CheckDefaults) override;
  // The class library's change, then the texts written anew and the menu
  // fixed up for right-to-left systems.
  void MenuChanged(bool Rebuild) override;
  // The class library wrote 8-bit text into the menu: the wide text goes
  // there instead.
  void MenuTextWritten() override;

 private:
  void AfterChange();
  // Writes this item's text only.
  void WriteMenuText();
  // DT_RTLREADING in a right-to-left menu.
  platform::UINT ReadingFlags() const;

  std::u16string wideCaption_;
  std::u16string wideHint_;
  platform::HKL layout_ = 0;
};

class TWtxMainMenu : public platform::TMainMenu {
 public:
  using platform::TMainMenu::TMainMenu;
};

// The wide caption and hint of any menu item (the 8-bit ones widened for an
// item that is not wide).
std::u16string WideMenuItemCaption(platform::TMenuItem* Item);
std::u16string WideMenuItemHint(platform::TMenuItem* Item);

// Where the system reads right to left (its middle-east flag), the class
// library's reading-order change of a menu can leave 8-bit text in it:
// the first visible item of the menu's top level writes its text anew.
void FixMenuRightToLeft(platform::TMenu* Menu);

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
