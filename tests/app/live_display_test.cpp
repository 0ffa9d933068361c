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
            [](const tNMEAData& d) { return d.GPS.SatellitesTick; });
  }
  void SendModuleValues(std::string_view Log = "VWVHW,,T,,M,2.0,N,3.7,K") {
    SendDst({"SDDPT,10.00,-0.45", "VWVLW,100.0,N,12.34,N", "YXMTW,20.0,C", Log},
            [](const tNMEAData& d) { return d.WaterSpeedTick; });
  }
  std::u16string Text(app::TWtxStaticText* Box) { return Box->GetCaption(); }
  std::u16string Text(app::TWtxLabel* Label) { return Label->GetCaption(); }
};

TEST_F(LiveDisplayTest, WithBothChannelsClosedEveryPageIsReset) {
  OpenDst();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(form_->LblDBTVal), u"10.00 m");
  form_->EditTempCalO->SetText("21.0");
  Refresh();
  EXPECT_EQ(Text(form_->EditOffsetTemp), u"1.0");

  // Closing the channel refreshes the pages at once.
  form_->CmbDstPort->SetItemIndex(0);
  form_->CmbDstPort->Click();
  EXPECT_EQ(Text(form_->LblDepthTot), u"Depth Below Surface:");
  EXPECT_EQ(form_->EditDptOfs->Text(), "0.00");
  for (app::TWtxLabel* label : {form_->LblOfsPos, form_->LblOfsNeg, form_->LblDepthTotVal, form_->LblDBTVal}) {
    EXPECT_EQ(Text(label), u"- - -") << label->Name();
  }
  EXPECT_TRUE(form_->LblOfsPos->Visible());
  EXPECT_FALSE(form_->LblOfsNeg->Visible());
  for (app::TWtxStaticText* box : {form_->EditLogDist, form_->EditLogCal, form_->EditCoeffLog, form_->EditSeaTempO,
                                   form_->EditOffsetTemp, form_->EditLAT, form_->EditSog, form_->EditSogCal}) {
    EXPECT_EQ(Text(box), u"") << box->Name();
  }
  EXPECT_EQ(form_->CurrentCoefficient, 0);
  EXPECT_EQ(form_->TempOffset, 0);
}

TEST_F(LiveDisplayTest, DepthsAreMeasuredBelowTheKeelOrSurfaceAndBlankWhenStale) {
  OpenDst();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(form_->LblDepthTot), u"Depth Below Keel:");
  EXPECT_EQ(Text(form_->LblDBTVal), u"10.00 m");
  EXPECT_EQ(Text(form_->LblOfsNeg), u"-0.45 m");
  EXPECT_TRUE(form_->LblOfsNeg->Visible());
  EXPECT_FALSE(form_->LblOfsPos->Visible());
  EXPECT_EQ(Text(form_->LblDepthTotVal), u"9.55 m");
  EXPECT_EQ(Text(form_->EditLogDist), u"12.34 NM ");
  EXPECT_TRUE(form_->DepthSeen);
  EXPECT_TRUE(form_->SpeedSeen);
  EXPECT_TRUE(form_->TempSeen);
  // The offset box is filled once; what the user types there stays.
  EXPECT_EQ(form_->EditDptOfs->Text(), "-0.45");
  form_->EditDptOfs->SetText("0.30");
  form_->UnitsDepth = 1;
  Refresh(10);
  EXPECT_EQ(form_->EditDptOfs->Text(), "0.30");
  EXPECT_EQ(Text(form_->LblDBTVal), u"32.8 ft");
  EXPECT_EQ(Text(form_->LblOfsNeg), u"-1.5 ft");
  EXPECT_EQ(Text(form_->LblDepthTotVal), u"31.3 ft");

  Refresh(3000);
  for (app::TWtxLabel* label : {form_->LblOfsNeg, form_->LblDepthTotVal, form_->LblDBTVal}) {
    EXPECT_EQ(Text(label), u"- - -") << label->Name();
  }
  EXPECT_EQ(Text(form_->EditLogDist), u"");
  EXPECT_FALSE(form_->DepthSeen);
}

TEST_F(LiveDisplayTest, ValuesReceivedBeforeTheTickCounterWrappedGoStaleAfterIt) {
  now_ = 0xFFFFFC00u;
  OpenDst();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(form_->LblDBTVal), u"10.00 m");
  // Two seconds later the counter has wrapped: still fresh.
  Refresh(2000);
  EXPECT_EQ(Text(form_->LblDBTVal), u"10.00 m");
  // Four seconds after arrival, and for good after that.
  Refresh(2000);
  EXPECT_EQ(Text(form_->LblDBTVal), u"- - -");
  Refresh(600000);
  EXPECT_EQ(Text(form_->LblDBTVal), u"- - -");
}

TEST_F(LiveDisplayTest, TheGpsPageShowsTheFixAndTheSatellitesWithASignal) {
  OpenGps();
  SendGpsFix();
  Refresh();
  EXPECT_EQ(Text(form_->EditLAT), u"45° 30' 00.00\" N ");
  EXPECT_EQ(Text(form_->EditLon), u"9° 15' 00.00\" E ");
  EXPECT_EQ(Text(form_->EditAlt), u"12.3 m ");
  EXPECT_EQ(Text(form_->EditSog), u"5.0 kn ");
  EXPECT_EQ(Text(form_->EditSogCal), u"5.0");
  EXPECT_EQ(Text(form_->EditCog), u"123.4 °T ");
  EXPECT_EQ(Text(form_->EditUTC), u"15/06/2099 12:34:56 ");
  EXPECT_EQ(Text(form_->EditSat), u"8 ");
  EXPECT_EQ(Text(form_->EditHDOP), u"0.9 ");
  EXPECT_EQ(Text(form_->EditVDop), u"1.2 ");
  EXPECT_EQ(Text(form_->EditSatMode), u"VALID ");
  // Satellites 2 (signal 0) and 14 (no signal) get no bar; the others are
  // numbered without a gap.
  ASSERT_EQ(form_->SatChart->BarCount(), 2);
  EXPECT_EQ(form_->SatChart->BarLabel(0), "1");
  EXPECT_EQ(form_->SatChart->BarValue(0), 46);
  EXPECT_EQ(form_->SatChart->BarLabel(1), "12");
  EXPECT_EQ(form_->SatChart->BarValue(1), 39);

  form_->UnitsDepth = 1;
  Refresh(10);
  EXPECT_EQ(Text(form_->EditAlt), u"40.4 ft ");
  Refresh(3000);
  EXPECT_EQ(Text(form_->EditLAT), u"");
  EXPECT_EQ(Text(form_->EditSatMode), u"");
  EXPECT_EQ(form_->SatChart->BarCount(), 0);
}

TEST_F(LiveDisplayTest, WhatTheReceiverLacksComesFromTheModulesChannel) {
  OpenDst();
  OpenGps();
  // The receiver gives its position and a dilution only; the module's
  // channel carries a whole fix.
  const std::string hdopOnly = "GPGSA" + std::string(16, ',') + "0.8,";
  SendGps({"GPGLL,4400.000,N,00800.000,E,,A", hdopOnly}, [](const tNMEAData& d) { return d.GPS.HDOPTick; });
  SendDst({"GPGGA,123456.00,4530.000,N,00915.000,E,2,07,1.1,3.0,M,47.0,M,,",
           "GPRMC,123456.00,A,4530.000,N,00915.000,E,4.0,200.0,150699,,,D", "GPGSA,A,3,01,,,,,,,,,,,,1.5,1.1,1.9",
           "VWVHW,,T,,M,4.0,N,7.4,K"},
          [](const tNMEAData& d) { return d.WaterSpeedTick; });
  Refresh();
  EXPECT_EQ(Text(form_->EditLAT), u"44° 00' 00.00\" N ");
  EXPECT_EQ(Text(form_->EditCog), u"200.0 °T ");
  EXPECT_EQ(Text(form_->EditUTC), u"15/06/2099 12:34:56 ");
  // Taken from the module's channel, the Speed page shows the unit too.
  EXPECT_EQ(Text(form_->EditSog), u"4.0 kn ");
  EXPECT_EQ(Text(form_->EditSogCal), u"4.0 kn ");
  EXPECT_EQ(Text(form_->EditCoeffLog), u"1.00");
  // One of the fix group came from the receiver: none comes from the module.
  EXPECT_EQ(Text(form_->EditHDOP), u"0.8 ");
  EXPECT_EQ(Text(form_->EditSat), u"");
  EXPECT_EQ(Text(form_->EditVDop), u"");
  EXPECT_EQ(Text(form_->EditSatMode), u"");

  // With the receiver silent, the whole group comes from the module.
  Refresh(2999);
  SendDst({"GPGGA,123457.00,4530.000,N,00915.000,E,2,07,1.1,3.0,M,47.0,M,,", "GPGSA,A,3,01,,,,,,,,,,,,1.5,1.1,1.9"},
          [](const tNMEAData& d) { return d.GPS.VDOPTick; });
  Refresh(1);
  EXPECT_EQ(Text(form_->EditSat), u"7 ");
  EXPECT_EQ(Text(form_->EditHDOP), u"1.1 ");
  EXPECT_EQ(Text(form_->EditVDop), u"1.9 ");
  EXPECT_EQ(Text(form_->EditSatMode), u"DGPS ");
  EXPECT_EQ(Text(form_->EditLAT), u"45° 30' 00.00\" N ");
}

TEST_F(LiveDisplayTest, TheCoefficientIsTheSpeedOverGroundOverTheFilteredLogSpeed) {
  OpenDst();
  OpenGps();
  SendGpsFix();
  SendModuleValues();
  Refresh();
  EXPECT_EQ(Text(form_->EditLogCal), u"2.0 kn ");
  EXPECT_EQ(Text(form_->EditCoeffLog), u"2.50");
  EXPECT_DOUBLE_EQ(form_->CurrentCoefficient, 2.5);
  EXPECT_DOUBLE_EQ(form_->CurrentLogSpeed, 2.0);
  // Each reading is averaged once, however often it is shown.
  Refresh(10);
  Refresh(10);
  EXPECT_DOUBLE_EQ(form_->CurrentLogSpeed, 2.0);
  SendModuleValues("VWVHW,,T,,M,1.6,N,3.0,K");
  Refresh();
  // A mean of 1.8 kn gives 2.78, beyond the accepted range.
  EXPECT_EQ(Text(form_->EditLogCal), u"1.8 kn ");
  EXPECT_EQ(Text(form_->EditCoeffLog), u"- - -");
  EXPECT_EQ(form_->CurrentCoefficient, 0);
  EXPECT_EQ(form_->CurrentLogSpeed, 0);
}

TEST_F(LiveDisplayTest, TheTemperatureOffsetIsTheRealTemperatureLessTheModules) {
  OpenDst();
  SendModuleValues();
  form_->EditTempCalO->SetText("25.0");
  Refresh();
  EXPECT_EQ(Text(form_->EditSeaTempO), u"20.0 °C ");
  EXPECT_EQ(Text(form_->EditOffsetTemp), u"5.0");
  EXPECT_EQ(form_->TempOffset, 5.0);
  EXPECT_FALSE(form_->TempOffsetInvalid);
  form_->EditTempCalO->SetText("25,1");
  Refresh();
  EXPECT_EQ(Text(form_->EditOffsetTemp), u"- - -");
  EXPECT_EQ(form_->TempOffset, 0);
  EXPECT_TRUE(form_->TempOffsetInvalid);

  form_->UnitsTemp = 1;
  form_->EditTempCalO->SetText("71.6");
  Refresh();
  EXPECT_EQ(Text(form_->EditSeaTempO), u"68.0 °F ");
  EXPECT_EQ(Text(form_->EditOffsetTemp), u"3.6");
  EXPECT_NEAR(form_->TempOffset, 2.0, 1e-9);

  // Gone stale, the offset is withdrawn but its verdict is kept.
  Refresh(3000);
  EXPECT_EQ(Text(form_->EditSeaTempO), u"");
  EXPECT_EQ(Text(form_->EditOffsetTemp), u"- - -");
  EXPECT_EQ(form_->TempOffset, 0);
  EXPECT_FALSE(form_->TempOffsetInvalid);
  EXPECT_FALSE(form_->TempSeen);
}

TEST_F(LiveDisplayTest, TheFourPagesWithLiveValuesArePicturedForAPersonToLookAt) {
  OpenDst();
  OpenGps();
  SendGpsFix();
  SendGps({"GPGSV,2,1,07,01,40,083,46,03,17,308,41,07,07,344,29,11,22,228,35",
           "GPGSV,2,2,07,14,55,120,48,19,12,040,22,22,63,270,44"},
          [](const tNMEAData& d) { return d.GPS.SatellitesTick; });
  SendModuleValues("VWVHW,,T,,M,4.6,N,8.5,K");
  form_->EditTempCalO->SetText("21.5");
  Refresh();
  const struct {
    app::TWtxTabSheet* page;
    const char* file;
  } pages[] = {{form_->PaDepth, "live_depth.png"},
               {form_->PaSpeed, "live_speed.png"},
               {form_->PaTemp, "live_temperature.png"},
               {form_->PaGPS, "live_gps.png"}};
  for (const auto& [page, file] : pages) {
    form_->TabPag->SetActivePage(page);
    platform::Application->ProcessMessages();
    EXPECT_TRUE(platform::ui::SaveWindowImage(form_->Handle(), file)) << file;
  }
}

}  // namespace
