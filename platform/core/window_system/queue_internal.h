#pragma once
// What the queue and the window table share inside the platform library.

#include <functional>

#include "platform/core/window_system/wintypes.h"

namespace platform::detail {

// The thread message that carries a RunOnUiThread task; wParam is its key.
constexpr UINT kRunTaskMessage = 0xC000;

// Runs the task a kRunTaskMessage names, on the thread that owns the queue.
void RunPostedTask(WPARAM Key);
// Runs fn on the thread with the given id, inside its message retrieval,
// and waits; false, without running fn, when that thread has no open queue.
bool RunOnThreadAndWait(DWORD ThreadId, const std::function<void()>& Fn);
// The thread that owns a window; 0 for a handle that names none.
DWORD WindowThread(HWND hWnd);
// Drops the timers of a window that is going.
void KillWindowTimers(HWND hWnd);
// Character messages change form between code page 1252 and UTF-16.
bool IsCharMessage(UINT Msg);
WPARAM CharToUnicode(WPARAM AnsiChar);
WPARAM CharToAnsi(WPARAM UnicodeChar);

}  // namespace platform::detail
