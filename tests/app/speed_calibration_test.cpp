// The calibration pages as the user drives them: the grids' shape and
// headers, samples added, calculated and deleted, the module's tables read
// into the Stored row once per update, and the questions before anything
// is erased.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/calibration_table.h"
#include "app/dialog_form.h"
#include "platform/core/window_system/queue.h"
#include "tests/app/display_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/list_box.h"

namespace {

using apptest::DisplayTest;

class SpeedCalibrationTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    OpenDst();
  }
  std::vector<std::u16string> Row(app::TWtxStringGrid& Grid, int R) {
    std::vector<std::u16string> cells;
    for (int c = 1; c <= 10; ++c) cells.push_back(Grid.GetCells(c, R));
    return cells;
  }
  static std::vector<std::u16string> Texts(std::initializer_list<const char16_t*> Cells) {
    return {Cells.begin(), Cells.end()};
  }
  static std::vector<std::u16string> All(const char16_t* Cell) { return std::vector<std::u16string>(10, Cell); }
  std::vector<std::u16string> ListLines() {
    std::vector<std::u16string> lines;
    auto& items = Form->LogCoeffListBox->GetItems();
    for (int i = 0; i < items.Count(); ++i) lines.push_back(items.Get(i));
    return lines;
  }
  void AddSample(double LogSpeed, double Coefficient) {
    Form->CurrentLogSpeed = LogSpeed;
    Form->CurrentCoefficient = Coefficient;
    Form->ButAddLogCal->Click();
  }
  // The module's reply to a table request: one point per sentence.
  void ModuleSendsSpeedTable(std::initializer_list<int> Coefficients) {
    std::vector<std::string> bodies;
    std::size_t i = 0;
    for (const int c : Coefficients) {
      bodies.push_back("PARLARC,SPD," + std::to_string(i) + "," + std::to_string(app::kSpeedPoints[i]) + "," +
                       std::to_string(c));
      ++i;
    }
    SendDstTable(bodies, nmea::kCurveSpeed);
  }
};

TEST_F(SpeedCalibrationTest, TheGridsShareTheWidthAndNameTheirPoints) {
  for (app::TWtxStringGrid* grid : {Form->LogGrid, Form->TempGrid}) {
    const int w = grid->ClientWidth() / 11;
    for (int c = 0; c < 10; ++c) EXPECT_EQ(grid->ColWidths(c), w);
    EXPECT_EQ(grid->ColWidths(10), grid->ClientWidth() - (w + grid->GridLineWidth()) * 10);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(grid->RowHeights(r), grid->ClientHeight() / 3);
    EXPECT_EQ(grid->GetCells(0, 1), u"Stored");
    EXPECT_EQ(grid->GetCells(0, 2), u"New");
    EXPECT_EQ(Row(*grid, 1), All(u"- - -"));
    EXPECT_EQ(Row(*grid, 2), All(u"1.00"));
  }
  EXPECT_EQ(Row(*Form->LogGrid, 0),
            Texts({u"2 kn", u"3 kn", u"4 kn", u"5 kn", u"6 kn", u"8 kn", u"12 kn", u"15 kn", u"20 kn", u"30 kn"}));
  EXPECT_EQ(Row(*Form->TempGrid, 0),
            Texts({u"4°", u"8°", u"12°", u"16°", u"20°", u"24°", u"28°", u"32°", u"36°", u"40°"}));
  Form->UnitsTemp = 1;
  Form->InitTempGrid();
  EXPECT_EQ(Row(*Form->TempGrid, 0),
            Texts({u"39°", u"46°", u"54°", u"61°", u"68°", u"75°", u"82°", u"90°", u"97°", u"104°"}));
}

TEST_F(SpeedCalibrationTest, SamplesAreCollectedMergedAndTurnedIntoTheNewRow) {
  // Without a valid coefficient there is nothing to add.
  AddSample(5.0, 0);
  EXPECT_TRUE(Form->Samples.empty());
  AddSample(6.0, 1.00);
  AddSample(6.0, 1.20);
  AddSample(6.0, 1.40);
  EXPECT_EQ(ListLines().size(), 3u);
  EXPECT_TRUE(Form->ButCalcLogVal->Enabled());
  EXPECT_TRUE(Form->ButResetLogVal->Enabled());
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());
  Form->ButCalcLogVal->Click();
  EXPECT_EQ(ListLines(), Texts({u"6.0 kn    Coeff. = 1.15"}));
  EXPECT_EQ(Row(*Form->LogGrid, 2), All(u"1.15"));
  EXPECT_FALSE(Form->ShowNewRow);

  // Given in descending order, shown sorted once calculated.
  Form->Samples.clear();
  AddSample(8.0, 1.20);
  AddSample(4.0, 1.00);
  Form->ButCalcLogVal->Click();
  EXPECT_EQ(ListLines(), Texts({u"4.0 kn    Coeff. = 1.00", u"8.0 kn    Coeff. = 1.20"}));
  EXPECT_EQ(Row(*Form->LogGrid, 2),
            Texts({u"1.00", u"1.00", u"1.00", u"1.05", u"1.10", u"1.20", u"1.20", u"1.20", u"1.20", u"1.20"}));
}

// Clicked as the user clicks: through the controls' windows, where a
// disabled button takes nothing and a list clicks only for a choice.
TEST_F(SpeedCalibrationTest, TheSelectedSampleIsDeleted) {
  Form->TabPag->SetActivePage(Form->PaSpeed);
  // The module is ready and sends speed, as the status step finds it.
  Form->DstReady = true;
  Form->SpeedSeen = true;
  Form->UpdateControlStates();
  for (const support::TFloatPoint sample : {support::TFloatPoint{4.0, 1.00}, support::TFloatPoint{8.0, 1.20}}) {
    Form->CurrentLogSpeed = sample.X;
    Form->CurrentCoefficient = sample.Y;
    apptest::ClickWindow(*Form->ButAddLogCal);
  }
  EXPECT_EQ(ListLines(), Texts({u"4.0 kn    Coeff. = 1.00", u"8.0 kn    Coeff. = 1.20"}));
  // Nothing chosen: nothing goes.
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());
  apptest::ClickWindow(*Form->ButDelLogVal);
  EXPECT_EQ(Form->Samples.size(), 2u);
  // The first line chosen: it alone goes.
  apptest::ClickWindow(*Form->LogCoeffListBox, 6, 4);
  ASSERT_EQ(Form->LogCoeffListBox->ItemIndex(), 0);
  EXPECT_TRUE(Form->ButDelLogVal->Enabled());
  apptest::ClickWindow(*Form->ButDelLogVal);
  EXPECT_EQ(ListLines(), Texts({u"8.0 kn    Coeff. = 1.20"}));
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());
  Form->DstReady = false;
  apptest::ClickWindow(*Form->LogCoeffListBox, 6, 4);
  ASSERT_EQ(Form->LogCoeffListBox->ItemIndex(), 0);
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());
}

TEST_F(SpeedCalibrationTest, EachNewTableFromTheModuleIsTakenOnceAndRescalesTheSamples) {
  Form->DstReady = true;
  ModuleSendsSpeedTable({100, 100, 100, 105, 110, 120, 120, 120, 120, 120});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(Form->ShowNewRow);
  const auto rising = Texts({u"1.00", u"1.00", u"1.00", u"1.05", u"1.10", u"1.20", u"1.20", u"1.20", u"1.20", u"1.20"});
  EXPECT_EQ(Row(*Form->LogGrid, 1), rising);
  EXPECT_EQ(Row(*Form->LogGrid, 2), rising);
  EXPECT_EQ(Form->SpeedTable.size(), 32u);
  // The same update is not taken twice.
  EXPECT_FALSE(Form->ReadCalibrationTable(1));
  EXPECT_NEAR(Form->StoredCoeffAt(9.0), 1.1806, 1e-4);

  // After a click on the grid a new table no longer overwrites the New row.
  Form->LogGrid->Click();
  ModuleSendsSpeedTable({120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(Form->ShowNewRow);
  EXPECT_EQ(Row(*Form->LogGrid, 1), All(u"1.20"));
  EXPECT_EQ(Row(*Form->LogGrid, 2), rising);

  AddSample(6.0, 1.00);
  AddSample(12.0, 1.10);
  Form->ButCalcLogVal->Click();
  EXPECT_EQ(Row(*Form->LogGrid, 2),
            Texts({u"1.20", u"1.20", u"1.20", u"1.20", u"1.22", u"1.27", u"1.32", u"1.32", u"1.32", u"1.32"}));
  // The samples keep what was measured.
  EXPECT_EQ(ListLines(), Texts({u"6.0 kn    Coeff. = 1.00", u"12.0 kn    Coeff. = 1.10"}));
}

// The user clicks the first New cell (the current cell when the window
// opens), types a coefficient and presses Enter: the next table read from
// the module leaves it in place. A click on the header row stops the
// copying as well.
TEST_F(SpeedCalibrationTest, WhatTheUserTypesAfterAClickOnTheGridSurvivesTheNextTableRead) {
  Form->DstReady = true;
  Form->TabPag->SetActivePage(Form->PaSpeed);
  platform::Application->ProcessMessages();
  app::TWtxStringGrid& grid = *Form->LogGrid;
  const auto click = [&](int C, int R) {
    const platform::TRect cell = grid.CellRect(C, R);
    const platform::LPARAM at =
        platform::MAKELPARAM(static_cast<platform::WORD>(cell.left + 2), static_cast<platform::WORD>(cell.top + 2));
    platform::PostMessageW(grid.Handle(), platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, at);
    platform::PostMessageW(grid.Handle(), platform::WM_LBUTTONUP, 0, at);
    platform::Application->ProcessMessages();
  };
  ASSERT_TRUE(Form->ShowNewRow);
  ASSERT_EQ(grid.Col(), 1);
  ASSERT_EQ(grid.Row(), 2);
  click(1, 2);
  EXPECT_FALSE(Form->ShowNewRow);
  ASSERT_TRUE(grid.EditorMode());
  const platform::HWND editor = grid.InplaceEditor()->Handle();
  for (const char16_t c : std::u16string(u"1.05")) {
    platform::PostKeyDown(editor, platform::WM_KEYDOWN, 0xE5, 1, std::u16string(1, c));
  }
  platform::PostKeyDown(editor, platform::WM_KEYDOWN, platform::VK_RETURN, 1, u"\r");
  platform::Application->ProcessMessages();
  ASSERT_FALSE(grid.EditorMode());
  ModuleSendsSpeedTable({120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(Form->ShowNewRow);
  EXPECT_EQ(Row(grid, 1), All(u"1.20"));
  EXPECT_EQ(Row(grid, 2),
            Texts({u"1.05", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00", u"1.00"}));

  Form->ShowNewRow = true;
  click(4, 0);
  EXPECT_FALSE(Form->ShowNewRow);
  ModuleSendsSpeedTable({110, 110, 110, 110, 110, 110, 110, 110, 110, 110});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(Form->ShowNewRow);
  EXPECT_EQ(Row(grid, 1), All(u"1.10"));
  EXPECT_EQ(grid.GetCells(1, 2), u"1.05");
}

TEST_F(SpeedCalibrationTest, ATableNoLongerKnownIsNoLongerShownAsStored) {
  Form->DstReady = true;
  ModuleSendsSpeedTable({120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(false);
  EXPECT_EQ(Row(*Form->LogGrid, 1), All(u"1.20"));
  Form->DstLink->ClearCurves(0);
  EXPECT_FALSE(Form->ReadCalibrationTable(1));
  EXPECT_TRUE(Form->SpeedTable.empty());
  EXPECT_EQ(Row(*Form->LogGrid, 1), All(u"- - -"));

  ModuleSendsSpeedTable({120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  Form->DstReady = false;
  EXPECT_FALSE(Form->ReadCalibrationTable(1));
  EXPECT_TRUE(Form->SpeedTable.empty());

  // Nor is the table of a module whose channel closed.
  Form->DstReady = true;
  ModuleSendsSpeedTable({120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(false);
  Form->CmbDstPort->SetItemIndex(0);
  Form->CmbDstPort->Click();
  EXPECT_EQ(Row(*Form->LogGrid, 1), All(u"- - -"));
}

TEST_F(SpeedCalibrationTest, TheTemperatureTableIsKeptButNeverShown) {
  Form->DstReady = true;
  SendDstTable({"PARLARC,TMP,0,650.5"}, nmea::kCurveTemperature);
  ASSERT_TRUE(Form->ReadCalibrationTable(2));
  Form->ClearStoredTempRow();
  ASSERT_EQ(Form->TempTable.size(), 42u);
  EXPECT_NEAR(Form->TempTable[0], -4.86, 1e-9);
  EXPECT_EQ(Row(*Form->TempGrid, 1), All(u"- - -"));
  EXPECT_TRUE(Form->SpeedTable.empty());
}

TEST_F(SpeedCalibrationTest, NothingIsErasedWithoutAYes) {
  std::vector<std::u16string> asked;
  bool answer = false;
  app::TDialogForm::SetAnswerHandler([&](const std::u16string& Title, const std::u16string& Message, int Mode) {
    asked.push_back(Title + u"|" + Message + u"|" + static_cast<char16_t>(u'0' + Mode));
    return answer;
  });
  AddSample(4.0, 1.00);
  Form->ButResetLogVal->Click();
  EXPECT_EQ(Form->Samples.size(), 1u);
  answer = true;
  Form->ButResetLogVal->Click();
  EXPECT_TRUE(Form->Samples.empty());
  EXPECT_TRUE(ListLines().empty());
  EXPECT_FALSE(Form->ButCalcLogVal->Enabled());
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], u"Attention!|Are you sure to delete the coefficient list?|2");

  // The module's table: only a module that is ready is asked about.
  asked.clear();
  Form->ButResetLogCal->Click();
  EXPECT_TRUE(asked.empty());
  Form->DstReady = true;
  ModuleSendsSpeedTable({120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  ASSERT_TRUE(Form->ReadCalibrationTable(1));
  Form->ShowStoredSpeedTable(true);
  answer = false;
  Form->ButResetLogCal->Click();
  EXPECT_EQ(Form->SpeedTable.size(), 32u);
  EXPECT_EQ(Row(*Form->LogGrid, 2), All(u"1.20"));
  answer = true;
  Form->ButResetLogCal->Click();
  EXPECT_EQ(asked.back(),
            u"Attention!|Are you sure to delete all the speed calibrations from the DST internal memory?|2");
  EXPECT_TRUE(Form->SpeedTable.empty());
  EXPECT_EQ(Row(*Form->LogGrid, 1), All(u"- - -"));
  EXPECT_EQ(Row(*Form->LogGrid, 2), All(u"1.00"));
  EXPECT_FALSE(Form->ShowNewRow);
  const auto lock = Form->DstLink->Lock();
  EXPECT_TRUE(Form->DstLink->Curves.empty());
}

class LanguageSettingTest : public apptest::AppTest {};

TEST_F(LanguageSettingTest, ALanguageTheWindowDoesNotSpeakGetsTheEnglishTexts) {
  WriteSettings(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\r\n"
      "\"DSTComPort\"=dword:00000000\r\n\"DSTBaudRate\"=dword:000012c0\r\n\"GPSComPort\"=dword:00000000\r\n"
      "\"GPSBaudRate\"=dword:000012c0\r\n\"Language\"=dword:00000809\r\n\"UnitsTemp\"=dword:00000000\r\n"
      "\"UnitsDepth\"=dword:00000000\r\n");
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  EXPECT_EQ(apptest::ItemText(*form.CmbDstPort, 0), u"none");
  EXPECT_EQ(form.Language, 2057);
  FreeMainForm();
  EXPECT_EQ(StoredSetting("Language"), 2057);
}

}  // namespace
