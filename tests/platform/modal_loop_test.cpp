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

  // Queues work of every kind that, once all of it has run, calls close.
  // The modal loop is open when the work runs, so it closes that loop.
  void QueueWork(std::function<void()> close) {
    close_ = std::move(close);
    RunOnUiThread([this] {
      postedRan_ = true;
      ClosedWhenDone();
    });
    timer_ = SetTimer(nullptr, 0, 10, &Tick);
    guard_ = std::make_unique<QTimer>();
    guard_->setSingleShot(true);
    QObject::connect(guard_.get(), &QTimer::timeout, [this] { close_(); });
    guard_->start(5000);
    self_ = this;
  }
  static void Tick(HWND, UINT, std::uintptr_t, DWORD) {
    ++g_timerTicks;
    self_->ClosedWhenDone();
  }
  void ClosedWhenDone() {
    if (!postedRan_ || g_timerTicks == 0) return;
    KillTimer(nullptr, timer_);
    guard_->stop();
    close_();
  }

  static inline int g_timerTicks = 0;
  static inline ModalLoopTest* self_ = nullptr;
  bool postedRan_ = false;
  std::uintptr_t timer_ = 0;
  std::unique_ptr<QTimer> guard_;
  std::function<void()> close_;
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
  EXPECT_TRUE(postedRan_);
  EXPECT_GE(g_timerTicks, 1);
}

TEST_F(ModalLoopTest, PostedWorkAndTimersRunWhileAMessageBoxIsOpen) {
  QMessageBox box;
  box.setText(QStringLiteral("Busy"));
  QueueWork([&box] { box.done(QMessageBox::Ok); });
  box.exec();
  EXPECT_TRUE(postedRan_);
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
  EXPECT_TRUE(postedRan_);
}

}  // namespace
