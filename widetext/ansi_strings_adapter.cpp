#include "widetext/ansi_strings_adapter.h"

#include <algorithm>

#include "platform/core/classes/streams.h"
#include "widetext/codepage.h"
#include "widetext/wide_string_lists.h"

namespace widetext {

TAnsiStringsForWideStringsAdapter::TAnsiStringsForWideStringsAdapter(TWideStrings& WideStrings, std::uint32_t CodePage)
    : AdapterCodePage(CodePage), wideStrings_(WideStrings) {}

std::uint32_t TAnsiStringsForWideStringsAdapter::ResolvedCodePage(std::uint32_t Requested) const {
  if (Requested != 0) return Requested;
  return AdapterCodePage != 0 ? AdapterCodePage : DefaultSystemCodePage;
}

std::string TAnsiStringsForWideStringsAdapter::Get(int Index) const {
  return WideStringToStringEx(wideStrings_.Get(Index), ResolvedCodePage(0));
}

int TAnsiStringsForWideStringsAdapter::GetCount() const { return wideStrings_.GetCount(); }

void TAnsiStringsForWideStringsAdapter::Clear() { wideStrings_.Clear(); }

void TAnsiStringsForWideStringsAdapter::Delete(int Index) { wideStrings_.Delete(Index); }

void TAnsiStringsForWideStringsAdapter::Insert(int Index, const std::string& S) {
  wideStrings_.Insert(Index, StringToWideStringEx(S, ResolvedCodePage(0)));
}

void TAnsiStringsForWideStringsAdapter::Put(int Index, const std::string& S) {
  wideStrings_.Put(Index, StringToWideStringEx(S, ResolvedCodePage(0)));
}

platform::TObject* TAnsiStringsForWideStringsAdapter::GetObject(int Index) const {
  return wideStrings_.GetObject(Index);
}

void TAnsiStringsForWideStringsAdapter::PutObject(int Index, platform::TObject* AObject) {
  wideStrings_.PutObject(Index, AObject);
}

void TAnsiStringsForWideStringsAdapter::SetUpdateState(bool Updating) { wideStrings_.SetUpdateState(Updating); }

void TAnsiStringsForWideStringsAdapter::LoadFromStream(platform::TStream& Stream, std::uint32_t CodePage) {
  BeginUpdate();
  try {
    const std::int64_t left = std::max<std::int64_t>(Stream.Size() - Stream.Position(), 0);
    std::string bytes(static_cast<std::size_t>(left), '\0');
    bytes.resize(static_cast<std::size_t>(Stream.Read(bytes.data(), left)));
    wideStrings_.SetTextStr(StringToWideStringEx(bytes, ResolvedCodePage(CodePage)));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::SaveToStream(platform::TStream& Stream, std::uint32_t CodePage) const {
  const std::string bytes = WideStringToStringEx(wideStrings_.GetTextStr(), ResolvedCodePage(CodePage));
  Stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

}  // namespace widetext
