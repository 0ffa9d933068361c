#include "widetext/standard/list_box_strings.h"

#include <optional>

#include "widetext/standard/list_box.h"
#include "widetext/standard/window_items.h"

namespace widetext {

TWtxListBoxStrings::TWtxListBoxStrings(TWtxCustomListBox& ListBox) : list_(ListBox) {}

int TWtxListBoxStrings::GetCount() const { return list_.Items().Count(); }

std::u16string TWtxListBoxStrings::Get(int Index) const {
  // A virtual list's texts are its data event's.
  if (list_.IsVirtual()) {
    if (Index < 0 || Index >= GetCount()) Error(&SListIndexError, Index);
    return list_.WideData(Index);
  }
  std::optional<std::u16string> text =
      WindowItemText(list_.Handle(), platform::LB_GETTEXTLEN, platform::LB_GETTEXT, Index);
  if (!text) Error(&SListIndexError, Index);
  return std::move(*text);
}

platform::TObject* TWtxListBoxStrings::GetObject(int Index) const { return list_.Items().GetObject(Index); }

void TWtxListBoxStrings::PutObject(int Index, platform::TObject* AObject) { list_.Items().PutObject(Index, AObject); }

int TWtxListBoxStrings::Add(const std::u16string& S) {
  return InsertWindowItem(list_.Handle(), platform::LB_ADDSTRING, 0, S);
}

void TWtxListBoxStrings::Insert(int Index, const std::u16string& S) {
  InsertWindowItem(list_.Handle(), platform::LB_INSERTSTRING, Index, S);
}

void TWtxListBoxStrings::Delete(int Index) { list_.Items().Delete(Index); }

void TWtxListBoxStrings::Clear() { list_.Items().Clear(); }

int TWtxListBoxStrings::IndexOf(std::u16string_view S) const {
  return FindWindowItem(list_.Handle(), platform::LB_FINDSTRINGEXACT, std::u16string(S));
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

void TWtxListBoxStrings::SetUpdateState(bool Updating) { SetAnsiUpdateState(list_.Items(), Updating); }

}  // namespace widetext
