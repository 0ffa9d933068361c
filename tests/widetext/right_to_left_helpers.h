#pragma once
// What the right-to-left tests and the showcase's right-to-left scene both
// build: a page control whose tabs read Hebrew, Arabic and Greek, and a
// painted control that writes two lines right to left and one left to
// right on a right-to-left canvas.

#include <string>

#include "platform/ui/controls/controls.h"
#include "widetext/controls/page_control.h"

namespace widetext::testing {

inline const std::u16string kHebrew = u"עומק";
inline const std::u16string kArabic = u"السرعة";

// The page control in Parent, which owns it and its sheets.
TWtxPageControl* NewRightToLeftPages(platform::TWinControl* Parent, const platform::TRect& Bounds);
// The painted lines in Parent, owned by Owner.
platform::TCustomControl* NewRightToLeftLines(platform::TComponent* Owner, platform::TWinControl* Parent,
                                              const platform::TRect& Bounds);

}  // namespace widetext::testing
