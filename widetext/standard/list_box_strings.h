#pragma once
// The items of a wide list box, read and written through its Unicode
// window. Replacing, exchanging and moving items keep their objects and the
// selection.

#include <string>
#include <string_view>

#include "platform/core/window_system/window.h"
#include "widetext/wide_string_lists.h"

namespace widetext {

class TWtxCustomListBox;

class TWtxListBoxStrings : public TWtxStrings {
 public:
  explicit TWtxListBoxStrings(TWtxCustomListBox& ListBox);
  int GetCount() const override;
  // The list index error for an index the window does not know.
  std::u16string Get(int Index) const override;
  platform::TObject* GetObject(int Index) const override;
  void PutObject(int Index, platform::TObject* AObject) override;
  // EOutOfResources "Unable to insert a line" when the window refuses it.
  int Add(const std::u16string& S) override;
  void Insert(int Index, const std::u16string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  // The whole list, in any case; -1 when it is not there.
  int IndexOf(std::u16string_view S) const override;
  void Put(int Index, const std::u16string& S) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  TWtxCustomListBox& list_;
};

}  // namespace widetext
