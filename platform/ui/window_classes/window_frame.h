#pragma once
// How a top-level window's styles show on the screen: its title bar and
// the buttons on it, and whether the user can size its frame. Nothing
// outside platform/ui includes this header.

#include <QRect>
#include <QWidget>

#include "platform/core/window_system/wintypes.h"

namespace platform::ui {

// Owned: the window has an owner.
Qt::WindowFlags TopLevelFlags(DWORD Style, DWORD ExStyle, bool Owned);

// Puts a top-level widget where its window is; a window without a sizing
// frame keeps the size the program gives it and no other.
void PlaceTopLevel(QWidget* Widget, DWORD Style, const QRect& Bounds);

}  // namespace platform::ui
