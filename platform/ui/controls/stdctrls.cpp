#include "platform/ui/controls/stdctrls.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/controls/forms.h"

namespace platform {
namespace {

LRESULT Send(TWinControl& C, UINT Msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(C.Handle(), Msg, wParam, lParam);
}

LPARAM Str(const std::string& S) { return reinterpret_cast<LPARAM>(S.c_str()); }

// The selected part of a text.
std::string Part(const std::string& Text, int Start, int Length) {
  const auto from = static_cast<std::size_t>(std::max(Start, 0));
  return from >= Text.size() ? std::string() : Text.substr(from, static_cast<std::size_t>(std::max(Length, 0)));
}

[[noreturn]] void IndexError(int Index) {
  throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

// The lines of a memo, read and written through the edit's messages.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo& Memo) : memo_(Memo) {}

  int GetCount() const override {
    LRESULT count = Send(memo_, EM_GETLINECOUNT);
    if (Send(memo_, EM_LINELENGTH, static_cast<WPARAM>(Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(count - 1)))) ==
        0) {
      --count;
    }
    return static_cast<int>(count);
  }

  std::string Get(int Index) const override {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    const LRESULT start = Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(Index));
    const auto len = static_cast<std::size_t>(Send(memo_, EM_LINELENGTH, static_cast<WPARAM>(start)));
    std::string buffer(std::max<std::size_t>(len, 2) + 1, '\0');
    *reinterpret_cast<std::uint16_t*>(buffer.data()) = static_cast<std::uint16_t>(buffer.size() - 1);
    const LRESULT got = Send(memo_, EM_GETLINE, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, static_cast<LRESULT>(len))));
    return buffer;
  }

  void Put(int Index, const std::string& S) override {
    const LRESULT start = Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(Index));
    if (start < 0) IndexError(Index);
    const LRESULT len = Send(memo_, EM_LINELENGTH, static_cast<WPARAM>(start));
    Send(memo_, EM_SETSEL, static_cast<WPARAM>(start), start + len);
    Send(memo_, EM_REPLACESEL, 0, Str(S));
  }

  void Insert(int Index, const std::string& S) override {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    LRESULT start = Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(Index));
    std::string text = S;
    if (start >= 0) {
      text += "\r\n";
    } else {
      start = Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(Index - 1));
      if (start < 0) return;
      const LRESULT len = Send(memo_, EM_LINELENGTH, static_cast<WPARAM>(start));
      if (len == 0) return;
      start += len;
      text = "\r\n" + text;
    }
    Send(memo_, EM_SETSEL, static_cast<WPARAM>(start), start);
    Send(memo_, EM_REPLACESEL, 0, Str(text));
  }

  void Delete(int Index) override {
    const LRESULT start = Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(Index));
    if (start < 0 || Index >= GetCount()) IndexError(Index);
    LRESULT end = Send(memo_, EM_LINEINDEX, static_cast<WPARAM>(Index + 1));
    if (end < 0) end = start + Send(memo_, EM_LINELENGTH, static_cast<WPARAM>(start));
    Send(memo_, EM_SETSEL, static_cast<WPARAM>(start), end);
    Send(memo_, EM_REPLACESEL, 0, Str(""));
  }

  void Clear() override { memo_.SetText(""); }
  std::string GetTextStr() const override { return memo_.Text(); }
  void SetTextStr(std::string_view Value) override { memo_.SetText(std::string(Value.substr(0, Value.find('\0')))); }

 private:
  TCustomMemo& memo_;
};

// The items of a combo box's window.
class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox& Combo) : combo_(Combo) {}
  int GetCount() const override { return static_cast<int>(Send(combo_, CB_GETCOUNT)); }
  std::string Get(int Index) const override {
    const LRESULT len = Send(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(Index));
    if (len == CB_ERR) IndexError(Index);
    std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
    const LRESULT got = Send(combo_, CB_GETLBTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
    return buffer;
  }
  TObject* GetObject(int Index) const override {
    const LRESULT data = Send(combo_, CB_GETITEMDATA, static_cast<WPARAM>(Index));
    if (data == CB_ERR) IndexError(Index);
    return reinterpret_cast<TObject*>(data);
  }
  void PutObject(int Index, TObject* AObject) override {
    Send(combo_, CB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
  }
  int Add(const std::string& S) override {
    const LRESULT r = Send(combo_, CB_ADDSTRING, 0, Str(S));
    if (r < 0) throw EOutOfResources("Cannot add the item");
    return static_cast<int>(r);
  }
  void Insert(int Index, const std::string& S) override {
    if (Send(combo_, CB_INSERTSTRING, static_cast<WPARAM>(Index), Str(S)) < 0) {
      throw EOutOfResources("Cannot insert the item");
    }
  }
  void Delete(int Index) override { Send(combo_, CB_DELETESTRING, static_cast<WPARAM>(Index)); }
  void Clear() override {
    const std::string text = combo_.Text();
    Send(combo_, CB_RESETCONTENT);
    // The edit of an editable combo box keeps what was typed.
    if (combo_.Style() == csDropDown || combo_.Style() == csSimple) combo_.SetText(text);
    combo_.Invalidate();
  }
  int IndexOf(const std::string& S) const override {
    return static_cast<int>(Send(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Str(S)));
  }

 private:
  TCustomComboBox& combo_;
};

// The items of a list box's window; a virtual list has none of its own.
class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TCustomListBox& List) : list_(List) {}
  int GetCount() const override { return static_cast<int>(Send(list_, LB_GETCOUNT)); }
  std::string Get(int Index) const override {
    // A virtual list's window answers in its own form, which may not be
    // this list's; the data event itself is asked.
    if (list_.Style() == lbVirtual || list_.Style() == lbVirtualOwnerDraw) {
      if (Index < 0 || Index >= GetCount()) IndexError(Index);
      return list_.DoGetData(Index);
    }
    const LRESULT len = Send(list_, LB_GETTEXTLEN, static_cast<WPARAM>(Index));
    if (len == LB_ERR) IndexError(Index);
    std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
    const LRESULT got = Send(list_, LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len)));
    return buffer;
  }
  TObject* GetObject(int Index) const override {
    const LRESULT data = Send(list_, LB_GETITEMDATA, static_cast<WPARAM>(Index));
    if (data == LB_ERR) IndexError(Index);
    return reinterpret_cast<TObject*>(data);
  }
  void PutObject(int Index, TObject* AObject) override {
    Send(list_, LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
  }
  int Add(const std::string& S) override {
    const LRESULT r = Send(list_, LB_ADDSTRING, 0, Str(S));
    if (r < 0) throw EOutOfResources("Cannot add the item");
    return static_cast<int>(r);
  }
  void Insert(int Index, const std::string& S) override {
    if (Send(list_, LB_INSERTSTRING, static_cast<WPARAM>(Index), Str(S)) < 0) {
      throw EOutOfResources("Cannot insert the item");
    }
  }
  void Delete(int Index) override { Send(list_, LB_DELETESTRING, static_cast<WPARAM>(Index)); }
  void Clear() override { Send(list_, LB_RESETCONTENT); }
  int IndexOf(const std::string& S) const override {
    return static_cast<int>(Send(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Str(S)));
  }

 private:
  TCustomListBox& list_;
};

// What a label and a static text do alike: they size to their caption,
// and their accelerator focuses their FocusControl. True when the message
// is done with; otherwise it goes on to the control's base class.
bool CaptionMessage(TControl& Self, TMessage& M, TWinControl* FocusControl, bool ShowAccelChar,
                    const std::function<void()>& AdjustBounds) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
      AdjustBounds();
      Self.Invalidate();
      return true;
    case CM_FONTCHANGED:
      AdjustBounds();
      return false;
    case CM_DIALOGCHAR:
      if (!FocusControl || !Self.Enabled() || !ShowAccelChar || !IsAccel(M.WParam, Self.Caption()) ||
          !FocusControl->CanFocus()) {
        return false;
      }
      FocusControl->SetFocus();
      M.Result = 1;
      return true;
    default:
      return false;
  }
}

void SaveItems(TStrings& Items, std::unique_ptr<TStringList>& Saved) {
  Saved = std::make_unique<TStringList>();
  for (int i = 0; i < Items.Count(); ++i) Saved->AddObject(Items.Get(i), Items.GetObject(i));
}

void RestoreItems(TStrings& Items, std::unique_ptr<TStringList>& Saved) {
  if (!Saved) return;
  for (int i = 0; i < Saved->Count(); ++i) Items.AddObject(Saved->Get(i), Saved->GetObject(i));
  Saved.reset();
}

}  // namespace

bool IsAccel(WPARAM C, const std::string& Text) {
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(Text[i + 1])) == std::toupper(static_cast<int>(C & 0xFF));
  }
  return false;
}

// -------------------------------------------------------------------- edit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = 21;
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (readOnly_) Params.Style |= ES_READONLY;
  if (BorderStyle == bsSingleBorder) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  Send(*this, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  if (passwordChar_) Send(*this, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_));
}

void TCustomEdit::SetMaxLength(int Value) {
  maxLength_ = Value;
  if (HandleAllocated()) Send(*this, EM_LIMITTEXT, static_cast<WPARAM>(Value));
}

void TCustomEdit::SetReadOnly(bool Value) {
  readOnly_ = Value;
  if (HandleAllocated()) Send(*this, EM_SETREADONLY, Value ? 1 : 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
  passwordChar_ = Value;
  if (HandleAllocated()) Send(*this, EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value));
}

bool TCustomEdit::Modified() { return HandleAllocated() && Send(*this, EM_GETMODIFY) != 0; }

void TCustomEdit::SetModified(bool Value) { Send(*this, EM_SETMODIFY, Value ? 1 : 0); }

int TCustomEdit::SelStart() {
  DWORD start = 0;
  Send(*this, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) { Send(*this, EM_SETSEL, static_cast<WPARAM>(Value), Value); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  Send(*this, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  DWORD start = 0;
  Send(*this, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  Send(*this, EM_SETSEL, start, static_cast<LPARAM>(start) + Value);
}

std::string TCustomEdit::SelText() { return Part(Text(), SelStart(), SelLength()); }

void TCustomEdit::SetSelText(const std::string& Value) { Send(*this, EM_REPLACESEL, 0, Str(Value)); }

void TCustomEdit::SelectAll() { Send(*this, EM_SETSEL, 0, -1); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE) {
    Change();
    return;
  }
  TWinControl::WndProc(Message);
}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<TMemoStrings>(*this)) {
  FWidth = 185;
  FHeight = 89;
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style = (Params.Style & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE;
  if (!wordWrap_) Params.Style |= ES_AUTOHSCROLL;
  if (wantReturns_) Params.Style |= ES_WANTRETURN;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
  if (alignment_ == taCenter) Params.Style |= ES_CENTER;
  if (alignment_ == taRightJustify) Params.Style |= ES_RIGHT;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == scrollBars_) return;
  scrollBars_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (Value == wordWrap_) return;
  wordWrap_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (Value == alignment_) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetWantReturns(bool Value) {
  wantReturns_ = Value;
  if (!HandleAllocated()) return;
  const auto style = static_cast<DWORD>(GetWindowLong(WindowHandle(), GWL_STYLE));
  SetWindowLong(WindowHandle(), GWL_STYLE, static_cast<LPARAM>(Value ? style | ES_WANTRETURN : style & ~ES_WANTRETURN));
}

void TCustomMemo::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == '\r' && !wantReturns_) Key = 0;
}

void TCustomMemo::WndProc(TMessage& Message) {
  TCustomEdit::WndProc(Message);
  if (Message.Msg != WM_GETDLGCODE) return;
  if (wantTabs_) {
    Message.Result |= DLGC_WANTTAB;
  } else {
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  }
  if (!wantReturns_) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

// --------------------------------------------------------------- combo box

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TComboBoxStrings>(*this)) {
  FWidth = 145;
  FHeight = 21;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED};
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

// ---------------------------------------------------------------- list box

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TListBoxStrings>(*this)) {
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= WS_VSCROLL | LBS_NOTIFY;
  if (style_ == lbVirtual || style_ == lbVirtualOwnerDraw) {
    Params.Style |= LBS_NODATA;
  } else {
    Params.Style |= LBS_HASSTRINGS;
  }
  if (sorted_) Params.Style |= LBS_SORT;
  if (multiSelect_) Params.Style |= LBS_EXTENDEDSEL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (style_ == lbVirtual || style_ == lbVirtualOwnerDraw) {
    Send(*this, LB_SETCOUNT, static_cast<WPARAM>(virtualCount_));
  } else {
    RestoreItems(*items_, savedItems_);
  }
  if (savedIndex_ >= 0 && savedIndex_ < Count()) SetItemIndex(savedIndex_);
  savedIndex_ = -1;
}

void TCustomListBox::DestroyWnd() {
  if (!HasState(csDestroying)) {
    if (style_ != lbVirtual && style_ != lbVirtualOwnerDraw) SaveItems(*items_, savedItems_);
    savedIndex_ = ItemIndex();
  }
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() { return static_cast<int>(Send(*this, LB_GETCURSEL)); }

void TCustomListBox::SetItemIndex(int Value) {
  if (ItemIndex() != Value) Send(*this, LB_SETCURSEL, static_cast<WPARAM>(Value));
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (Value == multiSelect_) return;
  multiSelect_ = Value;
  RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
  const LRESULT r = Send(*this, LB_GETSEL, static_cast<WPARAM>(Index));
  if (r == LB_ERR) IndexError(Index);
  return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (multiSelect_) {
    Send(*this, LB_SETSEL, Value ? 1 : 0, Index);
  } else if (Value) {
    SetItemIndex(Index);
  } else if (ItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::SelCount() { return static_cast<int>(Send(*this, LB_GETSELCOUNT)); }

int TCustomListBox::TopIndex() { return static_cast<int>(Send(*this, LB_GETTOPINDEX)); }

void TCustomListBox::SetTopIndex(int Value) { Send(*this, LB_SETTOPINDEX, static_cast<WPARAM>(Value)); }

void TCustomListBox::SetSorted(bool Value) {
  if (Value == sorted_) return;
  sorted_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  RecreateWnd();
}

int TCustomListBox::Count() { return items_->Count(); }

void TCustomListBox::SetCount(int Value) {
  if (style_ != lbVirtual && style_ != lbVirtualOwnerDraw) {
    throw EInvalidOperation("Setting the count is allowed only on virtual list boxes");
  }
  virtualCount_ = Value;
  if (HandleAllocated()) Send(*this, LB_SETCOUNT, static_cast<WPARAM>(Value));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  const LRESULT r = Send(*this, LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(Pos.X), static_cast<WORD>(Pos.Y)));
  const int index = LOWORD(static_cast<std::uintptr_t>(r));
  const bool outside = HIWORD(static_cast<std::uintptr_t>(r)) != 0;
  if (!outside) return index;
  return Existing ? -1 : index + 1;
}

std::string TCustomListBox::DoGetData(int Index) {
  std::string data;
  if (OnData) OnData(this, Index, data);
  return data;
}

void TCustomListBox::WndProc(TMessage& Message) {
  const bool isVirtual = style_ == lbVirtual || style_ == lbVirtualOwnerDraw;
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) Click();
      if (HIWORD(Message.WParam) == LBN_DBLCLK) DblClick();
      return;
    case LB_GETTEXT:
      if (isVirtual) {
        const int index = static_cast<int>(Message.WParam);
        std::string s = DoGetData(index);
        if (index == measuredIndex_ && s.size() > measuredLength_) s.resize(measuredLength_);
        auto* out = reinterpret_cast<char*>(Message.LParam);
        if (out) {
          std::copy(s.begin(), s.end(), out);
          out[s.size()] = '\0';
        }
        Message.Result = static_cast<LRESULT>(s.size());
        return;
      }
      break;
    case LB_GETTEXTLEN:
      if (isVirtual) {
        measuredIndex_ = static_cast<int>(Message.WParam);
        measuredLength_ = DoGetData(measuredIndex_).size();
        Message.Result = static_cast<LRESULT>(measuredLength_);
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

// ------------------------------------------------------------------- label

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
  ControlStyle |= csReplicatable;
  SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == alignment_) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == layout_) return;
  layout_ = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == autoSize_) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == wordWrap_) return;
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == showAccelChar_) return;
  showAccelChar_ = Value;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Invalidate();
}

std::string TCustomLabel::GetLabelText() { return Caption(); }

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  std::string text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) Flags |= DT_NOPREFIX;
  Flags = DrawTextBiDiModeFlags(Flags);
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  HDC dc = canvas.Handle();
  SelectObject(dc, canvas.Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    OffsetRect(Rect, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
    OffsetRect(Rect, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  } else {
    SetTextColor(dc, ColorToRGB(Font().Color()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  }
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
  }
  canvas.Brush().SetStyle(bsClear);
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT style = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kAlign[alignment_];
  TRect rect = ClientRect();
  if (layout_ != tlTop) {
    TRect calc = rect;
    DoDrawText(calc, style | DT_CALCRECT);
    const int offset = layout_ == tlBottom ? FHeight - calc.bottom : (FHeight - calc.bottom) / 2;
    OffsetRect(rect, 0, offset);
  }
  DoDrawText(rect, style);
}

void TCustomLabel::AdjustBounds() {
  if (HasState(csLoading) || !autoSize_) return;
  TRect rect = ClientRect();
  HDC dc = GetDC(nullptr);
  Canvas().SetHandle(dc);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  Canvas().SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = FLeft;
  if (alignment_ == taRightJustify) x += FWidth - rect.right;
  SetBounds(x, FTop, rect.right, rect.bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& Message) {
  if (!CaptionMessage(*this, Message, FocusControl, showAccelChar_, [this] { AdjustBounds(); })) {
    TGraphicControl::WndProc(Message);
  }
}

// ------------------------------------------------------------- static text

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
  SetParentColor(true);
}

void TCustomStaticText::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "STATIC");
  static const DWORD kAlign[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  Params.Style |= SS_NOTIFY | kAlign[alignment_];
  if (!showAccelChar_) Params.Style |= SS_NOPREFIX;
  if (borderStyle_ == sbsSingle) Params.Style |= WS_BORDER;
  if (borderStyle_ == sbsSunken) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomStaticText::SetAlignment(TAlignment Value) {
  if (Value == alignment_) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomStaticText::SetAutoSize(bool Value) {
  if (Value == autoSize_) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle Value) {
  if (Value == borderStyle_) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomStaticText::SetShowAccelChar(bool Value) {
  if (Value == showAccelChar_) return;
  showAccelChar_ = Value;
  RecreateWnd();
}

void TCustomStaticText::AdjustBounds() {
  if (HasState(csLoading) || !autoSize_) return;
  HDC dc = GetDC(nullptr);
  SelectObject(dc, Font().Handle());
  const std::string text = Caption();
  SIZE s;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
  ReleaseDC(nullptr, dc);
  const int border = borderStyle_ == sbsNone ? 0 : 2 * GetSystemMetrics(SM_CXBORDER) * 2;
  SetBounds(FLeft, FTop, s.cx + border, s.cy + border);
}

void TCustomStaticText::Loaded() {
  TWinControl::Loaded();
  AdjustBounds();
}

void TCustomStaticText::WndProc(TMessage& Message) {
  if (!CaptionMessage(*this, Message, FocusControl, showAccelChar_, [this] { AdjustBounds(); })) {
    TWinControl::WndProc(Message);
  }
}

// ----------------------------------------------------------------- buttons

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (Value == default_) return;
  default_ = Value;
  RecreateWnd();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(ModalResult);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if (((Message.WParam == VK_RETURN && default_) || (Message.WParam == VK_ESCAPE && Cancel)) &&
          (KeyDataToShiftState(Message.LParam) & (ssAlt | ssCtrl)) == 0 && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
  SetTabStop(true);
  SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_CHECKBOX;
}

void TCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  Send(*this, BM_SETCHECK, state_ == cbChecked ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckBox::DestroyWnd() {
  state_ = State();
  TWinControl::DestroyWnd();
}

// The window keeps the check while there is one.
TCheckBoxState TCheckBox::State() {
  if (!HandleAllocated()) return state_;
  return Send(*this, BM_GETCHECK) == BST_CHECKED ? cbChecked : cbUnchecked;
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == State()) return;
  if (HandleAllocated()) {
    Send(*this, BM_SETCHECK, Value == cbChecked ? BST_CHECKED : BST_UNCHECKED);
  } else {
    state_ = Value;
  }
  Click();
}

void TCheckBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(State() != cbChecked);
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
        SetFocus();
        SetChecked(State() != cbChecked);
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 113;
  FHeight = 17;
  SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TWinControl::CreateWnd();
  Send(*this, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
}

void TRadioButton::DestroyWnd() {
  checked_ = Checked();
  TWinControl::DestroyWnd();
}

bool TRadioButton::Checked() { return HandleAllocated() ? Send(*this, BM_GETCHECK) == BST_CHECKED : checked_; }

void TRadioButton::SetChecked(bool Value) {
  if (Value == Checked()) return;
  SetTabStop(Value);
  if (HandleAllocated()) {
    Send(*this, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED);
  } else {
    checked_ = Value;
  }
  if (Value) {
    // The others of the group (the same parent) go off.
    if (TWinControl* parent = Parent()) {
      for (int i = 0; i < parent->ControlCount(); ++i) {
        if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this) {
          other->SetChecked(false);
        }
      }
    }
    Click();
  }
}

void TRadioButton::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(true);
    return;
  }
  TWinControl::WndProc(Message);
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
  ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable;
  SetParentColor(true);
}

void TGroupBox::Paint() {
  TCanvas& c = Canvas();
  c.Font().Assign(&Font());
  const std::string text = Caption();
  const int h = c.TextHeight("0");
  c.Brush().SetColor(Color());
  c.FillRect(ClientRect());
  // An etched frame, its top through the middle of the caption.
  TRect r = Rect(0, h / 2, FWidth, FHeight);
  c.Brush().SetColor(clBtnHighlight);
  c.FrameRect(Rect(r.left + 1, r.top + 1, r.right, r.bottom));
  c.Brush().SetColor(clBtnShadow);
  c.FrameRect(Rect(r.left, r.top, r.right - 1, r.bottom - 1));
  if (text.empty()) return;
  HDC dc = c.Handle();
  SelectObject(dc, c.Font().Handle());
  RECT t{8, 0, FWidth - 8, h};
  DrawTextA(dc, text.c_str(), -1, &t, DT_CALCRECT | DT_SINGLELINE);
  c.Brush().SetColor(Color());
  c.FillRect(Rect(t.left - 2, t.top, t.right + 2, t.bottom));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  DrawTextA(dc, text.c_str(), -1, &t, DT_SINGLELINE);
}

void TGroupBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

}  // namespace platform
