#include <gtest/gtest.h>

#include "platform/ui/controls/graphics.h"
#include "platform/ui/window_classes/presentation.h"

namespace {

using namespace platform;

class CanvasTest : public ::testing::Test {
 protected:
  // Before the fixture's bitmap is made.
  static void SetUpTestSuite() { ui::InitializeUi(); }
  void SetUp() override {
    Bitmap.SetSize(40, 30);
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(Rect(0, 0, 40, 30));
  }
  TCanvas& Canvas() { return Bitmap.Canvas(); }
  TColor At(int X, int Y) { return Canvas().Pixels(X, Y); }
  TBitmap Bitmap;
};

TEST_F(CanvasTest, RectanglesAndLinesLeaveOutTheirEndEdges) {
  Canvas().Brush().SetColor(clRed);
  Canvas().FillRect(Rect(2, 2, 6, 5));
  EXPECT_EQ(At(2, 2), clRed);
  EXPECT_EQ(At(5, 4), clRed);
  EXPECT_EQ(At(6, 4), clWhite);
  EXPECT_EQ(At(5, 5), clWhite);

  Canvas().Pen().SetColor(clBlue);
  Canvas().MoveTo(10, 10);
  Canvas().LineTo(20, 10);
  EXPECT_EQ(At(10, 10), clBlue);
  EXPECT_EQ(At(19, 10), clBlue);
  EXPECT_EQ(At(20, 10), clWhite);
  EXPECT_EQ(Canvas().PenPos(), (TPoint{20, 10}));

  // An outline on the inside of its bounds, the inside filled.
  Canvas().Brush().SetColor(clYellow);
  Canvas().Pen().SetColor(clBlack);
  Canvas().Rectangle(22, 2, 30, 8);
  EXPECT_EQ(At(22, 2), clBlack);
  EXPECT_EQ(At(29, 7), clBlack);
  EXPECT_EQ(At(30, 7), clWhite);
  EXPECT_EQ(At(25, 5), clYellow);

  Canvas().Brush().SetColor(clGreen);
  Canvas().FrameRect(Rect(2, 20, 8, 26));
  EXPECT_EQ(At(2, 20), clGreen);
  EXPECT_EQ(At(7, 25), clGreen);
  EXPECT_EQ(At(4, 22), clWhite);
}

TEST_F(CanvasTest, PixelsAndSystemColours) {
  Canvas().SetPixel(1, 1, clBtnFace);
  EXPECT_EQ(At(1, 1), static_cast<TColor>(ColorToRGB(clBtnFace)));
  EXPECT_EQ(At(100, 100), -1);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(MulDiv(7, 3, 2), 11);  // 10.5 rounds away from zero
  EXPECT_EQ(MulDiv(-7, 3, 2), -11);
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
}

TEST_F(CanvasTest, TextIsPlacedByItsTopLeftAndMeasured) {
  Canvas().Font().SetColor(clBlack);
  Canvas().Brush().SetStyle(bsClear);
  const SIZE s = Canvas().TextExtent("W");
  EXPECT_GT(s.cx, 3);
  EXPECT_GT(s.cy, 8);
  Canvas().TextOut(0, 0, "W");
  bool inked = false;
  for (int y = 0; y < s.cy; ++y) {
    for (int x = 0; x < s.cx; ++x) inked |= At(x, y) != clWhite;
  }
  EXPECT_TRUE(inked);
  EXPECT_EQ(At(s.cx + 2, s.cy + 2), clWhite);

  // Clipped and opaque: the box is filled, nothing outside it.
  Canvas().Brush().SetColor(clAqua);
  Canvas().TextRect(Rect(20, 0, 26, 6), 20, 0, "WWWW");
  EXPECT_EQ(At(26, 2), clWhite);
  EXPECT_NE(At(25, 5), clWhite);
}

TEST_F(CanvasTest, DrawTextMeasuresWrappedLinesAndAccelerators) {
  HDC dc = Canvas().Handle();
  RECT r{0, 0, 1000, 0};
  const int one = DrawTextA(dc, "alpha beta", -1, &r, DT_CALCRECT | DT_WORDBREAK);
  const int single = r.Width();
  r = RECT{0, 0, single - 1, 0};
  const int two = DrawTextA(dc, "alpha beta", -1, &r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(two, 2 * one);
  EXPECT_LT(r.Width(), single);
  // "&&" is one ampersand, "&x" draws x; without prefixes both stay.
  RECT a{0, 0, 1000, 0}, b{0, 0, 1000, 0};
  DrawTextA(dc, "a&&b", -1, &a, DT_CALCRECT | DT_SINGLELINE);
  DrawTextA(dc, "a&b", -1, &b, DT_CALCRECT | DT_SINGLELINE);
  SIZE amp;
  GetTextExtentPoint32A(dc, "a&b", 3, &amp);
  EXPECT_EQ(a.Width(), amp.cx);
  EXPECT_LT(b.Width(), amp.cx);
}

TEST_F(CanvasTest, BitmapsStretchWithoutSmoothingAndSkipTheirTransparentColour) {
  TBitmap glyph;
  glyph.SetSize(2, 2);
  glyph.Canvas().SetPixel(0, 0, clFuchsia);
  glyph.Canvas().SetPixel(1, 0, clRed);
  glyph.Canvas().SetPixel(0, 1, clFuchsia);
  glyph.Canvas().SetPixel(1, 1, clBlue);
  Canvas().StretchDraw(Rect(0, 0, 8, 8), &glyph);
  EXPECT_EQ(At(3, 3), clFuchsia);
  EXPECT_EQ(At(4, 3), clRed);
  EXPECT_EQ(At(7, 7), clBlue);

  glyph.Transparent = true;  // the bottom-left pixel's colour
  Canvas().Brush().SetColor(clWhite);
  Canvas().FillRect(Rect(0, 0, 40, 30));
  Canvas().Draw(10, 10, &glyph);
  EXPECT_EQ(At(10, 10), clWhite);
  EXPECT_EQ(At(11, 10), clRed);
}

}  // namespace
