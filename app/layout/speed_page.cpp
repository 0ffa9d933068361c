// Speed: the filtered log speed, the GPS speed over ground and their
// coefficient, the list of coefficient samples with its buttons, the
// calibration table (stored and new) with the buttons that send or erase
// it, and the partial trip distance.

#include "app/layout/layout_helpers.h"
#include "widetext/custom_drawn/xp_check_box.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/list_box.h"

namespace app::layout {

void BuildSpeedPage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaSpeed;
  Form.LblLog = Caption(Form, page, "LblLog", kMargin, 18, u"LOG");
  Form.EditLogCal = ValueBox(Form, page, "EditLogCal", 74, kMargin, 110);
  Form.LblSOG = Caption(Form, page, "LblSOG", kMargin, 50, u"SOG");
  Form.EditSogCal = ValueBox(Form, page, "EditSogCal", 74, 46, 110);
  Form.LblLogCoeff = Caption(Form, page, "LblLogCoeff", kMargin, 82, u"Coeff.");
  Form.EditCoeffLog = ValueBox(Form, page, "EditCoeffLog", 74, 78, 110);
  Form.ButAddLogCal = Button(Form, page, "ButAddLogCal", 194, 75, u"Add ->");

  Form.LogCoeffListBox = Place<TWtxListBox>(Form, page, "LogCoeffListBox", 300, kMargin, 318, 92);
  Form.ButCalcLogVal = Button(Form, page, "ButCalcLogVal", 632, kMargin - 2, u"Calculate");
  Form.ButDelLogVal = Button(Form, page, "ButDelLogVal", 632, 44, u"Delete");
  Form.ButResetLogVal = Button(Form, page, "ButResetLogVal", 632, 76, u"Reset");

  Form.LogGrid = CalibrationGrid(Form, page, "LogGrid", 120);
  Form.LogGrid->SetOptions(Form.LogGrid->Options() | platform::goEditing);
  Form.ButSetLogCal = Button(Form, page, "ButSetLogCal", kMargin, 212, u"Change");
  Form.ButResetLogCal = Button(Form, page, "ButResetLogCal", 116, 212, u"Reset");

  Form.LblTripDist = Caption(Form, page, "LblTripDist", 380, 218, u"Partial Trip Distance");
  Form.EditLogDist = ValueBox(Form, page, "EditLogDist", 528, 215, 96);
  Form.ButTripLogReset = Button(Form, page, "ButTripLogReset", 632, 212, u"Reset");

  Form.LblCalibWarn = TextBlock(Form, page, "LblCalibWarn", kMargin, 262, 710, 34,
                                u"Calibration with GPS SOG should be done in waters without current!");
  Form.LblCalibWarn->Font().SetStyle(platform::fsBold);
  Form.LblCalibWarn->Font().SetColor(platform::clMaroon);

  // The trip preset and automatic sampling are not offered.
  Form.EditLogReset = EditBox(Form, page, "EditLogReset", kMargin, 300, 80);
  Form.EditLogReset->SetText("0.00");
  Form.EditLogReset->SetVisible(false);
  Form.ChkAutoLogCal = Place<TxpCheckBox>(Form, page, "ChkAutoLogCal", 110, 300, 120, 18);
  Form.ChkAutoLogCal->SetVisible(false);
}

}  // namespace app::layout
