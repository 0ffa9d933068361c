// The message dialog: its size and the places of its lines, buttons and
// check box worked out from the measures of the text, the captions of its
// modes, and the answers the user gives it (Yes, Escape, closing).

#include <gtest/gtest.h>

#include <QWidget>

#include <functional>

#include "app/dialog_form.h"
#include "app/dialog_layout.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/app/app_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/custom_drawn/xp_check_box.h"

namespace {

using apptest::AppTest;

TEST(DialogLayoutTest, ThreeLinesOfSixteenPixelsMakeAHundredAndSixPixelDialog) {
  const app::TDialogLayout layout = app::LayOutDialog({.WidestLine = 300, .LineCount = 3, .LineHeight = 16});
  EXPECT_EQ(layout.ClientHeight, 106);
  EXPECT_EQ(layout.ClientWidth, 310);
  // Too narrow for two buttons: the buttons set the width.
  EXPECT_EQ(app::LayOutDialog({.WidestLine = 100, .LineCount = 1, .LineHeight = 16}).ClientWidth, 225);
  EXPECT_EQ(app::LayOutDialog({.WidestLine = 60, .LineCount = 1, .LineHeight = 16, .Single = true}).ClientWidth, 115);
  EXPECT_EQ(app::DialogLineTop(0, 16, 1.3f, 5), 5);
  EXPECT_EQ(app::DialogLineTop(1, 16, 1.3f, 5), 26);
  EXPECT_EQ(app::DialogLineTop(2, 16, 1.3f, 5), 47);
  // The pitch is taken from the single-precision factor: 5 x 0.29999995
  // rounds down where 5 x 0.3 would round to the even 2.
  EXPECT_EQ(app::LayOutDialog({.WidestLine = 300, .LineCount = 2, .LineHeight = 5}).ClientHeight, 1 + 33 + 15 + 10);
}

TEST(DialogLayoutTest, AWideMessageTakesTheWholeWidthAndOneLineIsCentred) {
  for (const int widest : {410, 411, 600}) {
    EXPECT_EQ(app::LayOutDialog({.WidestLine = widest, .LineCount = 2, .LineHeight = 16}).ClientWidth, 420) << widest;
  }
  EXPECT_EQ(app::LayOutDialog({.WidestLine = 409, .LineCount = 2, .LineHeight = 16}).ClientWidth, 419);
  EXPECT_EQ(app::DialogLineLeft(300, 101, 1, 5), 99);
  EXPECT_EQ(app::DialogLineLeft(300, 101, 2, 5), 5);
  // No message: the buttons alone.
  EXPECT_EQ(app::LayOutDialog({.WidestLine = 0, .LineCount = 0, .LineHeight = 0}).ClientHeight, 48);
}

TEST(DialogLayoutTest, ButtonsAndCheckBoxSitAtTheBottom) {
  const app::TDialogLayout two = app::LayOutDialog({.WidestLine = 300, .LineCount = 2, .LineHeight = 16});
  EXPECT_EQ(two.ClientWidth, 310);
  EXPECT_EQ(two.OkTop, two.ClientHeight - 5 - 33);
  EXPECT_EQ(two.OkLeft, (310 - 210 - 5) / 2);
  EXPECT_EQ(two.CancelLeft, two.OkLeft + 110);

  const app::TDialogLayout single =
      app::LayOutDialog({.WidestLine = 300, .LineCount = 2, .LineHeight = 16, .Single = true, .CheckBox = true});
  EXPECT_EQ(single.ClientHeight, 5 * 1 + 33 + 33 + 15 + 32);
  EXPECT_EQ(single.OkTop, single.ClientHeight - 33 - 33);
  EXPECT_EQ(single.OkLeft, (310 - 105) / 2);
  EXPECT_EQ(single.CheckLeft, 5);
  EXPECT_EQ(single.CheckTop, single.ClientHeight - 5 - 18);
  EXPECT_EQ(app::LayOutDialog({.WidestLine = 300, .LineCount = 2, .LineHeight = 16, .CheckBox = true}).CheckLeft,
            two.OkLeft);
}

class DialogFormTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    MakeMainForm();
    Dialog = app::DialogForm;
  }
  void TearDown() override {
    platform::Application->OnMessage = {};
    AppTest::TearDown();
  }
  // Asks for real; Act runs inside the dialog's own message loop once it
  // is on the screen.
  bool AskAndThen(int Mode, const std::function<void()>& Act) {
    constexpr platform::UINT kAct = platform::WM_APP + 17;
    platform::Application->OnMessage = [&](platform::MSG& Msg, bool& Handled) {
      if (Msg.message != kAct) return;
      Handled = true;
      Act();
    };
    platform::PostMessage(Dialog->Handle(), kAct, 0, 0);
    return Dialog->ShowDialog(u"Attention!", u"Are you sure to delete the coefficient list?", Mode, false);
  }
  app::TDialogForm* Dialog = nullptr;
};

TEST_F(DialogFormTest, EachModeShowsItsButtons) {
  app::TDialogForm::SetAnswerHandler([](const std::u16string&, const std::u16string&, int) { return true; });
  ASSERT_TRUE(Dialog->ShowDialog(u"T", u"M", 1, false));
  EXPECT_EQ(Dialog->ButOK->Caption(), u"Yes");
  EXPECT_EQ(Dialog->ButCancel->Caption(), u"Cancel");
  EXPECT_TRUE(Dialog->ButCancel->Visible());
  Dialog->ShowDialog(u"T", u"M", 2, false);
  EXPECT_EQ(Dialog->ButCancel->Caption(), u"No");
  EXPECT_EQ(Dialog->GetCaption(), u" T");
  for (const int other : {0, 3, -1}) {
    Dialog->ShowDialog(u"T", u"M", other, false);
    EXPECT_EQ(Dialog->Mode, 0);
    EXPECT_EQ(Dialog->ButOK->Caption(), u"Ok");
    EXPECT_FALSE(Dialog->ButCancel->Visible());
    EXPECT_EQ(Dialog->ButOK->Left(), (Dialog->ClientWidth() - 105) / 2);
  }
  Dialog->TextYes = u"Sì";
  Dialog->ShowDialog(u"T", u"M", 2, false);
  EXPECT_EQ(Dialog->ButOK->Caption(), u"Sì");
}

// Its frame has the system menu's close button and nothing to maximise or
// minimise, as the window owned by the main window that it is.
TEST_F(DialogFormTest, ItsFrameHoldsOnlyTheSystemMenu) {
  ShowMainForm();
  app::TDialogForm::SetAnswerHandler([](const std::u16string&, const std::u16string&, int) { return true; });
  Dialog->ShowDialog(u"T", u"M", 2, false);
  const auto style = static_cast<platform::DWORD>(platform::GetWindowLong(Dialog->Handle(), platform::GWL_STYLE));
  EXPECT_EQ(
      style & (platform::WS_SYSMENU | platform::WS_MINIMIZEBOX | platform::WS_MAXIMIZEBOX | platform::WS_THICKFRAME),
      platform::WS_SYSMENU);
  const QWidget* shown = platform::ui::WidgetOf(Dialog->Handle());
  EXPECT_EQ(shown->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint),
            Qt::WindowCloseButtonHint);
  EXPECT_EQ(shown->minimumSize(), shown->maximumSize());
}

TEST_F(DialogFormTest, TheDialogFitsItsMessageAndCentresOverTheMainWindow) {
  ShowMainForm();
  app::TDialogForm::SetAnswerHandler([](const std::u16string&, const std::u16string&, int) { return false; });
  Dialog->ShowDialog(u"Attention!", u"Short", 2, false);
  ASSERT_EQ(Dialog->Lines.size(), 1u);
  EXPECT_EQ(Dialog->ClientWidth(), 225);
  const int oneLine = Dialog->ClientHeight();
  EXPECT_EQ(Dialog->ButOK->Top(), oneLine - 5 - 33);

  std::u16string longer;
  for (int i = 0; i < 40; ++i) longer += u"calibration ";
  Dialog->ShowDialog(u"Attention!", longer, 2, true);
  EXPECT_GT(Dialog->Lines.size(), 2u);
  EXPECT_LE(Dialog->ClientWidth(), 420);
  EXPECT_GT(Dialog->ClientHeight(), oneLine);
  EXPECT_TRUE(Dialog->ChkBox->Visible());
  EXPECT_EQ(Dialog->ChkBox->Left(), Dialog->ButOK->Left());

  const platform::TRect main = Form->BoundsRect();
  const platform::TRect box = Dialog->BoundsRect();
  EXPECT_NEAR((box.left + box.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, (main.top + main.bottom) / 2, 1);
}

TEST_F(DialogFormTest, YesAnswersTrueAndEscapeOrClosingAnswerFalse) {
  ShowMainForm();
  EXPECT_TRUE(AskAndThen(2, [&] {
    EXPECT_TRUE(platform::ui::SaveWindowImage(Dialog->Handle(), "message_dialog.png"));
    Dialog->ButOK->Click();
  }));
  // Escape released over the focused button reaches the dialog first.
  EXPECT_FALSE(AskAndThen(
      2, [&] { platform::PostMessage(Dialog->ButCancel->Handle(), platform::WM_KEYUP, platform::VK_ESCAPE, 0); }));
  EXPECT_FALSE(AskAndThen(1, [&] { platform::PostMessage(Dialog->Handle(), platform::WM_CLOSE, 0, 0); }));
  EXPECT_FALSE(Dialog->Visible());
}

}  // namespace
