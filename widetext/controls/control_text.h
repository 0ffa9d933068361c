#pragma once
// The wide Caption, Text and Hint of any control. A windowed control with a
// Unicode window keeps its text in the window; otherwise the control's
// helper keeps the wide value beside the class library's 8-bit one, under
// the consistency rule (synced_strings.h). On a platform without Unicode
// support they are the control's 8-bit values.

#include <string>
#include <string_view>

#include "platform/ui/controls/controls.h"

namespace widetext {

std::u16string WideGetWindowText(platform::TControl* Control);
// A windowed control with a window gets CM_TEXTCHANGED after a change.
void WideSetWindowText(platform::TControl* Control, std::u16string_view Value);

std::u16string WideGetHint(platform::TControl* Control);
// Writes the 8-bit image straight into the hint field, as the class
// library's own hint does: nothing is notified.
void WideSetHint(platform::TControl* Control, std::u16string_view Value);

// The first non-empty wide hint from the control up through its parents.
std::u16string WideGetParentHint(platform::TControl* Control);
// The parts of "short|long"; a hint without "|" is both.
std::u16string WideGetShortHint(std::u16string_view Hint);
std::u16string WideGetLongHint(std::u16string_view Hint);

// Whether the wide Caption (Hint) is the control's own: not when an action
// link supplies it.
bool IsCaptionStored(platform::TControl* Control);
bool IsHintStored(platform::TControl* Control);

}  // namespace widetext
