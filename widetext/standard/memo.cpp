#include "widetext/standard/memo.h"

#include <algorithm>

#include "platform/core/classes/sysutils.h"
#include "platform/ui/window_classes/gdi.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/exceptions.h"
#include "widetext/platform_flags.h"
#include "widetext/standard/selection.h"
#include "widetext/standard/window_items.h"

namespace widetext {
namespace {

constexpr int kLongestLine = 65535;
constexpr std::u16string_view kCRLF = u"\r\n";

platform::LPARAM Text(const std::u16string& S) { return reinterpret_cast<platform::LPARAM>(S.c_str()); }

// Line positions in UTF-16 units hold only for a Unicode window.
void CheckUnicodePlatform() {
  if (!Win32PlatformIsUnicode) {
    throw EWtxInternalError("Internal Error: WtxStdCtrls: memo line positions need a platform with Unicode support.");
  }
}

}  // namespace

// ------------------------------------------------------------------ lines

TWtxMemoStrings::TWtxMemoStrings(TWtxCustomMemo& Memo) : memo_(Memo) {}

platform::LRESULT TWtxMemoStrings::Send(platform::UINT Msg, platform::WPARAM WParam, platform::LPARAM LParam) const {
  return platform::SendMessageW(memo_.Handle(), Msg, WParam, LParam);
}

bool TWtxMemoStrings::WideWindow() const { return platform::IsWindowUnicode(memo_.Handle()); }

platform::LRESULT TWtxMemoStrings::LineStart(int Index) const {
  CheckUnicodePlatform();
  return Send(platform::EM_LINEINDEX, static_cast<platform::WPARAM>(Index), 0);
}

platform::LRESULT TWtxMemoStrings::LineLength(platform::LRESULT Start) const {
  CheckUnicodePlatform();
  return Send(platform::EM_LINELENGTH, static_cast<platform::WPARAM>(Start), 0);
}

int TWtxMemoStrings::GetCount() const { return memo_.Lines().Count(); }

void TWtxMemoStrings::Clear() { memo_.Lines().Clear(); }

void TWtxMemoStrings::Delete(int Index) { memo_.Lines().Delete(Index); }

void TWtxMemoStrings::SetUpdateState(bool Updating) { SetAnsiUpdateState(memo_.Lines(), Updating); }

// The buffer has room for the line, or for the length word the window reads
// when the line is empty, and is cut to what the window copied.
std::u16string TWtxMemoStrings::Get(int Index) const {
  if (!WideWindow()) return WidenAnsi(memo_.Lines().Get(Index));
  const platform::LRESULT start = LineStart(Index);
  const platform::LRESULT length = start < 0 ? 0 : LineLength(start);
  if (length > kLongestLine) throw platform::EOutOfResources("Line too long");
  std::u16string buffer(static_cast<std::size_t>(std::max<platform::LRESULT>(length, 1)) + 1, u'\0');
  buffer[0] = static_cast<char16_t>(length);
  const platform::LRESULT got = Send(platform::EM_GETLINE, static_cast<platform::WPARAM>(Index),
                                     reinterpret_cast<platform::LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<platform::LRESULT>(got, 0, length)));
  return buffer;
}

void TWtxMemoStrings::Put(int Index, const std::u16string& S) {
  if (!WideWindow()) {
    memo_.Lines().Put(Index, AnsiImage(S));
    return;
  }
  const platform::LRESULT start = LineStart(Index);
  if (start < 0) return;
  const platform::LRESULT length = LineLength(start);
  Send(platform::EM_SETSEL, static_cast<platform::WPARAM>(start), start + length);
  Send(platform::EM_REPLACESEL, 0, Text(S));
}

// A line inserted after the last one follows it after a line break; an
// index past that is refused, as in every list.
void TWtxMemoStrings::Insert(int Index, const std::u16string& S) {
  if (Index < 0 || Index > GetCount()) Error(&SListIndexError, Index);
  if (!WideWindow()) {
    memo_.Lines().Insert(Index, AnsiImage(S));
    return;
  }
  platform::LRESULT point = LineStart(Index);
  std::u16string line;
  if (point >= 0) {
    line = S + std::u16string(kCRLF);
  } else {
    const platform::LRESULT previous = LineStart(Index - 1);
    if (previous < 0) return;
    const platform::LRESULT length = LineLength(previous);
    if (length == 0) return;
    point = previous + length;
    line = std::u16string(kCRLF) + S;
  }
  Send(platform::EM_SETSEL, static_cast<platform::WPARAM>(point), point);
  Send(platform::EM_REPLACESEL, 0, Text(line));
}

std::u16string TWtxMemoStrings::GetTextStr() const { return memo_.GetCaption(); }

void TWtxMemoStrings::SetTextStr(std::u16string_view Value) {
  const std::u16string text = WtxAdjustLineBreaks(Value, lineBreakStyle_);
  memo_.HandleNeeded();
  if (text != memo_.GetCaption()) memo_.SetCaption(text);
}

// ------------------------------------------------------------------- memo

TWtxCustomMemo::TWtxCustomMemo(platform::TComponent* AOwner)
    : TWideControl(AOwner), lines_(std::make_unique<TWtxMemoStrings>(*this)) {}

TWtxCustomMemo::~TWtxCustomMemo() = default;

// A read-only edit made for a far-east locale on a platform without
// Unicode support is made writable and then set read-only by message.
void TWtxCustomMemo::CreateWindowHandle(const platform::TCreateParams& Params) {
  const bool farEast = platform::GetSystemMetrics(platform::SM_DBCSENABLED) != 0;
  if (!farEast || Win32PlatformIsUnicode || (Params.Style & platform::ES_READONLY) == 0) {
    CreateUnicodeHandle(this, Params, u"EDIT");
    return;
  }
  platform::TCreateParams writable = Params;
  writable.Style &= ~static_cast<platform::DWORD>(platform::ES_READONLY);
  CreateUnicodeHandle(this, writable, u"EDIT");
  platform::SendMessageA(WindowHandle(), platform::EM_SETREADONLY, 1, 0);
}

std::u16string TWtxCustomMemo::GetSelText() { return WideSelectedText(GetCaption(), SelStart(), SelLength()); }

void TWtxCustomMemo::SetSelText(std::u16string_view Value) { WideSetSelText(this, Value); }

}  // namespace widetext
