#pragma once
// What the class library's application object tells code that handles
// messages outside its loop (the pending-message pump): its message hook,
// how to cancel a hint being shown, the dialog window that gets dialog
// keyboard handling, and the MDI client window when the main window is an
// MDI frame. Each member may be empty; the application object fills them in.

#include <functional>

#include "platform/core/window_system/wintypes.h"

namespace platform {

struct ApplicationHooks {
  // Returns true when it handled the message.
  std::function<bool(MSG& Msg)> OnMessage;
  std::function<void()> CancelHint;
  std::function<HWND()> DialogHandle;
  // Null unless the main window is an MDI frame.
  std::function<HWND()> MdiClient;
};

// The hooks of this process; user-interface thread only.
ApplicationHooks& AppHooks();

// The MDI system keys of the client's active child (mdi.cpp): Ctrl+F4
// closes it, Ctrl+F6 (with Shift: backwards) activates the next. True when
// the message was one of them (it has then been handled).
bool TranslateMDISysAccel(HWND Client, MSG* Msg);

}  // namespace platform
