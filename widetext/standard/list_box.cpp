#include "widetext/standard/list_box.h"

#include <algorithm>

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
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

std::u16string TWtxCustomListBox::WideData(int Index) {
  if (!OnDataW) return WidenAnsi(TWideControl::DoGetData(Index));
  std::u16string data;
  OnDataW(this, Index, data);
  return data;
}

std::string TWtxCustomListBox::DoGetData(int Index) {
  return OnDataW ? AnsiImage(WideData(Index)) : TWideControl::DoGetData(Index);
}

// The window of a virtual list box asks for its texts in Unicode form.
void TWtxCustomListBox::AnswerText(platform::TMessage& Message) {
  const int index = static_cast<int>(Message.WParam);
  if (Message.Msg == platform::LB_GETTEXTLEN) {
    measuredIndex_ = index;
    measuredLength_ = WideData(index).size();
    Message.Result = static_cast<platform::LRESULT>(measuredLength_);
    return;
  }
  std::u16string text = WideData(index);
  if (index == measuredIndex_ && text.size() > measuredLength_) text.resize(measuredLength_);
  if (auto* out = reinterpret_cast<char16_t*>(Message.LParam)) {
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = u'\0';
  }
  Message.Result = static_cast<platform::LRESULT>(text.size());
}

void TWtxCustomListBox::WndProc(platform::TMessage& Message) {
  if (IsVirtual() && (Message.Msg == platform::LB_GETTEXT || Message.Msg == platform::LB_GETTEXTLEN)) {
    AnswerText(Message);
    return;
  }
  TWideControl::WndProc(Message);
}

}  // namespace widetext
