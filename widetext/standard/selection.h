#pragma once
// The wide selection of an edit, memo or combo box. The class library's
// positions are UTF-16 units here already, so SelStart and SelLength stand
// as they are; only the selected text is read and written as UTF-16.

#include <string>
#include <string_view>

#include "platform/ui/controls/controls.h"

namespace widetext {

// The part of Text from SelStart for SelLength characters.
std::u16string WideSelectedText(std::u16string_view Text, int SelStart, int SelLength);
// Replaces the selection of an edit window (EM_REPLACESEL).
void WideSetSelText(platform::TWinControl* Control, std::u16string_view Value);

}  // namespace widetext
