#include "widetext/standard/list_box_strings.h"

#include <algorithm>

#include "platform/core/classes/sysutils.h"
#include "widetext/standard/list_box.h"

namespace widetext {

TWtxListBoxStrings::TWtxListBoxStrings(TWtxCustomListBox& ListBox) : list_(ListBox) {}

platform::LRESULT TWtxListBoxStrings::Send(platform::UINT Msg, platform::WPARAM WParam,
                                           const std::u16string& Text) const {
  return platform::SendMessageW(list_.Handle(), Msg, WParam, reinterpret_cast<platform::LPARAM>(Text.c_str()));
}

int TWtxListBoxStrings::GetCount() const { return list_.Items().Count(); }

// The buffer holds the item and its terminator, and is cut to what the
// window copied.
std::u16string TWtxListBoxStrings::Get(int Index) const {
  const platform::HWND h = list_.Handle();
  const auto index = static_cast<platform::WPARAM>(Index);
  const platform::LRESULT length = platform::SendMessageW(h, platform::LB_GETTEXTLEN, index, 0);
  if (length == platform::LB_ERR) Error(&SListIndexError, Index);
  std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
  const platform::LRESULT got =
      platform::SendMessageW(h, platform::LB_GETTEXT, index, reinterpret_cast<platform::LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<platform::LRESULT>(got, 0, length)));
  return buffer;
}

platform::TObject* TWtxListBoxStrings::GetObject(int Index) const { return list_.Items().GetObject(Index); }

void TWtxListBoxStrings::PutObject(int Index, platform::TObject* AObject) { list_.Items().PutObject(Index, AObject); }

int TWtxListBoxStrings::Add(const std::u16string& S) {
  const platform::LRESULT index = Send(platform::LB_ADDSTRING, 0, S);
  if (index < 0) throw platform::EOutOfResources("Unable to insert a line");
  return static_cast<int>(index);
}

void TWtxListBoxStrings::Insert(int Index, const std::u16string& S) {
  if (Send(platform::LB_INSERTSTRING, static_cast<platform::WPARAM>(Index), S) < 0) {
    throw platform::EOutOfResources("Unable to insert a line");
  }
}

void TWtxListBoxStrings::Delete(int Index) { list_.Items().Delete(Index); }

void TWtxListBoxStrings::Clear() { list_.Items().Clear(); }

int TWtxListBoxStrings::IndexOf(std::u16string_view S) const {
  return static_cast<int>(Send(platform::LB_FINDSTRINGEXACT, static_cast<platform::WPARAM>(-1), std::u16string(S)));
}

void TWtxListBoxStrings::Put(int Index, const std::u16string& S) {
  const int selected = list_.ItemIndex();
  platform::TObject* data = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, data);
  list_.SetItemIndex(selected);
}

void TWtxListBoxStrings::Exchange(int Index1, int Index2) {
  const TWideStringsUpdateScope update(*this);
  const int selected = list_.ItemIndex();
  const std::u16string text1 = Get(Index1);
  platform::TObject* data1 = GetObject(Index1);
  const std::u16string text2 = Get(Index2);
  platform::TObject* data2 = GetObject(Index2);
  Delete(Index1);
  InsertObject(Index1, text2, data2);
  Delete(Index2);
  InsertObject(Index2, text1, data1);
  if (selected == Index1) list_.SetItemIndex(Index2);
  if (selected == Index2) list_.SetItemIndex(Index1);
  if (selected != Index1 && selected != Index2) list_.SetItemIndex(selected);
}

void TWtxListBoxStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  const TWideStringsUpdateScope update(*this);
  const std::u16string text = Get(CurIndex);
  platform::TObject* data = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, text, data);
}

void TWtxListBoxStrings::SetUpdateState(bool Updating) {
  if (Updating) {
    list_.Items().BeginUpdate();
  } else {
    list_.Items().EndUpdate();
  }
}

}  // namespace widetext
