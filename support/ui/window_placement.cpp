#include "support/ui/window_placement.h"

#include <chrono>
#include <thread>

#include "platform/core/window_system/window.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/gdi.h"

namespace support {

void CenterOverMainForm(std::int32_t& Left, std::int32_t& Top, std::int32_t Width, std::int32_t Height) {
  const platform::RECT area = platform::GetWorkArea();
  platform::RECT main = area;
  if (platform::Application && platform::Application->MainForm()) {
    main = platform::Application->MainForm()->BoundsRect();
  }
  Left = main.left + (main.Width() - Width) / 2;
  Top = main.top + (main.Height() - Height) / 2;
  if (Top < area.top) {
    Top = area.top;
  } else if (Top + Height > area.bottom) {
    Top = area.bottom - Height;
  }
  if (Left + Width > area.right) {
    Left = area.right - Width;
  } else if (Left < area.left) {
    Left = area.left;
  }
}

void SetWindowStayOnTop(platform::HWND Wnd, bool OnTop) {
  using namespace platform;
  constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE;
  if (!OnTop) {
    SetWindowPos(Wnd, HWND_NOTOPMOST(), 0, 0, 0, 0, kKeep);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return;
  }
  const HWND appWindow = Application ? Application->Handle() : nullptr;
  if (Wnd == GetTopWindow(appWindow)) return;
  SetWindowPos(Wnd, HWND_TOPMOST(), 0, 0, 0, 0, kKeep);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace support
