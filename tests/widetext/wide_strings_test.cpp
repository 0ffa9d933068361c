#include "widetext/wide_strings.h"

#include <gtest/gtest.h>

#include "widetext/codepage.h"
#include "widetext/wide_zstrings.h"

namespace widetext {
namespace {

TEST(WideStrings, DeleteRemovesOnlyWhatLiesInside) {
  std::u16string s = u"abcdef";
  WideDelete(s, 2, 2);
  EXPECT_EQ(s, u"adef");
  WideDelete(s, 3, 100);  // runs past the end
  EXPECT_EQ(s, u"ad");
  for (const auto& [index, count] : {std::pair{0, 1}, {3, 1}, {1, 0}, {-5, 2}}) {
    WideDelete(s, index, count);
    EXPECT_EQ(s, u"ad");
  }
}

TEST(WideStrings, PositionsAfterAnOffset) {
  EXPECT_EQ(WidePosEx(u"b", u"abcb", 0), 2);
  EXPECT_EQ(WidePosEx(u"b", u"abcb", 2), 4);
  EXPECT_EQ(WidePosEx(u"ab", u"abxx", 1), 0);  // found only before the offset
  EXPECT_EQ(WidePosEx(u"b", u"abcb", -3), 2);
  EXPECT_EQ(WidePosEx(u"b", u"abcb", 4), 0);
  EXPECT_EQ(WidePosEx(u"", u"abc", 0), 0);
  EXPECT_EQ(WideTextPos(u"\u00C9T\u00C9", u"l'\u00E9t\u00E9"), 3);
  EXPECT_EQ(WideTextPosEx(u"A", u"aXa", 1), 3);
}

TEST(WideStrings, CaseAndComparison) {
  EXPECT_EQ(WideUpperCase(u"stra\u00DFe \u00E9\u03B1\u0436"), u"STRA\u00DFE \u00C9\u0391\u0416");
  EXPECT_EQ(WideLowerCase(u"\u00C9\u0391\u0416 ABC"), u"\u00E9\u03B1\u0436 abc");
  EXPECT_EQ(WideCompareText(u"Apple", u"aPPLE"), 0);
  EXPECT_LT(WideCompareText(u"apple", u"Banana"), 0);
  EXPECT_LT(WideCompareText(u"ab", u"abc"), 0);
  EXPECT_EQ(WideCompareText(u"\u00E9t\u00E9", u"\u00C9T\u00C9"), 0);
  EXPECT_GT(WideCompareText(u"a_", u"aB"), 0);  // "_" sorts after the upper-case letters
  EXPECT_LT(WideCompareStr(u"A", u"a"), 0);
  EXPECT_LT(WideCompareStr(u"B", u"a"), 0);
  EXPECT_EQ(WideCompareStr(u"Ab", u"Ab"), 0);
}

TEST(WideStrings, Delimiters) {
  EXPECT_TRUE(WideIsDelimiter(u",;", u"a;b", 2));
  EXPECT_FALSE(WideIsDelimiter(u",;", u"a;b", 1));
  EXPECT_FALSE(WideIsDelimiter(u",;", u"a;b", 0));
  EXPECT_FALSE(WideIsDelimiter(u",;", u"a;b", 4));
  EXPECT_EQ(WideLastDelimiter(u",;", u"a,b;c"), 4);
  EXPECT_EQ(WideLastDelimiter(u",;", u"abc"), 0);
}

TEST(WideStrings, TokensAndSplitting) {
  const char16_t text[] = u"one|two||three";
  const char16_t* p = text;
  EXPECT_EQ(WideExtractNextToken(p, u'|'), u"one");
  EXPECT_EQ(*p, u't');
  EXPECT_EQ(WideExtractNextToken(p, u'|'), u"two");
  EXPECT_EQ(WideExtractNextToken(p, u'|'), u"");
  EXPECT_EQ(WideExtractNextToken(p, u'|'), u"three");
  EXPECT_EQ(*p, u'\0');

  using Tokens = std::vector<std::u16string>;
  EXPECT_EQ(WideSplitString(u"a,b,", u','), (Tokens{u"a", u"b"}));
  EXPECT_EQ(WideSplitString(u",a", u','), (Tokens{u"", u"a"}));
  EXPECT_EQ(WideSplitString(u"", u','), Tokens{});
  EXPECT_EQ(WideSplitString(std::u16string_view(u"a,b\0c,d", 7), u','), (Tokens{u"a", u"b"}));
  std::u16string many;
  for (int i = 0; i < 600; ++i) many += u"x,";
  EXPECT_EQ(WideSplitString(many, u',').size(), 600u);
}

TEST(WideStrings, LineBreaksInEachStyle) {
  const std::u16string text = u"A\rB\r\nC\nD\u2028E";
  EXPECT_EQ(WtxAdjustLineBreaks(text, tlbsCRLF), u"A\r\nB\r\nC\r\nD\r\nE");
  EXPECT_EQ(WtxAdjustLineBreaks(text, tlbsLF), u"A\nB\nC\nD\nE");
  EXPECT_EQ(WtxAdjustLineBreaks(text, tlbsCR), u"A\rB\rC\rD\rE");
  EXPECT_EQ(WtxAdjustLineBreaks(u"A\r\r\n\n\u2028B", tlbsCRLF), u"A\r\n\r\n\r\n\r\nB");
  EXPECT_EQ(WtxAdjustLineBreaks(u"\n\r", tlbsCRLF), u"\r\n\r\n");
}

TEST(WideStrings, MappableToTheDefaultCodePage) {
  EXPECT_TRUE(IsWideCharMappableToAnsi(u'a'));
  EXPECT_TRUE(IsWideCharMappableToAnsi(u'\u20AC'));
  EXPECT_FALSE(IsWideCharMappableToAnsi(u'\u4E2D'));
  EXPECT_FALSE(IsWideCharMappableToAnsi(0xD800));
}

TEST(WideZeroTerminated, BuffersAndCopies) {
  char16_t* copy = WideStrNew(u"hello");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(WideStrToString(copy), u"hello");
  EXPECT_EQ(WideStrLen(copy), 5u);
  EXPECT_EQ(WideStrEnd(copy), copy + 5);
  EXPECT_EQ(WideStrScan(copy, u'l'), copy + 2);
  EXPECT_EQ(WideStrScan(copy, u'z'), nullptr);
  EXPECT_EQ(WideStrScan(copy, u'\0'), copy + 5);
  WideStrLCopy(copy, u"abcdefgh", 3);
  EXPECT_EQ(WideStrToString(copy), u"abc");
  WideStrCopyFromString(copy, std::u16string_view(u"xy\0z", 4), 5);
  EXPECT_EQ(WideStrToString(copy), u"xy");
  WideStrCopy(copy, u"12345");
  EXPECT_EQ(WideStrToString(copy), u"12345");
  WideStrDispose(copy);
  WideStrDispose(nullptr);
  EXPECT_EQ(WideStrNew(nullptr), nullptr);
  EXPECT_EQ(WideStrToString(nullptr), u"");

  const std::u16string s = u"ab";
  EXPECT_EQ(WideLastChar(s), s.data() + 1);
  EXPECT_EQ(WideLastChar(u""), nullptr);
}

}  // namespace
}  // namespace widetext
