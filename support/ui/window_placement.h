#pragma once
// Placing windows: over the main window inside the desktop work area, and
// in or out of the topmost band.

#include <cstdint>

#include "platform/core/window_system/wintypes.h"

namespace support {

// Left and Top of a window of the given size centred over the main window
// (over the work area when there is none), then moved back inside the work
// area; a window larger than the area keeps to its top and right edges.
void CenterOverMainForm(std::int32_t& Left, std::int32_t& Top, std::int32_t Width, std::int32_t Height);

// Moves Wnd into or out of the topmost windows and pauses 50 ms so the
// window system settles; a window already in front of the application's
// windows is left alone when OnTop.
void SetWindowStayOnTop(platform::HWND Wnd, bool OnTop);

}  // namespace support
