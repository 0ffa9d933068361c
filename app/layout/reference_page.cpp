// Reference: the serial connector's pins and an example of how the module,
// its transducer and a GPS receiver are wired to the computer.

#include "app/layout/layout_helpers.h"
#include "widetext/controls/image.h"

namespace app::layout {

void BuildReferencePage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaRef;
  Form.LblPinout = TextBlock(Form, page, "LblPinout", kMargin, 10, 346, 50, u"DB9 Serial Connector Pinout");
  Form.LblPinout->Font().SetStyle(platform::fsBold);
  Form.ImgPort = Place<TWtxImage>(Form, page, "ImgPort", 8, 62, 360, 270);
  Form.LblConnExamp =
      TextBlock(Form, page, "LblConnExamp", 378, 10, 346, 50,
                u"Connection example with Zeruziviz transducers. Please refer to manufacturer documentation.");
  Form.LblConnExamp->Font().SetStyle(platform::fsBold);
  Form.ImgDST = Place<TWtxImage>(Form, page, "ImgDST", 370, 62, 360, 270);
}

}  // namespace app::layout
