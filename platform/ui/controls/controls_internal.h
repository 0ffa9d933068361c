#pragma once
// What the files of the control classes share inside the class library.

#include "platform/ui/controls/controls.h"

namespace platform::detail {

// The painted control that keeps the mouse while its left button is held;
// null when none does.
extern TControl* g_captureControl;

inline bool IsMouseMessage(UINT Msg) { return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST; }

}  // namespace platform::detail
