#include "widetext/standard/list_box.h"

#include <algorithm>

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/platform_flags.h"
#include "widetext/standard/saved_items.h"

namespace widetext {

TWtxCustomListBox::TWtxCustomListBox(platform::TComponent* AOwner)
    : TWideControl(AOwner), items_(std::make_unique<TWtxListBoxStrings>(*this)) {}

TWtxCustomListBox::~TWtxCustomListBox() = default;

bool TWtxCustomListBox::IsVirtual() const {
  return Style() == platform::lbVirtual || Style() == platform::lbVirtualOwnerDraw;
}

void TWtxCustomListBox::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"LISTBOX");
}

void TWtxCustomListBox::CreateWnd() {
  TWideControl::CreateWnd();
  PutBackWideItems(*items_, savedItems_);
  const int count = items_->GetCount();
  // The selection first: selecting may scroll the list.
  const int index = FittedItemIndex(savedIndex_, count);
  if (index >= 0) SetItemIndex(index);
  if (savedTopIndex_ >= 0 && savedTopIndex_ < count) SetTopIndex(savedTopIndex_);
  savedTopIndex_ = savedIndex_ = -1;
}

void TWtxCustomListBox::DestroyWnd() {
  if (!HasState(platform::csDestroying) && !IsVirtual()) {
    savedTopIndex_ = TopIndex();
    savedIndex_ = ItemIndex();
    savedItems_ = TakeWideItems(*items_, Items());
  }
  TWideControl::DestroyWnd();
}

void TWtxCustomListBox::AddItem(const std::u16string& Item, platform::TObject* AObject) {
  items_->AddObject(Item, AObject);
}

void TWtxCustomListBox::CopySelection(platform::TWinControl* Destination) {
  if (!MultiSelect()) {
    const int index = ItemIndex();
    if (index != -1) WideCustomListControlAddItem(Destination, items_->Get(index), items_->GetObject(index));
    return;
  }
  for (int i = 0; i < items_->GetCount(); ++i) {
    if (Selected(i)) WideCustomListControlAddItem(Destination, items_->Get(i), items_->GetObject(i));
  }
}

void TWtxCustomListBox::DrawItem(int Index, platform::TRect Rect, platform::TOwnerDrawState State) {
  if (OnDrawItem) {
    TWideControl::DrawItem(Index, Rect, State);
    return;
  }
  platform::TCanvas& canvas = Canvas();
  canvas.FillRect(Rect);
  if (Index < 0 || Index >= items_->GetCount()) return;
  const std::u16string text = items_->Get(Index);
  if (UseRightToLeftAlignment()) {
    Rect.right -= 2;
  } else {
    Rect.left += 2;
  }
  const platform::UINT flags =
      DrawTextBiDiModeFlags(platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX |
                            (UseRightToLeftAlignment() ? platform::DT_RIGHT : 0));
  platform::DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &Rect, flags);
}

std::u16string TWtxCustomListBox::WideData(int Index) {
  if (!OnDataW) return WidenAnsi(TWideControl::DoGetData(Index));
  std::u16string data;
  OnDataW(this, Index, data);
  return data;
}

std::string TWtxCustomListBox::DoGetData(int Index) {
  return OnDataW ? AnsiImage(WideData(Index)) : TWideControl::DoGetData(Index);
}

// What a virtual list box's window is asked about its texts: in its own form
// (UTF-16 on a Unicode platform, else the 8-bit image), the length as the
// answer; -1 for an item the data event gives no text.
void TWtxCustomListBox::AnswerText(platform::TMessage& Message) {
  const int index = static_cast<int>(Message.WParam);
  if (Message.Msg == platform::LB_GETTEXTLEN) {
    const std::u16string text = WideData(index);
    measuredIndex_ = index;
    measuredLength_ = Win32PlatformIsUnicode ? text.size() : AnsiImage(text).size();
    Message.Result = text.empty() ? platform::LB_ERR : static_cast<platform::LRESULT>(measuredLength_);
    return;
  }
  const std::u16string text = WideData(index);
  if (text.empty()) {
    Message.Result = platform::LB_ERR;
    return;
  }
  if (Win32PlatformIsUnicode) {
    Message.Result = CopyMeasured(text, reinterpret_cast<char16_t*>(Message.LParam), index);
  } else {
    Message.Result = CopyMeasured(AnsiImage(text), reinterpret_cast<char*>(Message.LParam), index);
  }
}

// The text and its terminator, never longer than the length last told for
// the item.
template <class Str, class Unit>
platform::LRESULT TWtxCustomListBox::CopyMeasured(Str Value, Unit* Out, int Index) const {
  if (Index == measuredIndex_ && Value.size() > measuredLength_) Value.resize(measuredLength_);
  if (Out) {
    std::copy(Value.begin(), Value.end(), Out);
    Out[Value.size()] = Unit{};
  }
  return static_cast<platform::LRESULT>(Value.size());
}

void TWtxCustomListBox::WndProc(platform::TMessage& Message) {
  if (IsVirtual() && (Message.Msg == platform::LB_GETTEXT || Message.Msg == platform::LB_GETTEXTLEN)) {
    AnswerText(Message);
    return;
  }
  TWideControl::WndProc(Message);
}

}  // namespace widetext
