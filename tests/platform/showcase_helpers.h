#pragma once
// A small tool window built from every control class, as the program's
// windows are: tabs, group boxes, labels, combo boxes, an edit, buttons, a
// check box, static texts, a lamp, a list box, a grid, a bar chart, a tree
// and two monitors.

#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/grids.h"

namespace showcase {

struct ToolWindow {
  platform::TForm* form = nullptr;
  platform::TPageControl* pages = nullptr;
  platform::TShape* lamp = nullptr;
  platform::TStringGrid* grid = nullptr;
};

ToolWindow BuildToolWindow();

}  // namespace showcase
