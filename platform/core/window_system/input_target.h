#pragma once
// Which window the user's input reaches. A disabled window takes none, and
// neither do the windows inside it: while a top-level window is disabled
// (a modal window it owns is up), nothing in it takes a key or a click. A
// disabled child in an enabled window passes the mouse on to its nearest
// enabled parent, as the window system finds the window under the mouse.

#include "platform/core/window_system/wintypes.h"

namespace platform {

// The window that takes a mouse message aimed at hWnd; null when none does.
HWND MouseInputWindow(HWND hWnd);
// Whether key messages for hWnd reach it: it and every window it is in are
// enabled.
bool TakesKeyboardInput(HWND hWnd);
// The enabled, visible window that Owner owns, directly or through windows
// it owns, made last; null when there is none. A click on a disabled
// window brings it forward.
HWND GetEnabledPopup(HWND Owner);
// Whether a top-level window is owned, directly or through others, by a
// disabled window: shown so, it is modal to its owners.
bool IsOwnedByDisabledWindow(HWND hWnd);

}  // namespace platform
