#include "widetext/controls/list_control.h"

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/ansi_image.h"

namespace widetext {

void WideCustomListControlAddItem(platform::TWinControl* Control, const std::u16string& Item,
                                  platform::TObject* AObject) {
  if (auto* wide = dynamic_cast<IWtxListControl*>(Control)) {
    wide->AddItem(Item, AObject);
  } else if (auto* combo = dynamic_cast<platform::TCustomComboBox*>(Control)) {
    combo->AddItem(AnsiImage(Item), AObject);
  } else if (auto* list = dynamic_cast<platform::TCustomListBox*>(Control)) {
    list->Items().AddObject(AnsiImage(Item), AObject);
  }
}

}  // namespace widetext
