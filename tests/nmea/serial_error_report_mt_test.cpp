#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "nmea/serial/serial_engine.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"
#include "tests/nmea/serial_helpers.h"

namespace {

using namespace std::chrono_literals;

platform::LRESULT PlainProc(platform::HWND h, platform::UINT m, platform::WPARAM w, platform::LPARAM l) {
  return platform::DefWindowProcA(h, m, w, l);
}

// A failure on the reader thread without an error handler is shown on the
// user-interface thread, and the mouse is free by then, so that the user
// can answer the message.
TEST(SerialEngineErrors, AFailureWithoutAHandlerReleasesTheMouseBeforeItShows) {
  std::string shown;
  bool heldWhenShown = true;
  // A thread of its own serves as the user-interface thread.
  if (platform::IsUiThread()) platform::ShutdownUiThread();
  std::thread ui([&] {
    platform::BindUiThread();
    platform::WNDCLASS wc;
    wc.lpfnWndProc = platform::MakeWndProc<&PlainProc>(false);
    wc.lpszClassName = u"CaptureProbe";
    platform::RegisterClassA(wc);
    const platform::HWND window =
        platform::CreateWindowExA(0, "CaptureProbe", "", 0, 0, 0, 10, 10, nullptr, 0, nullptr, nullptr);
    platform::SetCapture(window);
    EXPECT_EQ(platform::GetCapture(), window);

    testing_serial::LinkedPty peer("failing");
    nmea::TComPortCore core;
    platform::DCB dcb;
    EXPECT_TRUE(platform::BuildCommDCB("baud=4800 parity=N data=8 stop=1", dcb));
    core.SetDCB(dcb);
    core.RxThreshold = 1;
    core.OnDataReceived = [](platform::TObject*, const std::uint8_t*, int) { throw std::runtime_error("bad chunk"); };
    if (core.OpenComPort(peer.Number())) {
      peer.Write("!");
      const auto deadline = std::chrono::steady_clock::now() + 10s;
      while (shown.empty() && std::chrono::steady_clock::now() < deadline) {
        platform::MSG msg;
        if (!platform::PeekMessageA(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
          platform::WaitMessage(100);
          continue;
        }
        try {
          platform::DispatchMessageA(&msg);
        } catch (const std::runtime_error& error) {
          shown = error.what();
          heldWhenShown = platform::GetCapture() != nullptr;
        }
      }
    } else {
      ADD_FAILURE() << core.LastError();
    }
    core.Close();
    platform::DestroyWindow(window);
    platform::UnregisterClassA("CaptureProbe");
    platform::ShutdownUiThread();
  });
  ui.join();
  EXPECT_EQ(shown, "bad chunk");
  EXPECT_FALSE(heldWhenShown);
}

}  // namespace
