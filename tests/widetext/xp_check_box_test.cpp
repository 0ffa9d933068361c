#include "widetext/custom_drawn/xp_check_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/xp_fixture.h"
#include "widetext/custom_drawn/gradients.h"

namespace {

using namespace platform;
using widetext::TxpCheckBox;

class XpCheckBoxTest : public xpfixture::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Form->Font().SetHeight(-13);
    Box = new TxpCheckBox(Form);
    Box->SetBounds(20, 30, 97, 17);
    Box->SetParent(Form);
    Box->SetCaption(u"Auto");
    Box->OnClick = [this](TObject*) { ++Clicks; };
    // The caption's extent in the form's font.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas().Font().Assign(&Form->Font());
    Cx = widetext::WideTextWidth(scratch.Canvas().Handle(), u"Auto");
    Cy = widetext::WideTextHeight(scratch.Canvas().Handle(), u"Auto");
  }
  // Painting sizes the box to its caption; the second look shows it so.
  QImage Look() {
    ShownFormTest::Look(Box);
    return ShownFormTest::Look(Box);
  }

  TxpCheckBox* Box = nullptr;
  int Clicks = 0;
  int Cx = 0;
  int Cy = 0;
};

TEST_F(XpCheckBoxTest, ANewCheckBoxHasTheDefaultsOfItsKind) {
  TxpCheckBox fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 97);
  EXPECT_EQ(fresh.Height(), 17);
  EXPECT_EQ(fresh.Caption(), u"Checkbox");
  EXPECT_TRUE(fresh.TabStop());
  EXPECT_TRUE(fresh.Autosize());
  EXPECT_FALSE(fresh.Checked());
  EXPECT_EQ(fresh.Alignment(), widetext::cbaRight);
  EXPECT_EQ(fresh.Color(), clBtnFace);
  EXPECT_EQ(fresh.MarkColor(), clGreen);
  EXPECT_EQ(fresh.SquareColor(), clWindow);
  EXPECT_FALSE(fresh.CustomColor());
}

TEST_F(XpCheckBoxTest, ItSizesItselfToItsCaptionKeepingTheEdgeOnTheSquaresSide) {
  const int box = Cy;
  const QImage image = Look();
  EXPECT_EQ(Box->Height(), 2 + Cy);
  EXPECT_EQ(Box->Width(), 2 + Cx + box / 4 + box);
  EXPECT_EQ(Box->Left(), 20);
  EXPECT_EQ(image.height(), 2 + Cy);

  Box->SetAlignment(widetext::cbaLeft);
  Box->SetCaption(u"Automatic");
  Look();
  EXPECT_EQ(Box->Left() + Box->Width(), 20 + 2 + Cx + box / 4 + box);
  EXPECT_GT(Box->Width(), 2 + Cx + box / 4 + box);
}

TEST_F(XpCheckBoxTest, TheSquareAndTheMarkInEachState) {
  const int box = Cy;
  const int mid = 1 + box / 2;
  QImage image = Look();
  EXPECT_EQ(At(image, 0, 0), Rgb(clBtnFace));
  EXPECT_EQ(At(image, 1, mid), Rgb(clBtnText));
  EXPECT_EQ(At(image, box, mid), Rgb(clBtnText));
  EXPECT_EQ(At(image, mid, 1), Rgb(clBtnText));
  EXPECT_EQ(At(image, mid, mid), Rgb(clWindow));
  EXPECT_EQ(At(image, box + 1, mid), Rgb(clBtnFace));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_normal"));

  Send(Box, WM_MOUSEMOVE, 0, 3, 3);
  ASSERT_TRUE(Box->Hot());
  image = Look();
  EXPECT_EQ(At(image, mid, mid), static_cast<COLORREF>(widetext::BlendColors(clWindow, RGB(255, 255, 0), 80)));
  Send(Box, WM_MOUSELEAVE);
  EXPECT_FALSE(Box->Hot());

  Box->SetChecked(true);
  Box->SetFocus();
  ASSERT_TRUE(Box->IsFocused());
  image = Look();
  // The mark's three corners.
  EXPECT_EQ(At(image, 1 + 4, 1 + box / 2), Rgb(clWindowText));
  EXPECT_EQ(At(image, 1 + box / 3, 1 + box - 5), Rgb(clWindowText));
  EXPECT_EQ(At(image, 1 + box - 5, 1 + 4), Rgb(clWindowText));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_checked_focused"));

  Box->SetEnabled(false);
  image = Look();
  EXPECT_EQ(At(image, 1, mid), Rgb(clBtnShadow));
  EXPECT_EQ(At(image, 1 + box - 2, 2), Rgb(clBtnFace));
  EXPECT_EQ(At(image, 1 + box / 3, 1 + box - 5), Rgb(clGrayText));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_disabled"));
}

TEST_F(XpCheckBoxTest, OwnColoursCountOnlyWithCustomColor) {
  const int box = Cy;
  const int mid = 1 + box / 2;
  const COLORREF square = RGB(255, 240, 200), back = RGB(30, 60, 90);
  Box->SetChecked(true);
  Box->SetMarkColor(clRed);
  Box->SetSquareColor(static_cast<TColor>(square));
  QImage image = Look();
  EXPECT_EQ(At(image, 1 + box / 3, 1 + box - 5), Rgb(clWindowText));
  EXPECT_EQ(At(image, 2, 2), Rgb(clWindow));

  Box->SetCustomColor(true);
  Box->SetColor(static_cast<TColor>(back));
  Box->DrawFont().SetColor(clWhite);
  Box->SetAlignment(widetext::cbaLeft);
  image = Look();
  const int left = Box->Width() - box - 1;
  EXPECT_EQ(At(image, 0, 0), back);
  EXPECT_EQ(At(image, left + 1, 2), square);
  EXPECT_EQ(At(image, left, mid), RGB(255, 255, 255));  // the frame in the font colour
  EXPECT_EQ(At(image, left + box / 3, 1 + box - 5), Rgb(clRed));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_custom_left"));

  Box->SetEnabled(false);
  image = Look();
  EXPECT_EQ(At(image, left + 1, 2), static_cast<COLORREF>(widetext::BlendColors(square, clBtnFace, 50)));
  EXPECT_EQ(At(image, left + box / 3, 1 + box - 5), static_cast<COLORREF>(widetext::BlendColors(clRed, clGray, 90)));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_custom_disabled"));
}

TEST_F(XpCheckBoxTest, TheUserTogglesItAndCodeDoesNotClick) {
  Box->SetChecked(true);
  Box->SetChecked(false);
  EXPECT_EQ(Clicks, 0);

  Send(Box, WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
  EXPECT_TRUE(Box->Pressed());
  EXPECT_TRUE(Box->IsFocused());
  EXPECT_FALSE(Box->Checked());
  Send(Box, WM_LBUTTONUP, 0, 3, 3);
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Clicks, 1);

  for (const WPARAM key : {VK_SPACE, VK_RETURN}) {
    Send(Box, WM_KEYDOWN, key);
    Send(Box, WM_KEYDOWN, key);  // held: repeats press nothing more
    Send(Box, WM_KEYUP, key);
  }
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Clicks, 3);

  Send(Box, WM_RBUTTONDOWN, MK_RBUTTON, 3, 3);
  Send(Box, WM_RBUTTONUP, 0, 3, 3);
  Send(Box, WM_LBUTTONDBLCLK, MK_LBUTTON, 3, 3);
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 4);
}

TEST_F(XpCheckBoxTest, TheAcceleratorTogglesOnlyABoxTheUserCanUse) {
  Box->SetCaption(u"&Auto");
  Form->SetFocus();
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'a', 0), 1);
  EXPECT_TRUE(Box->Checked());
  EXPECT_TRUE(Box->IsFocused());
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, 'u', 0), 0);
  Box->SetEnabled(false);
  Form->Perform(CM_DIALOGCHAR, 'a', 0);
  Box->SetEnabled(true);
  Box->Hide();
  Form->Perform(CM_DIALOGCHAR, 'a', 0);
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(XpCheckBoxTest, EnterAndLeaveEvents) {
  std::vector<std::string> events;
  Box->OnMouseEnter = [&](TObject*) { events.push_back("mouse enter"); };
  Box->OnMouseLeave = [&](TObject*) { events.push_back("mouse leave"); };
  Send(Box, WM_MOUSEMOVE, 0, 3, 3);
  Send(Box, WM_MOUSELEAVE);
  // Focus entry falls back to the mouse events while OnEnter and OnExit
  // are not set.
  Box->Perform(CM_ENTER, 0, 0);
  Box->Perform(CM_EXIT, 0, 0);
  Box->OnEnter = [&](TObject*) { events.push_back("enter"); };
  Box->OnExit = [&](TObject*) { events.push_back("exit"); };
  Box->Perform(CM_ENTER, 0, 0);
  Box->Perform(CM_EXIT, 0, 0);
  EXPECT_EQ(events,
            (std::vector<std::string>{"mouse enter", "mouse leave", "mouse enter", "mouse leave", "enter", "exit"}));
}

TEST_F(XpCheckBoxTest, TheCaptionFontFollowsTheForm) {
  Form->Font().SetHeight(-20);
  EXPECT_EQ(Box->DrawFont().Height(), -20);
  TFont own;
  own.SetHeight(-9);
  Box->SetFont(own);
  EXPECT_EQ(Box->DrawFont().Height(), -9);
}

}  // namespace
