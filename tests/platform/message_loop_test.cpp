#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class MessageLoopTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form_->SetBounds(20, 20, 300, 200);
    edit_ = new TEdit(form_);
    edit_->SetParent(form_);
    form_->Show();
    edit_->SetFocus();
  }
  void TearDown() override {
    Application->OnMessage = nullptr;
    Application->DialogHandle = nullptr;
    FormTest::TearDown();
  }
  TEdit* edit_ = nullptr;
};

WNDPROC g_previous;
std::vector<WPARAM> g_wideChars;
LRESULT WideForward(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR) g_wideChars.push_back(w);
  return CallWindowProcW(g_previous, h, m, w, l);
}

// The wide layer's way with characters the 8-bit loop cannot carry: a
// Unicode message hook hands them to the window itself and leaves the loop
// a null message.
TEST_F(MessageLoopTest, AUnicodeHookDeliversWideCharactersAheadOfTheEightBitLoop) {
  // The edit's window becomes a Unicode one, as the wide layer makes it.
  const WNDPROC original = GetWindowProc(edit_->Handle());
  g_wideChars.clear();
  g_previous = SetWindowProcW(edit_->Handle(), MakeWndProc<&WideForward>(true));
  HHOOK hook = nullptr;
  hook = SetWindowsHookExW(
      WH_GETMESSAGE,
      [&](int code, WPARAM remove, LPARAM l) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(l);
        if (remove == PM_REMOVE && msg->message == WM_CHAR && msg->wParam >= 256 && IsWindowUnicode(msg->hwnd)) {
          DispatchMessageW(msg);
          msg->message = WM_NULL;
        }
        return CallNextHookEx(hook, code, remove, l);
      },
      GetCurrentThreadId());
  std::vector<int> pressed;
  edit_->OnKeyPress = [&](TObject*, char& key) { pressed.push_back(static_cast<unsigned char>(key)); };
  PostKeyDown(edit_->Handle(), WM_KEYDOWN, 0xE5, 1, u"\u4E2D");
  PostKeyDown(edit_->Handle(), WM_KEYDOWN, 'A', 1, u"a");
  Application->ProcessMessages();
  UnhookWindowsHookEx(hook);
  // The Unicode procedure saw the character whole; the 8-bit class library
  // behind it sees what code page 1252 can carry.
  EXPECT_EQ(g_wideChars, (std::vector<WPARAM>{0x4E2D, 'a'}));
  EXPECT_EQ(pressed, (std::vector<int>{'?', 'a'}));
  EXPECT_EQ(WindowTextW(edit_->Handle()), u"?a");
  SetWindowProcA(edit_->Handle(), original);
}

TEST_F(MessageLoopTest, OnMessageCanTakeAMessageBeforeItIsDispatched) {
  int seen = 0;
  Application->OnMessage = [&](MSG& msg, bool& handled) {
    if (msg.message == WM_CHAR && msg.wParam == 'x') {
      ++seen;
      handled = true;
    }
  };
  PostKeyDown(edit_->Handle(), WM_KEYDOWN, 'X', 1, u"x");
  PostKeyDown(edit_->Handle(), WM_KEYDOWN, 'Y', 1, u"y");
  Application->ProcessMessages();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(edit_->Text(), "y");
}

TEST_F(MessageLoopTest, ItemListsOfStandardControlsMoveTextsWithTheirData) {
  auto* list = new TListBox(form_);
  list->SetParent(form_);
  TObject a, b, c;
  list->Items().AddObject("a", &a);
  list->Items().AddObject("b", &b);
  list->Items().AddObject("c", &c);
  list->Items().Move(0, 2);
  EXPECT_EQ(list->Items().CommaText(), "b,c,a");
  EXPECT_EQ(list->Items().GetObject(2), &a);
  list->Items().Exchange(0, 1);
  EXPECT_EQ(list->Items().CommaText(), "c,b,a");
  EXPECT_EQ(list->Items().GetObject(0), &c);
  list->Items().Put(1, "B");
  EXPECT_EQ(list->Items().GetObject(1), &b);
  EXPECT_EQ(list->Items().IndexOf("A"), 2);
  EXPECT_THROW(list->Items().Get(3), EStringListError);

  // A control moved to another parent takes its window along.
  auto* box = new TGroupBox(form_);
  box->SetParent(form_);
  const HWND h = list->Handle();
  list->SetParent(box);
  EXPECT_EQ(list->Handle(), h);
  EXPECT_EQ(GetParent(h), box->Handle());
  EXPECT_EQ(list->Items().Count(), 3);
}

}  // namespace
