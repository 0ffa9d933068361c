// Depth: the depth below the transducer and below the surface or keel in
// large figures, the transducer offset to send, and the drawing that shows
// what each depth means, with the offset written beside its arrow.

#include "app/layout/layout_helpers.h"
#include "widetext/controls/image.h"

namespace app::layout {
namespace {

TWtxLabel* Figure(TMainForm& Form, std::string_view Name, int Top) {
  TWtxLabel* label = TextBlock(Form, Form.PaDepth, Name, kMargin, Top, 300, 32, u"- - -");
  label->SetWordWrap(false);
  label->Font().SetHeight(-26);
  label->Font().SetStyle(platform::fsBold);
  label->Font().SetColor(platform::clNavy);
  return label;
}

}  // namespace

void BuildDepthPage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaDepth;
  Form.LblDBT = Caption(Form, page, "LblDBT", kMargin, kMargin, u"Depth Below Transducer:");
  Form.LblDBTVal = Figure(Form, "LblDBTVal", 34);
  Form.LblDepthTot = Caption(Form, page, "LblDepthTot", kMargin, 88, u"Depth Below Surface:");
  Form.LblDepthTotVal = Figure(Form, "LblDepthTotVal", 108);

  Frame(Form, page, kMargin, 170, 390, 2);
  Form.LblOfsEdit = Caption(Form, page, "LblOfsEdit", kMargin, 184, u"Transducer Offset ( meters )");
  Form.EditDptOfs = EditBox(Form, page, "EditDptOfs", kMargin, 204, 96);
  Form.EditDptOfs->SetText("0.00");
  Form.ButDepthSend = Button(Form, page, "ButDepthSend", 118, 202, u"Change");
  Form.CmbMeters = DropDown(Form, page, "CmbMeters", 220, 204, 100, {u"meters", u"feet"});

  Form.ImgBoat = Place<TWtxImage>(Form, page, "ImgBoat", 424, kMargin, 300, 220);
  // The offset's value sits beside the drawing's offset arrow; one of the two
  // is shown, by the offset's sign.
  Form.LblOfsPos = Caption(Form, page, "LblOfsPos", 424 + 158, kMargin + 120, u"- - -");
  Form.LblOfsNeg = Caption(Form, page, "LblOfsNeg", 424 + 158, kMargin + 120, u"- - -");
  Form.LblOfsNeg->SetVisible(false);
  for (TWtxLabel* offset : {Form.LblOfsPos, Form.LblOfsNeg}) {
    offset->SetTransparent(true);
    offset->Font().SetStyle(platform::fsBold);
  }
}

}  // namespace app::layout
