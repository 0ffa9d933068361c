#include <gtest/gtest.h>

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/hint_window.h"
#include "widetext/controls/wide_canvas.h"

namespace widetext::testing {
namespace {

using HintWindow = WideFormTest;

TEST_F(HintWindow, AWideControlShowsTheShortPartOfItsWideHint) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetBounds(10, 10, 100, 30);
  window->SetHint(u"Głębokość ώρας|Long part");
  window->Handle();

  platform::THintInfo info;
  info.HintControl = window;
  info.HintWindowClass = &platform::THintWindowPlainClass;
  info.HintStr = "8-bit";
  window->Perform(platform::CM_HINTSHOW, 0, reinterpret_cast<platform::LPARAM>(&info));
  EXPECT_EQ(info.HintWindowClass, &TWtxCustomHintWindowClass);
  EXPECT_EQ(info.HintData, &info);
  EXPECT_EQ(info.HintStr, "G??boko?? ????");

  auto* hint = static_cast<TWtxCustomHintWindow*>(info.HintWindowClass->Create(Form));
  const platform::TRect size = hint->CalcHintRect(400, info.HintStr, info.HintData);
  EXPECT_GT(size.Width(), 6);
  hint->ActivateHintData(platform::Bounds(100, 100, size.Width(), size.Height()), info.HintStr, info.HintData);
  EXPECT_TRUE(platform::IsWindowUnicode(hint->WindowHandle()));
  EXPECT_EQ(WideGetWindowText(hint), u"Głębokość ώρας");
  // Showing the hint keeps the rectangle measured for it.
  EXPECT_EQ(hint->Width(), size.Width());
  EXPECT_EQ(hint->Height(), size.Height());
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(hint->WindowHandle(), "wide_hint_window.png"));
  // The short part in the hint's font and colours, inside its frame.
  const QImage shown = platform::ui::Grab(hint->WindowHandle());
  EXPECT_TRUE(
      golden::MatchesDrawing(shown, QPoint(0, 0), hint->ClientRect(), [&](platform::TCanvas& C, platform::TRect R) {
        C.Brush().SetColor(platform::clInfoBk);
        C.FillRect(R);
        C.Brush().SetColor(platform::clBlack);
        C.FrameRect(R);
        C.Font().Assign(&hint->Font());
        C.Font().SetColor(platform::Screen->HintFont().Color());
        C.Brush().SetStyle(platform::bsClear);
        R.left += 2;
        R.top += 2;
        const std::u16string text = u"Głębokość ώρας";
        platform::DrawTextW(C.Handle(), text.c_str(), -1, &R, platform::DT_NOPREFIX | platform::DT_WORDBREAK);
      }));

  // A new text outside showing fits the window to it, 6 pixels over its
  // width and its height.
  const std::u16string longer = u"Ταχύτητα ώρας, Łódź";
  platform::TBitmap measure;
  measure.Canvas().Font().Assign(&hint->Font());
  const platform::SIZE extent = WideCanvasTextExtent(measure.Canvas(), longer);
  ASSERT_GT(extent.cx + 6, size.Width());
  WideSetWindowText(hint, longer);
  EXPECT_EQ(hint->Width(), extent.cx + 6);
  EXPECT_EQ(hint->Height(), extent.cy + 6);
  platform::Free(hint);
}

TEST_F(HintWindow, ARecordThatIsNotWideIsShownAsTheClassLibraryShowsIt) {
  auto* hint = new TWtxCustomHintWindow(Form);
  hint->ActivateHintData(platform::Bounds(0, 0, 80, 20), "plain", nullptr);
  EXPECT_EQ(WideGetWindowText(hint), u"plain");
  platform::Free(hint);
}

TEST_F(HintWindow, TheShortcutOfTheControlsActionShowsBesideTheWideHint) {
  platform::TAction action(nullptr);
  action.ShortCut = platform::ShortCut('S', platform::ssCtrl);
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetAction(&action);
  window->SetHint(u"Głębokość|Long part");
  window->Handle();
  const auto show = [&] {
    platform::THintInfo info;
    info.HintControl = window;
    info.HintWindowClass = &platform::THintWindowPlainClass;
    window->Perform(platform::CM_HINTSHOW, 0, reinterpret_cast<platform::LPARAM>(&info));
    return info;
  };
  const platform::THintInfo info = show();
  EXPECT_EQ(info.HintStr, "G??boko?? (Ctrl+S)");
  auto* hint = static_cast<TWtxCustomHintWindow*>(info.HintWindowClass->Create(Form));
  hint->ActivateHintData(hint->CalcHintRect(400, info.HintStr, info.HintData), info.HintStr, info.HintData);
  EXPECT_EQ(WideGetWindowText(hint), u"Głębokość (Ctrl+S)");

  platform::Application->HintShortCuts = false;
  EXPECT_EQ(show().HintStr, "G??boko??");
  platform::Application->HintShortCuts = true;
  window->SetAction(nullptr);
  platform::Free(hint);
}

}  // namespace
}  // namespace widetext::testing
