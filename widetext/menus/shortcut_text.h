#pragma once
// Shortcut texts in the keyboard layout's own key names.

#include <string>

#include "platform/ui/controls/menus.h"

namespace widetext {

// "Ctrl+Alt+Shift+S": the modifiers and the key (the shortcut's low byte)
// as the keyboard names them, each name with its first letter as given and
// the rest in lower case (a letter after "(" in upper case). Empty for a
// key the keyboard has no name for.
std::u16string WideShortCutToText(platform::TShortCut ShortCut);

}  // namespace widetext
