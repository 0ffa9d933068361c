// The main window's life: what stands after it is made, what its first
// showing starts, that showing it again starts nothing twice, and that its
// end saves the settings first and then stops the timer and the links.

#include <gtest/gtest.h>

#include "platform/core/os/clock.h"
#include "platform/ui/controls/extctrls.h"
#include "support/hashing.h"
#include "tests/app/app_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/standard/label.h"

namespace {

using apptest::AppTest;
using apptest::ItemCount;
using apptest::ItemText;
using apptest::PumpUntil;
using apptest::VirtualPort;

class LifeCycleTest : public AppTest {
 protected:
  void SaveDstPort(std::int32_t Port) {
    WriteSettings(std::string("Windows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n\"DSTComPort\"=dword:") +
                  Hex(Port) + "\n\"DSTBaudRate\"=dword:000012c0\n\"GPSComPort\"=dword:00000000\n");
  }
  static std::string Hex(std::int32_t V) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<std::uint32_t>(V));
    return text;
  }
};

TEST_F(LifeCycleTest, MadeTheWindowHasItsListsAndSettingsButNoLinkNorTimer) {
  VirtualPort port("life-dst");
  app::TMainForm& form = MakeMainForm();
  EXPECT_EQ(form.Caption(), "Veltrosa");
  EXPECT_EQ(platform::Application->Title(), "Veltrosa");
  EXPECT_FALSE(form.DstLink);
  EXPECT_FALSE(form.GpsLink);
  EXPECT_FALSE(form.MainTimer);
  EXPECT_FALSE(form.Dictionary);
  EXPECT_FALSE(form.SpeedFilter);
  EXPECT_EQ(form.TabPag->ActivePageIndex(), 0);
  EXPECT_FALSE(form.LblModuleMsg->Visible());
  EXPECT_EQ(form.ArlKey, support::StringHash("ARL"));

  // The port lists: the "none" item, then every port found.
  ASSERT_FALSE(form.PortNumbers.empty());
  const int item = static_cast<int>(std::find(form.PortNumbers.begin(), form.PortNumbers.end(), port.Number()) -
                                    form.PortNumbers.begin()) +
                   1;
  ASSERT_LE(item, static_cast<int>(form.PortNumbers.size()));
  EXPECT_EQ(ItemText(*form.CmbDstPort, item).substr(0, 8), u"life-dst");
  EXPECT_EQ(ItemText(*form.CmbGPSPort, item).substr(0, 8), u"life-dst");
  EXPECT_EQ(ItemCount(*form.CmbDstBaud), 2);
  EXPECT_EQ(ItemText(*form.CmbDstBaud, 1), u"38400");
  EXPECT_EQ(ItemCount(*form.CmbGPSBaud), 6);
  EXPECT_EQ(ItemText(*form.CmbGPSBaud, 5), u"115200");
  EXPECT_EQ(form.LblDevelLink->GetCaption(), u"www.veltrosa.example.com");
}

TEST_F(LifeCycleTest, ShowingStartsTheLinksTheDictionaryThePortsAndTheMainTimer) {
  VirtualPort port("life-dst");
  SaveDstPort(port.Number());
  platform::ScopedClockOverride clock({.Tick = [] { return 123456u; }});
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  ASSERT_TRUE(form.DstLink && form.GpsLink);
  EXPECT_TRUE(form.DstLink->IsOpen());
  EXPECT_EQ(form.DstLink->Port(), port.Number());
  EXPECT_EQ(form.DstLink->Baud(), 4800);
  EXPECT_TRUE(form.DstLink->VerifyChecksum);
  EXPECT_FALSE(form.GpsLink->IsOpen());
  ASSERT_TRUE(form.Dictionary);
  EXPECT_TRUE(form.Dictionary->Loaded());
  ASSERT_TRUE(form.SpeedFilter);
  EXPECT_EQ(form.SpeedFilter->WindowSize(), 11);
  EXPECT_EQ(form.TxtNone, u"none");
  EXPECT_EQ(ItemText(*form.CmbDstPort, 0), u"none");
  ASSERT_TRUE(form.MainTimer);
  EXPECT_EQ(form.MainTimer->Name(), "Main Timer");
  EXPECT_EQ(form.MainTimer->Interval(), 250u);
  EXPECT_EQ(form.MainTimer->Mode, nmea::tmImmediatePeriodic);
  EXPECT_TRUE(form.MainTimer->Enabled());
  // The timer ticks on this thread.
  EXPECT_TRUE(PumpUntil([&] { return form.NowTicks == 123456u; }));

  // A second showing makes nothing twice.
  const auto* dst = form.DstLink.get();
  const auto* timer = form.MainTimer.get();
  const auto* dictionary = form.Dictionary.get();
  const auto* filter = form.SpeedFilter.get();
  form.Hide();
  ShowMainForm();
  EXPECT_EQ(form.DstLink.get(), dst);
  EXPECT_EQ(form.MainTimer.get(), timer);
  EXPECT_EQ(form.Dictionary.get(), dictionary);
  EXPECT_EQ(form.SpeedFilter.get(), filter);
  EXPECT_TRUE(form.DstLink->IsOpen());
}

// A DST link that notes, as it is freed, what the window has already let go.
struct ProbeLink : nmea::TNMEA2KDecoder {
  std::function<void()> OnFree;
  ~ProbeLink() override { OnFree(); }
};

TEST_F(LifeCycleTest, ClosingSavesTheSettingsFirstThenStopsTheTimerAndThenFreesTheLinks) {
  VirtualPort port("life-dst");
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  auto probe = std::make_unique<ProbeLink>();
  probe->Open(port.Number(), 4800, nmea::kStreamText, true);
  ASSERT_TRUE(probe->IsOpen());
  std::optional<std::int32_t> storedWhenFreed;
  bool timerGoneWhenFreed = false;
  probe->OnFree = [&] {
    storedWhenFreed = StoredSetting("UnitsDepth");
    timerGoneWhenFreed = !form.MainTimer;
  };
  form.DstLink = std::move(probe);
  // A choice made a moment before closing.
  form.UnitsDepth = 1;
  FreeMainForm();
  EXPECT_EQ(storedWhenFreed, 1);
  EXPECT_TRUE(timerGoneWhenFreed);
  // The port was let go with the link: another link may have it now.
  nmea::TNMEA2KDecoder again;
  EXPECT_TRUE(again.Open(port.Number(), 4800, nmea::kStreamText, true));
}

TEST_F(LifeCycleTest, TheWebAddressLabelsOpenTheirSites) {
  MakeMainForm();
  EXPECT_EQ(Form->LblDevelLink->Cursor(), platform::crHandPoint);
  EXPECT_EQ(Form->LblVendorLink->Cursor(), platform::crHandPoint);
  Form->LblDevelLink->Click();
  Form->LblVendorLink->Click();
  EXPECT_EQ(WebAddresses, (std::vector<std::string>{app::kDeveloperSite, app::kVendorSite}));
}

}  // namespace
