#include "widetext/codepage.h"

#include <gtest/gtest.h>

#include "widetext/utf8.h"

namespace widetext {
namespace {

const std::u16string kLoneSurrogates(u"a\xD800z\xDC01 \xDBFF");

TEST(Utf8, EncodesPairsAsFourBytesAndLoneSurrogatesAsThree) {
  EXPECT_EQ(UTF8Encode(u"A\u00E9\u20AC"), "A\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(UTF8Encode(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(UTF8Encode(std::u16string(u"\xD800")), "\xED\xA0\x80");
  // A high surrogate followed by a non-surrogate is not a pair.
  EXPECT_EQ(UTF8Encode(std::u16string(u"\xD83D"
                                      u"A")),
            "\xED\xA0\xBD"
            "A");
}

TEST(Utf8, MalformedInputGivesReplacementsAndKeepsTheRest) {
  EXPECT_EQ(UTF8Decode("a\xFF"
                       "b"),
            u"a\uFFFDb");
  EXPECT_EQ(UTF8Decode("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(UTF8Decode("\xE2\x82"
                       "x"),
            u"\uFFFDx");                                                   // truncated sequence
  EXPECT_EQ(UTF8Decode("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
  EXPECT_EQ(UTF8Decode("end\xE2\x82"), u"end\uFFFD");
}

TEST(Utf8, RoundTripsAnyUtf16Text) {
  for (const std::u16string& text : {std::u16string(u"plain"), std::u16string(u"\u00E9\u4E2D\U0001F600"),
                                     kLoneSurrogates, std::u16string(u"\0x", 2)}) {
    EXPECT_EQ(StringToWideStringEx(WideStringToStringEx(text, CP_UTF8), CP_UTF8), text);
    EXPECT_EQ(StringToWideStringEx(WideStringToStringEx(text, CP_UTF7), CP_UTF7), text);
  }
}

TEST(CodePages, DefaultCodePageIsTheThreadsAnsiPage) {
  EXPECT_EQ(DefaultSystemCodePage, 3u);
  EXPECT_EQ(WideStringToStringEx(u"\u20AC\u00E9", DefaultSystemCodePage), "\x80\xE9");
  EXPECT_EQ(StringToWideStringEx("\x80\xE9", DefaultSystemCodePage), u"\u20AC\u00E9");
}

TEST(CodePages, TheProgramsEndPutsBackTheCodePageItStartedWith) {
  DefaultSystemCodePage = 1253;
  FinishCodePages();
  EXPECT_EQ(DefaultSystemCodePage, 3u);
}

TEST(CodePages, CharactersAPageCannotHoldBecomeItsDefaultCharacter) {
  EXPECT_EQ(WideStringToStringEx(u"a\u4E2Db", 1252), "a?b");
  EXPECT_EQ(WideStringToStringEx(u"\U0001F600", 1252), "?");
  EXPECT_EQ(WideStringToStringEx(kLoneSurrogates, 1252), "a?z? ?");
  EXPECT_EQ(WideStringToStringEx(u"\u0416\u00E9", 1251), "\xC6?");
  EXPECT_EQ(WideStringToStringEx(kLoneSurrogates, 1251), "a?z? ?");
}

TEST(CodePages, OtherPagesRoundTripWhatTheyHold) {
  struct Case {
    std::uint32_t CodePage;
    std::u16string Text;
    std::string Bytes;
  };
  const Case cases[] = {
      {1251, u"\u041F\u0440\u0438\u0432\u0435\u0442", "\xCF\xF0\xE8\xE2\xE5\xF2"},
      {1253, u"\u03B1\u03B2", "\xE1\xE2"},
      {28591, u"\u00FF\u0080", "\xFF\x80"},
      {437, u"\u2591\u00E9", "\xB0\x82"},
      {932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
      {936, u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.CodePage);
    EXPECT_EQ(WideStringToStringEx(c.Text, c.CodePage), c.Bytes);
    EXPECT_EQ(StringToWideStringEx(c.Bytes, c.CodePage), c.Text);
  }
  // Every byte of 1252 has a meaning, the unassigned five included.
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(WideStringToStringEx(StringToWideStringEx(all, 1252), 1252), all);
}

TEST(CodePages, BytesWithoutMeaningAndUnknownPagesNeverFail) {
  EXPECT_EQ(StringToWideStringEx("ab\x93", 932), u"ab\uFFFD");  // a lead byte without its trail
  EXPECT_EQ(StringToWideStringEx("abc", 12345), u"");
  EXPECT_EQ(WideStringToStringEx(u"abc", 12345), "");
  EXPECT_EQ(StringToWideStringEx("", 1252), u"");
}

TEST(CodePages, LocaleAndKeyboardPages) {
  EXPECT_EQ(LCIDToCodePage(1040), 1252u);
  EXPECT_EQ(LCIDToCodePage(0x0419), 1251u);
  EXPECT_EQ(LCIDToCodePage(0x0404), 950u);
  EXPECT_EQ(LCIDToCodePage(0x0804), 936u);
  EXPECT_EQ(LCIDToCodePage(0x0439), 0u);     // a locale without an 8-bit page
  EXPECT_EQ(LCIDToCodePage(0x007F), 1252u);  // unknown: the system's page
  EXPECT_EQ(KeyboardCodePage(), 1252u);
  EXPECT_EQ(KeyUnicode(u'a'), u'a');
  EXPECT_EQ(KeyUnicode(0x80), u'\u20AC');
  EXPECT_EQ(KeyUnicode(0x9F), u'\u0178');
  EXPECT_EQ(KeyUnicode(u'\u4E2D'), u'\u4E2D');
  EXPECT_EQ(KeyUnicode(0x100), 0x100);
  // A Greek keyboard types code page 1253.
  const platform::HKL previous = platform::SetKeyboardLayoutValue(0x04080408);
  EXPECT_EQ(KeyboardCodePage(), 1253u);
  EXPECT_EQ(KeyUnicode(0xD9), u'\u03A9');
  platform::SetKeyboardLayoutValue(previous);
}

TEST(CodePages, SwapByteOrderStopsAtTheTerminator) {
  char16_t text[] = {0x4100, 0x0042, 0x00FE, 0, 0x1234};
  StrSwapByteOrder(text);
  EXPECT_EQ(text[0], 0x0041);
  EXPECT_EQ(text[1], 0x4200);
  EXPECT_EQ(text[2], 0xFE00);
  EXPECT_EQ(text[4], 0x1234);
}

}  // namespace
}  // namespace widetext
