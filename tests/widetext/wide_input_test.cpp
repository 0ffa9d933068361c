#include <gtest/gtest.h>

#include <algorithm>

#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wm_char.h"
#include "widetext/exceptions.h"

namespace widetext::testing {
namespace {

using WideInput = WideFormTest;

platform::TMessage Char(platform::WPARAM w) { return platform::TMessage{platform::WM_CHAR, w, 0, 0}; }

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
    edit_ = new TWideEdit(form_);
    edit_->SetParent(form_);
    edit_->Handle();
  }
  void Type(char16_t c) {
    platform::PostMessageW(edit_->WindowHandle(), platform::WM_CHAR, c, 0);
    platform::Application->ProcessMessages();
  }
  TWideEdit* edit_ = nullptr;
};

TEST_F(Typing, ACharacterAbove255ReachesTheWindowWhileKeyPressSees255) {
  Type(u'中');
  Type(u'ż');
  EXPECT_EQ(edit_->Pressed, (std::vector<char>{'\xFF', '\xFF'}));
  EXPECT_EQ(edit_->GetCaption(), u"中ż");
}

TEST_F(Typing, KeyPressDecidesWhatArrives) {
  edit_->Replacement = 'A';
  Type(u'Ω');
  edit_->Replacement = 0;
  Type(u'Σ');
  edit_->Replacement = -1;
  Type(u'\u00FF');
  Type(u'é');
  EXPECT_EQ(edit_->GetCaption(), u"A\u00FFé");
}

TEST_F(Typing, InputMethodCharactersArriveAsTypedCharacters) {
  platform::SendMessageW(edit_->WindowHandle(), platform::WM_IME_CHAR, u'あ', 0);
  EXPECT_NE(std::find(edit_->Messages.begin(), edit_->Messages.end(), platform::WM_CHAR), edit_->Messages.end());
  EXPECT_EQ(edit_->Pressed, (std::vector<char>{'\xFF'}));
  EXPECT_EQ(edit_->GetCaption(), u"あ");
}

TEST_F(Typing, PastedTextPassesTheSubclassToo) {
  edit_->SetCaption(kPolish);
  platform::SendMessageW(edit_->WindowHandle(), platform::EM_SETSEL, 0, -1);
  platform::SendMessageW(edit_->WindowHandle(), platform::WM_CUT, 0, 0);
  EXPECT_EQ(edit_->GetCaption(), u"");
  platform::SendMessageW(edit_->WindowHandle(), platform::WM_PASTE, 0, 0);
  EXPECT_NE(std::find(edit_->Messages.begin(), edit_->Messages.end(), platform::WM_PASTE), edit_->Messages.end());
  EXPECT_EQ(edit_->GetCaption(), kPolish);
}

TEST_F(Typing, An8BitWindowGetsItsCharactersThroughThe8BitLoop) {
  auto* plain = new platform::TEdit(form_);
  plain->SetParent(form_);
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

TEST_F(WideInput, AnIdleMainFormThatIsNotWideKeepsTheWideHintUpToDate) {
  TWtxApplication* app = WtxApplication();
  auto* window = new TWideWindow(form_);
  window->SetParent(form_);
  window->SetHint(u"Βάθος|Βάθος κάτω από τον αισθητήρα");
  const int before = form_->ComponentCount();
  platform::Application->SetMainForm(form_);
  platform::PostMessageW(nullptr, platform::WM_NULL, 0, 0);
  platform::Application->ProcessMessages();
  EXPECT_EQ(form_->ComponentCount(), before + 1);

  platform::Application->NoteMouseMove(window);
  platform::Application->SetHint(AnsiImage(u"Βάθος κάτω από τον αισθητήρα"));
  form_->UpdateActions();
  platform::Application->NoteMouseLeave(window);
  // Kept from the idle pass while the 8-bit hint is still its image.
  EXPECT_EQ(app->GetHint(), u"Βάθος κάτω από τον αισθητήρα");
  platform::Application->SetHint("");
  platform::Application->SetMainForm(nullptr);
}

}  // namespace
}  // namespace widetext::testing
