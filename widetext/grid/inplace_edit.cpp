#include "widetext/grid/inplace_edit.h"

#include "widetext/controls/unicode_windows.h"

namespace widetext {

void TWtxInplaceEdit::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"EDIT");
}

void TWtxInplaceEdit::UpdateContents() {
  auto* wide = dynamic_cast<IWtxWideEditGrid*>(Grid());
  if (!wide) {
    TWideControl::UpdateContents();
    return;
  }
  SetMaxLength(wide->WideEditLimit());
  SetCaption(wide->GetWideEditText(Grid()->Col(), Grid()->Row()));
}

}  // namespace widetext
