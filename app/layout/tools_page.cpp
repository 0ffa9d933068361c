// Tools: recording each channel to a file (choose the file, start and
// stop, a lamp while it records) on the left, and the analysis of what
// each channel received on the right.

#include "app/layout/layout_helpers.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/graphics.h"
#include "widetext/dialogs/wide_open_dialog.h"

namespace app::layout {
namespace {

struct RecordingRow {
  TxpButton* Choose;
  platform::TEdit* File;
  TxpButton* Start;
  platform::TShape* Lamp;
};

RecordingRow Recording(TMainForm& Form, int Top, std::string_view Choose, std::string_view File, std::string_view Start,
                       std::string_view LampName) {
  platform::TWinControl* page = Form.PaTools;
  RecordingRow row;
  row.Choose = Button(Form, page, Choose, kMargin, Top, u"...", 32);
  row.File = EditBox(Form, page, File, 52, Top + 2, 240);
  row.File->SetReadOnly(true);
  row.Start = Button(Form, page, Start, 300, Top, u"Start", 80);
  row.Start->SetEnabled(false);
  row.Lamp = Lamp(Form, page, LampName, 390, Top + 8, 41);
  return row;
}

// The tree's pictures of a channel, a talker and a sentence, in that order.
void LoadTreeGlyphs(platform::TImageList& Images) {
  for (const char* name : {"TREECHANNEL", "TREETALKER", "TREESENTENCE"}) {
    platform::TBitmap glyph;
    glyph.LoadFromResourceName(name);
    Images.AddMasked(&glyph, platform::clFuchsia);
  }
}

}  // namespace

void BuildToolsPage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaTools;
  Form.LblSaveDSTLog = Caption(Form, page, "LblSaveDSTLog", kMargin, kMargin, u"Save DST Input Channel to File");
  const RecordingRow dst = Recording(Form, 34, "ButOpenDstLog", "EditDstLog", "ButStartDstLog", "LedLogDst");
  Form.ButOpenDstLog = dst.Choose;
  Form.EditDstLog = dst.File;
  Form.ButStartDstLog = dst.Start;
  Form.LedLogDst = dst.Lamp;
  Form.LblSaveGPSLog = Caption(Form, page, "LblSaveGPSLog", kMargin, 84, u"Save GPS Input Channel to File");
  const RecordingRow gps = Recording(Form, 104, "ButOpenGPSLog", "EditGPSLog", "ButStartGpsLog", "LedLogGPS");
  Form.ButOpenGPSLog = gps.Choose;
  Form.EditGPSLog = gps.File;
  Form.ButStartGpsLog = gps.Start;
  Form.LedLogGPS = gps.Lamp;
  // Both channels choose their file with one dialog.
  Form.SaveDlg = new TWtxSaveDialog(&Form);
  Form.SaveDlg->SetName("SaveDlg");

  // Loading and saving calibration settings is not offered.
  Form.GrpCalibSettings = Place<platform::TGroupBox>(Form, page, "GrpCalibSettings", kMargin, 160, 210, 64);
  Form.GrpCalibSettings->SetCaption("Calibration Settings");
  Form.ButLoadSett = Button(Form, Form.GrpCalibSettings, "ButLoadSett", 10, 24, u"Load");
  Form.ButSaveSett = Button(Form, Form.GrpCalibSettings, "ButSaveSett", 108, 24, u"Save");
  Form.GrpCalibSettings->SetVisible(false);

  Form.GrpNMEAAnalysis = Place<platform::TGroupBox>(Form, page, "GrpNMEAAnalysis", 452, 6, 272, 326);
  Form.GrpNMEAAnalysis->SetCaption(" NMEA Input Analysis ");
  Form.ImgList = new platform::TImageList(&Form);
  Form.ImgList->SetName("ImgList");
  LoadTreeGlyphs(*Form.ImgList);
  Form.StatsTree = Place<platform::TTreeView>(Form, Form.GrpNMEAAnalysis, "StatsTree", 10, 22, 252, 254);
  Form.StatsTree->SetImages(Form.ImgList);
  Form.StatsTree->SetSortType(platform::stText);
  Form.StatsTree->SetIndent(27);
  Form.StatsTree->SetShowHint(true);
  Form.ButRefreshAnalysis = Button(Form, Form.GrpNMEAAnalysis, "ButRefreshAnalysis", 10, 286, u"Refresh");
  Form.ButReset = Button(Form, Form.GrpNMEAAnalysis, "ButReset", 170, 286, u"Reset");
}

}  // namespace app::layout
