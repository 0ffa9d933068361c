#include "platform/ui/controls/menus.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <atomic>
#include <cctype>

#include "platform/core/text/cp1252.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/qt_internal.h"

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

void BuildMenu(QMenu& Menu, TMenuItem* Parent) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* item = Parent->Items(i);
    if (!item->Visible) continue;
    if (item->IsLine()) {
      Menu.addSeparator();
      continue;
    }
    const QString text = ui::ToQString(GetMenuStringW(item));
    if (item->Count() > 0) {
      QMenu* sub = Menu.addMenu(text);
      BuildMenu(*sub, item);
      continue;
    }
    QAction* action = Menu.addAction(text);
    action->setEnabled(item->Enabled);
    action->setCheckable(item->Checked);
    action->setChecked(item->Checked);
    if (item->ShortCut) action->setShortcut(QKeySequence(ui::ToQString(Cp1252ToUtf16(ShortCutToText(item->ShortCut)))));
    action->setData(QVariant::fromValue<qulonglong>(item->Command()));
  }
}

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

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(g_nextCommand.fetch_add(1)) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    if (!child->Owner()) Free(child);
  }
  if (parent_) std::erase(parent_->items_, this);
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == caption_) return;
  caption_ = Value;
  MenuChanged(true);
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item || Item->parent_) throw EInvalidOperation("Menu inserted twice");
  Index = std::clamp(Index, 0, Count());
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Item->menu_ = menu_;
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
  item->parent_ = nullptr;
  MenuChanged(true);
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    Free(item);
  }
  MenuChanged(true);
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

void TMenuItem::Click() {
  if (!Enabled) return;
  if (OnClick) {
    OnClick(this);
  } else if (actionLink_) {
    actionLink_->Execute();
  }
}

void TMenuItem::InitiateAction() {
  if (actionLink_) actionLink_->Update();
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
  if (!CheckDefaults || Enabled) Enabled = action->Enabled();
  if (!CheckDefaults || !Checked) Checked = action->Checked();
  if (!CheckDefaults || Visible) Visible = action->Visible();
  if (!CheckDefaults || ShortCut == 0) ShortCut = action->ShortCut;
  MenuChanged(false);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (!ACanvas) return;
  if (IsLine()) {
    Height = 9;
    return;
  }
  std::string text = StripHotkey(caption_);
  if (ShortCut) text += "    " + ShortCutToText(ShortCut);
  Width = ACanvas->TextWidth(text) + 32;
  Height = std::max(ACanvas->TextHeight("W") + 6, 19);
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DoDrawText(TCanvas* ACanvas, const std::string& ACaption, TRect& Rect, bool Selected, UINT Flags) {
  if (!ACanvas) return;
  HDC dc = ACanvas->Handle();
  SelectObject(dc, ACanvas->Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(!Enabled ? clGrayText : Selected ? clHighlightText : clMenuText));
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
  TRect text = ARect;
  text.left += 24;
  DoDrawText(ACanvas, caption_, text, Selected, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (ShortCut) {
    TRect keys = ARect;
    keys.right -= 8;
    DoDrawText(ACanvas, ShortCutToText(ShortCut), keys, Selected, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TMenuItem::MenuChanged(bool) {
  menuText_.reset();
  if (TMenu* menu = GetParentMenu(); menu && menu->OnChange) menu->OnChange(menu);
}

std::u16string GetMenuStringW(const TMenuItem* Item) {
  if (!Item) return {};
  if (Item->menuText_) return *Item->menuText_;
  std::u16string text = Cp1252ToUtf16(Item->Caption());
  const TMenuItem* parent = Item->Parent();
  const bool topOfMainMenu = parent && !parent->Parent() && dynamic_cast<TMainMenu*>(parent->GetParentMenu());
  if (Item->ShortCut && Item->Count() == 0 && !topOfMainMenu) {
    text += u'\t' + Cp1252ToUtf16(ShortCutToText(Item->ShortCut));
  }
  return text;
}

void SetMenuItemTextW(TMenuItem* Item, std::u16string_view Text) {
  if (Item) Item->menuText_ = std::u16string(Text);
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
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Enabled == A.Enabled(); });
}

bool TMenuActionLink::IsCheckedLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Checked == A.Checked(); });
}

bool TMenuActionLink::IsVisibleLinked() {
  return Linked(*this, client_, [](TCustomAction& A, TMenuItem& I) { return I.Visible == A.Visible(); });
}

void TMenuActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) client_->SetCaption(Value);
}

void TMenuActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) client_->Hint = Value;
}

void TMenuActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) client_->Enabled = Value;
}

void TMenuActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) client_->Checked = Value;
}

void TMenuActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) client_->Visible = Value;
}

const TActionLinkClass TMenuActionLinkClass{
    "TMenuActionLink", nullptr,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TMenuActionLink>(Client); }};

// ------------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() = default;

TMenuItem* TMenu::FindItem(std::uintptr_t Value, TFindItemKind Kind) {
  const std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* Parent) -> TMenuItem* {
    for (int i = 0; i < Parent->Count(); ++i) {
      TMenuItem* item = Parent->Items(i);
      if ((Kind == fkCommand && item->Command() == Value) || (Kind == fkShortCut && item->ShortCut == Value)) {
        return item;
      }
      if (TMenuItem* found = find(item)) return found;
    }
    return nullptr;
  };
  return Kind == fkHandle ? nullptr : find(items_);
}

void TPopupMenu::Popup(int X, int Y) {
  ui::RequireUi();
  if (OnPopup) OnPopup(this);
  QMenu menu;
  BuildMenu(menu, Items());
  const QAction* chosen = menu.exec(QPoint(X, Y));
  if (!chosen) return;
  if (TMenuItem* item = FindItem(chosen->data().toULongLong(), fkCommand)) item->Click();
}

}  // namespace platform
