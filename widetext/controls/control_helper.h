#pragma once
// The wide values a control keeps outside a window: the caption of a
// control without one (or between two), and every wide hint. One helper per
// control, made on first need, in one list sorted by control; a helper goes
// when its control goes.

#include <string>

#include "platform/ui/controls/controls.h"
#include "widetext/component_helper.h"

namespace widetext {

class TWideControlHelper : public TWideComponentHelper {
 public:
  TWideControlHelper(platform::TControl* AControl, platform::TComponentList* List);
  platform::TControl* Control() const;

  std::u16string WideCaption;
  std::u16string WideHint;
};

// Null when the control has none and CreateIfNotFound is false.
TWideControlHelper* GetWideControlHelper(platform::TControl* Control, bool CreateIfNotFound);

}  // namespace widetext
