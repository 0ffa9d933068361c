#include "support/message_pump.h"

#include "platform/core/os/clock.h"
#include "platform/core/window_system/apphooks.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"

namespace support {
namespace {

using namespace platform;

// The class library's own messages for application activation and for the
// key-down and system command it routes through the application.
constexpr UINT kToolkitActivate = 0xB000;
constexpr UINT kToolkitDeactivate = 0xB001;
constexpr UINT kToolkitAppKeyDown = 0xB016;
constexpr UINT kToolkitAppSysCommand = 0xB017;

bool IsMouseInput(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEFIRST && m <= WM_NCMOUSELAST);
}

bool IsKeyOrCommand(UINT m) {
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == WM_COMMAND || m == kToolkitActivate || m == kToolkitDeactivate ||
         m == kToolkitAppKeyDown || m == kToolkitAppSysCommand;
}

void Handle(MSG& msg) {
  if (IsMouseInput(msg.message)) return;
  ApplicationHooks& hooks = AppHooks();
  if (hooks.OnMessage && hooks.OnMessage(msg)) return;
  if (IsKeyOrCommand(msg.message)) {
    if (hooks.CancelHint) hooks.CancelHint();
    return;
  }
  if (const HWND client = hooks.MdiClient ? hooks.MdiClient() : nullptr; client && TranslateMDISysAccel(client, &msg)) {
    return;
  }
  if (const HWND dialog = hooks.DialogHandle ? hooks.DialogHandle() : nullptr;
      dialog && IsDialogMessageA(dialog, &msg)) {
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

void ProcessPendingMessages(std::uint32_t MaxMs) {
  const std::uint32_t start = GetTickCount();
  try {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      Handle(msg);
      // Unsigned difference: a tick count that wraps during the pass does not
      // end it early.
      if (GetTickCount() - start > MaxMs) return;
    }
  } catch (...) {
    // A failing handler must not unwind through the caller, which only meant
    // to let pending messages through.
  }
}

}  // namespace support
