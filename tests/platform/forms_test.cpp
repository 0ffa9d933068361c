#include <gtest/gtest.h>

#include <QWidget>

#include <string>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/input.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class FormsTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Form->SetBounds(100, 100, 400, 300);
  }
  template <class T>
  T* Add(int Left, int Top) {
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetLeft(Left);
    c->SetTop(Top);
    return c;
  }
};

TEST_F(FormsTest, EditTextTravelsThroughTheWindowAndAnnouncesChanges) {
  auto* edit = Add<TEdit>(8, 8);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("before");  // no window yet: kept by the control
  EXPECT_EQ(edit->Text(), "before");
  Form->Show();
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(WindowTextW(edit->Handle()), u"before");
  edit->SetText("caf\xE9");
  EXPECT_EQ(WindowTextW(edit->Handle()), u"caf\u00E9");
  EXPECT_EQ(changes, 1);
  edit->RecreateWnd();
  EXPECT_EQ(edit->Text(), "caf\xE9");
}

TEST_F(FormsTest, ComboItemsAndSelectionFromCodeFireNothing) {
  auto* combo = Add<TComboBox>(8, 40);
  combo->SetStyle(csDropDownList);
  int clicks = 0;
  combo->OnClick = [&](TObject*) { ++clicks; };
  Form->Show();
  combo->Items().Add("none");
  combo->Items().Add("COM1");
  combo->Items().Add("COM3");
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "COM3");
  EXPECT_EQ(combo->Items().IndexOf("com1"), 1);
  // Replacing an item keeps the selection where it was.
  combo->Items().Put(0, "nessuna");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(clicks, 0);
  SetFocus(combo->Handle());
  PostKeyDown(combo->Handle(), WM_KEYDOWN, VK_UP, 1, u"");
  Application->ProcessMessages();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormsTest, LabelsSizeToTheirTextAndButtonsEndModalLoops) {
  auto* label = Add<TLabel>(8, 80);
  label->SetCaption("Depth Below Keel:");
  EXPECT_GT(label->Width(), 40);
  const int width = label->Width();
  label->SetCaption("");
  EXPECT_LT(label->Width(), width);
  EXPECT_GT(label->Height(), 5);

  auto* ok = Add<TButton>(8, 120);
  ok->SetCaption("OK");
  ok->ModalResult = mrOk;
  bool clicked = false;
  ok->OnClick = [&](TObject*) { clicked = true; };
  Form->OnShow = [&](TObject*) { PostMessageW(nullptr, WM_NULL, 0, 0); };
  Form->OnActivate = [&](TObject*) { SendMessageW(ok->Handle(), BM_CLICK, 0, 0); };
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(Form->Visible());
}

TEST_F(FormsTest, BorderStyleAndIconsReachTheWindow) {
  Form->SetBorderStyle(bsDialog);
  Form->Show();
  QWidget* w = ui::WidgetOf(Form->Handle());
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(w->size(), QSize(400, 300));
  // Code still sizes a fixed window; the user cannot.
  Form->SetBounds(100, 100, 300, 200);
  EXPECT_EQ(w->size(), QSize(300, 200));
  EXPECT_EQ(w->maximumSize(), QSize(300, 200));

  Form->SetBorderStyle(bsSizeable);
  w = ui::WidgetOf(Form->Handle());
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_NE(w->minimumSize(), w->maximumSize());
  Form->SetBorderIcons(biSystemMenu);
  w = ui::WidgetOf(Form->Handle());
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
}

// A fixed single border keeps exactly the buttons its icons ask for, in its
// styles and in what the window manager is told.
TEST_F(FormsTest, ASingleBorderShowsOnlyTheButtonsOfItsIcons) {
  Form->SetBorderStyle(bsSingle);
  Form->SetBorderIcons(biSystemMenu);
  Form->Show();
  constexpr DWORD kButtons = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
  constexpr Qt::WindowFlags kQtButtons = Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(Form->Handle(), GWL_STYLE)) & kButtons, WS_SYSMENU);
  EXPECT_EQ(ui::WidgetOf(Form->Handle())->windowFlags() & kQtButtons, Qt::WindowCloseButtonHint);

  Form->SetBorderIcons(biSystemMenu | biMinimize);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(Form->Handle(), GWL_STYLE)) & kButtons, WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(ui::WidgetOf(Form->Handle())->windowFlags() & kQtButtons,
            Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
}

TEST_F(FormsTest, KeysGoThroughKeyPreviewAndTabMovesTheFocus) {
  auto* a = Add<TEdit>(8, 8);
  auto* b = Add<TEdit>(8, 40);
  auto* c = Add<TEdit>(8, 72);
  std::vector<std::string> seen;
  Form->KeyPreview = true;
  Form->OnKeyPress = [&](TObject*, char& Key) {
    seen.push_back(std::string("form ") + Key);
    if (Key == 'x') Key = 0;
  };
  a->OnKeyPress = [&](TObject*, char& Key) { seen.push_back(std::string("edit ") + Key); };
  Form->Show();
  EXPECT_EQ(GetFocus(), a->Handle());
  PostKeyDown(a->Handle(), WM_KEYDOWN, 'X', 1, u"x");
  PostKeyDown(a->Handle(), WM_KEYDOWN, 'Y', 1, u"y");
  Application->ProcessMessages();
  EXPECT_EQ(a->Text(), "y");
  EXPECT_EQ(seen, (std::vector<std::string>{"form x", "form y", "edit y"}));
  PostKeyDown(a->Handle(), WM_KEYDOWN, VK_TAB, 1, u"\t");
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), b->Handle());
  EXPECT_EQ(Form->ActiveControl(), b);
  // Shift+Tab from the first goes round to the last.
  a->SetFocus();
  SetKeyDown(VK_SHIFT, true);
  PostKeyDown(a->Handle(), WM_KEYDOWN, VK_TAB, 1, u"\t");
  Application->ProcessMessages();
  SetKeyDown(VK_SHIFT, false);
  EXPECT_EQ(GetFocus(), c->Handle());
}

// A hint window of its own class, counting how often it is shown.
int g_customHints = 0;
class CustomHint : public THintWindow {
 public:
  using THintWindow::THintWindow;
  void ActivateHintData(TRect R, const std::string& HintText, void* Data) override {
    ++g_customHints;
    THintWindow::ActivateHintData(R, HintText, Data);
  }
};
const THintWindowClassInfo kCustomHintClass{"CustomHint", [](TComponent* O) { return new CustomHint(O); }};

// Records the hint the application is about to show for it, and asks for
// its own hint window class.
class HintedButton : public TButton {
 public:
  using TButton::TButton;
  std::string Shown;
  int Shows = 0;
  void WndProc(TMessage& M) override {
    if (M.Msg == CM_HINTSHOW) {
      auto* info = reinterpret_cast<THintInfo*>(M.LParam);
      Shown = info->HintStr;
      ++Shows;
      EXPECT_EQ(info->HintWindowClass, &THintWindowPlainClass);
      info->HintWindowClass = &kCustomHintClass;
    }
    TButton::WndProc(M);
  }
};

TEST_F(FormsTest, HintsShowTheShortPartAfterThePauseAndGoWithTheMouse) {
  std::uint32_t now = 1000;
  ScopedClockOverride clock({.Tick = [&] { return now; }});
  g_customHints = 0;
  auto* button = Add<HintedButton>(8, 8);
  button->Hint = "Send|Sends the depth offset";
  button->SetShowHint(true);
  auto* plain = Add<TButton>(8, 60);
  Form->Show();
  button->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  now += 400;
  Application->ProcessMessages();
  EXPECT_EQ(button->Shows, 0);
  now += 200;
  Application->ProcessMessages();
  EXPECT_EQ(button->Shows, 1);
  EXPECT_EQ(button->Shown, "Send");
  EXPECT_EQ(g_customHints, 1);
  EXPECT_EQ(Application->MouseControl(), button);
  // Onto a control without a hint: the hint goes and does not come back.
  plain->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  now += 5000;
  Application->ProcessMessages();
  EXPECT_EQ(button->Shows, 1);
  EXPECT_EQ(Application->MouseControl(), plain);
}

}  // namespace
