#include "platform/ui/controls/stdctrls.h"

#include <algorithm>
#include <cstdint>

#include "platform/ui/controls/stdctrls_internal.h"

namespace platform {

using detail::IndexError;
using detail::Part;
using detail::Send;
using detail::Str;

namespace {

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

}  // namespace

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

}  // namespace platform
