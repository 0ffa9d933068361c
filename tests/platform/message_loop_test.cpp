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
    Form->SetBounds(20, 20, 300, 200);
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Form->Show();
    Edit->SetFocus();
  }
  void TearDown() override {
    Application->OnMessage = nullptr;
    Application->DialogHandle = nullptr;
    FormTest::TearDown();
  }
  TEdit* Edit = nullptr;
};

WNDPROC g_previous;
std::vector<WPARAM> g_wideChars;
LRESULT WideForward(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_CHAR) g_wideChars.push_back(wParam);
  return CallWindowProcW(g_previous, hWnd, Msg, wParam, lParam);
}

// The wide layer's way with characters the 8-bit loop cannot carry: a
// Unicode message hook hands them to the window itself and leaves the loop
// a null message.
TEST_F(MessageLoopTest, AUnicodeHookDeliversWideCharactersAheadOfTheEightBitLoop) {
  // The edit's window becomes a Unicode one, as the wide layer makes it.
  const WNDPROC original = GetWindowProc(Edit->Handle());
  g_wideChars.clear();
  g_previous = SetWindowProcW(Edit->Handle(), MakeWndProc<&WideForward>(true));
  HHOOK hook = nullptr;
  hook = SetWindowsHookExW(
      WH_GETMESSAGE,
      [&](int Code, WPARAM Remove, LPARAM lParam) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (Remove == PM_REMOVE && msg->message == WM_CHAR && msg->wParam >= 256 && IsWindowUnicode(msg->hwnd)) {
          DispatchMessageW(msg);
          msg->message = WM_NULL;
        }
        return CallNextHookEx(hook, Code, Remove, lParam);
      },
      GetCurrentThreadId());
  std::vector<int> pressed;
  Edit->OnKeyPress = [&](TObject*, char& Key) { pressed.push_back(static_cast<unsigned char>(Key)); };
  PostKeyDown(Edit->Handle(), WM_KEYDOWN, 0xE5, 1, u"\u4E2D");
  PostKeyDown(Edit->Handle(), WM_KEYDOWN, 'A', 1, u"a");
  Application->ProcessMessages();
  UnhookWindowsHookEx(hook);
  // The Unicode procedure saw the character whole; the 8-bit class library
  // behind it sees what code page 1252 can carry.
  EXPECT_EQ(g_wideChars, (std::vector<WPARAM>{0x4E2D, 'a'}));
  EXPECT_EQ(pressed, (std::vector<int>{'?', 'a'}));
  EXPECT_EQ(WindowTextW(Edit->Handle()), u"?a");
  SetWindowProcA(Edit->Handle(), original);
}

TEST_F(MessageLoopTest, OnMessageCanTakeAMessageBeforeItIsDispatched) {
  int seen = 0;
  Application->OnMessage = [&](MSG& Msg, bool& Handled) {
    if (Msg.message == WM_CHAR && Msg.wParam == 'x') {
      ++seen;
      Handled = true;
    }
  };
  PostKeyDown(Edit->Handle(), WM_KEYDOWN, 'X', 1, u"x");
  PostKeyDown(Edit->Handle(), WM_KEYDOWN, 'Y', 1, u"y");
  Application->ProcessMessages();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(Edit->Text(), "y");
}

TEST_F(MessageLoopTest, ItemListsOfStandardControlsMoveTextsWithTheirData) {
  auto* list = new TListBox(Form);
  list->SetParent(Form);
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
  auto* box = new TGroupBox(Form);
  box->SetParent(Form);
  const HWND h = list->Handle();
  list->SetParent(box);
  EXPECT_EQ(list->Handle(), h);
  EXPECT_EQ(GetParent(h), box->Handle());
  EXPECT_EQ(list->Items().Count(), 3);
}

}  // namespace
