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
    Memo = new TMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(10, 10, 200, 100);
    Form->Show();
    Memo->SetText("$SDDPT,3.4,0.5*64\r\n$SDDBT,11.2,f,3.4,M,1.9,F*0A");
  }
  // The widget that shows the memo now (a new window gives a new one).
  QPlainTextEdit* Shown() const { return qobject_cast<QPlainTextEdit*>(ui::WidgetOf(Memo->Handle())); }
  TMemo* Memo = nullptr;
};

TEST_F(MemoTest, LayoutPropertiesSetOnAShownMemoReachTheScreenAndKeepTheText) {
  const std::string text = Memo->Text();
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(Shown()->lineWrapMode(), QPlainTextEdit::WidgetWidth);

  Memo->SetScrollBars(ssBoth);
  EXPECT_EQ(Shown()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(Shown()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  Memo->SetScrollBars(ssVertical);
  EXPECT_EQ(Shown()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

  Memo->SetWordWrap(false);
  EXPECT_EQ(Shown()->lineWrapMode(), QPlainTextEdit::NoWrap);
  Memo->SetAlignment(taRightJustify);
  EXPECT_EQ(Shown()->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(Memo->Text(), text);
  EXPECT_EQ(Memo->Lines().Count(), 2);
}

TEST_F(MemoTest, WithoutWantReturnsEnterPressesTheDefaultButton) {
  auto* ok = new TButton(Form);
  ok->SetParent(Form);
  ok->SetBounds(10, 120, 80, 24);
  ok->SetDefault(true);
  int presses = 0;
  ok->OnClick = [&](TObject*) { ++presses; };
  Memo->SetFocus();
  Memo->SetSelStart(0);
  PostKeyDown(Memo->Handle(), WM_KEYDOWN, VK_RETURN, 1, u"\r");
  Application->ProcessMessages();
  EXPECT_EQ(Memo->Lines().Count(), 3);
  EXPECT_EQ(presses, 0);

  Memo->SetWantReturns(false);
  PostKeyDown(Memo->Handle(), WM_KEYDOWN, VK_RETURN, 1, u"\r");
  Application->ProcessMessages();
  EXPECT_EQ(Memo->Lines().Count(), 3);
  EXPECT_EQ(presses, 1);
}

TEST_F(MemoTest, ABorderedMemoDrawsItsFrameAndScrollBars) {
  Memo->SetScrollBars(ssVertical);
  Memo->SetColor(clWhite);
  Application->ProcessMessages();
  ASSERT_TRUE(ui::SaveWindowImage(Form->Handle(), "memo_frame.png"));
  const QImage image = ui::Grab(Form->Handle());
  // The frame sets the memo's edge apart from its white inside; the scroll
  // bar takes its right side.
  const QColor edge = image.pixelColor(Memo->Left(), Memo->Top() + 50);
  const QColor inside = image.pixelColor(Memo->Left() + 60, Memo->Top() + 80);
  EXPECT_EQ(inside, QColor(Qt::white));
  EXPECT_NE(edge, inside);
  EXPECT_TRUE(Shown()->verticalScrollBar()->isVisible());

  Memo->BorderStyle = bsNoBorder;
  Memo->RecreateWnd();
  Application->ProcessMessages();
  const QImage plain = ui::Grab(Form->Handle());
  EXPECT_EQ(plain.pixelColor(Memo->Left(), Memo->Top() + 50), QColor(Qt::white));
}

}  // namespace
