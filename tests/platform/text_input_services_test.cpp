#include <gtest/gtest.h>

#include "platform/core/text/case_mapping.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/clipboard.h"
#include "platform/ui/window_classes/message_beep.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

TEST(CharClasses, LettersAndDigitsOfAnyScript) {
  for (const char16_t c : {u'a', u'Z', u'é', u'Ω', u'ж', u'中'}) EXPECT_TRUE(IsCharAlphaW(c)) << int(c);
  for (const char16_t c : {u'0', u'7', u' ', u'-', u'\u00B7', u'\xD800'}) EXPECT_FALSE(IsCharAlphaW(c)) << int(c);
  for (const char16_t c : {u'a', u'Ω', u'0', u'9'}) EXPECT_TRUE(IsCharAlphaNumericW(c)) << int(c);
  for (const char16_t c : {u' ', u'+', u'_', u'\xDC00'}) EXPECT_FALSE(IsCharAlphaNumericW(c)) << int(c);
}

class TextInputServices : public fixture::FormTest {};

TEST_F(TextInputServices, TheClipboardHoldsUtf16TextAndBeepsAreCounted) {
  SetClipboardTextW(u"Łódź 中");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(2));
  EXPECT_EQ(GetClipboardTextW(), u"Łódź 中");
  EXPECT_EQ(GetClipboardTextA(),
            "?\xF3"
            "d? ?");
  const auto before = MessageBeepCount();
  EXPECT_TRUE(MessageBeep(0));
  EXPECT_EQ(MessageBeepCount(), before + 1);
}

TEST_F(TextInputServices, AnEditShowsItsPasswordCharacterAndSaysWhichItIs) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetText("secret");
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
  SendMessageW(edit->Handle(), EM_SETPASSWORDCHAR, u'●', 0);
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'●');
  edit->SetPasswordChar('*');
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_EQ(edit->Text(), "secret");
}

}  // namespace
