#pragma once
// Menus of the class library: menu items in a tree, main and popup menus,
// shortcuts and their texts, and the helpers for "&" hot keys in captions.
//
// Each item with sub-items has a window-system menu (its Handle) that shows
// them, made when first asked for; a main menu's root item has a menu bar,
// a popup menu's root item a popup menu. The class library writes its items
// into those menus through the 8-bit calls, as its captions are 8-bit; it
// leaves an item's text alone while that text's 8-bit image is what it
// would write, so text another layer wrote there stands. A form shows its
// main menu as its window's menu bar; a popup menu pops up through the
// popup list (popup_list.h).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/core/window_system/menus.h"
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
// The parts of a "short|long" hint; a hint without "|" is both.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

class TMenu;
class TMenuItem;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& Value);
  // Not shown in the menu: writing it changes nothing there.
  std::string Hint;
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value);
  int ImageIndex = -1;
  bool IsLine() const { return caption_ == "-"; }
  // The item's identifier in the window system's menu.
  UINT Command() const { return command_; }
  // The window-system menu of the sub-items, made on first use.
  HMENU Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }

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
  // InitiateAction of every sub-item: their actions bring them up to date
  // before they show.
  void InitiateActions();
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
  // After every change of the item: its parent's menu shows it again
  // (Rebuild: the parent's items are put in order again, as after an item
  // came, went or was shown or hidden), then its menu hears of it.
  virtual void MenuChanged(bool Rebuild);
  // The class library has just written the item's text into its parent's
  // menu; nothing more here.
  virtual void MenuTextWritten() {}
  // The top level of a main menu, which shows no shortcut texts.
  bool IsTopOfMainMenu() const;

 private:
  friend class TMenu;
  void Detach();
  // Makes the handle show the visible sub-items in order.
  void RebuildHandle();
  // Writes a sub-item into the handle again, or puts it there.
  void UpdateItem(TMenuItem* Item);
  // The item as the class library writes it at Position of Menu.
  void WriteTo(HMENU Menu, int Position, bool Insert);
  std::string MenuText() const;
  std::string caption_;
  TShortCut shortCut_ = 0;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  bool radioItem_ = false;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
  UINT command_;
  HMENU handle_ = nullptr;
  std::unique_ptr<TActionLink> actionLink_;
};

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
  HMENU Handle() { return items_->Handle(); }
  // By command, by the handle of an item's sub-menu (the root's included)
  // or by shortcut.
  TMenuItem* FindItem(std::uintptr_t Value, TFindItemKind Kind);
  // Clicks the item of the command; false when the menu has none.
  bool DispatchCommand(WORD Command);
  // The item whose sub-menu opens brings its sub-items up to date and is
  // clicked; false when the menu has no such item.
  bool DispatchPopup(HMENU Menu);
  // The window the menu belongs to (a main menu's form).
  HWND WindowHandle() const { return windowHandle_; }
  virtual void SetWindowHandle(HWND Value);

  // Right to left where the system reads right to left (its middle-east
  // flag) and the menu's mode says so. With ParentBiDiMode the menu
  // follows its form's mode.
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode = true;
  void ParentBiDiModeChanged(TControl* AControl);
  bool IsRightToLeft() const;
  // DT_RTLREADING for a right-to-left menu.
  UINT DrawTextBiDiModeFlagsReadingOnly() const;

  // While suspended, a change of the menu does not show on its window;
  // resuming shows it.
  void SuspendRebuild();
  void ResumeRebuild();
  bool RebuildSuspended() const { return suspended_ > 0; }

  TNotifyEvent OnChange;

 protected:
  friend class TMenuItem;
  // Source changed: OnChange runs.
  virtual void MenuChanged(TMenuItem* Source, bool Rebuild);

 private:
  TMenuItem* items_;
  HWND windowHandle_ = nullptr;
  TBiDiMode biDiMode_ = bdLeftToRight;
  int suspended_ = 0;
};

class TCustomForm;

// A form's menu bar.
class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  ~TMainMenu() override;

 protected:
  // The window's menu bar is drawn again.
  void MenuChanged(TMenuItem* Source, bool Rebuild) override;

 private:
  friend class TCustomForm;
  TCustomForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  // Shows the menu at a point of the screen and runs it; the chosen item
  // is clicked when the popup list's window gets its command.
  void Popup(int X, int Y);
  TComponent* PopupComponent = nullptr;
  bool AutoPopup = true;
  TNotifyEvent OnPopup;
};

}  // namespace platform
