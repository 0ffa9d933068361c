#include "widetext/grid/inplace_edit.h"

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/masked_edit/edit_mask_text.h"

namespace widetext {

void TWtxInplaceEdit::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"EDIT");
}

void TWtxInplaceEdit::UpdateContents() {
  SetCaption(u"");
  SetEditMask(CellEditMask());
  SetMaxLength(CellEditLimit());
  auto* wide = dynamic_cast<IWtxWideEditGrid*>(Grid());
  const std::u16string value = wide ? wide->GetWideEditText(Grid()->Col(), Grid()->Row()) : WidenAnsi(CellEditText());
  if (EditMask().empty()) {
    SetCaption(value);
  } else {
    SetText(AnsiImage(TEditMaskText(EditMask()).Format(value)));
  }
}

}  // namespace widetext
