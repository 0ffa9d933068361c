#include <gtest/gtest.h>

#include <string>

#include "tests/widetext/platform_version.h"
#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/hint_window.h"
#include "widetext/controls/page_control.h"
#include "widetext/controls/wide_application.h"
#include "widetext/wide_api.h"

namespace widetext::testing {
namespace {

// On a platform without Unicode support the wide layer falls back to the
// class library's 8-bit values and the 8-bit calls, in code page 1252: a
// character the page does not hold becomes "?".
class AnsiPlatform : public WideFormTest {
 protected:
  ScopedPlatformVersion Ansi{kAnsiPlatform};
};

TEST_F(AnsiPlatform, WideTextsAreTheEightBitOnesOfAnEightBitWindow) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetCaption(kPolish);
  window->SetHint(kGreek);
  EXPECT_EQ(window->Text(), "Za?\xF3?? g??l? ja??");
  const platform::HWND h = window->Handle();
  EXPECT_FALSE(platform::IsWindowUnicode(h));
  EXPECT_EQ(window->GetCaption(), u"Za?ó?? g??l? ja??");
  EXPECT_EQ(window->Hint, "?????");
  EXPECT_EQ(window->GetHint(), u"?????");
  EXPECT_TRUE(WideApiSetWindowText(h, u"Ωé"));
  EXPECT_EQ(platform::WindowTextW(h), u"?é");

  // No wide hint: the class library's hint window shows the 8-bit hint.
  platform::THintInfo info;
  info.HintControl = window;
  info.HintWindowClass = &platform::THintWindowPlainClass;
  info.HintStr = "?????";
  window->Perform(platform::CM_HINTSHOW, 0, reinterpret_cast<platform::LPARAM>(&info));
  EXPECT_EQ(info.HintWindowClass, &platform::THintWindowPlainClass);
  EXPECT_EQ(info.HintData, nullptr);
}

TEST_F(AnsiPlatform, TabsShowTheEightBitCaptions) {
  auto* pages = new TWtxPageControl(Form);
  pages->SetParent(Form);
  auto* sheet = new TWtxTabSheet(Form);
  sheet->SetPageControl(pages);
  sheet->SetCaption(kGreek);
  pages->Handle();
  EXPECT_FALSE(platform::IsWindowUnicode(pages->WindowHandle()));
  // Its notifications stay in the 8 bits its parent asked for.
  EXPECT_EQ(platform::SendMessageW(pages->WindowHandle(), platform::CCM_GETUNICODEFORMAT, 0, 0), 0);
  char16_t text[16] = {};
  platform::TCITEMW item;
  item.mask = platform::TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 16;
  platform::SendMessageW(pages->WindowHandle(), platform::TCM_GETITEMW, 0, reinterpret_cast<platform::LPARAM>(&item));
  EXPECT_EQ(std::u16string(text), u"?????");
}

TEST_F(AnsiPlatform, TextIsDrawnAndMeasuredAsItsEightBitImage) {
  platform::TBitmap wide, ansi;
  for (platform::TBitmap* b : {&wide, &ansi}) {
    b->SetSize(120, 20);
    b->Canvas().Brush().SetColor(platform::clWhite);
    b->Canvas().FillRect(platform::Rect(0, 0, 120, 20));
  }
  const std::u16string text = u"Ωμέγα 7°";
  const std::string image = AnsiImage(text);
  ASSERT_EQ(image.front(), '?');
  platform::RECT wideRect{0, 0, 200, 0};
  platform::RECT ansiRect{0, 0, 200, 0};
  WideApiDrawText(wide.Canvas().Handle(), text.c_str(), -1, &wideRect, platform::DT_CALCRECT | platform::DT_SINGLELINE);
  platform::DrawTextA(ansi.Canvas().Handle(), image.c_str(), -1, &ansiRect,
                      platform::DT_CALCRECT | platform::DT_SINGLELINE);
  EXPECT_EQ(wideRect, ansiRect);

  WideApiExtTextOut(wide.Canvas().Handle(), 2, 2, 0, nullptr, text.c_str(), static_cast<int>(text.size()), nullptr);
  platform::ExtTextOutA(ansi.Canvas().Handle(), 2, 2, 0, nullptr, image.c_str(), static_cast<int>(image.size()),
                        nullptr);
  for (int x = 0; x < 120; ++x) {
    for (int y = 0; y < 20; ++y) ASSERT_EQ(wide.Canvas().Pixels(x, y), ansi.Canvas().Pixels(x, y)) << x << "," << y;
  }
}

TEST_F(AnsiPlatform, CaseMapsOnlyWhatTheCodePageHolds) {
  EXPECT_EQ(WideApiCharUpper(u'é'), u'É');
  EXPECT_EQ(WideApiCharUpper(u'ω'), u'ω');
  std::u16string text = u"żółw ŒUVRE";
  WideApiCharLowerBuff(text.data(), static_cast<std::uint32_t>(text.size()));
  EXPECT_EQ(text, u"żółw œuvre");
}

TEST_F(AnsiPlatform, TheApplicationTitleIsTheEightBitOne) {
  TWtxApplication* app = WtxApplication();
  const std::string saved = platform::Application->Title();
  app->SetTitle(kGreek);
  EXPECT_EQ(platform::Application->Title(), "?????");
  EXPECT_EQ(platform::WindowTextW(platform::Application->Handle()), u"?????");
  app->SetTitle(u"");
  platform::Application->SetTitle(saved);
}

}  // namespace
}  // namespace widetext::testing
