#pragma once
// Lists that take wide items: the wide combo box and list box offer
// IWtxListControl, so that items copied between list controls keep their
// UTF-16 text.

#include <string>

#include "platform/ui/controls/controls.h"

namespace widetext {

class IWtxListControl {
 public:
  virtual void AddItem(const std::u16string& Item, platform::TObject* AObject) = 0;

 protected:
  ~IWtxListControl() = default;
};

// Through the control's wide AddItem when it has one, else as the 8-bit
// image of Item to a combo box's AddItem or a list box's 8-bit items.
void WideCustomListControlAddItem(platform::TWinControl* Control, const std::u16string& Item,
                                  platform::TObject* AObject);

}  // namespace widetext
