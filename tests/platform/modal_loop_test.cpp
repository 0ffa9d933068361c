#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// While Qt runs a modal loop of its own (a message box, a file dialog, a
// popup menu), the user-interface queue keeps running: posted work, timers
// and posted window messages are handled inside it.
class ModalLoopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void SetUp() override { g_timerTicks = 0; }
  void TearDown() override { Application->ProcessMessages(); }

  // Queues work of every kind that, once all of it has run, calls CloseLoop.
  // The modal loop is open when the work runs, so it closes that loop.
  void QueueWork(std::function<void()> CloseLoop) {
    Close = std::move(CloseLoop);
    RunOnUiThread([this] {
      PostedRan = true;
      ClosedWhenDone();
    });
    Timer = SetTimer(nullptr, 0, 10, &Tick);
    Guard = std::make_unique<QTimer>();
    Guard->setSingleShot(true);
    QObject::connect(Guard.get(), &QTimer::timeout, [this] { Close(); });
    Guard->start(5000);
    self_ = this;
  }
  static void Tick(HWND, UINT, std::uintptr_t, DWORD) {
    ++g_timerTicks;
    self_->ClosedWhenDone();
  }
  void ClosedWhenDone() {
    if (!PostedRan || g_timerTicks == 0) return;
    KillTimer(nullptr, Timer);
    Guard->stop();
    Close();
  }

  static inline int g_timerTicks = 0;
  static inline ModalLoopTest* self_ = nullptr;
  bool PostedRan = false;
  std::uintptr_t Timer = 0;
  std::unique_ptr<QTimer> Guard;
  std::function<void()> Close;
};

TEST_F(ModalLoopTest, PostedWorkAndTimersRunWhileAPopupMenuIsOpen) {
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  item->SetCaption("Item");
  menu.Items()->Add(item);
  QueueWork([] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  menu.Popup(40, 40);
  EXPECT_TRUE(PostedRan);
  EXPECT_GE(g_timerTicks, 1);
}

TEST_F(ModalLoopTest, PostedWorkAndTimersRunWhileAMessageBoxIsOpen) {
  QMessageBox box;
  box.setText(QStringLiteral("Busy"));
  QueueWork([&box] { box.done(QMessageBox::Ok); });
  box.exec();
  EXPECT_TRUE(PostedRan);
  EXPECT_GE(g_timerTicks, 1);
}

// A modal loop opened by work the queue runs inside another modal loop
// keeps the queue running as well.
TEST_F(ModalLoopTest, TheQueueRunsInsideNestedModalLoops) {
  QMessageBox outer;
  outer.setText(QStringLiteral("Outer"));
  bool innerDone = false;
  RunOnUiThread([&] {
    QMessageBox inner;
    inner.setText(QStringLiteral("Inner"));
    QueueWork([&inner] { inner.done(QMessageBox::Ok); });
    inner.exec();
    innerDone = true;
    outer.done(QMessageBox::Ok);
  });
  QTimer::singleShot(5000, &outer, [&outer] { outer.done(QMessageBox::Cancel); });
  outer.exec();
  EXPECT_TRUE(innerDone);
  EXPECT_TRUE(PostedRan);
}

// A quit request ends Qt's modal loops as it ends the window system's own:
// the popup or dialog closes as if cancelled, and the request stays queued
// for the program's loop.
TEST_F(ModalLoopTest, AQuitRequestClosesTheDialogAndStaysQueued) {
  QMessageBox box;
  box.setText(QStringLiteral("Busy"));
  box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  RunOnUiThread([] { PostQuitMessage(3); });
  QTimer::singleShot(5000, &box, [&box] { box.done(QMessageBox::Ok); });
  EXPECT_EQ(box.exec(), QMessageBox::Cancel);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

// A main window, a dialog it runs modally, and a question the dialog makes
// and runs modally in turn: while the question is up, neither the dialog
// nor the main window takes a click or a key, though only the main window
// is the question's owner and only the dialog was enabled when it opened.
// Once the question is answered the dialog takes input again; the main
// window waits until the dialog closes.
class NestedModalTest : public fixture::FormTest {
 protected:
  using Pad = fixture::MouseLogging<TCustomControl>;

  // A control on Owner that counts its clicks into Clicks.
  static Pad* AddPad(TCustomForm& Owner, int& Clicks) {
    auto* pad = new Pad(&Owner);
    pad->SetParent(&Owner);
    pad->SetBounds(10, 10, 80, 24);
    pad->OnClick = [&Clicks](TObject*) { ++Clicks; };
    return pad;
  }
  // A press and release on the control as the display delivers them.
  static void Click(TWinControl& Control) {
    QWidget* widget = ui::WidgetOf(Control.Handle());
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      const QPoint at(5, 5);
      QMouseEvent e(type, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(widget, &e);
    }
    Application->ProcessMessages();
  }
  static void Type(TWinControl& Control, const QString& Text) {
    QWidget* widget = ui::WidgetOf(Control.Handle());
    QKeyEvent down(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, Text);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(widget, &down);
    QCoreApplication::sendEvent(widget, &up);
    Application->ProcessMessages();
  }
  void TearDown() override {
    Application->OnMessage = {};
    Application->SetMainForm(oldMain_);
    FormTest::TearDown();
  }

  TCustomForm* oldMain_ = Application->MainForm();
};

TEST_F(NestedModalTest, EveryWindowAboveAModalWindowTakesNoInput) {
  int mainClicks = 0, dialogClicks = 0, questionClicks = 0;
  Pad* mainPad = AddPad(*Form, mainClicks);
  Form->Show();
  // The program's other forms are owned by its main form.
  Application->SetMainForm(Form);
  auto* dialog = new TForm(nullptr, TCustomForm::CreateNew);
  dialog->SetBounds(80, 80, 240, 160);
  Pad* dialogPad = AddPad(*dialog, dialogClicks);
  auto* dialogEdit = new TEdit(dialog);
  dialogEdit->SetParent(dialog);
  dialogEdit->SetBounds(10, 50, 120, 24);
  auto* question = new TForm(dialog, TCustomForm::CreateNew);
  question->SetBounds(120, 120, 200, 100);
  Pad* questionPad = AddPad(*question, questionClicks);

  constexpr UINT kDialogUp = WM_APP + 31;
  constexpr UINT kQuestionUp = WM_APP + 32;
  bool questionAsked = false;
  bool questionChecked = false;
  Application->OnMessage = [&](MSG& Msg, bool& Handled) {
    if (Msg.message == kDialogUp) {
      Handled = true;
      Click(*dialogPad);
      Click(*mainPad);
      EXPECT_EQ(dialogClicks, 1);
      EXPECT_EQ(mainClicks, 0);
      PostMessageW(question->Handle(), kQuestionUp, 0, 0);
      questionAsked = true;
      EXPECT_EQ(question->ShowModal(), mrOk);
      Click(*dialogPad);
      Click(*mainPad);
      EXPECT_EQ(dialogClicks, 2);
      EXPECT_EQ(mainClicks, 0);
      dialog->SetModalResult(mrOk);
    } else if (Msg.message == kQuestionUp) {
      Handled = true;
      Click(*questionPad);
      Click(*dialogPad);
      Type(*dialogEdit, QStringLiteral("a"));
      Click(*mainPad);
      EXPECT_EQ(questionClicks, 1);
      EXPECT_EQ(dialogClicks, 1);
      EXPECT_EQ(dialogEdit->Text(), "");
      EXPECT_EQ(mainClicks, 0);
      questionChecked = true;
      question->SetModalResult(mrOk);
    }
  };
  // Should a loop not end as it ought to, it ends after a while all the
  // same, so the failure is reported and not waited for.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (question->FormState & fsModal) question->SetModalResult(mrCancel);
    if (dialog->FormState & fsModal) dialog->SetModalResult(mrCancel);
  });
  guard.start(10000);
  PostMessageW(dialog->Handle(), kDialogUp, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  guard.stop();
  EXPECT_TRUE(questionAsked);
  EXPECT_TRUE(questionChecked);
  Click(*mainPad);
  EXPECT_EQ(mainClicks, 1);
  Free(dialog);
}

}  // namespace
