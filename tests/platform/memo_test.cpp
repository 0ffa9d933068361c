#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextOption>

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class MemoTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    memo_ = new TMemo(form_);
    memo_->SetParent(form_);
    memo_->SetBounds(10, 10, 200, 100);
    form_->Show();
    memo_->SetText("$SDDPT,3.4,0.5*64\r\n$SDDBT,11.2,f,3.4,M,1.9,F*0A");
  }
  // The widget that shows the memo now (a new window gives a new one).
  QPlainTextEdit* Shown() const { return qobject_cast<QPlainTextEdit*>(ui::WidgetOf(memo_->Handle())); }
  TMemo* memo_ = nullptr;
};

TEST_F(MemoTest, LayoutPropertiesSetOnAShownMemoReachTheScreenAndKeepTheText) {
  const std::string text = memo_->Text();
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(Shown()->lineWrapMode(), QPlainTextEdit::WidgetWidth);

  memo_->SetScrollBars(ssBoth);
  EXPECT_EQ(Shown()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(Shown()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  memo_->SetScrollBars(ssVertical);
  EXPECT_EQ(Shown()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

  memo_->SetWordWrap(false);
  EXPECT_EQ(Shown()->lineWrapMode(), QPlainTextEdit::NoWrap);
  memo_->SetAlignment(taRightJustify);
  EXPECT_EQ(Shown()->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(memo_->Text(), text);
  EXPECT_EQ(memo_->Lines().Count(), 2);
}

TEST_F(MemoTest, WithoutWantReturnsEnterPressesTheDefaultButton) {
  auto* ok = new TButton(form_);
  ok->SetParent(form_);
  ok->SetBounds(10, 120, 80, 24);
  ok->SetDefault(true);
  int presses = 0;
  ok->OnClick = [&](TObject*) { ++presses; };
  memo_->SetFocus();
  memo_->SetSelStart(0);
  PostKeyDown(memo_->Handle(), WM_KEYDOWN, VK_RETURN, 1, u"\r");
  Application->ProcessMessages();
  EXPECT_EQ(memo_->Lines().Count(), 3);
  EXPECT_EQ(presses, 0);

  memo_->SetWantReturns(false);
  PostKeyDown(memo_->Handle(), WM_KEYDOWN, VK_RETURN, 1, u"\r");
  Application->ProcessMessages();
  EXPECT_EQ(memo_->Lines().Count(), 3);
  EXPECT_EQ(presses, 1);
}

TEST_F(MemoTest, ABorderedMemoDrawsItsFrameAndScrollBars) {
  memo_->SetScrollBars(ssVertical);
  memo_->SetColor(clWhite);
  Application->ProcessMessages();
  ASSERT_TRUE(ui::SaveWindowImage(form_->Handle(), "memo_frame.png"));
  const QImage image = ui::Grab(form_->Handle());
  // The frame sets the memo's edge apart from its white inside; the scroll
  // bar takes its right side.
  const QColor edge = image.pixelColor(memo_->Left(), memo_->Top() + 50);
  const QColor inside = image.pixelColor(memo_->Left() + 60, memo_->Top() + 80);
  EXPECT_EQ(inside, QColor(Qt::white));
  EXPECT_NE(edge, inside);
  EXPECT_TRUE(Shown()->verticalScrollBar()->isVisible());

  memo_->BorderStyle = bsNoBorder;
  memo_->RecreateWnd();
  Application->ProcessMessages();
  const QImage plain = ui::Grab(form_->Handle());
  EXPECT_EQ(plain.pixelColor(memo_->Left(), memo_->Top() + 50), QColor(Qt::white));
}

}  // namespace
