#pragma once
// How multiple-document windows show: the MDI client as a grey area, and
// each MDI child inside it in a frame of its own, with a title bar that
// shows whether the child is the active one. A press on the title
// activates the child and dragging it moves the child; both enter as the
// non-client mouse messages the child's default procedure handles. Nothing
// outside platform/ui includes this header.

#include <memory>

#include "platform/core/window_system/window.h"

namespace platform::ui {

// Registers the MDI client class with its presentation.
void RegisterMdiPresentation();
// The peer of a window with WS_EX_MDICHILD.
std::unique_ptr<WindowPeer> MakeMdiChildPeer(HWND hWnd);

}  // namespace platform::ui
