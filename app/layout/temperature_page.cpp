// Temperature: the module's water temperature, the real one the user
// measured (in the unit chosen beside it), the offset between them and the
// buttons that send or reset it. The controls of a temperature table stay
// hidden: the module takes an offset only.

#include "app/layout/layout_helpers.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/list_box.h"

namespace app::layout {

void BuildTemperaturePage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaTemp;
  const int valueLeft = 150;
  Form.LblDstTempO = Caption(Form, page, "LblDstTempO", kMargin, 18, u"DST Temp.");
  Form.EditSeaTempO = ValueBox(Form, page, "EditSeaTempO", valueLeft, kMargin, 110);
  Form.LblRealTempO = Caption(Form, page, "LblRealTempO", kMargin, 52, u"Real Temp.");
  Form.EditTempCalO = EditBox(Form, page, "EditTempCalO", valueLeft, 48, 110);
  Form.EditTempCalO->SetText("0.0");
  Form.CmbTempMode = DropDown(Form, page, "CmbTempMode", 268, 48, 64, {u"°C", u"°F"});
  Form.LblTmpOfs = Caption(Form, page, "LblTmpOfs", kMargin, 86, u"New Offset");
  Form.EditOffsetTemp = ValueBox(Form, page, "EditOffsetTemp", valueLeft, 82, 110);
  Form.ButSetTempOffs = Button(Form, page, "ButSetTempOffs", valueLeft, 118, u"Change");
  Form.ButResetTempOfs = Button(Form, page, "ButResetTempOfs", valueLeft + 100, 118, u"Reset");
  // Until the language's texts replace it, the note says why the page
  // offers an offset only.
  Form.LblTempWarn = TextBlock(Form, page, "LblTempWarn", kMargin, 166, 420, 50,
                               u"Current version of DST module supports only temperature offset calibration.");

  // The table calibration, kept hidden.
  Form.LblDSTTemp = Caption(Form, page, "LblDSTTemp", 460, 18, u"DST Temp.");
  Form.LblRealTemp = Caption(Form, page, "LblRealTemp", 460, 52, u"Real Temp.");
  Form.LblTmpCoeff = Caption(Form, page, "LblTmpCoeff", 460, 86, u"Coeff.");
  Form.EditSeaTemp = ValueBox(Form, page, "EditSeaTemp", 560, kMargin, 110);
  Form.EditTempCal = EditBox(Form, page, "EditTempCal", 560, 48, 110);
  Form.EditTempCal->SetText("0.0");
  Form.EditCoeffTemp = ValueBox(Form, page, "EditCoeffTemp", 560, 82, 110);
  Form.ButAddTempCal = Button(Form, page, "ButAddTempCal", 460, 118, u"Add ->");
  Form.TempCoeffListBox = Place<TWtxListBox>(Form, page, "TempCoeffListBox", 460, 150, 160, 60);
  Form.ButCalcTempVal = Button(Form, page, "ButCalcTempVal", 630, 150, u"Calculate");
  Form.ButDelTempVal = Button(Form, page, "ButDelTempVal", 630, 182, u"Delete");
  Form.ButResetTempVal = Button(Form, page, "ButResetTempVal", 630, 214, u"Reset");
  Form.TempGrid = CalibrationGrid(Form, page, "TempGrid", 230);
  Form.ButSetTempCal = Button(Form, page, "ButSetTempCal", kMargin, 298, u"Change");
  Form.ButResetTempCal = Button(Form, page, "ButResetTempCal", 116, 298, u"Reset");
  for (platform::TControl* hidden : std::initializer_list<platform::TControl*>{
           Form.LblDSTTemp, Form.LblRealTemp, Form.LblTmpCoeff, Form.EditSeaTemp, Form.EditTempCal, Form.EditCoeffTemp,
           Form.ButAddTempCal, Form.TempCoeffListBox, Form.ButCalcTempVal, Form.ButDelTempVal, Form.ButResetTempVal,
           Form.TempGrid, Form.ButSetTempCal, Form.ButResetTempCal}) {
    hidden->SetVisible(false);
  }
}

}  // namespace app::layout
