#pragma once
// The items of a wide combo box, read and written through its Unicode
// window.

#include <string>
#include <string_view>

#include "platform/core/window_system/window.h"
#include "widetext/wide_string_lists.h"

namespace widetext {

class TWtxCustomComboBox;

class TWtxComboBoxStrings : public TWtxStrings {
 public:
  explicit TWtxComboBoxStrings(TWtxCustomComboBox& Combo);
  int GetCount() const override;
  // Empty for an index the window does not know.
  std::u16string Get(int Index) const override;
  platform::TObject* GetObject(int Index) const override;
  void PutObject(int Index, platform::TObject* AObject) override;
  // EOutOfResources "Unable to insert a line" when the window refuses it.
  int Add(const std::u16string& S) override;
  void Insert(int Index, const std::u16string& S) override;
  void Delete(int Index) override;
  // The whole list, in any case; -1 when it is not there.
  int IndexOf(std::u16string_view S) const override;
  // The text typed into an editable combo box stays.
  void Clear() override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  TWtxCustomComboBox& combo_;
};

}  // namespace widetext
