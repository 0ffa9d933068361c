// A whole speed calibration against the simulated module and GPS receiver:
// the module holds a table that corrects its log by 1.10 everywhere, while
// its paddle wheel reads 0.80 of the true speed at 4 kn and 0.90 at 10 kn.
// Two samples taken at 5 and 10 kn give a new table, which is sent, read
// back into the Stored row, and then brings the log in line with the GPS.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "client/dst_sim_client.h"
#include "tests/app/app_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/static_text.h"

namespace {

using apptest::PumpUntil;

// A setting's value as the settings store writes it.
std::string ToHex(int Value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(Value));
  return text;
}

class CalibrationEndToEndTest : public apptest::AppTest {
 protected:
  std::vector<std::u16string> Row(int R) {
    std::vector<std::u16string> cells;
    for (int c = 1; c <= 10; ++c) cells.push_back(Form->LogGrid->GetCells(c, R));
    return cells;
  }
  // The boat goes at Knots through the water and over the ground; once the
  // filtered log speed holds only what the module now reports (LogSpeed),
  // the sample is added.
  void TakeSampleAt(dstsim::DstSimProcess& Sim, int Knots, double LogSpeed) {
    Sim.Command("set speed " + std::to_string(Knots));
    Sim.Command("set sog " + std::to_string(Knots));
    ASSERT_TRUE(PumpUntil([&] { return std::abs(Form->CurrentLogSpeed - LogSpeed) < 1e-9; })) << Knots;
    Form->ButAddLogCal->Click();
  }
};

TEST_F(CalibrationEndToEndTest, SamplesTakenOnTheWaterBecomeTheModulesTable) {
  dstsim::DstSimProcess sim({.Arguments = {"--dst-baud", "38400", "--gps-baud", "38400", "--dst-rate", "8",
                                           "--gps-rate", "8", "--speed", "5", "--gps-speed", "5"}});
  sim.Command("table 110 110 110 110 110 110 110 110 110 110");
  sim.Command("log-error 4:0.8 10:0.9");
  WriteSettings(
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\r\n"
      "\"DSTComPort\"=dword:" +
      ToHex(sim.DstPort()) + "\r\n\"DSTBaudRate\"=dword:00009600\r\n\"GPSComPort\"=dword:" + ToHex(sim.GpsPort()) +
      "\r\n\"GPSBaudRate\"=dword:00009600\r\n\"Language\"=dword:00000409\r\n\"UnitsTemp\"=dword:00000000\r\n"
      "\"UnitsDepth\"=dword:00000000\r\n");
  MakeMainForm();
  ShowMainForm();
  ASSERT_TRUE(Form->DstLink->IsOpen());
  ASSERT_TRUE(Form->GpsLink->IsOpen());

  // Identified, and the module's table read into both rows.
  const std::vector<std::u16string> stored(10, u"1.10");
  ASSERT_TRUE(PumpUntil([&] { return Form->DstReady && Row(1) == stored; }));
  EXPECT_EQ(Row(2), stored);

  // At 5 kn the wheel reads 4.083 kn, shown corrected as 4.49 kn; at 10 kn
  // it reads 9.0 kn, shown as 9.90 kn.
  TakeSampleAt(sim, 5, 4.49);
  TakeSampleAt(sim, 10, 9.90);
  ASSERT_EQ(Form->Samples.size(), 2u);
  EXPECT_NEAR(Form->Samples[0].Y, 5 / 4.49, 1e-9);
  Form->ButCalcLogVal->Click();
  // Brought back to the wheel's readings (4.08 kn at 1.2249, 9.0 kn at
  // 1.1111) and spread over the points.
  const std::vector<std::u16string> calculated{u"1.22", u"1.22", u"1.22", u"1.20", u"1.18",
                                               u"1.13", u"1.11", u"1.11", u"1.11", u"1.11"};
  EXPECT_EQ(Row(2), calculated);

  const std::size_t before = sim.Log().size();
  Form->ButSetLogCal->Click();
  EXPECT_EQ(Row(1), std::vector<std::u16string>(10, Form->TxtNoValue));
  // The table goes out with the window's timer running.
  std::optional<dstsim::LogLine> committed;
  ASSERT_TRUE(PumpUntil([&] {
    for (const dstsim::LogLine& line : sim.Log()) {
      if (line.Index >= before && line.Event == "state" && line.Text.starts_with("speed table committed"))
        committed = line;
    }
    return committed.has_value();
  }));
  EXPECT_EQ(committed->Text, "speed table committed: 2:122 3:122 4:122 5:120 6:118 8:113 12:111 15:111 20:111 30:111");
  ASSERT_TRUE(PumpUntil([&] { return Row(1) == calculated; }));
  EXPECT_EQ(Row(2), calculated);
  EXPECT_NE(sim.Command("status").find("table=122,122,122,120,118,113,111,111,111,111"), std::string::npos);

  // With the new table the log agrees with the GPS.
  sim.Command("set speed 5");
  sim.Command("set sog 5");
  ASSERT_TRUE(PumpUntil([&] { return std::abs(Form->CurrentLogSpeed - 4.97) < 0.015; }));
  EXPECT_NEAR(Form->CurrentCoefficient, 1.0, 0.01);

  FreeMainForm();
  EXPECT_EQ(sim.Stop(), 0);
}

}  // namespace
