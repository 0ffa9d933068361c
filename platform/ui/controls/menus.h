#pragma once
// Menus of the class library: menu items in a tree, main and popup menus,
// shortcuts and their texts, and the helpers for "&" hot keys in captions.
// A popup menu shows itself through Qt; main menus are not shown by any
// window of this program.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/graphics.h"

namespace platform {

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+Alt+Shift+S"; keys by the class library's names (F1, Del, Ins,
// Enter, Esc, BkSp, Tab, Space, PgUp, PgDn, End, Home, Left, Up, Right,
// Down, letters and digits).
std::string ShortCutToText(TShortCut ShortCut);
TShortCut TextToShortCut(const std::string& Text);
// The caption without its "&" marks ("&&" stays "&").
std::string StripHotkey(const std::string& Text);
// The hot key character of a caption, or empty.
std::string GetHotkey(const std::string& Text);

class TMenu;
class TMenuItem;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& Value);
  std::string Hint;
  TShortCut ShortCut = 0;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  bool Default = false;
  bool RadioItem = false;
  int ImageIndex = -1;
  bool IsLine() const { return caption_ == "-"; }
  // The item's identifier in the window system's menu.
  UINT Command() const { return command_; }
  HWND Handle() const { return nullptr; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenu* GetParentMenu() const;

  virtual void Click();
  virtual void InitiateAction();
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TActionLink* ActionLink() const { return actionLink_.get(); }
  virtual const TActionLinkClass& GetActionLinkClass() const;
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void DoDrawText(TCanvas* ACanvas, const std::string& ACaption, TRect& Rect, bool Selected, UINT Flags);
  virtual void AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, bool Selected, bool TopLevel);

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;

 protected:
  // The item's caption, hint, states and shortcut from its action (when
  // CheckDefaults is set, only where the item has none of its own).
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // After every change of the item: the window system's menu takes the
  // item's text from the caption again.
  virtual void MenuChanged(bool Rebuild);

 private:
  friend class TMenu;
  friend std::u16string GetMenuStringW(const TMenuItem* Item);
  friend void SetMenuItemTextW(TMenuItem* Item, std::u16string_view Text);
  std::optional<std::u16string> menuText_;
  std::string caption_;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
  UINT command_;
  std::unique_ptr<TActionLink> actionLink_;
};

// The item's text in the window system's menu, as the menu shows it: the
// caption, and for an item with a shortcut (and no sub-items) a tab and the
// shortcut's text, until other text is written there.
std::u16string GetMenuStringW(const TMenuItem* Item);
void SetMenuItemTextW(TMenuItem* Item, std::u16string_view Text);

// The link of a menu item to its action.
class TMenuActionLink : public TActionLink {
 public:
  explicit TMenuActionLink(TObject* AClient);
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  bool IsEnabledLinked() override;
  bool IsCheckedLinked() override;
  bool IsVisibleLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetChecked(bool Value) override;
  void SetVisible(bool Value) override;

 protected:
  TMenuItem* Client() const { return client_; }

 private:
  TMenuItem* client_;
};

extern const TActionLinkClass TMenuActionLinkClass;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return items_; }
  TMenuItem* FindItem(std::uintptr_t Value, TFindItemKind Kind);
  HWND WindowHandle = nullptr;
  TNotifyEvent OnChange;

 private:
  friend class TMenuItem;
  TMenuItem* items_;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
};

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;
  // Shows the menu at a point of the screen; the chosen item is clicked.
  void Popup(int X, int Y);
  TComponent* PopupComponent = nullptr;
  bool AutoPopup = true;
  TNotifyEvent OnPopup;
};

}  // namespace platform
