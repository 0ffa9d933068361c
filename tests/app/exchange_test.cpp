// The exchange with the module, tick by tick: when each command goes out,
// how long its reply is awaited, what the queue keeps, and that a command
// given before the module is identified, or a tick inside a sender's
// pauses, cannot derail it. The clock crosses the wrap of the tick counter
// in every test.

#include <gtest/gtest.h>

#include "app/tick_ages.h"
#include "tests/app/module_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/label.h"

namespace {

using apptest::IdentificationBody;
using apptest::Sentence;

class ExchangeTest : public apptest::ModuleTest {};

TEST(TickAges, FreshnessAndTimeOutsHoldAcrossTheWrapOfTheCounter) {
  using app::HasElapsed;
  using app::IsFresh;
  EXPECT_TRUE(IsFresh(10000, 7001, 3000));
  EXPECT_FALSE(IsFresh(10000, 7000, 3000));
  // Stamped by the reader just after the tick read the clock.
  EXPECT_TRUE(IsFresh(10000, 10005, 3000));
  EXPECT_TRUE(IsFresh(0x00000100u, 0xFFFFFF00u, 3000));
  // Nothing ever stored, even once the counter is past half its range.
  EXPECT_FALSE(IsFresh(0x80000100u, 0, 3000));
  // A stamp from before the wrap is old, not ahead.
  EXPECT_FALSE(IsFresh(0x00000100u, 0xFFFF0000u, 3000));
  EXPECT_FALSE(IsFresh(0x00000100u, 0x7FFFFFFFu, 3000));

  EXPECT_FALSE(HasElapsed(0x00000300u, 0xFFFFFF00u, 1500));
  EXPECT_TRUE(HasElapsed(0x00000600u, 0xFFFFFF00u, 1500));
  EXPECT_FALSE(HasElapsed(1500, 0, 1500));
  EXPECT_TRUE(HasElapsed(1501, 0, 1500));
}

TEST_F(ExchangeTest, AModuleThatSendsDataIsIdentifiedAndItsTablesAreReadOneAfterTheOther) {
  // Nothing is asked while the module is silent.
  Tick(250);
  EXPECT_EQ(Sent(), "");

  ModuleSends("SDDPT,12.50,0.00,");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));
  EXPECT_EQ(Form->ExchangeState, app::exAwaiting);

  ModuleSends(IdentificationBody(1, 3042));
  Tick(250);
  EXPECT_TRUE(Form->DstReady);
  EXPECT_EQ(Form->DeviceStatus, 1);
  EXPECT_EQ(Form->FirmwareVersion, 3042);
  EXPECT_EQ(Form->ExchangeState, app::exReady);
  EXPECT_EQ(Sent(), "");

  // Both tables are due; the temperature table waits for the speed table's
  // reply time to pass.
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  EXPECT_EQ(Form->CommandQueue, std::vector<std::uint32_t>{app::cmdReadTempTable});
  Tick(2000);
  EXPECT_EQ(Sent(), "");
  Tick(1);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP"));
  Tick(1000);
  EXPECT_EQ(Sent(), "");
  Tick(1);
  EXPECT_EQ(Form->ExchangeState, app::exReady);

  // Read again once their periods have passed: temperature after 12 s,
  // speed after 15 s.
  Tick(12000 - 1000);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP"));
  Tick(3000);
  EXPECT_EQ(Sent(), "");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,SPD"));
}

TEST_F(ExchangeTest, AnUnansweredIdentificationIsAskedAgainOnlyWhileTheModuleSends) {
  ModuleSends("SDDPT,12.50,0.00,");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));
  // The reply time is 1500 ms; only past it does the exchange give up.
  Tick(1500);
  EXPECT_EQ(Form->ExchangeState, app::exAwaiting);
  Tick(1);
  EXPECT_EQ(Form->ExchangeState, app::exIdle);
  EXPECT_EQ(Sent(), "");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));

  // Data 3000 ms old or older: nobody to ask.
  Tick(1501);
  EXPECT_EQ(Form->ExchangeState, app::exIdle);
  Tick(250);
  EXPECT_EQ(Sent(), "");
  ModuleSends("SDDPT,12.50,0.00,");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));
}

TEST_F(ExchangeTest, AnUnsupportedModuleIsAskedAgainAndItsMessageStaysShown) {
  ModuleSends("SDDPT,12.50,0.00,");
  Tick(250);
  ModuleSends(IdentificationBody(0, 3042));
  Tick(250);
  Tick(3000);
  EXPECT_EQ(Form->DeviceStatus, 3);
  EXPECT_FALSE(Form->DstReady);
  EXPECT_TRUE(Form->LblModuleMsg->Visible());
  // Asked again every 2 s; the message stays while it is.
  int asked = 0;
  for (int i = 0; i < 40; ++i) {
    if (i % 4 == 0) ModuleSends(IdentificationBody(0, 3042));
    Tick(250);
    asked += Sent() == Sentence("PARLRHI,01");
    EXPECT_TRUE(Form->LblModuleMsg->Visible()) << i;
    EXPECT_EQ(Form->LblModuleMsg->GetCaption(), Form->TxtNotSupported);
  }
  EXPECT_GE(asked, 4);
}

TEST_F(ExchangeTest, AUserCommandReplacesWhatTheTimerQueuedAndWaitsForTheExchange) {
  Identify();
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  // A command queued twice is queued once.
  Form->QueueCommand(app::cmdReadTempTable);
  EXPECT_EQ(Form->CommandQueue, std::vector<std::uint32_t>{app::cmdReadTempTable});

  Form->EditDptOfs->SetText("1.5");
  Form->ButDepthSend->Click();
  EXPECT_EQ(Form->CommandQueue, std::vector<std::uint32_t>{app::cmdSendDepthOffset});
  EXPECT_EQ(Sent(), "");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRSC,DPT,1.50"));
  // Released on the next tick; the dropped table read is due again.
  Tick(250);
  EXPECT_EQ(Form->ExchangeState, app::exReady);
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP"));
}

TEST_F(ExchangeTest, ACommandGivenBeforeTheIdentificationSendsTheExchangeBackToAsking) {
  ModuleSends("SDDPT,12.50,0.00,");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));
  Form->ButTripLogReset->Click();
  // The trip reset needs an identified module: it sends nothing and holds
  // the exchange for one tick, which then asks again who is there.
  Tick(250);
  Tick(250);
  EXPECT_EQ(Form->ExchangeState, app::exIdle);
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));
  ModuleSends(IdentificationBody(1, 3042));
  Tick(250);
  EXPECT_TRUE(Form->DstReady);
}

TEST_F(ExchangeTest, AClosedChannelDropsTheQueueAndItsModule) {
  Identify();
  Tick(250);
  Form->QueueCommand(app::cmdReadTempTable);
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    Form->DstLink->AddCurvePoint({nmea::kCurveSpeed, 0, 2.0, 1.05}, Now);
  }
  Form->SpeedTable.assign(32, 1.05);
  Form->CmbDstPort->SetItemIndex(0);
  Form->CmbDstPort->Click();
  EXPECT_FALSE(Form->DstReady);
  EXPECT_EQ(Form->FirmwareVersion, 0);
  EXPECT_TRUE(Form->SpeedTable.empty());
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    EXPECT_TRUE(Form->DstLink->NMEAData.Products.empty());
    EXPECT_TRUE(Form->DstLink->Curves.empty());
  }
  Tick(3000);
  EXPECT_EQ(Form->ExchangeState, app::exIdle);
  EXPECT_TRUE(Form->CommandQueue.empty());
  EXPECT_EQ(Form->LblModuleName->GetCaption(), Form->TxtNoValue);
  EXPECT_FALSE(Form->LblModuleMsg->Visible());
}

TEST_F(ExchangeTest, AnotherModuleOnANewRateStartsWithoutThePreviousOnesTables) {
  Identify();
  LetTableReadsEnd();
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    Form->DstLink->AddCurvePoint({nmea::kCurveTemperature, 0, 20.0, -2.0}, Now);
  }
  Form->TempTable.assign(42, -2.0);
  // What the user did with the previous module: the New row is the user's
  // own, and an offset of its own was typed over the one it reported.
  Form->ShowNewRow = false;
  ASSERT_TRUE(Form->OffsetEditFilled);
  Form->EditDptOfs->SetText("1.5");
  Form->CmbDstBaud->SetItemIndex(1);
  Form->CmbDstBaud->Click();
  ASSERT_EQ(Form->DstLink->Baud(), 38400);
  EXPECT_TRUE(Form->TempTable.empty());
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    EXPECT_TRUE(Form->DstLink->Curves.empty());
  }
  EXPECT_TRUE(Form->ShowNewRow);
  EXPECT_FALSE(Form->OffsetEditFilled);
  // Once identified, its own offset fills the box and its own tables are
  // read at once, the speed table into both rows.
  Identify(3042, "SDDPT,12.50,0.40,");
  EXPECT_EQ(Form->EditDptOfs->Text(), "0.40");
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  ModuleSends("PARLARC,SPD,0,2,120", [this] { return !Form->DstLink->Curves.empty(); });
  Tick(250);
  EXPECT_EQ(Form->LogGrid->GetCells(1, 1), u"1.20");
  EXPECT_EQ(Form->LogGrid->GetCells(1, 2), u"1.20");
}

// The GPS channel is the speed reference alone: opening, reopening or
// closing it leaves the module, its exchange and what the user did on the
// module's pages as they were.
TEST_F(ExchangeTest, TheGpsChannelLeavesTheModuleAndItsExchangeAlone) {
  apptest::VirtualPort gps("gps-module");
  Identify();
  Tick(250);
  ASSERT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  Form->ShowNewRow = false;
  ASSERT_TRUE(Form->OffsetEditFilled);
  ASSERT_TRUE(Form->DepthSeen);

  // The receiver is plugged in, chosen, set to another rate and let go.
  SendPortChange(platform::DBT_DEVICEARRIVAL);
  ASSERT_TRUE(apptest::ChoosePort(*Form, *Form->CmbGPSPort, gps.Number()));
  ASSERT_TRUE(Form->GpsLink->IsOpen());
  Form->CmbGPSBaud->SetItemIndex(2);
  Form->CmbGPSBaud->Click();
  ASSERT_EQ(Form->GpsLink->Baud(), 19200);
  Form->CmbGPSPort->SetItemIndex(0);
  Form->CmbGPSPort->Click();
  ASSERT_FALSE(Form->GpsLink->IsOpen());

  EXPECT_TRUE(Form->DstLink->IsOpen());
  EXPECT_TRUE(Form->DstReady);
  EXPECT_EQ(Form->DeviceStatus, 1);
  EXPECT_EQ(Form->FirmwareVersion, 3042);
  EXPECT_EQ(Form->ExchangeState, app::exAwaiting);
  EXPECT_EQ(Form->CurrentCommand, app::cmdReadSpeedTable);
  EXPECT_EQ(Form->CommandQueue, std::vector<std::uint32_t>{app::cmdReadTempTable});
  EXPECT_FALSE(Form->ShowNewRow);
  EXPECT_TRUE(Form->OffsetEditFilled);
  EXPECT_TRUE(Form->DepthSeen);
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    EXPECT_FALSE(Form->DstLink->NMEAData.Products.empty());
  }
  // The exchange goes on where it was: the temperature table is next, and
  // nobody asks the module again who it is.
  Tick(2001);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP"));
  EXPECT_EQ(Form->LblModuleName->GetCaption(), u"Zeruziviz DSM-2-C");
}

}  // namespace
