#include <gtest/gtest.h>

#include <vector>

#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/control_helper.h"
#include "widetext/controls/control_trap.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_layer.h"

namespace widetext::testing {
namespace {

// Records every message its class library side sees.
class TListeningWindow : public TWideWindow {
 public:
  using TWideWindow::TWideWindow;
  std::vector<platform::UINT> Seen;
  void WndProc(platform::TMessage& Message) override {
    Seen.push_back(Message.Msg);
    TWideWindow::WndProc(Message);
  }
};

// Finishes the layer for the test and starts it again after.
class FinishedLayer : public WideFormTest {
 protected:
  void TearDown() override {
    StartWideLayer();
    WideFormTest::TearDown();
  }
};

TEST_F(FinishedLayer, ATrappedWindowPassesNothingOnAndItsDestructionOnlyClearsTheHandle) {
  auto* window = new TListeningWindow(Form);
  window->SetParent(Form);
  window->SetHint(kGreek);
  const platform::HWND h = window->Handle();
  ASSERT_NE(GetWideControlHelper(window, false), nullptr);

  FinishWideLayer();
  EXPECT_TRUE(WideLayerFinished());
  // The helpers went with their list.
  EXPECT_EQ(GetWideControlHelper(window, false), nullptr);
  window->Seen.clear();
  platform::SendMessageW(h, platform::WM_USER + 7, 0, 0);
  platform::SendMessageW(h, WtxDestroyWindowMessage(), 0, 0);
  EXPECT_TRUE(window->Seen.empty());
  EXPECT_FALSE(window->HandleAllocated());
  EXPECT_TRUE(platform::IsWindow(h));
  window->SetWindowHandle(h);
  platform::DestroyWindow(h);
  EXPECT_TRUE(window->Seen.empty());
  EXPECT_FALSE(window->HandleAllocated());
  platform::Free(window);
}

TEST_F(FinishedLayer, StartedAgainTheLayerServesNewWindows) {
  FinishWideLayer();
  StartWideLayer();
  EXPECT_FALSE(WideLayerFinished());
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetCaption(kPolish);
  window->Handle();
  EXPECT_TRUE(platform::IsWindowUnicode(window->WindowHandle()));
  EXPECT_EQ(window->GetCaption(), kPolish);
  EXPECT_NE(WtxApplication(), nullptr);
}

}  // namespace
}  // namespace widetext::testing
