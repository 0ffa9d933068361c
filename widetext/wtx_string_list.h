#pragma once
// The concrete list of UTF-16 strings with attached objects, optionally
// sorted, with change events.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/strings.h"
#include "widetext/wide_string_lists.h"

namespace widetext {

class TWtxStringList;
// Negative, 0 or positive for the items at Index1 and Index2.
using TWtxStringListSortCompare = std::function<int(TWtxStringList& List, int Index1, int Index2)>;

class TWtxStringList : public TWtxStrings {
 public:
  std::u16string Get(int Index) const override;
  int GetCapacity() const override;
  int GetCount() const override;
  platform::TObject* GetObject(int Index) const override;
  void Put(int Index, const std::u16string& S) override;
  void PutObject(int Index, platform::TObject* AObject) override;
  // A reservation only: never below Count, never drops items.
  void SetCapacity(int NewCapacity) override;
  int CompareStrings(std::u16string_view S1, std::u16string_view S2) const override;
  int Add(const std::u16string& S) override;
  // Sorted: the item goes to its place; a duplicate is ignored (its index
  // is returned), accepted, or refused with an error, as Duplicates says.
  int AddObject(const std::u16string& S, platform::TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(std::u16string_view S) const override;
  int IndexOfName(std::u16string_view Name) const override;
  void Insert(int Index, const std::u16string& S) override;
  void InsertObject(int Index, const std::u16string& S, platform::TObject* AObject) override;

  // Binary search of a sorted list: true when found. Index is the first
  // equal item (unless duplicates are accepted, when it is the insertion
  // point of S, before its equals) or the insertion point.
  virtual bool Find(std::u16string_view S, int& Index) const;
  virtual void Sort();
  // Sorts an unsorted list of two or more items with Compare.
  virtual void CustomSort(const TWtxStringListSortCompare& Compare);

  bool Sorted() const { return sorted_; }
  // Setting it sorts the items.
  void SetSorted(bool Value);
  bool CaseSensitive() const { return caseSensitive_; }
  // A sorted list is sorted again under the new rule.
  void SetCaseSensitive(bool Value);
  platform::TDuplicates Duplicates = platform::dupIgnore;

  // Not raised while an update bracket is open; its end raises OnChange.
  platform::TNotifyEvent OnChange;
  platform::TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int Index, const std::u16string& S, platform::TObject* AObject);

 private:
  struct Item {
    std::u16string String;
    platform::TObject* Object = nullptr;
  };

  void CheckIndex(int Index) const;
  void Grow();
  void QuickSort(int L, int R, const TWtxStringListSortCompare& Compare);

  std::vector<Item> list_;
  int capacity_ = 0;
  bool updating_ = false;
  bool sorted_ = false;
  bool caseSensitive_ = false;
};

}  // namespace widetext
