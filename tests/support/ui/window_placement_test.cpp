#include "support/ui/window_placement.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/forms.h"

namespace {

using namespace platform;

TEST(CenterOverMainForm, CentresOverTheMainWindowAndStaysInTheWorkArea) {
  InitializeApplication();
  auto* main = new TForm(nullptr, TCustomForm::CreateNew);
  const RECT area = GetWorkArea();
  main->SetBounds(area.left + 10, area.top + 10, 400, 300);
  Application->SetMainForm(main);

  std::int32_t left = 0, top = 0;
  support::CenterOverMainForm(left, top, 200, 100);
  EXPECT_EQ(left, area.left + 10 + 100);
  EXPECT_EQ(top, area.top + 10 + 100);

  // Taller and wider than the work area, over a main window in the middle:
  // top and right edges.
  main->SetBounds(area.left + (area.Width() - 400) / 2, area.top + (area.Height() - 300) / 2, 400, 300);
  support::CenterOverMainForm(left, top, area.Width() + 50, area.Height() + 40);
  EXPECT_EQ(top, area.top);
  EXPECT_EQ(left, area.right - (area.Width() + 50));

  // Near the bottom right corner, pulled back in.
  main->SetBounds(area.right - 100, area.bottom - 50, 200, 100);
  support::CenterOverMainForm(left, top, 300, 200);
  EXPECT_EQ(left + 300, area.right);
  EXPECT_EQ(top + 200, area.bottom);

  Application->SetMainForm(nullptr);
  Free(main);
}

TEST(SetWindowStayOnTop, MovesTheWindowInAndOutOfTheTopmostBand) {
  InitializeApplication();
  auto* form = new TForm(nullptr, TCustomForm::CreateNew);
  const HWND h = form->Handle();
  support::SetWindowStayOnTop(h, true);
  EXPECT_TRUE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  support::SetWindowStayOnTop(h, false);
  EXPECT_FALSE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Free(form);
}

}  // namespace
