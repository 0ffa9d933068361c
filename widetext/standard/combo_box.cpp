#include "widetext/standard/combo_box.h"

#include "platform/core/os/clock.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_canvas.h"
#include "widetext/controls/wm_char.h"
#include "widetext/standard/combo_ansi_items.h"
#include "widetext/standard/combo_auto_complete.h"
#include "widetext/standard/saved_items.h"
#include "widetext/standard/selection.h"

namespace widetext {

TWtxCustomComboBox::TWtxCustomComboBox(platform::TComponent* AOwner)
    : TWideControl(AOwner, &TWtxComboBoxAnsiItems::Make), items_(std::make_unique<TWtxComboBoxStrings>(*this)) {}

TWtxCustomComboBox::~TWtxCustomComboBox() = default;

bool TWtxCustomComboBox::Editable() const { return Style() == platform::csDropDown || Style() == platform::csSimple; }

void TWtxCustomComboBox::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"COMBOBOX");
}

void TWtxCustomComboBox::CreateWnd() {
  TWideControl::CreateWnd();
  // The class library hooked the edit and list parts as 8-bit windows.
  for (const platform::HWND part : {EditHandle(), ListHandle()}) {
    if (part) platform::SetWindowProcW(part, platform::GetWindowProc(part));
  }
  PutBackWideItems(*items_, savedItems_);
  const int index = FittedItemIndex(savedIndex_, items_->GetCount());
  if (index >= 0) SetItemIndex(index);
  savedIndex_ = -1;
  if (AnsiImage(savedText_) == Text()) SetText(savedText_);
  savedText_.clear();
}

void TWtxCustomComboBox::DestroyWnd() {
  if (!HasState(platform::csDestroying)) {
    savedText_ = GetText();
    savedIndex_ = ItemIndex();
    savedItems_ = TakeWideItems(*items_, Items());
  }
  TWideControl::DestroyWnd();
}

std::u16string TWtxCustomComboBox::GetSelText() {
  if (!Editable()) return {};
  return WideSelectedText(GetText(), SelStart(), SelLength());
}

void TWtxCustomComboBox::AddItem(const std::u16string& Item, platform::TObject* AObject) {
  items_->AddObject(Item, AObject);
}

void TWtxCustomComboBox::CopySelection(platform::TWinControl* Destination) {
  const int index = ItemIndex();
  if (index != -1) WideCustomListControlAddItem(Destination, items_->Get(index), items_->GetObject(index));
}

void TWtxCustomComboBox::DrawItem(int Index, platform::TRect Rect, platform::TOwnerDrawState State) {
  if (OnDrawItem) {
    TWideControl::DrawItem(Index, Rect, State);
    return;
  }
  platform::TCanvas& canvas = Canvas();
  canvas.TextFlags = UseRightToLeftReading() ? canvas.TextFlags | platform::ETO_RTLREADING
                                             : canvas.TextFlags & ~platform::ETO_RTLREADING;
  canvas.FillRect(Rect);
  if (Index >= 0) WideCanvasTextOut(canvas, Rect.left + 2, Rect.top, items_->Get(Index));
}

void TWtxCustomComboBox::DropDownKeepingText() {
  const std::u16string text = GetText();
  const int start = SelStart();
  const int length = SelLength();
  SetDroppedDown(true);
  SetText(text);
  SetSelStart(start);
  SetSelLength(length);
}

void TWtxCustomComboBox::IncrementalSearch(platform::TMessage& Message) {
  char16_t key = GetWideCharFromWMCharMsg(Message);
  switch (key) {
    case u'\b':
      if (!searchText_.empty()) searchText_.pop_back();
      break;
    case u'\t':
      if (AutoDropDown && DroppedDown()) SetDroppedDown(false);
      break;
    case 27:
      break;
    default: {
      if (AutoDropDown && !DroppedDown()) DropDownKeepingText();
      const std::uint32_t now = platform::GetTickCount();
      if (now - lastSearchTick_ >= 1250) searchText_.clear();
      lastSearchTick_ = now;
      if (ComboAutoSelectItem(*this, searchText_ + key, true, false)) {
        searchText_ += key;
        key = 0;
      }
      break;
    }
  }
  SetWideCharForWMCharMsg(Message, key);
}

void TWtxCustomComboBox::WndProc(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::WM_CHAR:
      if (!Editable() && AutoComplete) {
        IncrementalSearch(Message);
        if (GetWideCharFromWMCharMsg(Message) == 0) return;
      }
      break;
    case platform::CN_COMMAND:
      if (platform::HIWORD(Message.WParam) == platform::CBN_SELCHANGE) {
        const int index = ItemIndex();
        if (index >= 0) SetText(items_->Get(index));
        Click();
        Select();
        return;
      }
      break;
    default:
      break;
  }
  TWideControl::WndProc(Message);
}

// A character typed into the edit part: the combo box's key handling and
// completion come first; Enter and Escape close an open list.
void TWtxCustomComboBox::EditChar(platform::TMessage& Message, platform::HWND ComboWnd, platform::WNDPROC ComboProc) {
  MakeWMCharMsgSafeForAnsi(Message);
  bool consumed = DoKeyMessage(Message);
  if (!consumed) {
    char16_t key = GetWideCharFromWMCharMsg(Message);
    WtxCombo_AutoCompleteKeyPress(*this, key);
    consumed = key == 0;
  }
  RestoreWMCharMsg(Message);
  if (consumed) return;
  const char16_t key = platform::LOWORD(Message.WParam);
  if ((key == u'\r' || key == 27) && DroppedDown()) {
    SetDroppedDown(false);
    return;
  }
  Message.Result = platform::CallWindowProcW(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
}

void TWtxCustomComboBox::ComboWndProc(platform::TMessage& Message, platform::HWND ComboWnd,
                                      platform::WNDPROC ComboProc) {
  switch (Message.Msg) {
    case platform::WM_CHAR:
      EditChar(Message, ComboWnd, ComboProc);
      return;
    case platform::WM_IME_CHAR:
      Message.Result = platform::SendMessageW(ComboWnd, platform::WM_CHAR, Message.WParam, Message.LParam);
      return;
    case platform::EM_REPLACESEL:
    case platform::WM_IME_COMPOSITION:
    case platform::WM_SETTEXT:
    case platform::WM_GETTEXT:
    case platform::WM_GETTEXTLENGTH:
      Message.Result = platform::CallWindowProcW(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
      return;
    default:
      TWideControl::ComboWndProc(Message, ComboWnd, ComboProc);
  }
}

}  // namespace widetext
