#pragma once
// What a wide form adds to the class library's handling of its menus, after
// that handling: the application's wide hint follows the item under the
// selection of the form's main menu, and where the system reads right to
// left the form's menus are fixed up when its reading order changes or the
// window is about to move or size (the class library may have written
// 8-bit text into them then).

#include "platform/ui/controls/forms.h"

namespace widetext {

void WideFormMenuMessage(platform::TCustomForm& Form, const platform::TMessage& Message);

}  // namespace widetext
