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
    Button = new TxpButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 75, 25);
    Button->TimerWaitStart = 0;
    Button->TimerInterval = 1;
  }
  // Serves the user-interface thread until done() holds; false when it
  // does not within a generous deadline.
  static bool ServeUntil(const std::function<bool()>& Done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      CheckSynchronize(10);
    }
    return true;
  }

  TxpButton* Button = nullptr;
};

TEST_F(XpButtonRepeatTest, HeldDownTheEventRepeatsAndTheReleaseDoesNotRunItAgain) {
  int repeats = 0;
  Button->OnTimerEvent = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Button);
    ++repeats;
  };
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  EXPECT_TRUE(Button->Repeating());
  ASSERT_TRUE(ServeUntil([&] { return repeats >= 3; }));
  Send(Button, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_FALSE(Button->Repeating());
  const int afterRelease = repeats;
  Application->ProcessMessages();
  EXPECT_EQ(repeats, afterRelease);

  // A press too short for a repeat clicks through the same event once.
  Button->TimerWaitStart = 60000;
  repeats = 0;
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  Send(Button, WM_LBUTTONUP, 0, 20, 12);
  EXPECT_EQ(repeats, 1);

  // Leaving ends the repeat as well.
  Send(Button, WM_MOUSEMOVE, 0, 20, 12);
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  EXPECT_TRUE(Button->Repeating());
  Send(Button, WM_MOUSELEAVE);
  EXPECT_FALSE(Button->Repeating());
}

TEST_F(XpButtonRepeatTest, AHandlerThatReleasesOrFreesTheButtonEndsTheRepeatSafely) {
  int repeats = 0;
  Button->OnTimerEvent = [&](TObject*) {
    if (++repeats == 2) Send(Button, WM_LBUTTONUP, 0, 20, 12);
  };
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  ASSERT_TRUE(ServeUntil([&] { return !Button->Repeating(); }));
  EXPECT_EQ(repeats, 2);

  bool freed = false;
  Button->OnTimerEvent = [&](TObject* Sender) {
    Free(static_cast<TxpButton*>(Sender));
    freed = true;
  };
  Send(Button, WM_LBUTTONDOWN, MK_LBUTTON, 20, 12);
  ASSERT_TRUE(ServeUntil([&] { return freed; }));
  EXPECT_EQ(Form->ControlCount(), 0);
}

}  // namespace
