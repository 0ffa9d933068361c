#include <gtest/gtest.h>

#include <algorithm>

#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_form.h"
#include "widetext/controls/wm_char.h"
#include "widetext/exceptions.h"

namespace widetext::testing {
namespace {

using WideInput = WideFormTest;

platform::TMessage Char(platform::WPARAM wParam) { return platform::TMessage{platform::WM_CHAR, wParam, 0, 0}; }

TEST(WMChar, ACharacterAbove255WaitsInTheSpareWordWhileTheClassLibrarySees255) {
  platform::TMessage m = Char(0x4E2D);
  MakeWMCharMsgSafeForAnsi(m);
  EXPECT_EQ(m.WParam & 0xFFFF, 0xFFu);
  EXPECT_EQ(GetWideCharFromWMCharMsg(m), u'\u4E2D');
  RestoreWMCharMsg(m);
  EXPECT_EQ(m.WParam, 0x4E2Du);

  // A real U+00FF has nothing waiting and stays itself.
  platform::TMessage y = Char(0xFF);
  MakeWMCharMsgSafeForAnsi(y);
  RestoreWMCharMsg(y);
  EXPECT_EQ(y.WParam, 0xFFu);

  // A handler that replaced the 255 wins over the waiting character.
  platform::TMessage replaced = Char(0x4E2D);
  MakeWMCharMsgSafeForAnsi(replaced);
  replaced.WParam = (replaced.WParam & ~platform::WPARAM{0xFF}) | 'A';
  RestoreWMCharMsg(replaced);
  EXPECT_EQ(replaced.WParam, platform::WPARAM{'A'});

  platform::TMessage set = Char('x');
  SetWideCharForWMCharMsg(set, u'ő');
  EXPECT_EQ(GetWideCharFromWMCharMsg(set), u'ő');
  platform::TMessage other{platform::WM_KEYDOWN, 0, 0, 0};
  EXPECT_THROW(RestoreWMCharMsg(other), EWtxInternalError);
}

class Typing : public WideInput {
 protected:
  void SetUp() override {
    WideInput::SetUp();
    Edit = new TWideEdit(Form);
    Edit->SetParent(Form);
    Edit->Handle();
  }
  void Type(char16_t C) {
    platform::PostMessageW(Edit->WindowHandle(), platform::WM_CHAR, C, 0);
    platform::Application->ProcessMessages();
  }
  TWideEdit* Edit = nullptr;
};

TEST_F(Typing, ACharacterAbove255ReachesTheWindowWhileKeyPressSees255) {
  Type(u'中');
  Type(u'ż');
  EXPECT_EQ(Edit->Pressed, (std::vector<char>{'\xFF', '\xFF'}));
  EXPECT_EQ(Edit->GetCaption(), u"中ż");
}

TEST_F(Typing, KeyPressDecidesWhatArrives) {
  Edit->Replacement = 'A';
  Type(u'Ω');
  Edit->Replacement = 0;
  Type(u'Σ');
  Edit->Replacement = -1;
  Type(u'\u00FF');
  Type(u'é');
  EXPECT_EQ(Edit->GetCaption(), u"A\u00FFé");
}

TEST_F(Typing, InputMethodCharactersArriveAsTypedCharacters) {
  platform::SendMessageW(Edit->WindowHandle(), platform::WM_IME_CHAR, u'あ', 0);
  EXPECT_NE(std::find(Edit->Messages.begin(), Edit->Messages.end(), platform::WM_CHAR), Edit->Messages.end());
  EXPECT_EQ(Edit->Pressed, (std::vector<char>{'\xFF'}));
  EXPECT_EQ(Edit->GetCaption(), u"あ");
}

TEST_F(Typing, PastedTextPassesTheSubclassToo) {
  Edit->SetCaption(kPolish);
  platform::SendMessageW(Edit->WindowHandle(), platform::EM_SETSEL, 0, -1);
  platform::SendMessageW(Edit->WindowHandle(), platform::WM_CUT, 0, 0);
  EXPECT_EQ(Edit->GetCaption(), u"");
  platform::SendMessageW(Edit->WindowHandle(), platform::WM_PASTE, 0, 0);
  EXPECT_NE(std::find(Edit->Messages.begin(), Edit->Messages.end(), platform::WM_PASTE), Edit->Messages.end());
  EXPECT_EQ(Edit->GetCaption(), kPolish);
}

TEST_F(Typing, An8BitWindowGetsItsCharactersThroughThe8BitLoop) {
  auto* plain = new platform::TEdit(Form);
  plain->SetParent(Form);
  platform::PostMessageW(plain->Handle(), platform::WM_CHAR, u'中', 0);
  platform::PostMessageW(plain->Handle(), platform::WM_CHAR, u'é', 0);
  platform::Application->ProcessMessages();
  EXPECT_EQ(plain->Text(), "?\xE9");
}

TEST_F(WideInput, TheApplicationTitleIsUnicode) {
  TWtxApplication* app = WtxApplication();
  ASSERT_NE(app, nullptr);
  const std::u16string saved = app->GetTitle();
  app->SetTitle(u"Ρυθμίσεις");
  EXPECT_EQ(app->GetTitle(), u"Ρυθμίσεις");
  EXPECT_EQ(platform::Application->Title(), "?????????");
  app->SetTitle(saved);
}

TEST_F(WideInput, TheApplicationHintFollowsTheConsistencyRule) {
  TWtxApplication* app = WtxApplication();
  app->SetHint(kGreek);
  EXPECT_EQ(platform::Application->Hint(), "?????");
  EXPECT_EQ(app->GetHint(), kGreek);
  platform::Application->SetHint("plain");
  EXPECT_EQ(app->GetHint(), u"plain");
  app->SetHint(u"");
}

TEST_F(WideInput, AnIdleMainFormKeepsTheWideHintUpToDate) {
  TWtxApplication* app = WtxApplication();
  // MainForm, with a wide window of the long hint Hint, becomes the main
  // form and the program goes idle. The wide hint is then taken from the
  // window under the mouse when the 8-bit hint is its image, and is kept
  // after the mouse left. Gives the kept hint and the components the wide
  // layer added to the form.
  const auto keptAfterUpdate = [&](platform::TCustomForm* MainForm, std::u16string_view Hint, int& Added) {
    auto* window = new TWideWindow(MainForm);
    window->SetParent(MainForm);
    window->SetHint(u"|" + std::u16string(Hint));
    const int before = MainForm->ComponentCount();
    platform::Application->SetMainForm(MainForm);
    platform::PostMessageW(nullptr, platform::WM_NULL, 0, 0);
    platform::Application->ProcessMessages();
    Added = MainForm->ComponentCount() - before;
    platform::Application->SetHint(AnsiImage(Hint));
    platform::Application->NoteMouseMove(window);
    MainForm->UpdateActions();
    platform::Application->NoteMouseLeave(window);
    const std::u16string kept = app->GetHint();
    platform::Application->SetHint("");
    platform::Application->SetMainForm(nullptr);
    return kept;
  };

  // A main form that is not wide gets a control of the wide layer to do it.
  int added = 0;
  EXPECT_EQ(keptAfterUpdate(Form, u"Βάθος κάτω από τον αισθητήρα", added), u"Βάθος κάτω από τον αισθητήρα");
  EXPECT_EQ(added, 1);

  // A wide main form does it itself.
  auto* wideForm = new TWtxForm(nullptr, TWtxForm::CreateNew);
  EXPECT_EQ(keptAfterUpdate(wideForm, u"Ταχύτητα στο νερό", added), u"Ταχύτητα στο νερό");
  EXPECT_EQ(added, 0);
  platform::Free(wideForm);
}

}  // namespace
}  // namespace widetext::testing
