#include <gtest/gtest.h>

#include <QTabBar>
#include <QWidget>

#include <string>

#include "platform/core/window_system/system_settings.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/right_to_left_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/page_control.h"
#include "widetext/controls/wide_canvas.h"
#include "widetext/standard/static_text.h"

namespace widetext::testing {
namespace {

// The system with middle-east language support while it lives.
class MiddleEastSystem {
 public:
  MiddleEastSystem() : previous_(platform::SetMiddleEastEnabled(true)) {}
  ~MiddleEastSystem() { platform::SetMiddleEastEnabled(previous_); }
  MiddleEastSystem(const MiddleEastSystem&) = delete;
  MiddleEastSystem& operator=(const MiddleEastSystem&) = delete;

 private:
  bool previous_;
};

// Whether the tab's text reads right to left, as the tab control says.
bool TabReadsRightToLeft(platform::TWinControl* Pages, int Index) {
  platform::TCITEMW item;
  item.mask = platform::TCIF_RTLREADING;
  platform::SendMessageW(Pages->Handle(), platform::TCM_GETITEMW, static_cast<platform::WPARAM>(Index),
                         reinterpret_cast<platform::LPARAM>(&item));
  return (item.mask & platform::TCIF_RTLREADING) != 0;
}

TWtxPageControl* NewPages(platform::TWinControl* Parent) {
  return NewRightToLeftPages(Parent, platform::Rect(8, 8, 368, 148));
}

using RightToLeft = WideFormTest;

TEST_F(RightToLeft, TabsReadRightToLeftOnlyOnAMiddleEastSystemInARightToLeftMode) {
  TWtxPageControl* pages = NewPages(Form);
  pages->BiDiMode = platform::bdRightToLeft;
  pages->Handle();
  EXPECT_FALSE(TabReadsRightToLeft(pages, 0));
  {
    const MiddleEastSystem middleEast;
    pages->RecreateWnd();
    EXPECT_TRUE(TabReadsRightToLeft(pages, 0));
    EXPECT_TRUE(TabReadsRightToLeft(pages, 2));
    pages->BiDiMode = platform::bdLeftToRight;
    pages->RecreateWnd();
    EXPECT_FALSE(TabReadsRightToLeft(pages, 1));
  }
}

// The columns of a canvas's bitmap that the text darkened.
struct Ink {
  int Left = -1;
  int Right = -1;
};

Ink InkOf(platform::TBitmap& Bitmap) {
  Ink ink;
  for (int x = 0; x < Bitmap.Width(); ++x) {
    for (int y = 0; y < Bitmap.Height(); ++y) {
      if (Bitmap.Canvas().Pixels(x, y) == platform::clWhite) continue;
      if (ink.Left < 0) ink.Left = x;
      ink.Right = x;
      break;
    }
  }
  return ink;
}

class CanvasText : public RightToLeft {
 protected:
  void SetUp() override {
    RightToLeft::SetUp();
    Bitmap.SetSize(240, 24);
    Clear();
  }
  void Clear() {
    platform::TCanvas& c = Bitmap.Canvas();
    c.Brush().SetColor(platform::clWhite);
    c.FillRect(platform::Rect(0, 0, 240, 24));
    c.Brush().SetStyle(platform::bsClear);
  }
  platform::TCanvas& RightToLeftCanvas(platform::UINT TextFlags) {
    platform::TCanvas& c = Bitmap.Canvas();
    platform::SetLayout(c.Handle(), platform::LAYOUT_RTL);
    c.TextFlags = TextFlags;
    return c;
  }
  platform::TBitmap Bitmap;
};

TEST_F(CanvasText, ARightToLeftCanvasShowsATextWhereALeftToRightOneDoes) {
  platform::TCanvas& c = Bitmap.Canvas();
  const int width = WideCanvasTextWidth(c, kHebrew);
  WideCanvasTextOut(c, 60, 2, kHebrew);
  const Ink leftToRight = InkOf(Bitmap);
  ASSERT_GE(leftToRight.Left, 60);
  EXPECT_EQ(c.PenPos().X, 60 + width);

  Clear();
  EXPECT_EQ(RightToLeftCanvas(platform::ETO_RTLREADING).CanvasOrientation(), platform::coRightToLeft);
  WideCanvasTextOut(c, 60, 2, kHebrew);
  const Ink rightToLeft = InkOf(Bitmap);
  EXPECT_EQ(rightToLeft.Left, leftToRight.Left + 1);
  EXPECT_EQ(rightToLeft.Right, leftToRight.Right + 1);
  // The pen moves on from the text's place.
  EXPECT_EQ(c.PenPos().X, 60 + 2 * width + 1);
}

TEST_F(CanvasText, TextRectMovesTheTextOnlyWhenItReadsRightToLeft) {
  const platform::TRect all = platform::Rect(0, 0, 240, 24);
  const int width = WideCanvasTextWidth(Bitmap.Canvas(), kArabic);
  WideCanvasTextRect(RightToLeftCanvas(0), all, 150, 2, kArabic);
  const Ink ending = InkOf(Bitmap);
  EXPECT_LE(ending.Right, 150);
  EXPECT_GE(ending.Left, 150 - width);

  Clear();
  WideCanvasTextRect(RightToLeftCanvas(platform::ETO_RTLREADING), all, 150, 2, kArabic);
  const Ink moved = InkOf(Bitmap);
  EXPECT_GT(moved.Left, 150);
  EXPECT_LE(moved.Right, 151 + width);
}

TEST_F(RightToLeft, ShowsARightToLeftPageControlAndCanvasText) {
  const MiddleEastSystem middleEast;
  TWtxPageControl* pages = NewPages(Form);
  pages->BiDiMode = platform::bdRightToLeft;
  platform::TCustomControl* lines = NewRightToLeftLines(Form, pages->Pages(0), platform::Rect(8, 8, 338, 98));
  Form->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), "wide_right_to_left.png"));
  const QImage picture = platform::ui::Grab(Form->Handle());
  QWidget* form = platform::ui::WidgetOf(Form->Handle());

  // The tabs in the order of their pages, each reading its caption right
  // to left (the tab control itself is not mirrored).
  const auto* bar = platform::ui::WidgetOf(pages->Handle())->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->count(), 3);
  int right = 0;
  for (int i = 0; i < 3; ++i) {
    const QRect tab(bar->mapTo(form, bar->tabRect(i).topLeft()), bar->tabRect(i).size());
    EXPECT_GE(tab.left(), right) << "tab " << i;
    right = tab.right();
    auto* sheet = static_cast<TWtxTabSheet*>(pages->Pages(i));
    EXPECT_TRUE(golden::ShowsTextIn(picture, tab.adjusted(4, 4, -4, -4),
                                    {platform::ui::ToQString(sheet->GetCaption()), bar->font(), Qt::RightToLeft}))
        << "tab " << i;
  }

  // A right-to-left canvas moves each right-to-left text by its width and
  // one pixel, so that it ends where it would begin: drawn from X 12, it
  // shows from X 13. The last line reads left to right from 12.
  const QPoint origin = platform::ui::WidgetOf(lines->Handle())->mapTo(form, QPoint(0, 0));
  const QFont font = platform::ui::ToQFont(platform::ui::FontOf(lines->Font().Handle()));
  EXPECT_TRUE(golden::ShowsTextAt(picture, origin + QPoint(13, 10),
                                  {QString::fromUtf16(u"עומק המים: 12.5 מ׳"), font, Qt::RightToLeft}));
  EXPECT_TRUE(golden::ShowsTextAt(picture, origin + QPoint(13, 34),
                                  {QString::fromUtf16(u"سرعة القارب 6.2 عقدة"), font, Qt::RightToLeft}));
  EXPECT_TRUE(golden::ShowsTextAt(picture, origin + QPoint(12, 58),
                                  {QString::fromUtf16(u"Głębokość 12,5 m – prędkość 6,2 kn"), font}));
}

}  // namespace
}  // namespace widetext::testing
