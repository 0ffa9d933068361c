#include "widetext/standard/memo.h"

#include <algorithm>

#include "platform/core/classes/sysutils.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/standard/selection.h"
#include "widetext/standard/window_items.h"

namespace widetext {
namespace {

constexpr int kLongestLine = 65535;
constexpr std::u16string_view kCRLF = u"\r\n";

platform::LPARAM Text(const std::u16string& S) { return reinterpret_cast<platform::LPARAM>(S.c_str()); }

}  // namespace

// ------------------------------------------------------------------ lines

TWtxMemoStrings::TWtxMemoStrings(TWtxCustomMemo& Memo) : memo_(Memo) {}

platform::LRESULT TWtxMemoStrings::Send(platform::UINT Msg, platform::WPARAM WParam, platform::LPARAM LParam) const {
  return platform::SendMessageW(memo_.Handle(), Msg, WParam, LParam);
}

int TWtxMemoStrings::GetCount() const { return memo_.Lines().Count(); }

void TWtxMemoStrings::Clear() { memo_.Lines().Clear(); }

void TWtxMemoStrings::Delete(int Index) { memo_.Lines().Delete(Index); }

void TWtxMemoStrings::SetUpdateState(bool Updating) { SetAnsiUpdateState(memo_.Lines(), Updating); }

// The buffer has room for the line, or for the length word the window reads
// when the line is empty, and is cut to what the window copied.
std::u16string TWtxMemoStrings::Get(int Index) const {
  const platform::LRESULT start = Send(platform::EM_LINEINDEX, static_cast<platform::WPARAM>(Index), 0);
  const platform::LRESULT length =
      start < 0 ? 0 : Send(platform::EM_LINELENGTH, static_cast<platform::WPARAM>(start), 0);
  if (length > kLongestLine) throw platform::EOutOfResources("Line too long");
  std::u16string buffer(static_cast<std::size_t>(std::max<platform::LRESULT>(length, 1)) + 1, u'\0');
  buffer[0] = static_cast<char16_t>(length);
  const platform::LRESULT got = Send(platform::EM_GETLINE, static_cast<platform::WPARAM>(Index),
                                     reinterpret_cast<platform::LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<platform::LRESULT>(got, 0, length)));
  return buffer;
}

void TWtxMemoStrings::Put(int Index, const std::u16string& S) {
  const platform::LRESULT start = Send(platform::EM_LINEINDEX, static_cast<platform::WPARAM>(Index), 0);
  if (start < 0) return;
  const platform::LRESULT length = Send(platform::EM_LINELENGTH, static_cast<platform::WPARAM>(start), 0);
  Send(platform::EM_SETSEL, static_cast<platform::WPARAM>(start), start + length);
  Send(platform::EM_REPLACESEL, 0, Text(S));
}

// A line inserted after the last one follows it after a line break; an
// index past that is refused, as in every list.
void TWtxMemoStrings::Insert(int Index, const std::u16string& S) {
  if (Index < 0 || Index > GetCount()) Error(&SListIndexError, Index);
  platform::LRESULT point = Send(platform::EM_LINEINDEX, static_cast<platform::WPARAM>(Index), 0);
  std::u16string line;
  if (point >= 0) {
    line = S + std::u16string(kCRLF);
  } else {
    const platform::LRESULT previous = Send(platform::EM_LINEINDEX, static_cast<platform::WPARAM>(Index - 1), 0);
    if (previous < 0) return;
    const platform::LRESULT length = Send(platform::EM_LINELENGTH, static_cast<platform::WPARAM>(previous), 0);
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

void TWtxCustomMemo::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"EDIT");
}

std::u16string TWtxCustomMemo::GetSelText() { return WideSelectedText(GetCaption(), SelStart(), SelLength()); }

void TWtxCustomMemo::SetSelText(std::u16string_view Value) { WideSetSelText(this, Value); }

}  // namespace widetext
