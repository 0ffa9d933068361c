#include "platform/ui/controls/menus.h"

#include <algorithm>
#include <atomic>
#include <cctype>

#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/gdi.h"

namespace platform {
namespace {

struct KeyText {
  WORD Key;
  const char* Text;
};

constexpr KeyText kKeyTexts[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string KeyName(WORD Key) {
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return std::string(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key < VK_F1 + 24) return std::string("F").append(std::to_string(Key - VK_F1 + 1));
  for (const auto& k : kKeyTexts) {
    if (k.Key == Key) return k.Text;
  }
  return {};
}

std::atomic<UINT> g_nextCommand{1};

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xF000) return 0;
  TShortCut s = Key;
  if (Shift & ssShift) s |= scShift;
  if (Shift & ssCtrl) s |= scCtrl;
  if (Shift & ssAlt) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
  Key = ShortCut & 0x0FFF;
  Shift = 0;
  if (ShortCut & scShift) Shift |= ssShift;
  if (ShortCut & scCtrl) Shift |= ssCtrl;
  if (ShortCut & scAlt) Shift |= ssAlt;
}

std::string ShortCutToText(TShortCut ShortCut) {
  const std::string name = KeyName(ShortCut & 0x0FFF);
  if (name.empty()) return {};
  std::string text;
  if (ShortCut & scCtrl) text += "Ctrl+";
  if (ShortCut & scAlt) text += "Alt+";
  if (ShortCut & scShift) text += "Shift+";
  return text + name;
}

TShortCut TextToShortCut(const std::string& Text) {
  std::string rest = Text;
  TShortCut shift = 0;
  const auto take = [&](const char* Prefix, TShortCut Flag) {
    const std::string p = Prefix;
    if (rest.size() > p.size() && SameText(rest.substr(0, p.size()), p)) {
      rest.erase(0, p.size());
      shift |= Flag;
      return true;
    }
    return false;
  };
  while (take("Ctrl+", scCtrl) || take("Alt+", scAlt) || take("Shift+", scShift)) {
  }
  for (WORD key = 8; key < 255; ++key) {
    const std::string name = KeyName(key);
    if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(key | shift);
  }
  return 0;
}

std::string StripHotkey(const std::string& Text) {
  std::string out;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size()) out += Text[++i];
      continue;
    }
    out += Text[i];
  }
  return out;
}

std::string GetHotkey(const std::string& Text) {
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::string(1, Text[i + 1]);
  }
  return {};
}

std::string GetShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }

std::string GetLongHint(const std::string& Hint) {
  const std::size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(g_nextCommand.fetch_add(1)) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->Detach();
    if (!child->Owner()) Free(child);
  }
  if (parent_) {
    std::erase(parent_->items_, this);
    if (parent_->handle_) RemoveMenu(parent_->handle_, command_, MF_BYCOMMAND);
    // The menu shows the item gone, as after Remove; a menu that is going
    // itself hears nothing.
    if (TMenu* menu = parent_->GetParentMenu(); menu && !menu->HasState(csDestroying)) menu->MenuChanged(nullptr, true);
  }
  if (handle_) {
    // The sub-items' own menus stay theirs.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
  }
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == caption_) return;
  // A line becomes an item, or an item a line: the parent writes it anew.
  const bool line = IsLine();
  caption_ = Value;
  MenuChanged(line != IsLine());
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == shortCut_) return;
  shortCut_ = Value;
  MenuChanged(false);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == checked_) return;
  checked_ = Value;
  MenuChanged(false);
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == visible_) return;
  visible_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == default_) return;
  default_ = Value;
  MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == radioItem_) return;
  radioItem_ = Value;
  MenuChanged(false);
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item || Item->parent_) throw EInvalidOperation("Menu inserted twice");
  Index = std::clamp(Index, 0, Count());
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Item->menu_ = menu_;
  if (handle_) RebuildHandle();
  MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int i = IndexOf(Item);
  if (i < 0) throw EInvalidOperation("Sub-menu is not in menu");
  Delete(i);
}

void TMenuItem::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("Menu index out of range");
  TMenuItem* item = items_[static_cast<std::size_t>(Index)];
  items_.erase(items_.begin() + Index);
  item->Detach();
  if (handle_) RebuildHandle();
  MenuChanged(true);
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    Free(item);
  }
  if (handle_) RebuildHandle();
  MenuChanged(true);
}

// An item out of its parent heads a tree of its own, which no menu holds.
void TMenuItem::Detach() {
  parent_ = nullptr;
  menu_ = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

bool TMenuItem::IsTopOfMainMenu() const {
  return parent_ && !parent_->parent_ && dynamic_cast<TMainMenu*>(parent_->menu_);
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (OnClick) {
    OnClick(this);
  } else if (actionLink_) {
    actionLink_->Execute();
  }
}

void TMenuItem::InitiateAction() {
  if (actionLink_) actionLink_->Update();
}

void TMenuItem::InitiateActions() {
  for (TMenuItem* item : std::vector<TMenuItem*>(items_)) item->InitiateAction();
}

TBasicAction* TMenuItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = GetActionLinkClass().Create(this);
  actionLink_->SetAction(Value);
  actionLink_->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
  ActionChange(Value, HasState(csLoading));
}

const TActionLinkClass& TMenuItem::GetActionLinkClass() const { return TMenuActionLinkClass; }

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || caption_.empty()) SetCaption(action->Caption());
  if (!CheckDefaults || Hint.empty()) Hint = action->Hint();
  if (!CheckDefaults || enabled_) SetEnabled(action->Enabled());
  if (!CheckDefaults || !checked_) SetChecked(action->Checked());
  if (!CheckDefaults || visible_) SetVisible(action->Visible());
  if (!CheckDefaults || shortCut_ == 0) SetShortCut(action->ShortCut);
  MenuChanged(false);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (!ACanvas) return;
  if (IsLine()) {
    Height = 9;
    return;
  }
  std::string text = StripHotkey(caption_);
  if (shortCut_) text += "    " + ShortCutToText(shortCut_);
  Width = ACanvas->TextWidth(text) + 32;
  Height = std::max(ACanvas->TextHeight("W") + 6, 19);
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DoDrawText(TCanvas* ACanvas, const std::string& ACaption, TRect& Rect, bool Selected, UINT Flags) {
  if (!ACanvas) return;
  if (const TMenu* menu = GetParentMenu(); menu && menu->IsRightToLeft()) Flags |= DT_RIGHT | DT_RTLREADING;
  HDC dc = ACanvas->Handle();
  SelectObject(dc, ACanvas->Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(!enabled_ ? clGrayText : Selected ? clHighlightText : clMenuText));
  DrawTextA(dc, ACaption.c_str(), -1, &Rect, Flags);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, bool Selected, bool) {
  if (!ACanvas) return;
  ACanvas->Brush().SetColor(Selected ? clHighlight : clMenu);
  ACanvas->FillRect(ARect);
  if (IsLine()) {
    ACanvas->Pen().SetColor(clBtnShadow);
    const int y = (ARect.top + ARect.bottom) / 2;
    ACanvas->MoveTo(ARect.left + 2, y);
    ACanvas->LineTo(ARect.right - 2, y);
    return;
  }
  // A right-to-left menu has its text at the right (DoDrawText aligns it
  // there) and its shortcut at the left.
  const TMenu* menu = GetParentMenu();
  const bool rightToLeft = menu && menu->IsRightToLeft();
  TRect text = ARect;
  if (rightToLeft) {
    text.right -= 24;
  } else {
    text.left += 24;
  }
  DoDrawText(ACanvas, caption_, text, Selected, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (shortCut_) {
    const std::string keysText = ShortCutToText(shortCut_);
    TRect keys = ARect;
    if (rightToLeft) {
      keys.left += 8;
      keys.right = keys.left + ACanvas->TextWidth(keysText);
    } else {
      keys.right -= 8;
    }
    DoDrawText(ACanvas, keysText, keys, Selected, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (parent_ && parent_->handle_) {
    if (Rebuild) {
      parent_->RebuildHandle();
    } else {
      parent_->UpdateItem(this);
    }
  }
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, Rebuild);
}

// --------------------------------------------------------- TMenuActionLink

TMenuActionLink::TMenuActionLink(TObject* AClient) : TActionLink(AClient), client_(dynamic_cast<TMenuItem*>(AClient)) {}

namespace {

template <class F>
bool Linked(TActionLink& Link, TMenuItem* Client, F Same) {
  auto* action = dynamic_cast<TCustomAction*>(Link.Action());
  return action && Client && Same(*action, *Client);
}

}  // namespace

bool TMenuActionLink::IsCaptionLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Caption() == A.Caption(); });
}

bool TMenuActionLink::IsHintLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Hint == A.Hint(); });
}

bool TMenuActionLink::IsEnabledLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Enabled() == A.Enabled(); });
}

bool TMenuActionLink::IsCheckedLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Checked() == A.Checked(); });
}

bool TMenuActionLink::IsVisibleLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Visible() == A.Visible(); });
}

void TMenuActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) client_->SetCaption(Value);
}

void TMenuActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) client_->Hint = Value;
}

void TMenuActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) client_->SetEnabled(Value);
}

void TMenuActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) client_->SetChecked(Value);
}

void TMenuActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) client_->SetVisible(Value);
}

const TActionLinkClass TMenuActionLinkClass{
    "TMenuActionLink", nullptr,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TMenuActionLink>(Client); }};

// ------------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() = default;

TMenuItem* TMenu::FindItem(std::uintptr_t Value, TFindItemKind Kind) {
  const std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* Item) -> TMenuItem* {
    const bool found = Kind == fkCommand    ? Item != items_ && Item->Command() == Value
                       : Kind == fkShortCut ? Item != items_ && Item->ShortCut() == Value
                                            : Item->handle_ && reinterpret_cast<std::uintptr_t>(Item->handle_) == Value;
    if (found) return Item;
    for (int i = 0; i < Item->Count(); ++i) {
      if (TMenuItem* inner = find(Item->Items(i))) return inner;
    }
    return nullptr;
  };
  return find(items_);
}

bool TMenu::DispatchCommand(WORD Command) {
  TMenuItem* item = FindItem(Command, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU Menu) {
  TMenuItem* item = FindItem(reinterpret_cast<std::uintptr_t>(Menu), fkHandle);
  if (!item) return false;
  item->InitiateActions();
  if (item != items_) item->Click();
  return true;
}

void TMenu::SetWindowHandle(HWND Value) { windowHandle_ = Value; }

void TMenu::SetBiDiMode(TBiDiMode Value) {
  ParentBiDiMode = false;
  if (Value == biDiMode_) return;
  biDiMode_ = Value;
  // Every item is written again with the reading order it has now.
  const std::function<void(TMenuItem*)> refresh = [&](TMenuItem* Item) {
    if (!Item->handle_) return;
    Item->RebuildHandle();
    for (TMenuItem* sub : Item->items_) refresh(sub);
  };
  refresh(items_);
  MenuChanged(nullptr, false);
}

void TMenu::ParentBiDiModeChanged(TControl* AControl) {
  if (!ParentBiDiMode || !AControl) return;
  SetBiDiMode(AControl->BiDiMode);
  ParentBiDiMode = true;
}

bool TMenu::IsRightToLeft() const { return GetSystemMetrics(SM_MIDEASTENABLED) != 0 && biDiMode_ != bdLeftToRight; }

UINT TMenu::DrawTextBiDiModeFlagsReadingOnly() const { return IsRightToLeft() ? DT_RTLREADING : 0; }

void TMenu::SuspendRebuild() { ++suspended_; }

void TMenu::ResumeRebuild() {
  if (suspended_ == 0 || --suspended_ > 0) return;
  MenuChanged(nullptr, true);
}

void TMenu::MenuChanged(TMenuItem*, bool) {
  if (OnChange) OnChange(this);
}

}  // namespace platform
