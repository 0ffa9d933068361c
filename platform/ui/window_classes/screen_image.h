#pragma once
// What the screen shows of the program's windows in an area: the visible
// top-level windows of the user-interface thread composed as a compositing
// desktop shows them (the older behind the newer, topmost ones in front),
// each at its opacity and without its colour key, over the desktop's
// colour. Tests save it to look at layered windows, which a window's own
// picture shows opaque. A relative name is taken beside the running
// program, as SaveWindowImage takes it.

#include <string>

#include "platform/core/window_system/wintypes.h"

namespace platform::ui {

bool SaveScreenImage(const RECT& Area, const std::string& FileName);

}  // namespace platform::ui
