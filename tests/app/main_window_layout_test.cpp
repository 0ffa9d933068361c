// The main window as laid out: its size and kind, every control the
// program refers to present under its name, nothing reaching past its
// parent's edge, and a picture of every page written to the build folder
// for a person to look at.

#include <gtest/gtest.h>

#include <QImage>

#include "platform/ui/controls/comctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/app/app_helpers.h"
#include "widetext/controls/image.h"
#include "widetext/controls/page_control.h"
#include "widetext/standard/memo.h"
#include "widetext/utf8.h"

namespace {

using apptest::AppTest;

class MainWindowLayoutTest : public AppTest {};

TEST_F(MainWindowLayoutTest, TheWindowIsFixedAndHoldsSevenPagesAboveTwoMonitors) {
  app::TMainForm& form = MakeMainForm();
  EXPECT_EQ(form.ClientWidth(), 746);
  EXPECT_EQ(form.ClientHeight(), 525);
  EXPECT_EQ(form.BorderStyle(), platform::bsSingle);
  EXPECT_EQ(form.BorderIcons(), platform::biSystemMenu | platform::biMinimize);
  EXPECT_EQ(form.TabPag->BoundsRect(), platform::Bounds(0, 0, 746, 369));
  const char* const pages[] = {"Connection", "Depth", "Speed", "Temperature", "GPS", "Tools", "Reference"};
  ASSERT_EQ(form.TabPag->PageCount(), 7);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(widetext::WidePageCaption(form.TabPag->Pages(i)), widetext::UTF8Decode(pages[i]));
  EXPECT_GT(form.MemoDST->Top(), form.TabPag->Height());
  EXPECT_LT(form.MemoDST->Left() + form.MemoDST->Width(), form.MemoGPS->Left());
}

TEST_F(MainWindowLayoutTest, EveryControlTheProgramNamesIsThereUnderItsName) {
  app::TMainForm& form = MakeMainForm();
  const char* const names[] = {"TabPag",           "PaConnect",
                               "PaDepth",          "PaSpeed",
                               "PaTemp",           "PaGPS",
                               "PaTools",          "PaRef",
                               "CmbDstPort",       "CmbDstBaud",
                               "CmbGPSPort",       "CmbGPSBaud",
                               "LedDst",           "LedGPS",
                               "LblModuleName",    "LblModuleVer",
                               "LblHardVer",       "LblModuleSerial",
                               "LblModuleMsg",     "CmbLanguage",
                               "LblProgName",      "LblVersion",
                               "LblDevelLink",     "LblVendorLink",
                               "LblGPSWarn",       "LblLanguage",
                               "LblDstPort",       "LblGPSPort",
                               "LblConnModel",     "LblSerNumber",
                               "LblHardwVer",      "LblFirmVer",
                               "LblDBT",           "LblDBTVal",
                               "LblDepthTot",      "LblDepthTotVal",
                               "LblOfsPos",        "LblOfsNeg",
                               "LblOfsEdit",       "EditDptOfs",
                               "ButDepthSend",     "CmbMeters",
                               "ImgBoat",          "LblLog",
                               "LblSOG",           "LblTripDist",
                               "LblCalibWarn",     "LblLogCoeff",
                               "EditLogCal",       "EditSogCal",
                               "EditLogDist",      "EditCoeffLog",
                               "ButAddLogCal",     "ButCalcLogVal",
                               "ButDelLogVal",     "ButResetLogVal",
                               "ButSetLogCal",     "ButResetLogCal",
                               "ButTripLogReset",  "LogCoeffListBox",
                               "LogGrid",          "EditLogReset",
                               "ChkAutoLogCal",    "LblDSTTemp",
                               "LblRealTemp",      "LblTmpCoeff",
                               "LblDstTempO",      "LblRealTempO",
                               "LblTempWarn",      "LblTmpOfs",
                               "EditSeaTemp",      "EditCoeffTemp",
                               "EditSeaTempO",     "EditOffsetTemp",
                               "EditTempCalO",     "EditTempCal",
                               "ButSetTempOffs",   "ButResetTempOfs",
                               "ButAddTempCal",    "ButCalcTempVal",
                               "ButDelTempVal",    "ButResetTempVal",
                               "ButSetTempCal",    "ButResetTempCal",
                               "TempCoeffListBox", "CmbTempMode",
                               "EditLAT",          "EditLon",
                               "EditAlt",          "EditSog",
                               "EditCog",          "EditUTC",
                               "EditSat",          "EditHDOP",
                               "EditVDop",         "EditSatMode",
                               "LblGPSMode",       "SatChart",
                               "LblSaveDSTLog",    "LblSaveGPSLog",
                               "ButOpenDstLog",    "ButOpenGPSLog",
                               "EditDstLog",       "EditGPSLog",
                               "ButStartDstLog",   "ButStartGpsLog",
                               "LedLogDst",        "LedLogGPS",
                               "GrpNMEAAnalysis",  "StatsTree",
                               "ImgList",          "ButRefreshAnalysis",
                               "ButReset",         "GrpCalibSettings",
                               "ButLoadSett",      "ButSaveSett",
                               "LblPinout",        "LblConnExamp",
                               "ImgPort",          "ImgDST",
                               "LblDSTInput",      "MemoDST",
                               "ButDSTPause",      "LblGPSInput",
                               "MemoGPS",          "ButGPPause"};
  for (const char* name : names) EXPECT_NE(form.FindComponent(name), nullptr) << name;
  // The hidden controls of features the window does not offer.
  for (const char* name : {"GrpCalibSettings", "TempGrid", "ButSetTempCal", "EditLogReset", "ChkAutoLogCal"}) {
    EXPECT_FALSE(static_cast<platform::TControl*>(form.FindComponent(name))->Visible()) << name;
  }
}

TEST_F(MainWindowLayoutTest, NoControlReachesPastItsParentsEdge) {
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* control = dynamic_cast<platform::TControl*>(form.Components(i));
    if (!control || !control->Visible() || !control->Parent()) continue;
    const platform::TRect area = control->Parent()->ClientRect();
    const platform::TRect r = control->BoundsRect();
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom)
        << control->Name() << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom << " in " << area.right
        << "x" << area.bottom;
  }
}

TEST_F(MainWindowLayoutTest, EveryPageIsPicturedForAPersonToLookAt) {
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  const char* const files[] = {"main_window_connection.png",  "main_window_depth.png", "main_window_speed.png",
                               "main_window_temperature.png", "main_window_gps.png",   "main_window_tools.png",
                               "main_window_reference.png"};
  for (int page = 0; page < form.TabPag->PageCount(); ++page) {
    form.TabPag->SetActivePageIndex(page);
    platform::Application->ProcessMessages();
    ASSERT_TRUE(platform::ui::SaveWindowImage(form.Handle(), files[page]));
  }
  const QImage image = platform::ui::Grab(form.Handle());
  EXPECT_EQ(image.width(), 746);
  EXPECT_EQ(image.height(), 525);
  // The drawings are in place.
  EXPECT_EQ(form.ImgPort->GetPicture().Width(), 360);
  EXPECT_EQ(form.ImgDST->GetPicture().Width(), 360);
  EXPECT_EQ(form.ImgBoat->GetPicture().Width(), 300);
}

}  // namespace
