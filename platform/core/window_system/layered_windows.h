#pragma once
// Layered windows: a top-level window with the extended style
// WS_EX_LAYERED shows at a constant opacity, or with one colour that does
// not show (a colour key), or both. The attributes belong to the window
// while it has the style: taking the style away drops them, and a window
// that gets the style again shows plainly until they are set anew. The
// presentation shows them as the window's opacity and a mask.

#include "platform/core/window_system/wintypes.h"

namespace platform {

constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;

// False for a window without WS_EX_LAYERED (or no window). Flags say
// which of Key and Alpha count.
bool SetLayeredWindowAttributes(HWND hWnd, COLORREF Key, BYTE Alpha, DWORD Flags);
// False unless the window has WS_EX_LAYERED and its attributes were set;
// each pointer may be null.
bool GetLayeredWindowAttributes(HWND hWnd, COLORREF* Key, BYTE* Alpha, DWORD* Flags);

namespace detail {
// The window lost WS_EX_LAYERED, or goes.
void DropLayeredAttributes(HWND hWnd);
}  // namespace detail

}  // namespace platform
