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
  TxpButton* choose;
  platform::TEdit* file;
  TxpButton* start;
  platform::TShape* lamp;
};

RecordingRow Recording(TMainForm& form, int top, std::string_view choose, std::string_view file, std::string_view start,
                       std::string_view lamp) {
  platform::TWinControl* page = form.PaTools;
  RecordingRow row;
  row.choose = Button(form, page, choose, kMargin, top, u"...", 32);
  row.file = EditBox(form, page, file, 52, top + 2, 240);
  row.file->SetReadOnly(true);
  row.start = Button(form, page, start, 300, top, u"Start", 80);
  row.start->SetEnabled(false);
  row.lamp = Lamp(form, page, lamp, 390, top + 8, 41);
  return row;
}

// The tree's pictures of a channel, a talker and a sentence, in that order.
void LoadTreeGlyphs(platform::TImageList& images) {
  for (const char* name : {"TREECHANNEL", "TREETALKER", "TREESENTENCE"}) {
    platform::TBitmap glyph;
    glyph.LoadFromResourceName(name);
    images.AddMasked(&glyph, platform::clFuchsia);
  }
}

}  // namespace

void BuildToolsPage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaTools;
  Form.LblSaveDSTLog = Caption(Form, page, "LblSaveDSTLog", kMargin, kMargin, u"Save DST Input Channel to File");
  const RecordingRow dst = Recording(Form, 34, "ButOpenDstLog", "EditDstLog", "ButStartDstLog", "LedLogDst");
  Form.ButOpenDstLog = dst.choose;
  Form.EditDstLog = dst.file;
  Form.ButStartDstLog = dst.start;
  Form.LedLogDst = dst.lamp;
  Form.LblSaveGPSLog = Caption(Form, page, "LblSaveGPSLog", kMargin, 84, u"Save GPS Input Channel to File");
  const RecordingRow gps = Recording(Form, 104, "ButOpenGPSLog", "EditGPSLog", "ButStartGpsLog", "LedLogGPS");
  Form.ButOpenGPSLog = gps.choose;
  Form.EditGPSLog = gps.file;
  Form.ButStartGpsLog = gps.start;
  Form.LedLogGPS = gps.lamp;
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
