#pragma once
// The shape of the mouse pointer over a window, named by the window
// system's pointer numbers. A window shows the pointer its class gives it
// until one is set.

#include "platform/core/window_system/wintypes.h"

namespace platform {

constexpr UINT IDC_ARROW = 32512;
constexpr UINT IDC_IBEAM = 32513;
constexpr UINT IDC_WAIT = 32514;
constexpr UINT IDC_CROSS = 32515;
constexpr UINT IDC_UPARROW = 32516;
constexpr UINT IDC_SIZENWSE = 32642;
constexpr UINT IDC_SIZENESW = 32643;
constexpr UINT IDC_SIZEWE = 32644;
constexpr UINT IDC_SIZENS = 32645;
constexpr UINT IDC_SIZEALL = 32646;
constexpr UINT IDC_NO = 32648;
constexpr UINT IDC_HAND = 32649;
constexpr UINT IDC_APPSTARTING = 32650;
constexpr UINT IDC_HELP = 32651;

// Shows the pointer shape while the mouse is over the window; 0 gives the
// window its class's pointer back. False for a window that is not shown
// on the screen.
bool SetWindowCursor(HWND hWnd, UINT Shape);

}  // namespace platform
