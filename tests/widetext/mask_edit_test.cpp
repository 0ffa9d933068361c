#include "widetext/masked_edit/mask_edit.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/dialogs.h"
#include "platform/ui/window_classes/clipboard.h"
#include "platform/ui/window_classes/message_beep.h"
#include "tests/widetext/xp_fixture.h"

namespace {

using namespace platform;
using widetext::EDBEditError;
using widetext::TWtxMaskEdit;

class MaskEditTest : public xpfixture::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    edit_ = new TWtxMaskEdit(form_);
    edit_->SetParent(form_);
    edit_->SetBounds(10, 10, 150, 24);
    edit_->SetEditMask("(999)000-0000;0;_");
    edit_->SetFocus();
  }
  void Type(std::u16string_view text) {
    for (const char16_t c : text) Send(edit_, WM_CHAR, c);
  }
  void Key(WPARAM key) {
    Send(edit_, WM_KEYDOWN, key);
    Send(edit_, WM_KEYUP, key);
  }
  void Caret(int position) { SendMessageW(edit_->Handle(), EM_SETSEL, static_cast<WPARAM>(position), position); }
  std::u16string Shown() { return edit_->GetCaption(); }

  TWtxMaskEdit* edit_ = nullptr;
};

TEST_F(MaskEditTest, TheValueHoldsOnlyWhatWasEnteredWhenLiteralsAreNotSaved) {
  edit_->SetText(u"5551234567");
  EXPECT_EQ(Shown(), u"(555)123-4567");
  EXPECT_EQ(edit_->GetText(), u"5551234567");
  edit_->SetText(u"555");
  EXPECT_EQ(Shown(), u"(555)___-____");
  EXPECT_EQ(edit_->GetText(), u"555");
  // A new mask keeps the value.
  edit_->SetEditMask("999-9999;1;*");
  EXPECT_EQ(Shown(), u"555-****");
  EXPECT_EQ(edit_->GetText(), u"555-    ");
  edit_->SetEditMask("");
  EXPECT_EQ(edit_->GetText(), u"555-    ");
}

TEST_F(MaskEditTest, TypingFillsTheBlanksSkipsTheLiteralsAndRefusesWhatTheMaskDoesNot) {
  edit_->SetText(u"");
  Caret(0);
  Type(u"55");
  EXPECT_EQ(Shown(), u"(55_)___-____");
  EXPECT_EQ(edit_->SelStart(), 3);
  const auto beeps = MessageBeepCount();
  Type(u"x");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(Shown(), u"(55_)___-____");
  Type(u"512");
  EXPECT_EQ(Shown(), u"(555)12_-____");
  EXPECT_EQ(edit_->SelStart(), 7);
  Type(u"3");
  EXPECT_EQ(edit_->SelStart(), 9);  // past the "-"

  // Letters are cased as the mask says, in any script.
  edit_->SetEditMask(">LL<LL;0;_");
  edit_->SetText(u"");
  Caret(0);
  Type(u"ωxÉQ");
  EXPECT_EQ(Shown(), u"ΩXéq");
  Type(u"z");
  EXPECT_EQ(Shown(), u"ΩXéq");
}

TEST_F(MaskEditTest, KeysMoveOverEditablePositionsAndClearThroughTheMask) {
  edit_->SetText(u"5551234567");
  Key(VK_HOME);
  EXPECT_EQ(edit_->SelStart(), 1);
  Key(VK_END);
  EXPECT_EQ(edit_->SelStart(), 12);
  Caret(5);
  Key(VK_LEFT);
  EXPECT_EQ(edit_->SelStart(), 3);
  Key(VK_RIGHT);
  EXPECT_EQ(edit_->SelStart(), 5);
  Key(VK_DELETE);
  EXPECT_EQ(Shown(), u"(555)_23-4567");
  Caret(9);
  Key(VK_BACK);
  EXPECT_EQ(Shown(), u"(555)_2_-4567");
  EXPECT_EQ(edit_->SelStart(), 7);
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 11);
  Key(VK_DELETE);
  EXPECT_EQ(Shown(), u"(5__)___-__67");
}

TEST_F(MaskEditTest, PasteAndCutGoThroughTheMask) {
  edit_->SetText(u"");
  SetClipboardTextW(u"(555) 123");
  Caret(0);
  Send(edit_, WM_PASTE);
  // The literal pasted where the mask has it stays; the space is refused
  // and ends the paste.
  EXPECT_EQ(Shown(), u"(555)___-____");
  SetClipboardTextW(u"1234567");
  Send(edit_, WM_PASTE);
  EXPECT_EQ(Shown(), u"(555)123-4567");
  EXPECT_EQ(edit_->SelStart(), 13);

  SendMessageW(edit_->Handle(), EM_SETSEL, 5, 8);
  Send(edit_, WM_CUT);
  EXPECT_EQ(GetClipboardTextW(), u"123");
  EXPECT_EQ(Shown(), u"(555)___-4567");
}

TEST_F(MaskEditTest, EscapeBringsBackTheTextOfTheFocusEntry) {
  edit_->SetText(u"5551234567");
  form_->SetFocus();
  edit_->SetFocus();
  Caret(0);
  Type(u"999");
  EXPECT_EQ(Shown(), u"(999)123-4567");
  Type(u"\x1B");
  EXPECT_EQ(Shown(), u"(555)123-4567");
}

TEST_F(MaskEditTest, AnIncompleteValueIsRefusedWithTheCaretOnTheGap) {
  edit_->SetText(u"");
  Caret(0);
  Type(u"55512");
  const auto beeps = MessageBeepCount();
  try {
    edit_->ValidateEdit();
    ADD_FAILURE() << "no error";
  } catch (const EDBEditError& e) {
    EXPECT_STREQ(e.what(), "Invalid input value.  Use escape key to abandon changes");
  }
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(edit_->SelStart(), 7);
  EXPECT_EQ(Shown(), u"(555)12_-____");

  // Leaving the edit shows the error to the user, keeps the text and takes
  // the focus back.
  auto* other = new TEdit(form_);
  other->SetParent(form_);
  other->SetBounds(10, 50, 80, 24);
  std::u16string shown;
  SetMessageBoxHandler([&](const std::u16string& text, const std::u16string&, UINT) {
    shown = text;
    return IDOK;
  });
  other->SetFocus();
  Application->ProcessMessages();
  SetMessageBoxHandler(nullptr);
  EXPECT_EQ(shown, u"Invalid input value.  Use escape key to abandon changes");
  EXPECT_EQ(Shown(), u"(555)12_-____");
  EXPECT_TRUE(edit_->Focused());
  EXPECT_EQ(edit_->SelStart(), 7);
  Type(u"34567");
  EXPECT_EQ(Shown(), u"(555)123-4567");
  EXPECT_NO_THROW(edit_->ValidateEdit());
}

TEST_F(MaskEditTest, APasswordCharacterAbove255ShowsItselfWhileTheClassLibraryHoldsAStar) {
  edit_->SetPasswordChar(u'●');
  EXPECT_EQ(edit_->GetPasswordChar(), u'●');
  EXPECT_EQ(edit_->PasswordChar(), '*');
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'●');
  edit_->RecreateWnd();
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'●');
  // Set through the class library, the 8-bit character wins.
  edit_->platform::TCustomEdit::SetPasswordChar('#');
  EXPECT_EQ(edit_->GetPasswordChar(), u'#');
  edit_->SetPasswordChar(u'x');
  EXPECT_EQ(edit_->PasswordChar(), 'x');
}

}  // namespace
