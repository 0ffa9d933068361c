#pragma once
// The 8-bit items of a wide combo box, the class the combo box names for
// its class library Items: an index the window does not know reads as an
// empty item, and an item the window refuses raises EOutOfResources
// "Unable to insert a line", as the wide items do.

#include <memory>
#include <string>

#include "platform/ui/controls/stdctrls.h"

namespace widetext {

class TWtxComboBoxAnsiItems : public platform::TCustomComboBoxStrings {
 public:
  using platform::TCustomComboBoxStrings::TCustomComboBoxStrings;
  static std::unique_ptr<platform::TCustomComboBoxStrings> Make(platform::TCustomComboBox& Combo);

  std::string Get(int Index) const override;
  int Add(const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
};

}  // namespace widetext
