#include "platform/ui/controls/stdctrls.h"

#include <algorithm>

#include "platform/core/window_system/owner_draw.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls_internal.h"

namespace platform {

using detail::IndexError;
using detail::Part;
using detail::RestoreItems;
using detail::SaveItems;
using detail::Send;
using detail::Str;

// ------------------------------------------------------------------ items

int TCustomComboBoxStrings::GetCount() const { return static_cast<int>(Send(combo_, CB_GETCOUNT)); }

std::string TCustomComboBoxStrings::Get(int Index) const {
  const LRESULT len = Send(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(Index));
  if (len == CB_ERR) IndexError(Index);
  std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
  const LRESULT got = Send(combo_, CB_GETLBTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
  return buffer;
}

TObject* TCustomComboBoxStrings::GetObject(int Index) const {
  const LRESULT data = Send(combo_, CB_GETITEMDATA, static_cast<WPARAM>(Index));
  if (data == CB_ERR) IndexError(Index);
  return reinterpret_cast<TObject*>(data);
}

void TCustomComboBoxStrings::PutObject(int Index, TObject* AObject) {
  Send(combo_, CB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
}

int TCustomComboBoxStrings::Add(const std::string& S) {
  const LRESULT r = Send(combo_, CB_ADDSTRING, 0, Str(S));
  if (r < 0) throw EOutOfResources("Cannot add the item");
  return static_cast<int>(r);
}

void TCustomComboBoxStrings::Insert(int Index, const std::string& S) {
  if (Send(combo_, CB_INSERTSTRING, static_cast<WPARAM>(Index), Str(S)) < 0) {
    throw EOutOfResources("Cannot insert the item");
  }
}

void TCustomComboBoxStrings::Delete(int Index) { Send(combo_, CB_DELETESTRING, static_cast<WPARAM>(Index)); }

void TCustomComboBoxStrings::Clear() {
  const std::string text = combo_.Text();
  Send(combo_, CB_RESETCONTENT);
  if (combo_.Style() == csDropDown || combo_.Style() == csSimple) combo_.SetText(text);
  combo_.Invalidate();
}

int TCustomComboBoxStrings::IndexOf(const std::string& S) const {
  return static_cast<int>(Send(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Str(S)));
}

// --------------------------------------------------------------- combo box

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner, [](TCustomComboBox& Combo) { return std::make_unique<TCustomComboBoxStrings>(Combo); }) {}

TCustomComboBox::TCustomComboBox(TComponent* AOwner, TItemsClass ItemsClass)
    : TWinControl(AOwner), items_(ItemsClass(*this)) {
  FWidth = 145;
  FHeight = 21;
  // The window clicks the combo box when the user chooses an item
  // (CBN_SELCHANGE), not when the mouse opens its list.
  ControlStyle &= ~static_cast<unsigned>(csClickEvents);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | kStyles[style_];
  if (sorted_) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  COMBOBOXINFO info;
  if (SendMessageA(WindowHandle(), CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info))) {
    editHandle_ = info.hwndItem;
    listHandle_ = info.hwndList;
  }
  if (editHandle_) {
    DefEditProc = GetWindowProc(editHandle_);
    SetWindowProcA(editHandle_, MakeWndProc<&TCustomComboBox::EditWndProc>(this, false));
    SendMessageA(editHandle_, WM_SETFONT, static_cast<WPARAM>(Font().Handle()), 0);
  }
  if (listHandle_) {
    DefListProc = GetWindowProc(listHandle_);
    SetWindowProcA(listHandle_, MakeWndProc<&TCustomComboBox::ListWndProc>(this, false));
  }
  if (style_ == csOwnerDrawFixed) Send(*this, CB_SETITEMHEIGHT, 0, itemHeight_);
  if (maxLength_ > 0) Send(*this, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  Send(*this, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_));
  RestoreItems(*items_, savedItems_);
  if (savedIndex_ >= 0) Send(*this, CB_SETCURSEL, static_cast<WPARAM>(std::min(savedIndex_, items_->Count() - 1)));
  savedIndex_ = -1;
}

void TCustomComboBox::DestroyWnd() {
  if (!HasState(csDestroying)) {
    SaveItems(*items_, savedItems_);
    savedIndex_ = ItemIndex();
  }
  editHandle_ = listHandle_ = nullptr;
  TWinControl::DestroyWnd();
}

LRESULT TCustomComboBox::PartWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, WNDPROC PartProc) {
  TMessage m{Msg, wParam, lParam, 0};
  try {
    ComboWndProc(m, hWnd, PartProc);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  return m.Result;
}

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc) {
  if (Message.Msg == WM_SETFOCUS) {
    if (TCustomForm* form = GetParentForm(); form && !form->SetFocusedControl(this)) return;
  } else if (DoKeyMessage(Message)) {
    return;
  }
  Message.Result = CallWindowProcA(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
}

int TCustomComboBox::ItemIndex() { return static_cast<int>(Send(*this, CB_GETCURSEL)); }

void TCustomComboBox::SetItemIndex(int Value) {
  if (ItemIndex() != Value) Send(*this, CB_SETCURSEL, static_cast<WPARAM>(Value));
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  RecreateWnd();
}

void TCustomComboBox::SetSorted(bool Value) {
  if (Value == sorted_) return;
  sorted_ = Value;
  RecreateWnd();
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && Send(*this, CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) { Send(*this, CB_SHOWDROPDOWN, Value ? 1 : 0); }

int TCustomComboBox::SelStart() {
  DWORD start = 0;
  Send(*this, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomComboBox::SelLength() {
  DWORD start = 0, end = 0;
  Send(*this, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SetDropDownCount(int Value) {
  dropDownCount_ = Value;
  if (HandleAllocated()) Send(*this, CB_SETMINVISIBLE, static_cast<WPARAM>(Value));
}

void TCustomComboBox::SetMaxLength(int Value) {
  maxLength_ = std::max(Value, 0);
  if (HandleAllocated()) Send(*this, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TCustomComboBox::SetSelStart(int Value) {
  Send(*this, CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(Value), static_cast<WORD>(Value)));
}

void TCustomComboBox::SetSelLength(int Value) {
  DWORD start = 0;
  Send(*this, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  const auto end = static_cast<DWORD>(static_cast<int>(start) + Value);
  Send(*this, CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end)));
}

std::string TCustomComboBox::SelText() { return Part(Text(), SelStart(), SelLength()); }

void TCustomComboBox::SetSelText(const std::string& Value) {
  if (style_ != csDropDown && style_ != csSimple) return;
  HandleNeeded();
  if (editHandle_) SendMessageA(editHandle_, EM_REPLACESEL, 0, Str(Value));
}

void TCustomComboBox::SelectAll() { Send(*this, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF)); }

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) {
    OnSelect(this);
  } else {
    Change();
  }
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::WndProc(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM) {
    CNDrawItem(Message);
    return;
  }
  if (Message.Msg == CN_MEASUREITEM) {
    CNMeasureItem(Message);
    return;
  }
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case CBN_DBLCLK:
        DblClick();
        return;
      case CBN_EDITCHANGE:
        Change();
        return;
      case CBN_DROPDOWN:
        DropDown();
        return;
      case CBN_CLOSEUP:
        CloseUp();
        return;
      case CBN_SELCHANGE: {
        const int index = ItemIndex();
        if (index >= 0) SetText(items_->Get(index));
        Click();
        Select();
        return;
      }
      default:
        return;
    }
  }
  TWinControl::WndProc(Message);
}

}  // namespace platform
