#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"

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

}  // namespace
