#include <gtest/gtest.h>

#include "platform/ui/controls/graphics.h"
#include "platform/ui/window_classes/presentation.h"
#include "widetext/custom_drawn/gradients.h"

namespace {

using namespace platform;
using widetext::BlendColors;
using widetext::DrawGradient;

constexpr TColor kFrom = static_cast<TColor>(RGB(10, 200, 30));
constexpr TColor kTo = static_cast<TColor>(RGB(250, 40, 31));
constexpr TColor kUntouched = static_cast<TColor>(RGB(1, 2, 3));

// The colour of band i of n running from a to b, channel by channel.
TColor Band(TColor a, TColor b, int i, int n) {
  const auto ch = [&](BYTE (*Get)(COLORREF)) {
    const int from = Get(static_cast<COLORREF>(a));
    return static_cast<BYTE>(from + MulDiv(i, Get(static_cast<COLORREF>(b)) - from, n - 1));
  };
  return static_cast<TColor>(RGB(ch(GetRValue), ch(GetGValue), ch(GetBValue)));
}

class GradientTest : public ::testing::Test {
 protected:
  // Before the fixture's bitmap is made.
  static void SetUpTestSuite() { ui::InitializeUi(); }
  void SetUp() override {
    Bitmap.SetSize(20, 20);
    Canvas().Brush().SetColor(kUntouched);
    Canvas().FillRect(Rect(0, 0, 20, 20));
  }
  TCanvas& Canvas() { return Bitmap.Canvas(); }
  TColor At(int X, int Y) { return Canvas().Pixels(X, Y); }
  TBitmap Bitmap;
};

TEST(BlendColors, MovesEachChannelTowardTheSecondColourRoundingTowardTheFirst) {
  ui::InitializeUi();
  EXPECT_EQ(BlendColors(kFrom, kTo, 0), kFrom);
  // 200 toward 0 by 20/256 is 184.375: it stays at 185, not 184.
  EXPECT_EQ(GetRValue(BlendColors(RGB(200, 0, 0), RGB(0, 0, 0), 20)), 185);
  EXPECT_EQ(GetRValue(BlendColors(RGB(0, 0, 0), RGB(200, 0, 0), 20)), 15);
  EXPECT_EQ(BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), 128), static_cast<TColor>(RGB(127, 127, 127)));
  EXPECT_EQ(BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), 255), static_cast<TColor>(RGB(254, 254, 254)));

  // System colours are blended as their RGB value.
  const COLORREF face = ColorToRGB(clBtnFace);
  const TColor hot = BlendColors(clBtnFace, RGB(255, 153, 51), 20);
  EXPECT_EQ(GetRValue(hot), GetRValue(face) + ((255 - GetRValue(face)) * 20) / 256);
  EXPECT_EQ(GetGValue(hot), GetGValue(face) + ((153 - GetGValue(face)) * 20) / 256);
  EXPECT_EQ(GetBValue(hot), GetBValue(face) + ((51 - GetBValue(face)) * 20) / 256);
}

TEST_F(GradientTest, BandsStackFromTheTopWithTheRemainderInTheEndColour) {
  DrawGradient(Canvas(), Rect(2, 1, 12, 18), kFrom, 8, widetext::kGradientTopToBottom, kTo);
  for (int i = 0; i < 8; ++i) {
    for (int row = 1 + 2 * i; row < 3 + 2 * i; ++row) {
      EXPECT_EQ(At(2, row), Band(kFrom, kTo, i, 8)) << "row " << row;
      EXPECT_EQ(At(11, row), Band(kFrom, kTo, i, 8)) << "row " << row;
    }
  }
  EXPECT_EQ(At(5, 17), kTo);
  EXPECT_EQ(At(5, 18), kUntouched);
  EXPECT_EQ(At(12, 5), kUntouched);
  EXPECT_EQ(At(1, 5), kUntouched);
  EXPECT_EQ(At(5, 0), kUntouched);
}

TEST_F(GradientTest, ReversedRunsStartWithTheEndColourAndLeaveTheRemainderInTheFirst) {
  DrawGradient(Canvas(), Rect(0, 0, 10, 17), kFrom, 8, widetext::kGradientBottomToTop, kTo);
  EXPECT_EQ(At(0, 0), kTo);
  EXPECT_EQ(At(0, 15), kFrom);
  EXPECT_EQ(At(0, 7), Band(kTo, kFrom, 3, 8));
  EXPECT_EQ(At(0, 16), kFrom);

  // Columns from the left: 7 px in 3 bands of 2, one column left over.
  DrawGradient(Canvas(), Rect(0, 0, 7, 4), kFrom, 3, widetext::kGradientLeftToRight, kTo);
  EXPECT_EQ(At(0, 0), kFrom);
  EXPECT_EQ(At(3, 3), Band(kFrom, kTo, 1, 3));
  EXPECT_EQ(At(5, 0), kTo);
  EXPECT_EQ(At(6, 0), kTo);
  DrawGradient(Canvas(), Rect(0, 0, 7, 4), kFrom, 3, widetext::kGradientRightToLeft, kTo);
  EXPECT_EQ(At(0, 0), kTo);
  EXPECT_EQ(At(6, 2), kFrom);
}

TEST_F(GradientTest, DegenerateRectanglesAndStepCounts) {
  // One row cannot hold two bands: it takes the end colour.
  DrawGradient(Canvas(), Rect(0, 0, 10, 1), kFrom, 8, widetext::kGradientTopToBottom, kTo);
  EXPECT_EQ(At(4, 0), kTo);
  EXPECT_EQ(At(4, 1), kUntouched);
  for (const std::uint8_t steps : {0, 1}) {
    DrawGradient(Canvas(), Rect(0, 2, 10, 12), kFrom, steps, widetext::kGradientTopToBottom, kTo);
    EXPECT_EQ(At(0, 2), kFrom);
    EXPECT_EQ(At(9, 11), kFrom);
  }
  // More steps than pixels: one band per pixel.
  DrawGradient(Canvas(), Rect(0, 12, 10, 16), kFrom, 200, widetext::kGradientTopToBottom, kTo);
  EXPECT_EQ(At(0, 12), kFrom);
  EXPECT_EQ(At(0, 13), Band(kFrom, kTo, 1, 4));
  EXPECT_EQ(At(0, 15), kTo);
  // An empty rectangle draws nothing.
  DrawGradient(Canvas(), Rect(15, 15, 15, 19), kFrom, 8, widetext::kGradientTopToBottom, kTo);
  DrawGradient(Canvas(), Rect(15, 19, 19, 15), kFrom, 0, widetext::kGradientTopToBottom, kTo);
  EXPECT_EQ(At(15, 17), kUntouched);
  EXPECT_EQ(At(16, 16), kUntouched);
}

TEST_F(GradientTest, WideTextIsClippedAndFilledUnlessTheBrushIsClear) {
  Canvas().Font().SetColor(clBlack);
  const int w = widetext::WideTextWidth(Canvas().Handle(), u"Ωμέγα");
  const int h = widetext::WideTextHeight(Canvas().Handle(), u"Ωμέγα");
  EXPECT_GT(w, 20);
  EXPECT_GT(h, 8);
  EXPECT_EQ(widetext::WideTextWidth(Canvas().Handle(), u""), 0);

  Canvas().Brush().SetStyle(bsSolid);
  Canvas().Brush().SetColor(clAqua);
  widetext::DrawWideTextRect(Canvas(), Rect(2, 2, 8, 8), 2, 2, u"Ωμέγα");
  EXPECT_EQ(At(7, 7), clAqua);  // filled where no glyph stands
  EXPECT_EQ(At(8, 4), kUntouched);
  EXPECT_EQ(At(1, 1), kUntouched);

  Canvas().Brush().SetStyle(bsClear);
  widetext::DrawWideTextRect(Canvas(), Rect(10, 10, 20, 20), 10, 10, u" ");
  EXPECT_EQ(At(12, 12), kUntouched);
}

}  // namespace
