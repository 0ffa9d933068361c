#include "widetext/wtx_string_list.h"

#include <algorithm>
#include <utility>

#include "platform/core/classes/sorted_items.h"
#include "widetext/wide_strings.h"

namespace widetext {

void TWtxStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(&SListIndexError, Index);
}

std::u16string TWtxStringList::Get(int Index) const {
  CheckIndex(Index);
  return list_[static_cast<std::size_t>(Index)].String;
}

int TWtxStringList::GetCapacity() const { return capacity_; }

int TWtxStringList::GetCount() const { return static_cast<int>(list_.size()); }

platform::TObject* TWtxStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return list_[static_cast<std::size_t>(Index)].Object;
}

void TWtxStringList::Put(int Index, const std::u16string& S) {
  if (sorted_) Error(&SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  list_[static_cast<std::size_t>(Index)].String = S;
  Changed();
}

void TWtxStringList::PutObject(int Index, platform::TObject* AObject) {
  CheckIndex(Index);
  Changing();
  list_[static_cast<std::size_t>(Index)].Object = AObject;
  Changed();
}

void TWtxStringList::SetCapacity(int NewCapacity) {
  capacity_ = std::max(NewCapacity, GetCount());
  list_.reserve(static_cast<std::size_t>(capacity_));
}

int TWtxStringList::CompareStrings(std::u16string_view S1, std::u16string_view S2) const {
  return caseSensitive_ ? WideCompareStr(S1, S2) : WideCompareText(S1, S2);
}

int TWtxStringList::Add(const std::u16string& S) { return AddObject(S, nullptr); }

int TWtxStringList::AddObject(const std::u16string& S, platform::TObject* AObject) {
  int index = GetCount();
  if (sorted_ && Find(S, index)) {
    switch (Duplicates) {
      case platform::dupIgnore:
        return index;
      case platform::dupError:
        Error(&SDuplicateString, 0);
      case platform::dupAccept:
        break;
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

void TWtxStringList::Clear() {
  if (list_.empty()) return;
  Changing();
  list_.clear();
  list_.shrink_to_fit();
  capacity_ = 0;
  Changed();
}

void TWtxStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  list_.erase(list_.begin() + Index);
  Changed();
}

void TWtxStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(list_[static_cast<std::size_t>(Index1)], list_[static_cast<std::size_t>(Index2)]);
  Changed();
}

int TWtxStringList::IndexOf(std::u16string_view S) const {
  if (!sorted_) return TWtxStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

int TWtxStringList::IndexOfName(std::u16string_view Name) const {
  if (!sorted_) return TWtxStrings::IndexOfName(Name);
  std::u16string prefix(Name);
  prefix.push_back(NameValueSeparator());
  int index = 0;
  Find(prefix, index);
  if (index < GetCount()) {
    const std::u16string_view item = list_[static_cast<std::size_t>(index)].String;
    if (CompareStrings(item.substr(0, prefix.size()), prefix) == 0) return index;
  }
  return -1;
}

void TWtxStringList::Insert(int Index, const std::u16string& S) { InsertObject(Index, S, nullptr); }

void TWtxStringList::InsertObject(int Index, const std::u16string& S, platform::TObject* AObject) {
  if (sorted_) Error(&SSortedListError, 0);
  if (Index < 0 || Index > GetCount()) Error(&SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

bool TWtxStringList::Find(std::u16string_view S, int& Index) const {
  return platform::FindSortedItem(
      GetCount(), Duplicates != platform::dupAccept,
      [&](int I) { return CompareStrings(list_[static_cast<std::size_t>(I)].String, S); }, Index);
}

void TWtxStringList::Sort() {
  CustomSort([](TWtxStringList& List, int Index1, int Index2) {
    return List.CompareStrings(List.list_[static_cast<std::size_t>(Index1)].String,
                               List.list_[static_cast<std::size_t>(Index2)].String);
  });
}

void TWtxStringList::CustomSort(const TWtxStringListSortCompare& Compare) {
  if (sorted_ || GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TWtxStringList::QuickSort(int L, int R, const TWtxStringListSortCompare& Compare) {
  platform::QuickSortItems(
      L, R, [&](int A, int B) { return Compare(*this, A, B); },
      [&](int A, int B) { std::swap(list_[static_cast<std::size_t>(A)], list_[static_cast<std::size_t>(B)]); });
}

void TWtxStringList::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TWtxStringList::SetCaseSensitive(bool Value) {
  if (caseSensitive_ == Value) return;
  caseSensitive_ = Value;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

void TWtxStringList::SetUpdateState(bool Updating) {
  updating_ = Updating;
  if (Updating) {
    Changing();
  } else {
    Changed();
  }
}

void TWtxStringList::Changed() {
  if (!updating_ && OnChange) OnChange(this);
}

void TWtxStringList::Changing() {
  if (!updating_ && OnChanging) OnChanging(this);
}

void TWtxStringList::InsertItem(int Index, const std::u16string& S, platform::TObject* AObject) {
  Changing();
  if (GetCount() == capacity_) Grow();
  list_.insert(list_.begin() + Index, Item{S, AObject});
  Changed();
}

void TWtxStringList::Grow() {
  const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  SetCapacity(capacity_ + delta);
}

}  // namespace widetext
