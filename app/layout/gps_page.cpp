// GPS: position, altitude, speed and course over ground and UTC on the
// left, the fix (satellites in use, dilutions, mode) in the middle, and
// the satellites' signal strengths as bars on the right.

#include "app/layout/layout_helpers.h"
#include "platform/ui/controls/chart.h"

namespace app::layout {

void BuildGpsPage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaGPS;
  struct Row {
    std::u16string_view Caption;
    std::string_view Name;
    TWtxStaticText* TMainForm::*Field;
  };
  // The quantities' short names read the same in every language.
  const Row position[] = {{u"LAT", "EditLAT", &TMainForm::EditLAT}, {u"LON", "EditLon", &TMainForm::EditLon},
                          {u"ALT", "EditAlt", &TMainForm::EditAlt}, {u"SOG", "EditSog", &TMainForm::EditSog},
                          {u"COG", "EditCog", &TMainForm::EditCog}, {u"UTC", "EditUTC", &TMainForm::EditUTC}};
  int top = kMargin;
  for (const Row& row : position) {
    Caption(Form, page, "", kMargin, top + 4, row.Caption);
    Form.*row.Field = ValueBox(Form, page, row.Name, 64, top, 190);
    top += 34;
  }
  const Row fix[] = {{u"SAT", "EditSat", &TMainForm::EditSat},
                     {u"HDOP", "EditHDOP", &TMainForm::EditHDOP},
                     {u"VDOP", "EditVDop", &TMainForm::EditVDop}};
  top = kMargin;
  for (const Row& row : fix) {
    Caption(Form, page, "", 280, top + 4, row.Caption);
    Form.*row.Field = ValueBox(Form, page, row.Name, 334, top, 100);
    top += 34;
  }
  Form.LblGPSMode = Caption(Form, page, "LblGPSMode", 280, top + 4, u"MODE");
  Form.EditSatMode = ValueBox(Form, page, "EditSatMode", 334, top, 100);

  Form.SatChart = Place<platform::TBarChart>(Form, page, "SatChart", 452, kMargin, 272, 312);
}

}  // namespace app::layout
