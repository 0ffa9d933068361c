#pragma once
// Menus on Qt: what the menu bars and popup menus of the presentation share.
// A Qt menu shows one window-system menu; each of its actions carries the
// position of the item it shows, and the Qt menu of an item with a sub-menu
// knows that sub-menu and the item that opens it. Nothing outside
// platform/ui includes this header.

#include <QMenu>

#include "platform/core/window_system/menus.h"

namespace platform::ui {

// Shows the items of Menu in Target (a QMenu or a QMenuBar), replacing what
// it showed: the text ("&" marks the mnemonic, a tab starts the shortcut
// text), the enabled and checked states, separators, and bitmaps. An item
// with a sub-menu gets an empty Qt menu of its own, to be filled when it
// opens.
void FillMenu(QWidget* Target, HMENU Menu);
// The position of the item an action shows; -1 for none.
int ItemIndex(const QAction* Action);
// The menu a Qt menu shows, and the menu and position of the item that
// opens it.
HMENU MenuOf(const QWidget* Target);
HMENU OpenerMenuOf(const QMenu* Menu);
int OpenerIndexOf(const QMenu* Menu);
// The Qt menu of an item with a sub-menu, found by the item's position.
QMenu* SubMenuAt(const QWidget* Target, int Index);
QAction* ActionAt(const QWidget* Target, int Index);
// A menu whose first item reads right to left.
bool IsRightToLeft(HMENU Menu);

}  // namespace platform::ui
