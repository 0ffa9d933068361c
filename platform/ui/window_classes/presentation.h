#pragma once
// Puts the window system on the screen with Qt: makes the calling thread
// the user-interface thread, lets its message queue run Qt's events while
// it waits, gives every window a Qt widget and registers the standard
// control classes (EDIT, COMBOBOX, LISTBOX, STATIC, BUTTON,
// SysTabControl32, SysTreeView32, SysListView32, ComboBoxEx32), the popup
// menu window and menu bars. Qt's own texts follow the platform's
// language, and the desktop session's end reaches the windows as the
// window system's end-of-session messages. Call once, on the thread that
// runs the message loop, before the first window is made. Headless runs set
// QT_QPA_PLATFORM=offscreen.

#include <string>

#include "platform/core/window_system/wintypes.h"

namespace platform::ui {

void InitializeUi();

// Saves what a window shows, its children included, as a PNG file; false
// when it cannot. A relative name is taken in the running program's folder,
// not the working folder: the pictures that tests write land beside the
// test program in the build tree, wherever it is started from.
bool SaveWindowImage(HWND hWnd, const std::string& FileName);

}  // namespace platform::ui

namespace platform {

// The mouse position on the screen.
bool GetCursorPos(POINT* Pt);

}  // namespace platform
