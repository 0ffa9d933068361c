#include "widetext/grid/inplace_edit.h"

#include "widetext/controls/unicode_windows.h"

namespace widetext {

void TWtxInplaceEdit::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"EDIT");
}

}  // namespace widetext
