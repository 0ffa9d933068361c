#include "widetext/wtx_string_list.h"

#include <algorithm>
#include <utility>

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
  bool found = false;
  int low = 0;
  int high = GetCount() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int c = CompareStrings(list_[static_cast<std::size_t>(middle)].String, S);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != platform::dupAccept) low = middle;
      }
    }
  }
  Index = low;
  return found;
}

void TWtxStringList::Sort() {
  CustomSort([](TWtxStringList& list, int index1, int index2) {
    return list.CompareStrings(list.list_[static_cast<std::size_t>(index1)].String,
                               list.list_[static_cast<std::size_t>(index2)].String);
  });
}

void TWtxStringList::CustomSort(const TWtxStringListSortCompare& Compare) {
  if (sorted_ || GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TWtxStringList::QuickSort(int L, int R, const TWtxStringListSortCompare& Compare) {
  while (L < R) {
    int i = L;
    int j = R;
    int pivot = (L + R) / 2;
    while (i <= j) {
      while (Compare(*this, i, pivot) < 0) ++i;
      while (Compare(*this, j, pivot) > 0) --j;
      if (i <= j) {
        std::swap(list_[static_cast<std::size_t>(i)], list_[static_cast<std::size_t>(j)]);
        // The pivot travels with its item.
        if (pivot == i) {
          pivot = j;
        } else if (pivot == j) {
          pivot = i;
        }
        ++i;
        --j;
      }
    }
    // Recursing into the smaller part keeps the stack shallow on any input.
    if (j - L < R - i) {
      QuickSort(L, j, Compare);
      L = i;
    } else {
      QuickSort(i, R, Compare);
      R = j;
    }
  }
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
