#include "widetext/wide_api.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/window_classes/presentation.h"

namespace widetext {
namespace {

using platform::HDC;
using platform::RECT;

// A white bitmap to draw on, measured with the default font.
class WideDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::ui::InitializeUi(); }
  void SetUp() override {
    Dc = platform::CreateCompatibleDC(nullptr);
    Bitmap = platform::CreateBitmap(200, 60);
    Old = platform::SelectObject(Dc, Bitmap);
    platform::SetTextColor(Dc, 0x000000);
    platform::SetBkColor(Dc, 0x0000FF);
  }
  void TearDown() override {
    platform::SelectObject(Dc, Old);
    platform::DeleteObject(Bitmap);
    platform::DeleteDC(Dc);
  }
  // Pixels inside r that are not white.
  int Inked(const RECT& R) const {
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y) {
      for (int x = R.left; x < R.right; ++x) n += platform::GetPixel(Dc, x, y) != 0xFFFFFF ? 1 : 0;
    }
    return n;
  }
  HDC Dc = nullptr;
  platform::HBITMAP Bitmap = 0;
  platform::HGDIOBJ Old = 0;
};

TEST_F(WideDrawing, ExtTextOutFillsTheOpaqueRectangleAndDrawsTextBeyondCodePage1252) {
  const RECT box{10, 10, 60, 30};
  ASSERT_TRUE(WideApiExtTextOut(Dc, 10, 10, platform::ETO_OPAQUE, &box, u"", 0, nullptr));
  EXPECT_EQ(platform::GetPixel(Dc, 11, 11), 0x0000FFu);
  EXPECT_EQ(platform::GetPixel(Dc, 60, 30), 0xFFFFFFu);

  platform::SetBkMode(Dc, platform::TRANSPARENT);
  const std::u16string greek = u"\u0394\u03a9\u03b2";
  ASSERT_TRUE(WideApiExtTextOut(Dc, 100, 10, 0, nullptr, greek.c_str(), static_cast<int>(greek.size()), nullptr));
  EXPECT_GT(Inked(RECT{100, 10, 200, 40}), 0);
}

TEST_F(WideDrawing, DrawTextMeasuresUpToTheTerminatorAndDrawsInsideTheRectangle) {
  RECT whole{0, 0, 200, 0};
  const int height = WideApiDrawText(Dc, u"\u0141\u00f3d\u017a", -1, &whole, platform::DT_CALCRECT);
  EXPECT_GT(height, 0);
  EXPECT_EQ(whole.bottom, height);
  RECT part{0, 0, 200, 0};
  WideApiDrawText(Dc, u"\u0141\u00f3d\u017a", 1, &part, platform::DT_CALCRECT);
  EXPECT_GT(part.right, 0);
  EXPECT_LT(part.right, whole.right);
  // Measuring draws nothing; drawing stays inside the rectangle it measured.
  EXPECT_EQ(Inked(RECT{0, 0, 200, 60}), 0);
  platform::SetBkMode(Dc, platform::TRANSPARENT);
  RECT r{20, 20, 20 + whole.right, 20 + whole.bottom};
  WideApiDrawText(Dc, u"\u0141\u00f3d\u017a", -1, &r, platform::DT_NOCLIP);
  EXPECT_GT(Inked(r), 0);
  EXPECT_EQ(Inked(RECT{0, 0, 200, 20}), 0);
}

}  // namespace
}  // namespace widetext
