#pragma once
// Multiple-document windows. A frame window holds an MDI client window (the
// class "MDICLIENT"), and the client holds the document windows, its MDI
// children, inside its area. The client makes, activates, arranges and
// destroys its children on the WM_MDI... messages and keeps which child is
// active; the frame's and the children's unhandled messages go to
// DefFrameProc and DefMDIChildProc, which keep the client in step: the
// client fills the frame, and a child that is clicked, dragged by its title
// or closed goes through the client.

#include <cstdint>
#include <string_view>

#include "platform/core/window_system/window.h"

namespace platform {

constexpr UINT WM_CHILDACTIVATE = 0x0022;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
// Where a non-client mouse message happened (its wParam).
constexpr WPARAM HTCAPTION = 2;

// To the client. WM_MDICREATE: lParam a MDICREATESTRUCTW, answers the new
// child. WM_MDIDESTROY, WM_MDIACTIVATE: wParam the child. WM_MDIGETACTIVE:
// answers the active child (lParam, when not 0, a bool* told whether it is
// maximised: never here). WM_MDINEXT: wParam the child to start from (0:
// the active one), lParam 0 for the next, else the previous.
// WM_MDICASCADE and WM_MDITILE (wParam MDITILE_...) arrange the visible
// children and answer how many. The client sends WM_MDIACTIVATE to the
// child that loses (wParam) and to the one that gains (lParam) activation.
constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr WPARAM MDITILE_VERTICAL = 0x0;
constexpr WPARAM MDITILE_HORIZONTAL = 0x1;

constexpr DWORD WS_EX_MDICHILD = 0x00000040;

// An MDI child's frame lies around its bounds: its title and top border
// above them, its border on the other sides. The presentation draws it; the
// client keeps the frames of the children it places inside its area.
constexpr int kMdiChildCaption = 23;
constexpr int kMdiChildBorder = 3;

// NOLINTBEGIN(readability-identifier-naming)
// The creation parameter of an MDI client window.
struct CLIENTCREATESTRUCT {
  std::uintptr_t hWindowMenu = 0;
  UINT idFirstChild = 0;
};
struct MDICREATESTRUCTW {
  const char16_t* szClass = nullptr;
  const char16_t* szTitle = nullptr;
  void* hOwner = nullptr;
  std::int32_t x = CW_USEDEFAULT;
  std::int32_t y = CW_USEDEFAULT;
  std::int32_t cx = CW_USEDEFAULT;
  std::int32_t cy = CW_USEDEFAULT;
  DWORD style = 0;
  LPARAM lParam = 0;
};
// NOLINTEND(readability-identifier-naming)

// Registers "MDICLIENT"; the presentation does it when it starts.
void RegisterMdiClientClass();

// Makes an MDI child of the client window hWndParent through WM_MDICREATE.
// Children get WS_CHILD, WS_CLIPSIBLINGS and a caption; a position or size
// of CW_USEDEFAULT places them in a cascade. Null (and the last error set)
// when hWndParent is not an MDI client or the window cannot be made.
HWND CreateMDIWindowW(std::u16string_view ClassName, std::u16string_view WindowName, DWORD Style, std::int32_t X,
                      std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent, void* hInstance,
                      LPARAM lParam);
HWND CreateMDIWindowA(std::string_view ClassName, std::string_view WindowName, DWORD Style, std::int32_t X,
                      std::int32_t Y, std::int32_t Width, std::int32_t Height, HWND hWndParent, void* hInstance,
                      LPARAM lParam);

// The frame's default handling: WM_SIZE makes the client fill the frame,
// WM_SETFOCUS passes the focus to the client (and so to the active child);
// the rest as DefWindowProc.
LRESULT DefFrameProcA(HWND hWnd, HWND hWndMDIClient, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT DefFrameProcW(HWND hWnd, HWND hWndMDIClient, UINT Msg, WPARAM wParam, LPARAM lParam);
// A child's default handling: WM_CHILDACTIVATE, WM_SETFOCUS and a press
// on its title activate it, dragging its title moves it, WM_CLOSE destroys
// it through the client; the rest as DefWindowProc.
LRESULT DefMDIChildProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Whether hWnd is an MDI client window.
bool IsMdiClient(HWND hWnd);

}  // namespace platform
