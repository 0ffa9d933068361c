#include <gtest/gtest.h>

#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/control_trap.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/exceptions.h"

namespace widetext::testing {
namespace {

using UnicodeWindows = WideFormTest;

platform::TWndMethod OwnWndProc(platform::TControl* Control) {
  return platform::MakeWndMethod<&platform::TControl::WndProc>(Control);
}

// A handler put in front of a control's WindowProc by other code.
struct Wrapper {
  platform::TWndMethod Previous;
  int TextChanges = 0;
  void Handle(platform::TMessage& M) {
    if (M.Msg == platform::CM_TEXTCHANGED) ++TextChanges;
    Previous(M);
  }
};

TEST_F(UnicodeWindows, TheTrapGoesWithTheWindowAndComesBackWithTheNext) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  const platform::WNDPROC defaultProc = window->DefWndProc;
  window->Handle();
  EXPECT_NE(window->WindowProc, OwnWndProc(window));
  EXPECT_NE(window->DefWndProc, defaultProc);

  window->SetParent(nullptr);
  EXPECT_EQ(window->WindowProc, OwnWndProc(window));

  window->SetParent(Form);
  window->Handle();
  const int before = window->TextChanges;
  window->SetCaption(kGreek);
  EXPECT_EQ(window->TextChanges - before, 1);
}

TEST_F(UnicodeWindows, TheRegisteredMessageTakesTheTrapOffALivingWindow) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->SetCaption(kPolish);
  const platform::HWND h = window->Handle();
  window->Perform(WtxDestroyWindowMessage(), 0, 0);
  EXPECT_EQ(window->WindowProc, OwnWndProc(window));
  EXPECT_TRUE(platform::IsWindow(h));
  EXPECT_EQ(window->Text(), "Za?\xF3?? g??l? ja??");
  EXPECT_EQ(WtxDestroyWindowMessage(), platform::RegisterWindowMessageA("WtxUnicodeUI.DestroyWindow"));
}

TEST_F(UnicodeWindows, AHandlerPutInFrontOfTheTrapStaysInFrontOnce) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  window->Handle();
  Wrapper wrapper{window->WindowProc};
  window->WindowProc = platform::MakeWndMethod<&Wrapper::Handle>(&wrapper);
  window->RecreateWnd();
  EXPECT_EQ(window->WindowProc, platform::MakeWndMethod<&Wrapper::Handle>(&wrapper));
  const int before = window->TextChanges;
  window->SetCaption(kGreek);
  EXPECT_EQ(wrapper.TextChanges, 1);
  EXPECT_EQ(window->TextChanges - before, 1);
  window->WindowProc = wrapper.Previous;
}

TEST_F(UnicodeWindows, AControlFreedInsideItsOwnMessageTakesItsTrapAlongAfterwards) {
  class TSelfFreeing : public TWideWindow {
   public:
    using TWideWindow::TWideWindow;
    void WndProc(platform::TMessage& Message) override {
      if (Message.Msg == platform::WM_USER + 1) {
        platform::Free(this);
        return;
      }
      TWideWindow::WndProc(Message);
    }
  };
  auto* window = new TSelfFreeing(Form);
  window->SetParent(Form);
  const platform::HWND h = window->Handle();
  platform::SendMessageW(h, platform::WM_USER + 1, 0, 0);
  EXPECT_FALSE(platform::IsWindow(h));
  EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(UnicodeWindows, ManyWindowsMadeRemadeAndFreedLeaveNothingBehind) {
  for (int i = 0; i < 40; ++i) {
    auto* window = new TWideWindow(Form);
    window->SetParent(Form);
    window->SetCaption(kGreek);
    window->SetHint(kPolish);
    window->Handle();
    window->RecreateWnd();
    window->Perform(WtxDestroyWindowMessage(), 0, 0);
    platform::Free(window);
  }
  EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(UnicodeWindows, NotificationsAreAskedForInTheFormOfTheAskingWindow) {
  auto* window = new TWideWindow(Form);
  window->SetParent(Form);
  auto* other = new TWideWindow(Form);
  other->SetParent(Form);
  const auto ask = [&](platform::HWND Asking) {
    return platform::SendMessageW(window->Handle(), platform::WM_NOTIFYFORMAT,
                                  reinterpret_cast<platform::WPARAM>(Asking), platform::NF_QUERY);
  };
  EXPECT_EQ(ask(other->Handle()), platform::NFR_UNICODE);
  EXPECT_EQ(ask(Form->Handle()), platform::NFR_ANSI);
}

TEST_F(UnicodeWindows, OnlyAUnicodeWindowCanBeTrapped) {
  auto* edit = new platform::TEdit(Form);
  edit->SetParent(Form);
  edit->Handle();
  EXPECT_THROW(SubClassUnicodeControl(edit, "x"), EWtxInternalError);
}

}  // namespace
}  // namespace widetext::testing
