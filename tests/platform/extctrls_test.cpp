#include "platform/ui/controls/extctrls.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/forms.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// Paints a windowless control onto a fuchsia bitmap of its size, as its
// parent would; colours come back as red, green and blue.
class Painted {
 public:
  explicit Painted(TControl& Control) {
    bitmap_.SetSize(Control.Width(), Control.Height());
    bitmap_.Canvas().Brush().SetColor(clFuchsia);
    bitmap_.Canvas().FillRect(Rect(0, 0, Control.Width(), Control.Height()));
    Control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap_.Canvas().Handle()), 0);
  }
  TColor At(int X, int Y) { return bitmap_.Canvas().Pixels(X, Y); }
  static TColor Rgb(TColor C) { return static_cast<TColor>(ColorToRGB(C)); }

 private:
  TBitmap bitmap_;
};

class ExtCtrlsTest : public fixture::FormTest {
 protected:
  TImage* ImageOf(int Width, int Height) {
    auto* image = new TImage(Form);
    image->SetParent(Form);
    image->SetBounds(0, 0, 20, 20);
    TBitmap& b = image->Picture().Bitmap();
    b.SetSize(Width, Height);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect(Rect(0, 0, Width, Height));
    image->Picture().SetGraphic(&b);
    return image;
  }
};

TEST_F(ExtCtrlsTest, ImagesDrawTheirPictureAsStretchCenterAndProportionalSay) {
  TImage* image = ImageOf(4, 4);
  EXPECT_EQ(Painted(*image).At(2, 2), clRed);
  EXPECT_EQ(Painted(*image).At(10, 10), clFuchsia);
  image->Center = true;
  EXPECT_EQ(Painted(*image).At(9, 9), clRed);
  EXPECT_EQ(Painted(*image).At(2, 2), clFuchsia);
  image->Stretch = true;
  EXPECT_EQ(Painted(*image).At(19, 19), clRed);

  TImage* wide = ImageOf(40, 20);
  wide->Proportional = true;
  wide->Center = true;
  EXPECT_EQ(Painted(*wide).At(10, 10), clRed);
  EXPECT_EQ(Painted(*wide).At(10, 2), clFuchsia);  // 20 by 10, centred

  TImage* sized = ImageOf(4, 4);
  sized->AutoSize = true;
  sized->Picture().Bitmap().SetSize(30, 12);
  sized->Picture().SetGraphic(&sized->Picture().Bitmap());
  EXPECT_EQ(sized->Width(), 30);
  EXPECT_EQ(sized->Height(), 12);
}

TEST_F(ExtCtrlsTest, ShapesFillTheirOutlineWithTheBrush) {
  auto* lamp = new TShape(Form);
  lamp->SetParent(Form);
  lamp->SetBounds(0, 0, 30, 20);
  lamp->Brush().SetColor(clLime);
  EXPECT_EQ(Painted(*lamp).At(2, 2), clLime);
  EXPECT_EQ(Painted(*lamp).At(0, 0), clBlack);  // the pen
  lamp->SetShape(stCircle);
  EXPECT_EQ(Painted(*lamp).At(15, 10), clLime);
  EXPECT_EQ(Painted(*lamp).At(2, 2), clFuchsia);    // outside the circle
  EXPECT_EQ(Painted(*lamp).At(27, 10), clFuchsia);  // a circle keeps to the height
}

TEST_F(ExtCtrlsTest, BevelsAndPanelsDrawTheirEdgesLitFromTheTopLeft) {
  auto* bevel = new TBevel(Form);
  bevel->SetParent(Form);
  bevel->SetBounds(0, 0, 20, 20);
  EXPECT_EQ(Painted(*bevel).At(0, 5), Painted::Rgb(clBtnShadow));
  EXPECT_EQ(Painted(*bevel).At(19, 5), Painted::Rgb(clBtnHighlight));
  bevel->Style = bsRaised;
  EXPECT_EQ(Painted(*bevel).At(0, 5), Painted::Rgb(clBtnHighlight));
  bevel->Shape = bsBottomLine;
  EXPECT_EQ(Painted(*bevel).At(5, 19), Painted::Rgb(clBtnShadow));
  EXPECT_EQ(Painted(*bevel).At(0, 5), clFuchsia);

  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(0, 30, 120, 40);
  panel->SetCaption("WWW");
  panel->BevelOuter = bvLowered;
  Form->Show();
  Application->ProcessMessages();
  TBitmap shot;
  shot.SetSize(120, 40);
  panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), 0);
  EXPECT_EQ(shot.Canvas().Pixels(0, 20), Painted::Rgb(clBtnShadow));
  EXPECT_EQ(shot.Canvas().Pixels(119, 20), Painted::Rgb(clBtnHighlight));
  EXPECT_EQ(shot.Canvas().Pixels(5, 5), Painted::Rgb(clBtnFace));
  // The caption sits in the middle.
  int dark = 0;
  for (int y = 10; y < 30; ++y) {
    for (int x = 40; x < 80; ++x) dark += GetRValue(ColorToRGB(shot.Canvas().Pixels(x, y))) < 100 ? 1 : 0;
  }
  EXPECT_GT(dark, 0);
}

}  // namespace
