// The system's broadcasts as the main window meets them: a port that goes
// and comes back closes and reopens its channel, other devices change
// nothing, and suspend and resume close and reopen the ports with their
// markers in the running recordings.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/core/os/serial_ports.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/system_broadcasts.h"
#include "platform/ui/controls/extctrls.h"
#include "tests/app/app_helpers.h"
#include "widetext/standard/combo_box.h"

namespace {

using apptest::AppTest;
using apptest::PumpUntil;
using apptest::VirtualPort;

class BroadcastsTest : public AppTest {
 protected:
  // The window shown with its DST channel saved on port.
  app::TMainForm& ShowWithDstOn(const VirtualPort& Port, std::int32_t Baud = 38400) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n"
                  "\"DSTComPort\"=dword:%08x\n\"DSTBaudRate\"=dword:%08x\n",
                  static_cast<unsigned>(Port.Number()), static_cast<unsigned>(Baud));
    WriteSettings(text);
    app::TMainForm& form = MakeMainForm();
    ShowMainForm();
    return form;
  }
  bool DstShown(const app::TMainForm& MainForm, const VirtualPort& Port) const {
    const int item = MainForm.CmbDstPort->ItemIndex();
    return item > 0 && MainForm.PortNumbers[static_cast<std::size_t>(item - 1)] == Port.Number();
  }
};

TEST_F(BroadcastsTest, APortThatGoesClosesItsChannelAndReopensItWhenItComesBack) {
  VirtualPort port("dst-adapter");
  app::TMainForm& form = ShowWithDstOn(port);
  ASSERT_TRUE(form.DstLink->IsOpen());
  EXPECT_TRUE(DstShown(form, port));
  EXPECT_EQ(form.LedDst->Brush().Color(), app::kLampOn);

  port.Unpublish();
  SendPortChange(platform::DBT_DEVICEREMOVECOMPLETE);
  EXPECT_FALSE(form.DstLink->IsOpen());
  EXPECT_EQ(form.CmbDstPort->ItemIndex(), 0);
  EXPECT_EQ(form.LedDst->Brush().Color(), app::kLampOff);
  // Only the user's own choice changes the saved port.
  EXPECT_EQ(form.DSTComPort, port.Number());

  port.Publish();
  SendPortChange(platform::DBT_DEVICEARRIVAL);
  EXPECT_TRUE(form.DstLink->IsOpen());
  EXPECT_EQ(form.DstLink->Baud(), 38400);
  EXPECT_TRUE(DstShown(form, port));
  EXPECT_EQ(form.LedDst->Brush().Color(), app::kLampOn);
}

TEST_F(BroadcastsTest, OtherDevicesAndAClosingWindowChangeNothing) {
  VirtualPort port("dst-adapter");
  app::TMainForm& form = ShowWithDstOn(port);
  port.Unpublish();
  SendPortChange(platform::DBT_DEVICEREMOVECOMPLETE, platform::DBT_DEVTYP_VOLUME);
  SendPortChange(0x0007);
  platform::SendMessageA(form.Handle(), platform::WM_DEVICECHANGE, platform::DBT_DEVICEARRIVAL, 0);
  EXPECT_TRUE(form.DstLink->IsOpen());
  EXPECT_TRUE(DstShown(form, port));
  form.Closing = true;
  SendPortChange(platform::DBT_DEVICEREMOVECOMPLETE);
  EXPECT_TRUE(form.DstLink->IsOpen());
  form.Closing = false;
}

TEST_F(BroadcastsTest, TheSystemsOwnNoticeOfAVanishingPortClosesTheChannel) {
  VirtualPort port("dst-adapter");
  app::TMainForm& form = ShowWithDstOn(port);
  const platform::DeviceChangeWatcher watcher(platform::VirtualPortFolder());
  ASSERT_TRUE(watcher.WatchesFolder());
  port.Unpublish();
  EXPECT_TRUE(PumpUntil([&] { return !form.DstLink->IsOpen(); }));
  port.Publish();
  EXPECT_TRUE(PumpUntil([&] { return form.DstLink->IsOpen(); }));
}

TEST_F(BroadcastsTest, APortThatComesBackReopensAChannelThatStayedClosedAfterASuspend) {
  VirtualPort port("dst-adapter");
  app::TMainForm& form = ShowWithDstOn(port);
  platform::SendMessageA(form.Handle(), platform::WM_POWERBROADCAST, platform::PBT_APMSUSPEND, 0);
  ASSERT_FALSE(form.DstLink->IsOpen());
  // The link still names its old port and rate, closed as it is.
  ASSERT_EQ(form.DstLink->Port(), port.Number());
  SendPortChange(platform::DBT_DEVICEARRIVAL);
  EXPECT_TRUE(form.DstLink->IsOpen());
  EXPECT_EQ(form.LedDst->Brush().Color(), app::kLampOn);
}

std::string FileText(const std::filesystem::path& P) {
  std::ifstream in(P, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(BroadcastsTest, SuspendMarksTheRecordingAndClosesThePortsAndResumeReopensThem) {
  VirtualPort port("dst-adapter");
  app::TMainForm& form = ShowWithDstOn(port);
  const auto log = Scratch / "dst.txt";
  form.DstLink->StartLog(log.string(), nmea::kLogText, true, "START\r\n");
  port.Write("$SDDPT,10.0,0.5*63\r\n");
  ASSERT_TRUE(PumpUntil([&] { return form.DstLink->NMEAData.DepthTick != 0; }));

  platform::SendMessageA(form.Handle(), platform::WM_POWERBROADCAST, platform::PBT_APMSUSPEND, 0);
  EXPECT_FALSE(form.DstLink->IsOpen());
  EXPECT_EQ(form.LedDst->Brush().Color(), app::kLampOff);
  platform::SendMessageA(form.Handle(), platform::WM_POWERBROADCAST, platform::PBT_APMRESUMESUSPEND, 0);
  EXPECT_TRUE(form.DstLink->IsOpen());
  EXPECT_EQ(form.LedDst->Brush().Color(), app::kLampOn);
  form.DstLink->StopLog();

  const std::string text = FileText(log);
  const auto suspended = text.find("*********      POWER SUSPENDED ");
  const auto resumed = text.find("*********      POWER RESUMED ");
  ASSERT_NE(suspended, std::string::npos) << text;
  ASSERT_NE(resumed, std::string::npos) << text;
  EXPECT_LT(text.find("$SDDPT"), suspended);
  EXPECT_LT(suspended, resumed);
  EXPECT_EQ(text.substr(suspended - 4, 4), "\r\n\r\n");
}

}  // namespace
