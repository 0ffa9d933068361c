#pragma once
// The published properties that controls take from the class library's
// TControl and TWinControl, with their declared defaults and the rules that
// leave them out of a stream: Font is stored unless it follows the parent,
// ShowHint unless it follows the parent's.

#include "platform/core/classes/persistent.h"
#include "platform/ui/controls/controls.h"

namespace platform {

TPropInfo FontProperty(TControl* Control);
TPropInfo EnabledProperty(TControl* Control);
TPropInfo ParentFontProperty(TControl* Control);
TPropInfo HintProperty(TControl* Control);
TPropInfo ShowHintProperty(TControl* Control);
TPropInfo VisibleProperty(TControl* Control);
// Stored unless it is the default, the left and top edges.
TPropInfo AnchorsProperty(TControl* Control);
TPropInfo TabOrderProperty(TWinControl* Control);
TPropInfo TabStopProperty(TWinControl* Control);

}  // namespace platform
