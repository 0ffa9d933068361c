// The live pages fed by sentences on both channels: values with their
// units while fresh and blanked when stale, GPS values taken from the
// module's channel where the receiver lacks them, the speed coefficient and
// the temperature offset, and pictures of the four pages.

#include <gtest/gtest.h>

#include "platform/ui/controls/chart.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "tests/app/display_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/label.h"
#include "widetext/standard/static_text.h"

namespace {

using apptest::DisplayTest;
using nmea::tNMEAData;

class LiveDisplayTest : public DisplayTest {
 protected:
  // The GPS receiver's fix at 12:34:56 on 15 June 2099, 45.5 N 9.25 E.
  void SendGpsFix() {
    SendGps({"GPGGA,123456.00,4530.000,N,00915.000,E,1,08,0.9,12.3,M,47.0,M,,",
             "GPRMC,123456.00,A,4530.000,N,00915.000,E,5.0,123.4,150699,,,A", "GPGSA,A,3,01,12,,,,,,,,,,,1.5,0.9,1.2",
             "GPGSV,1,1,04,01,40,083,46,02,17,308,0,12,07,344,39,14,22,228,"},
            [](const tNMEAData& D) { return D.GPS.SatellitesTick; });
  }
  void SendModuleValues(std::string_view Log = "VWVHW,,T,,M,2.0,N,3.7,K") {
    SendDst({"SDDPT,10.00,-0.45", "VWVLW,100.0,N,12.34,N", "YXMTW,20.0,C", Log},
            [](const tNMEAData& D) { return D.WaterSpeedTick; });
  }
  std::u16string Text(app::TWtxStaticText* Box) { return Box->GetCaption(); }
  std::u16string Text(app::TWtxLabel* Label) { return Label->GetCaption(); }
};

TEST_F(LiveDisplayTest, WithBothChannelsClosedEveryPageIsReset) {
  OpenDst();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(Form->LblDBTVal), u"10.00 m");
  Form->EditTempCalO->SetText("21.0");
  Refresh();
  EXPECT_EQ(Text(Form->EditOffsetTemp), u"1.0");

  // Closing the channel refreshes the pages at once.
  Form->CmbDstPort->SetItemIndex(0);
  Form->CmbDstPort->Click();
  EXPECT_EQ(Text(Form->LblDepthTot), u"Depth Below Surface:");
  EXPECT_EQ(Form->EditDptOfs->Text(), "0.00");
  for (app::TWtxLabel* label : {Form->LblOfsPos, Form->LblOfsNeg, Form->LblDepthTotVal, Form->LblDBTVal}) {
    EXPECT_EQ(Text(label), u"- - -") << label->Name();
  }
  EXPECT_TRUE(Form->LblOfsPos->Visible());
  EXPECT_FALSE(Form->LblOfsNeg->Visible());
  for (app::TWtxStaticText* box : {Form->EditLogDist, Form->EditLogCal, Form->EditCoeffLog, Form->EditSeaTempO,
                                   Form->EditOffsetTemp, Form->EditLAT, Form->EditSog, Form->EditSogCal}) {
    EXPECT_EQ(Text(box), u"") << box->Name();
  }
  EXPECT_EQ(Form->CurrentCoefficient, 0);
  EXPECT_EQ(Form->TempOffset, 0);
}

TEST_F(LiveDisplayTest, DepthsAreMeasuredBelowTheKeelOrSurfaceAndBlankWhenStale) {
  OpenDst();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(Form->LblDepthTot), u"Depth Below Keel:");
  EXPECT_EQ(Text(Form->LblDBTVal), u"10.00 m");
  EXPECT_EQ(Text(Form->LblOfsNeg), u"-0.45 m");
  EXPECT_TRUE(Form->LblOfsNeg->Visible());
  EXPECT_FALSE(Form->LblOfsPos->Visible());
  EXPECT_EQ(Text(Form->LblDepthTotVal), u"9.55 m");
  EXPECT_EQ(Text(Form->EditLogDist), u"12.34 NM ");
  EXPECT_TRUE(Form->DepthSeen);
  EXPECT_TRUE(Form->SpeedSeen);
  EXPECT_TRUE(Form->TempSeen);
  // The offset box is filled once; what the user types there stays.
  EXPECT_EQ(Form->EditDptOfs->Text(), "-0.45");
  Form->EditDptOfs->SetText("0.30");
  Form->UnitsDepth = 1;
  Refresh(10);
  EXPECT_EQ(Form->EditDptOfs->Text(), "0.30");
  EXPECT_EQ(Text(Form->LblDBTVal), u"32.8 ft");
  EXPECT_EQ(Text(Form->LblOfsNeg), u"-1.5 ft");
  EXPECT_EQ(Text(Form->LblDepthTotVal), u"31.3 ft");

  Refresh(3000);
  for (app::TWtxLabel* label : {Form->LblOfsNeg, Form->LblDepthTotVal, Form->LblDBTVal}) {
    EXPECT_EQ(Text(label), u"- - -") << label->Name();
  }
  EXPECT_EQ(Text(Form->EditLogDist), u"");
  EXPECT_FALSE(Form->DepthSeen);
}

TEST_F(LiveDisplayTest, ValuesReceivedBeforeTheTickCounterWrappedGoStaleAfterIt) {
  Now = 0xFFFFFC00u;
  OpenDst();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(Form->LblDBTVal), u"10.00 m");
  // Two seconds later the counter has wrapped: still fresh.
  Refresh(2000);
  EXPECT_EQ(Text(Form->LblDBTVal), u"10.00 m");
  // Four seconds after arrival, and for good after that.
  Refresh(2000);
  EXPECT_EQ(Text(Form->LblDBTVal), u"- - -");
  Refresh(600000);
  EXPECT_EQ(Text(Form->LblDBTVal), u"- - -");
}

TEST_F(LiveDisplayTest, TheGpsPageShowsTheFixAndTheSatellitesWithASignal) {
  OpenGps();
  SendGpsFix();
  Refresh();
  EXPECT_EQ(Text(Form->EditLAT), u"45° 30' 00.00\" N ");
  EXPECT_EQ(Text(Form->EditLon), u"9° 15' 00.00\" E ");
  EXPECT_EQ(Text(Form->EditAlt), u"12.3 m ");
  EXPECT_EQ(Text(Form->EditSog), u"5.0 kn ");
  EXPECT_EQ(Text(Form->EditSogCal), u"5.0");
  EXPECT_EQ(Text(Form->EditCog), u"123.4 °T ");
  EXPECT_EQ(Text(Form->EditUTC), u"15/06/2099 12:34:56 ");
  EXPECT_EQ(Text(Form->EditSat), u"8 ");
  EXPECT_EQ(Text(Form->EditHDOP), u"0.9 ");
  EXPECT_EQ(Text(Form->EditVDop), u"1.2 ");
  EXPECT_EQ(Text(Form->EditSatMode), u"VALID ");
  // Satellites 2 (signal 0) and 14 (no signal) get no bar; the others are
  // numbered without a gap.
  ASSERT_EQ(Form->SatChart->BarCount(), 2);
  EXPECT_EQ(Form->SatChart->BarLabel(0), "1");
  EXPECT_EQ(Form->SatChart->BarValue(0), 46);
  EXPECT_EQ(Form->SatChart->BarLabel(1), "12");
  EXPECT_EQ(Form->SatChart->BarValue(1), 39);

  Form->UnitsDepth = 1;
  Refresh(10);
  EXPECT_EQ(Text(Form->EditAlt), u"40.4 ft ");
  Refresh(3000);
  EXPECT_EQ(Text(Form->EditLAT), u"");
  EXPECT_EQ(Text(Form->EditSatMode), u"");
  EXPECT_EQ(Form->SatChart->BarCount(), 0);
}

TEST_F(LiveDisplayTest, WhatTheReceiverLacksComesFromTheModulesChannel) {
  OpenDst();
  OpenGps();
  // The receiver gives its position and a dilution only; the module's
  // channel carries a whole fix.
  const std::string hdopOnly = "GPGSA" + std::string(16, ',') + "0.8,";
  SendGps({"GPGLL,4400.000,N,00800.000,E,,A", hdopOnly}, [](const tNMEAData& D) { return D.GPS.HDOPTick; });
  SendDst({"GPGGA,123456.00,4530.000,N,00915.000,E,2,07,1.1,3.0,M,47.0,M,,",
           "GPRMC,123456.00,A,4530.000,N,00915.000,E,4.0,200.0,150699,,,D", "GPGSA,A,3,01,,,,,,,,,,,,1.5,1.1,1.9",
           "VWVHW,,T,,M,4.0,N,7.4,K"},
          [](const tNMEAData& D) { return D.WaterSpeedTick; });
  Refresh();
  EXPECT_EQ(Text(Form->EditLAT), u"44° 00' 00.00\" N ");
  EXPECT_EQ(Text(Form->EditCog), u"200.0 °T ");
  EXPECT_EQ(Text(Form->EditUTC), u"15/06/2099 12:34:56 ");
  // Taken from the module's channel, the Speed page shows the unit too.
  EXPECT_EQ(Text(Form->EditSog), u"4.0 kn ");
  EXPECT_EQ(Text(Form->EditSogCal), u"4.0 kn ");
  EXPECT_EQ(Text(Form->EditCoeffLog), u"1.00");
  // One of the fix group came from the receiver: none comes from the module.
  EXPECT_EQ(Text(Form->EditHDOP), u"0.8 ");
  EXPECT_EQ(Text(Form->EditSat), u"");
  EXPECT_EQ(Text(Form->EditVDop), u"");
  EXPECT_EQ(Text(Form->EditSatMode), u"");

  // With the receiver silent, the whole group comes from the module.
  Refresh(2999);
  SendDst({"GPGGA,123457.00,4530.000,N,00915.000,E,2,07,1.1,3.0,M,47.0,M,,", "GPGSA,A,3,01,,,,,,,,,,,,1.5,1.1,1.9"},
          [](const tNMEAData& D) { return D.GPS.VDOPTick; });
  Refresh(1);
  EXPECT_EQ(Text(Form->EditSat), u"7 ");
  EXPECT_EQ(Text(Form->EditHDOP), u"1.1 ");
  EXPECT_EQ(Text(Form->EditVDop), u"1.9 ");
  EXPECT_EQ(Text(Form->EditSatMode), u"DGPS ");
  EXPECT_EQ(Text(Form->EditLAT), u"45° 30' 00.00\" N ");
}

TEST_F(LiveDisplayTest, TheCoefficientIsTheSpeedOverGroundOverTheFilteredLogSpeed) {
  OpenDst();
  OpenGps();
  SendGpsFix();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(Form->EditLogCal), u"2.0 kn ");
  EXPECT_EQ(Text(Form->EditCoeffLog), u"2.50");
  EXPECT_DOUBLE_EQ(Form->CurrentCoefficient, 2.5);
  EXPECT_DOUBLE_EQ(Form->CurrentLogSpeed, 2.0);
  // Each reading is averaged once, however often it is shown.
  Refresh(10);
  Refresh(10);
  EXPECT_DOUBLE_EQ(Form->CurrentLogSpeed, 2.0);
  SendModuleValues("VWVHW,,T,,M,1.6,N,3.0,K");
  Refresh();
  // A mean of 1.8 kn gives 2.78, beyond the accepted range.
  EXPECT_EQ(Text(Form->EditLogCal), u"1.8 kn ");
  EXPECT_EQ(Text(Form->EditCoeffLog), u"- - -");
  EXPECT_EQ(Form->CurrentCoefficient, 0);
  EXPECT_EQ(Form->CurrentLogSpeed, 0);
}

TEST_F(LiveDisplayTest, TheTemperatureOffsetIsTheRealTemperatureLessTheModules) {
  OpenDst();
  SendModuleValues();
  Form->EditTempCalO->SetText("25.0");
  Refresh();
  EXPECT_EQ(Text(Form->EditSeaTempO), u"20.0 °C ");
  EXPECT_EQ(Text(Form->EditOffsetTemp), u"5.0");
  EXPECT_EQ(Form->TempOffset, 5.0);
  EXPECT_FALSE(Form->TempOffsetInvalid);
  Form->EditTempCalO->SetText("25,1");
  Refresh();
  EXPECT_EQ(Text(Form->EditOffsetTemp), u"- - -");
  EXPECT_EQ(Form->TempOffset, 0);
  EXPECT_TRUE(Form->TempOffsetInvalid);

  Form->UnitsTemp = 1;
  Form->EditTempCalO->SetText("71.6");
  Refresh();
  EXPECT_EQ(Text(Form->EditSeaTempO), u"68.0 °F ");
  EXPECT_EQ(Text(Form->EditOffsetTemp), u"3.6");
  EXPECT_NEAR(Form->TempOffset, 2.0, 1e-9);

  // Gone stale, the offset is withdrawn but its verdict is kept.
  Refresh(3000);
  EXPECT_EQ(Text(Form->EditSeaTempO), u"");
  EXPECT_EQ(Text(Form->EditOffsetTemp), u"- - -");
  EXPECT_EQ(Form->TempOffset, 0);
  EXPECT_FALSE(Form->TempOffsetInvalid);
  EXPECT_FALSE(Form->TempSeen);
}

TEST_F(LiveDisplayTest, TheFourPagesWithLiveValuesArePicturedForAPersonToLookAt) {
  OpenDst();
  OpenGps();
  SendGpsFix();
  SendGps({"GPGSV,2,1,07,01,40,083,46,03,17,308,41,07,07,344,29,11,22,228,35",
           "GPGSV,2,2,07,14,55,120,48,19,12,040,22,22,63,270,44"},
          [](const tNMEAData& D) { return D.GPS.SatellitesTick; });
  SendModuleValues("VWVHW,,T,,M,4.6,N,8.5,K");
  Form->EditTempCalO->SetText("21.5");
  Refresh();
  const struct {
    app::TWtxTabSheet* Page;
    const char* File;
  } pages[] = {{Form->PaDepth, "live_depth.png"},
               {Form->PaSpeed, "live_speed.png"},
               {Form->PaTemp, "live_temperature.png"},
               {Form->PaGPS, "live_gps.png"}};
  for (const auto& [page, file] : pages) {
    Form->TabPag->SetActivePage(page);
    platform::Application->ProcessMessages();
    EXPECT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), file)) << file;
  }
}

}  // namespace
