#include "widetext/utf7.h"

#include <gtest/gtest.h>

#include "widetext/exceptions.h"

namespace widetext {
namespace {

std::string EncodeWith(std::u16string_view Text, bool Optional, bool Verbose) {
  std::string out(Text.size() * 7 + 1, '\0');
  const char16_t* source = Text.data();
  char* target = out.data();
  EXPECT_EQ(WideCharToUTF7(source, Text.data() + Text.size(), target, out.data() + out.size(), Optional, Verbose),
            utf7Done);
  out.resize(static_cast<std::size_t>(target - out.data()));
  return out;
}

TEST(Utf7Encode, PlusIsAlwaysWrittenPlusMinus) {
  EXPECT_EQ(WideStringToUTF7(u"+"), "+-");
  EXPECT_EQ(WideStringToUTF7(u"A+B"), "A+-B");
  EXPECT_EQ(WideStringToUTF7(u"++"), "+-+-");
}

TEST(Utf7Encode, RunIsClosedOnlyWhereTheNextCharacterNeedsIt) {
  EXPECT_EQ(WideStringToUTF7(u"\u00E9"), "+AOk");     // end of input
  EXPECT_EQ(WideStringToUTF7(u"\u00E9a"), "+AOk-a");  // letter
  EXPECT_EQ(WideStringToUTF7(u"\u00E91"), "+AOk-1");  // digit
  EXPECT_EQ(WideStringToUTF7(u"\u00E9/"), "+AOk-/");  // base64 character
  EXPECT_EQ(WideStringToUTF7(u"\u00E9-"), "+AOk--");  // minus
  EXPECT_EQ(WideStringToUTF7(u"\u00E9 "), "+AOk ");   // space
  EXPECT_EQ(WideStringToUTF7(u"\u00E9."), "+AOk.");   // other direct character
  // "+" needs a shift itself, so it stays inside the run.
  EXPECT_EQ(WideStringToUTF7(u"\u00E9+"), "+AOkAKw");
}

TEST(Utf7Encode, OptionalCharactersAndVerboseRuns) {
  EXPECT_EQ(EncodeWith(u"!@", true, false), "!@");
  EXPECT_EQ(EncodeWith(u"!@", false, false), "+ACEAQA");
  EXPECT_EQ(EncodeWith(u"\u00E9", false, true), "+AOk-");
  EXPECT_EQ(EncodeWith(u"\u00E9 ", false, true), "+AOk- ");
  // Characters outside both direct sets are shifted whatever the table.
  EXPECT_EQ(WideStringToUTF7(u"a~b\\"), "a+AH4-b+AFw");
}

TEST(Utf7Encode, TargetTooSmallStopsWithExhausted) {
  const std::u16string text = u"\u4E2D\u6587";
  char buffer[4];
  const char16_t* source = text.data();
  char* target = buffer;
  EXPECT_EQ(WideCharToUTF7(source, text.data() + text.size(), target, buffer + sizeof buffer, true, false),
            utf7TargetExhausted);
  EXPECT_LE(target, buffer + sizeof buffer);
}

TEST(Utf7Decode, ValidForms) {
  EXPECT_EQ(UTF7ToWideString("+-"), u"+");
  EXPECT_EQ(UTF7ToWideString("A+-B"), u"A+B");
  EXPECT_EQ(UTF7ToWideString("+AGE-"), u"a");
  EXPECT_EQ(UTF7ToWideString("+AGE"), u"a");
  EXPECT_EQ(UTF7ToWideString("+AOk."), u"\u00E9.");
  EXPECT_EQ(UTF7ToWideString("Hi Mom -+Jjo--!"), u"Hi Mom -\u263A-!");
  EXPECT_EQ(UTF7ToWideString("+ZeVnLIqe-"), u"\u65E5\u672C\u8A9E");
}

TEST(Utf7Decode, SecondRunIsNotShiftedByTheFirstRunsPadding) {
  EXPECT_EQ(UTF7ToWideString("+AGE-+AGE-"), u"aa");
  EXPECT_EQ(UTF7ToWideString("+AGE-x+AGE-"), u"axa");
  EXPECT_EQ(UTF7ToWideString("+AOk +AOk"), u"\u00E9 \u00E9");
}

TEST(Utf7Decode, IllegalInputRaisesInvalidUtf7) {
  for (const std::string_view bad : {"+A-", "a+", "+", "+ x", "\xE9", "+AGF-"}) {
    SCOPED_TRACE(bad);
    try {
      UTF7ToWideString(bad);
      ADD_FAILURE() << "no exception";
    } catch (const EWtxGeneralError& e) {
      EXPECT_STREQ(e.what(), "Invalid UTF7");
    }
  }
}

TEST(Utf7Decode, IllegalInputIsStillDecodedAsFarAsItGoes) {
  const std::string text =
      "a\xE9"
      "b";
  std::u16string out(text.size(), u'\0');
  const char* source = text.data();
  char16_t* target = out.data();
  EXPECT_EQ(UTF7ToWideChar(source, text.data() + text.size(), target, out.data() + out.size()), utf7SourceIllegal);
  out.resize(static_cast<std::size_t>(target - out.data()));
  EXPECT_EQ(out, u"a\u00E9b");
}

TEST(Utf7RoundTrip, AnyTextSurvives) {
  const std::u16string texts[] = {
      u"",
      u"plain text, with (punctuation): ok?",
      u"+-+ -+- a+b",
      u"!\"#$%&*;<=>@[]^_`{|}~\\",
      u"\u00E9t\u00E9 \u20AC 5 \u2014 \u4E2D\u6587",
      u"tab\tcr\rlf\n",
      u"\U0001F600 pair",
      std::u16string(u"lone \xD800 high and \xDC00 low"),
      std::u16string(u"\x0000\x0001 controls", 11),
  };
  for (const std::u16string& text : texts) {
    EXPECT_EQ(UTF7ToWideString(WideStringToUTF7(text)), text);
    EXPECT_EQ(UTF7ToWideString(EncodeWith(text, false, true)), text);
  }
}

}  // namespace
}  // namespace widetext
