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
    form_->Font().SetHeight(-13);
    box_ = new TxpCheckBox(form_);
    box_->SetBounds(20, 30, 97, 17);
    box_->SetParent(form_);
    box_->SetCaption(u"Auto");
    box_->OnClick = [this](TObject*) { ++clicks_; };
    // The caption's extent in the form's font.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas().Font().Assign(&form_->Font());
    cx_ = widetext::WideTextWidth(scratch.Canvas().Handle(), u"Auto");
    cy_ = widetext::WideTextHeight(scratch.Canvas().Handle(), u"Auto");
  }
  // Painting sizes the box to its caption; the second look shows it so.
  QImage Look() {
    ShownFormTest::Look(box_);
    return ShownFormTest::Look(box_);
  }

  TxpCheckBox* box_ = nullptr;
  int clicks_ = 0;
  int cx_ = 0;
  int cy_ = 0;
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
  const int box = cy_;
  const QImage image = Look();
  EXPECT_EQ(box_->Height(), 2 + cy_);
  EXPECT_EQ(box_->Width(), 2 + cx_ + box / 4 + box);
  EXPECT_EQ(box_->Left(), 20);
  EXPECT_EQ(image.height(), 2 + cy_);

  box_->SetAlignment(widetext::cbaLeft);
  box_->SetCaption(u"Automatic");
  Look();
  EXPECT_EQ(box_->Left() + box_->Width(), 20 + 2 + cx_ + box / 4 + box);
  EXPECT_GT(box_->Width(), 2 + cx_ + box / 4 + box);
}

TEST_F(XpCheckBoxTest, TheSquareAndTheMarkInEachState) {
  const int box = cy_;
  const int mid = 1 + box / 2;
  QImage image = Look();
  EXPECT_EQ(At(image, 0, 0), Rgb(clBtnFace));
  EXPECT_EQ(At(image, 1, mid), Rgb(clBtnText));
  EXPECT_EQ(At(image, box, mid), Rgb(clBtnText));
  EXPECT_EQ(At(image, mid, 1), Rgb(clBtnText));
  EXPECT_EQ(At(image, mid, mid), Rgb(clWindow));
  EXPECT_EQ(At(image, box + 1, mid), Rgb(clBtnFace));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_normal"));

  Send(box_, WM_MOUSEMOVE, 0, 3, 3);
  ASSERT_TRUE(box_->Hot());
  image = Look();
  EXPECT_EQ(At(image, mid, mid), static_cast<COLORREF>(widetext::BlendColors(clWindow, RGB(255, 255, 0), 80)));
  Send(box_, WM_MOUSELEAVE);
  EXPECT_FALSE(box_->Hot());

  box_->SetChecked(true);
  box_->SetFocus();
  ASSERT_TRUE(box_->IsFocused());
  image = Look();
  // The mark's three corners.
  EXPECT_EQ(At(image, 1 + 4, 1 + box / 2), Rgb(clWindowText));
  EXPECT_EQ(At(image, 1 + box / 3, 1 + box - 5), Rgb(clWindowText));
  EXPECT_EQ(At(image, 1 + box - 5, 1 + 4), Rgb(clWindowText));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_checked_focused"));

  box_->SetEnabled(false);
  image = Look();
  EXPECT_EQ(At(image, 1, mid), Rgb(clBtnShadow));
  EXPECT_EQ(At(image, 1 + box - 2, 2), Rgb(clBtnFace));
  EXPECT_EQ(At(image, 1 + box / 3, 1 + box - 5), Rgb(clGrayText));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_disabled"));
}

TEST_F(XpCheckBoxTest, OwnColoursCountOnlyWithCustomColor) {
  const int box = cy_;
  const int mid = 1 + box / 2;
  const COLORREF square = RGB(255, 240, 200), back = RGB(30, 60, 90);
  box_->SetChecked(true);
  box_->SetMarkColor(clRed);
  box_->SetSquareColor(static_cast<TColor>(square));
  QImage image = Look();
  EXPECT_EQ(At(image, 1 + box / 3, 1 + box - 5), Rgb(clWindowText));
  EXPECT_EQ(At(image, 2, 2), Rgb(clWindow));

  box_->SetCustomColor(true);
  box_->SetColor(static_cast<TColor>(back));
  box_->DrawFont().SetColor(clWhite);
  box_->SetAlignment(widetext::cbaLeft);
  image = Look();
  const int left = box_->Width() - box - 1;
  EXPECT_EQ(At(image, 0, 0), back);
  EXPECT_EQ(At(image, left + 1, 2), square);
  EXPECT_EQ(At(image, left, mid), RGB(255, 255, 255));  // the frame in the font colour
  EXPECT_EQ(At(image, left + box / 3, 1 + box - 5), Rgb(clRed));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_custom_left"));

  box_->SetEnabled(false);
  image = Look();
  EXPECT_EQ(At(image, left + 1, 2), static_cast<COLORREF>(widetext::BlendColors(square, clBtnFace, 50)));
  EXPECT_EQ(At(image, left + box / 3, 1 + box - 5), static_cast<COLORREF>(widetext::BlendColors(clRed, clGray, 90)));
  EXPECT_TRUE(golden::MatchesGolden(image, "xp_check_box_custom_disabled"));
}

TEST_F(XpCheckBoxTest, TheUserTogglesItAndCodeDoesNotClick) {
  box_->SetChecked(true);
  box_->SetChecked(false);
  EXPECT_EQ(clicks_, 0);

  Send(box_, WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
  EXPECT_TRUE(box_->Pressed());
  EXPECT_TRUE(box_->IsFocused());
  EXPECT_FALSE(box_->Checked());
  Send(box_, WM_LBUTTONUP, 0, 3, 3);
  EXPECT_TRUE(box_->Checked());
  EXPECT_EQ(clicks_, 1);

  for (const WPARAM key : {VK_SPACE, VK_RETURN}) {
    Send(box_, WM_KEYDOWN, key);
    Send(box_, WM_KEYDOWN, key);  // held: repeats press nothing more
    Send(box_, WM_KEYUP, key);
  }
  EXPECT_TRUE(box_->Checked());
  EXPECT_EQ(clicks_, 3);

  Send(box_, WM_RBUTTONDOWN, MK_RBUTTON, 3, 3);
  Send(box_, WM_RBUTTONUP, 0, 3, 3);
  Send(box_, WM_LBUTTONDBLCLK, MK_LBUTTON, 3, 3);
  EXPECT_FALSE(box_->Checked());
  EXPECT_EQ(clicks_, 4);
}

TEST_F(XpCheckBoxTest, TheAcceleratorTogglesOnlyABoxTheUserCanUse) {
  box_->SetCaption(u"&Auto");
  form_->SetFocus();
  EXPECT_EQ(form_->Perform(CM_DIALOGCHAR, 'a', 0), 1);
  EXPECT_TRUE(box_->Checked());
  EXPECT_TRUE(box_->IsFocused());
  EXPECT_EQ(form_->Perform(CM_DIALOGCHAR, 'u', 0), 0);
  box_->SetEnabled(false);
  form_->Perform(CM_DIALOGCHAR, 'a', 0);
  box_->SetEnabled(true);
  box_->Hide();
  form_->Perform(CM_DIALOGCHAR, 'a', 0);
  EXPECT_TRUE(box_->Checked());
  EXPECT_EQ(clicks_, 1);
}

TEST_F(XpCheckBoxTest, EnterAndLeaveEvents) {
  std::vector<std::string> events;
  box_->OnMouseEnter = [&](TObject*) { events.push_back("mouse enter"); };
  box_->OnMouseLeave = [&](TObject*) { events.push_back("mouse leave"); };
  Send(box_, WM_MOUSEMOVE, 0, 3, 3);
  Send(box_, WM_MOUSELEAVE);
  // Focus entry falls back to the mouse events while OnEnter and OnExit
  // are not set.
  box_->Perform(CM_ENTER, 0, 0);
  box_->Perform(CM_EXIT, 0, 0);
  box_->OnEnter = [&](TObject*) { events.push_back("enter"); };
  box_->OnExit = [&](TObject*) { events.push_back("exit"); };
  box_->Perform(CM_ENTER, 0, 0);
  box_->Perform(CM_EXIT, 0, 0);
  EXPECT_EQ(events,
            (std::vector<std::string>{"mouse enter", "mouse leave", "mouse enter", "mouse leave", "enter", "exit"}));
}

TEST_F(XpCheckBoxTest, TheCaptionFontFollowsTheForm) {
  form_->Font().SetHeight(-20);
  EXPECT_EQ(box_->DrawFont().Height(), -20);
  TFont own;
  own.SetHeight(-9);
  box_->SetFont(own);
  EXPECT_EQ(box_->DrawFont().Height(), -9);
}

}  // namespace
