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

bool IsMouseInput(UINT M) {
  return (M >= WM_MOUSEFIRST && M <= WM_MOUSELAST) || (M >= WM_NCMOUSEFIRST && M <= WM_NCMOUSELAST);
}

bool IsKeyOrCommand(UINT M) {
  return (M >= WM_KEYFIRST && M <= WM_KEYLAST) || M == WM_COMMAND || M == kToolkitActivate || M == kToolkitDeactivate ||
         M == kToolkitAppKeyDown || M == kToolkitAppSysCommand;
}

void Handle(MSG& Msg) {
  if (IsMouseInput(Msg.message)) return;
  ApplicationHooks& hooks = AppHooks();
  if (hooks.OnMessage && hooks.OnMessage(Msg)) return;
  if (IsKeyOrCommand(Msg.message)) {
    if (hooks.CancelHint) hooks.CancelHint();
    return;
  }
  if (const HWND client = hooks.MdiClient ? hooks.MdiClient() : nullptr; client && TranslateMDISysAccel(client, &Msg)) {
    return;
  }
  if (const HWND dialog = hooks.DialogHandle ? hooks.DialogHandle() : nullptr;
      dialog && IsDialogMessageA(dialog, &Msg)) {
    return;
  }
  TranslateMessage(&Msg);
  DispatchMessageA(&Msg);
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
