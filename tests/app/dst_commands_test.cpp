// Every command's sentences as the module receives them, byte for byte:
// number formats, limits, units, firmware forms, repetitions and the
// pauses between them, and values too large to send.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/dialog_form.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/dialogs.h"
#include "tests/app/module_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"

namespace {

using apptest::Sentence;
using Clock = std::chrono::steady_clock;

class DstCommandsTest : public apptest::ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    app::TDialogForm::SetAnswerHandler([this](const std::u16string&, const std::u16string&, int Mode) {
      ++Questions;
      EXPECT_EQ(Mode, 2);
      return Answer;
    });
  }
  void TearDown() override {
    app::TDialogForm::SetAnswerHandler({});
    ModuleTest::TearDown();
  }

  // The module reports 20.0 °C and the user typed the real temperature.
  void WaterIsMeasuredAt(const char* Real) {
    ModuleSends("YXMTW,20.0,C");
    Form->EditTempCalO->SetText(Real);
    Tick(0);
  }

  // Clicks Button with the exchange free; returns what went out at once or
  // on the next tick, and lets the exchange go.
  std::string Command(widetext::TxpButton& Button) {
    Button.Click();
    Tick(250);
    std::string sent = Sent();
    Tick(250);
    return sent;
  }

  void SetNewRow(const std::vector<std::u16string>& Cells) {
    for (std::size_t i = 0; i < Cells.size(); ++i) Form->LogGrid->SetCells(static_cast<int>(i) + 1, 2, Cells[i]);
  }

  bool Answer = false;
  int Questions = 0;
};

TEST_F(DstCommandsTest, TheDepthOffsetGoesOutInMetresWithinTheModulesLimits) {
  Identify();
  LetTableReadsEnd();
  Form->EditDptOfs->SetText("40");
  EXPECT_EQ(Command(*Form->ButDepthSend), Sentence("PARLRSC,DPT,32.76"));
  // The box keeps what was typed.
  EXPECT_EQ(Form->EditDptOfs->Text(), "40.00");
  Form->EditDptOfs->SetText("1,125");
  EXPECT_EQ(Command(*Form->ButDepthSend), Sentence("PARLRSC,DPT,1.12"));
  Form->EditDptOfs->SetText("-0.004");
  EXPECT_EQ(Command(*Form->ButDepthSend), Sentence("PARLRSC,DPT,0.00"));
  // A value too large to write with its decimals is still sent at the
  // limit and stays in the box as typed.
  Form->EditDptOfs->SetText("1e30");
  EXPECT_EQ(Command(*Form->ButDepthSend), Sentence("PARLRSC,DPT,32.76"));
  EXPECT_EQ(Form->EditDptOfs->Text(), "1e30");

  Form->UnitsDepth = 1;
  Form->EditDptOfs->SetText("-2");
  EXPECT_EQ(Command(*Form->ButDepthSend), Sentence("PARLRSC,DPT,-0.61"));
  EXPECT_EQ(Form->EditDptOfs->Text(), "-2.00");
}

TEST_F(DstCommandsTest, TheTripResetTakesThePresetInTheFirmwaresUnit) {
  Identify();
  LetTableReadsEnd();
  EXPECT_EQ(Command(*Form->ButTripLogReset), Sentence("PARLRRT,0.00"));
  Form->FirmwareVersion = 3041;
  Form->EditLogReset->SetText("5.00");
  EXPECT_EQ(Command(*Form->ButTripLogReset), Sentence("PARLRRT,0.50"));
  Form->EditLogReset->SetText("-3");
  EXPECT_EQ(Command(*Form->ButTripLogReset), Sentence("PARLRRT,0.00"));
  Form->EditLogReset->SetText("1e300");
  EXPECT_EQ(Command(*Form->ButTripLogReset), "");
}

TEST_F(DstCommandsTest, TheTemperatureOffsetAddsTheStoredCorrectionAndGoesOutTwiceInTheFirmwaresForm) {
  Identify();
  LetTableReadsEnd();
  for (const std::uint32_t firmware : {3041u, 3042u}) {
    Form->FirmwareVersion = static_cast<std::int32_t>(firmware);
    WaterIsMeasuredAt("16.0");
    ASSERT_DOUBLE_EQ(Form->TempOffset, -4.0);
    Form->ButSetTempOffs->Click();
    EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP"));
    // The module's stored correction (-2.00) comes back first.
    ModuleSends("PARLARC,TMP,0,653.36", [&] {
      const auto& curves = Form->DstLink->Curves;
      return !curves.empty() && curves.front().UpdateTick == Now;
    });
    Form->TempTable.assign(42, -2.0);
    Tick(250);
    EXPECT_EQ(Sent(), "");
    const Clock::time_point start = Clock::now();
    Tick(1001 + 250);
    const std::string line = Sentence(firmware >= 3042 ? "PARLRSC,TMP,0,,-5.0" : "PARLRSC,TMP,0,-5.0");
    EXPECT_EQ(Sent(), line + line);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(200));
    Tick(250);
  }
  // No stored correction: the offset as computed; none at all: nothing.
  Form->DstLink->ClearCurves(nmea::kCurveTemperature);
  Form->TempTable.clear();
  WaterIsMeasuredAt("21.25");
  Form->ButSetTempOffs->Click();
  Tick(1001 + 250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP") + Sentence("PARLRSC,TMP,0,,1.2") + Sentence("PARLRSC,TMP,0,,1.2"));
  Tick(250);
  WaterIsMeasuredAt("20.0");
  Form->ButSetTempOffs->Click();
  Tick(1001 + 250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,TMP"));
}

TEST_F(DstCommandsTest, TheTemperatureButtonsExplainWhatIsMissingAndTheResetAsksFirst) {
  std::vector<std::u16string> shown;
  platform::SetMessageBoxHandler([&](const std::u16string& Text, const std::u16string&, platform::UINT) {
    shown.push_back(Text);
    return platform::IDOK;
  });
  Form->ButSetTempOffs->Click();
  Identify();
  LetTableReadsEnd();
  Form->TempOffsetInvalid = true;
  Form->ButSetTempOffs->Click();
  EXPECT_EQ(shown, (std::vector<std::u16string>{Form->TxtNoTempData, Form->TxtTempHelp}));
  EXPECT_EQ(Sent(), "");

  Answer = false;
  EXPECT_EQ(Command(*Form->ButResetTempOfs), "");
  EXPECT_EQ(Questions, 1);
  Answer = true;
  Form->FirmwareVersion = 3041;
  EXPECT_EQ(Command(*Form->ButResetTempOfs), Sentence("PARLRSC,TMP,0,0.0") + Sentence("PARLRSC,TMP,0,0.0"));
  Form->FirmwareVersion = 3042;
  EXPECT_EQ(Command(*Form->ButResetTempOfs), Sentence("PARLRSC,TMP,0,,0.0") + Sentence("PARLRSC,TMP,0,,0.0"));
}

// The question waits for the user while the window runs on: when the
// channel was opened afresh meanwhile, the module is no longer the one asked
// about, and neither reset reaches it.
TEST_F(DstCommandsTest, AResetAnsweredAfterTheModuleWasForgottenSendsNothing) {
  Identify();
  LetTableReadsEnd();
  app::TDialogForm::SetAnswerHandler([this](const std::u16string&, const std::u16string&, int) {
    ++Questions;
    Form->ExchangeState = app::exIdle;
    Form->ResetDstState();
    return true;
  });
  for (widetext::TxpButton* button : {Form->ButResetTempOfs, Form->ButResetLogCal}) {
    Form->DstReady = true;
    EXPECT_EQ(Command(*button), "") << button->Name();
  }
  EXPECT_EQ(Questions, 2);
}

TEST_F(DstCommandsTest, TheSpeedTableGoesOutWholeWithNothingBetweenItsSentencesAndIsReadBack) {
  Identify();
  LetTableReadsEnd();
  SetNewRow(std::vector<std::u16string>(10, u"1.00"));
  // The table is read back on the tick after.
  EXPECT_EQ(Command(*Form->ButSetLogCal), Sentence("PARLRSC,SPD,END,0") + Sentence("PARLRRC,SPD"));
  Tick(2001);
  Tick(250);
  Sent();

  SetNewRow({u"1.00", u"1.005", u"1.125", u"1,05", u"1.10", u"1.20", u"abc", u"1.20", u"1.20", u"1.20"});
  // Ticks that run inside the upload's pauses, each late enough for the
  // exchange to send a table read, were it free to.
  for (int i = 0; i < 6; ++i) platform::RunOnUiThread([this] { Tick(16000); });
  const Clock::time_point start = Clock::now();
  Form->ButSetLogCal->Click();
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(11 * 200));
  EXPECT_EQ(Sent(),
            Sentence("PARLRSC,SPD,0,2,100") + Sentence("PARLRSC,SPD,1,3,100") + Sentence("PARLRSC,SPD,2,4,112") +
                Sentence("PARLRSC,SPD,3,5,105") + Sentence("PARLRSC,SPD,4,6,110") + Sentence("PARLRSC,SPD,5,8,120") +
                Sentence("PARLRSC,SPD,6,12,0") + Sentence("PARLRSC,SPD,7,15,120") + Sentence("PARLRSC,SPD,8,20,120") +
                Sentence("PARLRSC,SPD,9,30,120") + Sentence("PARLRSC,SPD,END,10"));
  Tick(250);
  EXPECT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  EXPECT_FALSE(Form->ShowNewRow);
}

TEST_F(DstCommandsTest, ASpeedTableWithAValueTheModuleCannotHoldIsNotSent) {
  Identify();
  LetTableReadsEnd();
  for (const std::u16string bad : {u"1e30", u"-1e300", u"21474836.48"}) {
    SetNewRow({u"1.00", u"1.00", bad, u"1.00", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00"});
    Form->ButSetLogCal->Click();
    EXPECT_EQ(Sent(), "");
    // The exchange goes on: the module's own table is read back.
    Tick(250);
    EXPECT_EQ(Sent(), Sentence("PARLRRC,SPD"));
    Tick(2001);
    Tick(250);
  }
}

TEST_F(DstCommandsTest, ALineIsDroppedWhileTheLinkIsClosedOrShowsBinaryInput) {
  Identify();
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    Form->DstLink->BinaryInput = true;
  }
  Form->SendToDst("$PARLRHI,01");
  EXPECT_EQ(Sent(), "");
  {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    Form->DstLink->BinaryInput = false;
  }
  Form->SendToDst("$PARLRHI,01");
  EXPECT_EQ(Sent(), Sentence("PARLRHI,01"));
  Form->DstLink->Close();
  Form->SendToDst("$PARLRHI,01");
  EXPECT_EQ(Sent(), "");
}

}  // namespace
