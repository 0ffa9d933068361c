#include <gtest/gtest.h>

#include <chrono>

#include "platform/core/window_system/queue.h"
#include "tests/widetext/xp_fixture.h"
#include "widetext/custom_drawn/xp_button.h"

namespace {

using namespace platform;
using widetext::TxpButton;

class XpButtonRepeatTest : public xpfixture::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    button_ = new TxpButton(form_);
    button_->SetParent(form_);
    button_->SetBounds(10, 10, 75, 25);
    button_->TimerWaitStart = 0;
    button_->TimerInterval = 1;
  }
  // Serves the user-interface thread until done() holds; false when it
  // does not within a generous deadline.
  static bool ServeUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      CheckSynchronize(10);
    }
    return true;
  }

  TxpButton* button_ = nullptr;
};

TEST_F(XpButtonRepeatTest, HeldDownTheEventRepeatsAndTheReleaseDoesNotRunItAgain) {
  int repeats = 0;
  button_->OnTimerEvent = [&](TObject* sender) {
    EXPECT_EQ(sender, button_);
    ++repeats;
  };
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  EXPECT_TRUE(button_->Repeating());
  ASSERT_TRUE(ServeUntil([&] { return repeats >= 3; }));
  Send(button_, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_FALSE(button_->Repeating());
  const int afterRelease = repeats;
  Application->ProcessMessages();
  EXPECT_EQ(repeats, afterRelease);

  // A press too short for a repeat clicks through the same event once.
  button_->TimerWaitStart = 60000;
  repeats = 0;
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  Send(button_, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_EQ(repeats, 1);

  // Leaving ends the repeat as well.
  Send(button_, WM_MOUSEMOVE, 0, 20, 12);
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  EXPECT_TRUE(button_->Repeating());
  Send(button_, WM_MOUSELEAVE);
  EXPECT_FALSE(button_->Repeating());
}

TEST_F(XpButtonRepeatTest, AHandlerThatReleasesOrFreesTheButtonEndsTheRepeatSafely) {
  int repeats = 0;
  button_->OnTimerEvent = [&](TObject*) {
    if (++repeats == 2) Send(button_, WM_LBUTTONUP, 0, 20, 12);
  };
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  ASSERT_TRUE(ServeUntil([&] { return !button_->Repeating(); }));
  EXPECT_EQ(repeats, 2);

  bool freed = false;
  button_->OnTimerEvent = [&](TObject* sender) {
    Free(static_cast<TxpButton*>(sender));
    freed = true;
  };
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  ASSERT_TRUE(ServeUntil([&] { return freed; }));
  EXPECT_EQ(form_->ControlCount(), 0);
}

}  // namespace
