#pragma once
// How a layered window shows: its opacity as the top-level widget's window
// opacity, its colour key as a mask of the pixels that are not that colour.
// Nothing outside platform/ui includes this header.

#include <QImage>
#include <QWidget>

#include "platform/core/window_system/wintypes.h"

namespace platform::ui {

// The opacity of a top-level window (1 when it is not layered with one).
double LayeredOpacity(HWND hWnd);
// Shows the window's attributes on its widget.
void ShowLayeredAttributes(HWND hWnd, QWidget* Widget);
// A window was painted: the top-level window it is in, when that has a
// colour key, is masked anew (once the painting is over) to what it shows,
// its children included, in other colours.
void RefreshColorKey(HWND hWnd);
// The window's picture as the screen shows it: the colour key transparent.
QImage KeyedImage(HWND hWnd, QImage Picture);

}  // namespace platform::ui
