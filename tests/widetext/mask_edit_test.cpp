#include "widetext/masked_edit/mask_edit.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/streams.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/window_classes/clipboard.h"
#include "platform/ui/window_classes/message_beep.h"
#include "tests/widetext/platform_version.h"
#include "tests/widetext/xp_fixture.h"

namespace {

using namespace platform;
using widetext::EDBEditError;
using widetext::TWtxMaskEdit;
using widetext::testing::kAnsiPlatform;
using widetext::testing::ScopedPlatformVersion;

// Every password character a control is sent through its window, in
// order, while the recorder lives.
class PasswordCharsSent {
 public:
  explicit PasswordCharsSent(TWinControl& Control) : control_(Control), previous_(Control.WindowProc) {
    Control.WindowProc = MakeWndMethod<&PasswordCharsSent::Handle>(this);
  }
  ~PasswordCharsSent() { control_.WindowProc = previous_; }
  PasswordCharsSent(const PasswordCharsSent&) = delete;
  PasswordCharsSent& operator=(const PasswordCharsSent&) = delete;
  std::u16string Chars;

 private:
  void Handle(TMessage& Message) {
    if (Message.Msg == EM_SETPASSWORDCHAR) Chars += static_cast<char16_t>(Message.WParam);
    previous_(Message);
  }
  TWinControl& control_;
  TWndMethod previous_;
};

class MaskEditTest : public xpfixture::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Edit = new TWtxMaskEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 150, 24);
    Edit->SetEditMask("(999)000-0000;0;_");
    Edit->SetFocus();
  }
  void Type(std::u16string_view Text) {
    for (const char16_t c : Text) Send(Edit, WM_CHAR, c);
  }
  void Key(WPARAM Key) {
    Send(Edit, WM_KEYDOWN, Key);
    Send(Edit, WM_KEYUP, Key);
  }
  void Caret(int Position) { SendMessageW(Edit->Handle(), EM_SETSEL, static_cast<WPARAM>(Position), Position); }
  std::u16string Shown() { return Edit->GetCaption(); }

  TWtxMaskEdit* Edit = nullptr;
};

TEST_F(MaskEditTest, TheValueHoldsOnlyWhatWasEnteredWhenLiteralsAreNotSaved) {
  Edit->SetText(u"5551234567");
  EXPECT_EQ(Shown(), u"(555)123-4567");
  EXPECT_EQ(Edit->GetText(), u"5551234567");
  Edit->SetText(u"555");
  EXPECT_EQ(Shown(), u"(555)___-____");
  EXPECT_EQ(Edit->GetText(), u"555");
  // A new mask keeps the value.
  Edit->SetEditMask("999-9999;1;*");
  EXPECT_EQ(Shown(), u"555-****");
  EXPECT_EQ(Edit->GetText(), u"555-    ");
  Edit->SetEditMask("");
  EXPECT_EQ(Edit->GetText(), u"555-    ");
}

TEST_F(MaskEditTest, TypingFillsTheBlanksSkipsTheLiteralsAndRefusesWhatTheMaskDoesNot) {
  Edit->SetText(u"");
  Caret(0);
  Type(u"55");
  EXPECT_EQ(Shown(), u"(55_)___-____");
  EXPECT_EQ(Edit->SelStart(), 3);
  const auto beeps = MessageBeepCount();
  Type(u"x");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(Shown(), u"(55_)___-____");
  Type(u"512");
  EXPECT_EQ(Shown(), u"(555)12_-____");
  EXPECT_EQ(Edit->SelStart(), 7);
  Type(u"3");
  EXPECT_EQ(Edit->SelStart(), 9);  // past the "-"

  // Letters are cased as the mask says, in any script.
  Edit->SetEditMask(">LL<LL;0;_");
  Edit->SetText(u"");
  Caret(0);
  Type(u"ωxÉQ");
  EXPECT_EQ(Shown(), u"ΩXéq");
  Type(u"z");
  EXPECT_EQ(Shown(), u"ΩXéq");
}

TEST_F(MaskEditTest, KeysMoveOverEditablePositionsAndClearThroughTheMask) {
  Edit->SetText(u"5551234567");
  Key(VK_HOME);
  EXPECT_EQ(Edit->SelStart(), 1);
  Key(VK_END);
  EXPECT_EQ(Edit->SelStart(), 12);
  Caret(5);
  Key(VK_LEFT);
  EXPECT_EQ(Edit->SelStart(), 3);
  Key(VK_RIGHT);
  EXPECT_EQ(Edit->SelStart(), 5);
  Key(VK_DELETE);
  EXPECT_EQ(Shown(), u"(555)_23-4567");
  Caret(9);
  Key(VK_BACK);
  EXPECT_EQ(Shown(), u"(555)_2_-4567");
  EXPECT_EQ(Edit->SelStart(), 7);
  SendMessageW(Edit->Handle(), EM_SETSEL, 2, 11);
  Key(VK_DELETE);
  EXPECT_EQ(Shown(), u"(5__)___-__67");
}

TEST_F(MaskEditTest, PasteAndCutGoThroughTheMask) {
  Edit->SetText(u"");
  SetClipboardTextW(u"(555) 123");
  Caret(0);
  Send(Edit, WM_PASTE);
  // The literal pasted where the mask has it stays; the space is refused
  // and ends the paste.
  EXPECT_EQ(Shown(), u"(555)___-____");
  SetClipboardTextW(u"1234567");
  Send(Edit, WM_PASTE);
  EXPECT_EQ(Shown(), u"(555)123-4567");
  EXPECT_EQ(Edit->SelStart(), 13);

  SendMessageW(Edit->Handle(), EM_SETSEL, 5, 8);
  Send(Edit, WM_CUT);
  EXPECT_EQ(GetClipboardTextW(), u"123");
  EXPECT_EQ(Shown(), u"(555)___-4567");
}

TEST_F(MaskEditTest, EscapeBringsBackTheTextOfTheFocusEntry) {
  Edit->SetText(u"5551234567");
  Form->SetFocus();
  Edit->SetFocus();
  Caret(0);
  Type(u"999");
  EXPECT_EQ(Shown(), u"(999)123-4567");
  Type(u"\x1B");
  EXPECT_EQ(Shown(), u"(555)123-4567");
}

TEST_F(MaskEditTest, AnIncompleteValueIsRefusedWithTheCaretOnTheGap) {
  Edit->SetText(u"");
  Caret(0);
  Type(u"55512");
  const auto beeps = MessageBeepCount();
  try {
    Edit->ValidateEdit();
    ADD_FAILURE() << "no error";
  } catch (const EDBEditError& e) {
    EXPECT_STREQ(e.what(), "Invalid input value.  Use escape key to abandon changes");
  }
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(Edit->SelStart(), 7);
  EXPECT_EQ(Shown(), u"(555)12_-____");

  // Leaving the edit shows the error to the user, keeps the text and takes
  // the focus back.
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 50, 80, 24);
  std::u16string shown;
  SetMessageBoxHandler([&](const std::u16string& Text, const std::u16string&, UINT) {
    shown = Text;
    return IDOK;
  });
  other->SetFocus();
  Application->ProcessMessages();
  SetMessageBoxHandler(nullptr);
  EXPECT_EQ(shown, u"Invalid input value.  Use escape key to abandon changes");
  EXPECT_EQ(Shown(), u"(555)12_-____");
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->SelStart(), 7);
  // Taking the focus back is no new entry: Escape still brings back the
  // text the edit had when the user came to it.
  Type(u"\x1B");
  EXPECT_EQ(Shown(), u"(___)___-____");
  Caret(0);
  Type(u"5551234567");
  EXPECT_EQ(Shown(), u"(555)123-4567");
  EXPECT_NO_THROW(Edit->ValidateEdit());
}

// At design time a value the mask does not take is refused, unless the
// form is loading or the value comes through the data link.
TEST_F(MaskEditTest, ADesignedValueTheMaskDoesNotTakeIsRefusedUnlessLoadingOrLinked) {
  Edit->IncludeState(csDesigning);
  try {
    Edit->SetText(u"555");
    ADD_FAILURE() << "no error";
  } catch (const EDBEditError& e) {
    EXPECT_STREQ(e.what(), "Invalid input value");
  }
  EXPECT_EQ(Shown(), u"(___)___-____");
  Edit->SetText(u"5551234567");
  EXPECT_EQ(Shown(), u"(555)123-4567");

  Edit->DataLink().SetFieldText(u"555");
  EXPECT_EQ(Shown(), u"(555)___-____");
  EXPECT_EQ(Edit->GetText(), u"555");
  EXPECT_THROW(Edit->SetText(u"12"), EDBEditError);

  Edit->IncludeState(csLoading);
  Edit->SetText(u"12");
  EXPECT_EQ(Shown(), u"(12_)___-____");
  Edit->ExcludeState(csLoading);
  Edit->ExcludeState(csDesigning);
  Edit->SetText(u"9");
  EXPECT_EQ(Shown(), u"(9__)___-____");
}

TEST_F(MaskEditTest, APasswordCharacterAbove255ShowsItselfWhileTheClassLibraryHoldsAStar) {
  {
    // The window is told the wide character alone, never its 8-bit image.
    const PasswordCharsSent sent(*Edit);
    Edit->SetPasswordChar(u'●');
    EXPECT_EQ(sent.Chars, u"●");
  }
  EXPECT_EQ(Edit->GetPasswordChar(), u'●');
  EXPECT_EQ(Edit->PasswordChar(), '*');
  EXPECT_EQ(SendMessageW(Edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'●');
  Edit->RecreateWnd();
  EXPECT_EQ(SendMessageW(Edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'●');
  // Set through the class library, the 8-bit character wins.
  Edit->platform::TCustomEdit::SetPasswordChar('#');
  EXPECT_EQ(Edit->GetPasswordChar(), u'#');
  const PasswordCharsSent sent(*Edit);
  Edit->SetPasswordChar(u'x');
  EXPECT_EQ(sent.Chars, u"x");
  EXPECT_EQ(Edit->PasswordChar(), 'x');
}

TEST_F(MaskEditTest, AnEightBitWindowShowsTheEightBitImageOfThePasswordCharacter) {
  const ScopedPlatformVersion ansi(kAnsiPlatform);
  auto* edit = new TWtxMaskEdit(Form);
  edit->SetParent(Form);
  const HWND h = edit->Handle();
  ASSERT_FALSE(IsWindowUnicode(h));
  edit->SetPasswordChar(u'●');
  EXPECT_EQ(edit->GetPasswordChar(), u'●');
  EXPECT_EQ(SendMessageA(h, EM_GETPASSWORDCHAR, 0, 0), '*');
  edit->RecreateWnd();
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  edit->SetPasswordChar(u'#');
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), '#');
  Free(edit);
}

// The text and the password character are filed as wide values, which the
// 8-bit ones ("?????", "*") could not carry, and read back.
TEST_F(MaskEditTest, TheWideTextAndPasswordCharacterAreFiledAndReadBack) {
  Edit->SetEditMask("LLLLL-9;0;_");
  Edit->SetText(u"Ωμέγα");
  Edit->SetPasswordChar(u'●');
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteProperties(Edit);
  }
  stream.SetPosition(0);
  std::set<std::string> names;
  {
    TReader reader(stream);
    while (!reader.EndOfList()) {
      const std::string name = reader.ReadStr();
      names.insert(name);
      if (name == "Text" || name == "PasswordChar") {
        EXPECT_EQ(reader.NextValue(), vaWString) << name;
      }
      reader.SkipValue();
    }
  }
  EXPECT_EQ(names.count("Caption"), 0u);
  for (const char* name : {"EditMask", "Text", "PasswordChar"}) EXPECT_EQ(names.count(name), 1u) << name;

  auto* copy = new TWtxMaskEdit(Form);
  copy->SetParent(Form);
  stream.SetPosition(0);
  TReader reader(stream);
  reader.ReadProperties(copy);
  EXPECT_EQ(copy->EditMask(), "LLLLL-9;0;_");
  EXPECT_EQ(copy->GetText(), u"Ωμέγα");
  EXPECT_EQ(copy->GetCaption(), u"Ωμέγα-_");
  EXPECT_EQ(copy->GetPasswordChar(), u'●');
  EXPECT_EQ(SendMessageW(copy->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'●');
}

}  // namespace
