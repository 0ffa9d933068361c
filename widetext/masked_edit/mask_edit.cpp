#include "widetext/masked_edit/mask_edit.h"

#include <algorithm>

#include "platform/ui/window_classes/clipboard.h"
#include "platform/ui/window_classes/message_beep.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wm_char.h"
#include "widetext/platform_flags.h"
#include "widetext/standard/selection.h"

namespace widetext {
namespace {

constexpr char16_t kCtrlC = 3;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;

// The class library's 8-bit image of a password character.
char AnsiPasswordChar(char16_t C) { return C < 256 ? static_cast<char>(C) : '*'; }

}  // namespace

TWtxMaskEdit::TWtxMaskEdit(platform::TComponent* AOwner) : TWideControl(AOwner) {
  dataLink_.OnDataChange = [this](platform::TObject*) { DataChange(); };
}

void TWtxMaskEdit::GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const {
  const std::size_t own = Props.size();
  TWideControl::GetPublishedProperties(Props);
  auto* self = const_cast<TWtxMaskEdit*>(this);
  platform::TPropInfo mask{.Name = "EditMask", .Kind = platform::TTypeKind::tkLString};
  mask.GetStr = [self] { return self->EditMask(); };
  mask.SetStr = [self](const std::string& V) { self->SetEditMask(V); };
  platform::TPropInfo text{.Name = "Text", .Kind = platform::TTypeKind::tkWString};
  text.GetWideStr = [self] { return self->GetText(); };
  text.SetWideStr = [self](const std::u16string& V) { self->SetText(V); };
  // An edit's caption is its text, filed once, after the mask it is laid
  // out on.
  const auto caption = std::find_if(Props.begin() + static_cast<std::ptrdiff_t>(own), Props.end(),
                                    [](const platform::TPropInfo& P) { return P.Name == "Caption"; });
  const auto at = Props.insert(Props.erase(caption), std::move(text));
  Props.insert(at, std::move(mask));
  platform::TPropInfo password{.Name = "PasswordChar", .Kind = platform::TTypeKind::tkWChar, .Default = 0};
  password.GetOrd = [self]() -> std::int64_t { return self->GetPasswordChar(); };
  password.SetOrd = [self](std::int64_t V) { self->SetPasswordChar(static_cast<char16_t>(V)); };
  Props.push_back(std::move(password));
}

void TWtxMaskEdit::DataChange() {
  maskState_ |= msDBSetText;
  try {
    SetText(dataLink_.FieldText());
  } catch (...) {
    maskState_ &= ~msDBSetText;
    throw;
  }
  maskState_ &= ~msDBSetText;
}

void TWtxMaskEdit::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"EDIT");
}

void TWtxMaskEdit::CreateWnd() {
  TWideControl::CreateWnd();
  // An 8-bit window has the class library's 8-bit character already.
  if (passwordChar_ && Win32PlatformIsUnicode) {
    platform::SendMessageW(WindowHandle(), platform::EM_SETPASSWORDCHAR, passwordChar_, 0);
  }
  if (IsMasked()) platform::SendMessageW(WindowHandle(), platform::EM_LIMITTEXT, mask_.MaxChars(), 0);
}

void TWtxMaskEdit::SetEditMask(std::string_view Value) {
  const std::u16string value = GetText();
  mask_ = TEditMaskText(Value);
  if (HandleAllocated()) {
    platform::SendMessageW(WindowHandle(), platform::EM_LIMITTEXT, IsMasked() ? mask_.MaxChars() : 0, 0);
  }
  SetText(value);
}

std::u16string TWtxMaskEdit::GetText() { return IsMasked() ? mask_.Unmask(WindowText()) : WindowText(); }

void TWtxMaskEdit::SetText(std::u16string_view Value) {
  if (!IsMasked()) {
    SetCaption(Value);
    return;
  }
  const std::u16string text = mask_.Format(Value);
  if (HasState(platform::csDesigning) && !HasState(platform::csLoading) && (maskState_ & msDBSetText) == 0 &&
      mask_.FirstInvalid(text)) {
    throw EDBEditError("Invalid input value");
  }
  if (text != WindowText()) SetCaption(text);
  if (HandleAllocated()) CheckCursor();
}

char16_t TWtxMaskEdit::GetPasswordChar() {
  const char ansi = platform::TCustomEdit::PasswordChar();
  // Set through the class library behind the wide character: that one wins.
  if (ansi != AnsiPasswordChar(passwordChar_)) passwordChar_ = static_cast<unsigned char>(ansi);
  return passwordChar_;
}

void TWtxMaskEdit::SetPasswordChar(char16_t Value) {
  if (Value == GetPasswordChar()) return;
  passwordChar_ = Value;
  if (!Win32PlatformIsUnicode || !HandleAllocated()) {
    // An 8-bit window shows the 8-bit image, which the class library sends.
    platform::TCustomEdit::SetPasswordChar(AnsiPasswordChar(Value));
    return;
  }
  // A Unicode window is told the wide character only: the image first would
  // show "*" in between.
  SetPasswordCharQuietly(AnsiPasswordChar(Value));
  platform::SendMessageW(WindowHandle(), platform::EM_SETPASSWORDCHAR, Value, 0);
  Invalidate();
}

std::u16string TWtxMaskEdit::GetSelText() { return WideSelectedText(WindowText(), SelStart(), SelLength()); }

void TWtxMaskEdit::SetSelText(std::u16string_view Value) { WideSetSelText(this, Value); }

void TWtxMaskEdit::Select(int Start, int End) {
  platform::SendMessageW(Handle(), platform::EM_SETSEL, static_cast<platform::WPARAM>(Start), End);
}

void TWtxMaskEdit::CheckCursor() {
  if (!IsMasked() || !HandleAllocated() || SelLength() > 0) return;
  const int caret = mask_.NextEditable(SelStart());
  Select(caret, caret);
}

void TWtxMaskEdit::Beep() { platform::MessageBeep(0); }

void TWtxMaskEdit::Reset() {
  if (WindowText() != oldValue_) SetCaption(oldValue_);
  Select(0, 0);
  CheckCursor();
}

void TWtxMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) return;
  const std::optional<int> bad = mask_.FirstInvalid(WindowText());
  if (!bad) return;
  if (!HasState(platform::csDesigning)) {
    maskState_ |= msReEnter;
    SetFocus();
  }
  Select(*bad, *bad);
  Beep();
  throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
}

// ---------------------------------------------------------------- editing

void TWtxMaskEdit::TypeChar(char16_t C) {
  if (C == platform::VK_ESCAPE) {
    Reset();
    return;
  }
  if (ReadOnly() || C == platform::VK_BACK) return;
  if (C == platform::VK_RETURN) {
    ValidateEdit();
    return;
  }
  if (SelLength() > 1) {
    ClearSelection(false);
    const int caret = mask_.NextEditable(SelStart());
    Select(caret, caret);
  }
  const std::optional<int> next = EnterChar(SelStart(), C);
  if (!next) {
    Beep();
    return;
  }
  const int caret = mask_.NextEditable(*next);
  Select(caret, caret);
}

std::optional<int> TWtxMaskEdit::EnterChar(int Position, char16_t C) {
  // The literal itself, typed where the mask has it, is taken as it stands.
  if (mask_.IsLiteral(Position) && mask_.Accept(Position, C) == C) return Position + 1;
  Position = mask_.NextEditable(Position);
  const std::optional<char16_t> entered = mask_.Accept(Position, C);
  if (!entered) return std::nullopt;
  Select(Position, Position + 1);
  WideSetSelText(this, std::u16string(1, *entered));
  return Position + 1;
}

void TWtxMaskEdit::ClearSelection(bool Backspace) {
  int start = SelStart();
  int end = SelectionEnd();
  if (start == end) {
    if (Backspace) {
      const std::optional<int> previous = mask_.PreviousEditable(start);
      if (!previous) return;
      start = *previous;
    }
    end = std::min(start + 1, mask_.MaxChars());
  }
  if (start >= end) return;
  Select(start, end);
  WideSetSelText(this, mask_.EmptyImage(start, end));
  Select(start, start);
}

void TWtxMaskEdit::Paste() {
  const std::u16string pasted = platform::IsClipboardFormatAvailable(platform::CF_UNICODETEXT)
                                    ? platform::GetClipboardTextW()
                                    : WidenAnsi(platform::GetClipboardTextA());
  if (SelLength() > 0) ClearSelection(false);
  int position = SelStart();
  for (const char16_t c : pasted) {
    const std::optional<int> next = EnterChar(position, c);
    if (!next) break;
    position = *next;
  }
  Select(position, position);
}

void TWtxMaskEdit::Cut() {
  platform::SendMessageW(Handle(), platform::WM_COPY, 0, 0);
  ClearSelection(false);
}

void TWtxMaskEdit::KeyDown(platform::WORD& Key, platform::TShiftState Shift) {
  TWideControl::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0 || (Shift & platform::ssAlt)) return;
  const bool extend = (Shift & platform::ssShift) != 0;
  const int start = SelStart();
  const int end = SelectionEnd();
  switch (Key) {
    case platform::VK_LEFT: {
      const std::optional<int> previous = mask_.PreviousEditable(start);
      const int to = previous ? *previous : start;
      Select(to, extend ? end : to);
      Key = 0;
      return;
    }
    case platform::VK_RIGHT: {
      const int to = mask_.NextEditable((extend ? end : start) + 1);
      Select(extend ? start : to, to);
      Key = 0;
      return;
    }
    case platform::VK_UP:
    case platform::VK_DOWN:
      Key = 0;
      return;
    case platform::VK_HOME:
    case platform::VK_END: {
      const int to = Key == platform::VK_HOME ? mask_.FirstEditable() : mask_.LastEditable();
      Select(to, to);
      Key = 0;
      return;
    }
    case platform::VK_DELETE:
    case platform::VK_BACK:
      if (Key == platform::VK_DELETE && extend) break;
      if (!ReadOnly()) ClearSelection(Key == platform::VK_BACK);
      Key = 0;
      return;
    default:
      break;
  }
  CheckCursor();
}

void TWtxMaskEdit::WndProc(platform::TMessage& Message) {
  if (!IsMasked() || !HandleAllocated()) {
    TWideControl::WndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case platform::WM_CHAR: {
      const char16_t c = GetWideCharFromWMCharMsg(Message);
      if (c == 0 || c == kCtrlC || c == kCtrlV || c == kCtrlX) break;
      TypeChar(c);
      return;
    }
    case platform::WM_PASTE:
      if (ReadOnly()) break;
      Paste();
      return;
    case platform::WM_CUT:
      if (ReadOnly()) break;
      Cut();
      return;
    case platform::CM_ENTER:
      if (!HasState(platform::csDesigning)) {
        if ((maskState_ & msReEnter) == 0) oldValue_ = WindowText();
        maskState_ &= ~msReEnter;
        CheckCursor();
      }
      break;
    case platform::CM_EXIT:
      ValidateEdit();
      CheckCursor();
      break;
    case platform::CM_TEXTCHANGED:
      oldValue_ = WindowText();
      CheckCursor();
      break;
    case platform::WM_LBUTTONDOWN:
      buttonDownX_ = platform::GET_X_LPARAM(Message.LParam);
      break;
    case platform::WM_LBUTTONUP: {
      TWideControl::WndProc(Message);
      const int caret = platform::GET_X_LPARAM(Message.LParam) > buttonDownX_ ? SelectionEnd() : SelStart();
      Select(caret, caret);
      CheckCursor();
      return;
    }
    default:
      break;
  }
  TWideControl::WndProc(Message);
}

}  // namespace widetext
