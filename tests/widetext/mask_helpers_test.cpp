#include "widetext/mask_helpers.h"

#include <gtest/gtest.h>

namespace widetext {
namespace {

TEST(MaskHelpers, FormatLaysTheValueOnTheMask) {
  EXPECT_EQ(WideMaskDoFormatText("(999)000-0000;0;_", u"5551234567", u'_'), u"(555)123-4567");
  EXPECT_EQ(WideMaskDoFormatText("(999)000-0000;0;_", u"555", u'_'), u"(555)___-____");
  EXPECT_EQ(WideMaskDoFormatText("LL-\xE9;0", u"\u4E2D", u'*'), u"\u4E2D*-\u00E9");
  EXPECT_EQ(WideMaskDoFormatText("\\999", u"5", u'_'), u"95_");
  // Right to left: the blanks go in front.
  EXPECT_EQ(WideMaskDoFormatText("!99:99", u"123", u'_'), u"_1:23");
  EXPECT_EQ(WideMaskDoFormatText("!99:99", u"", u'_'), u"__:__");
}

TEST(MaskHelpers, PadSubFieldPadsOrCutsAtTheRightEnd) {
  EXPECT_EQ(WideMaskPadSubField("99/99", u"1/23", 1, 2, 2, u'_'), u"1_/23");
  EXPECT_EQ(WideMaskPadSubField("99/99", u"123/4", 1, 4, 2, u'_'), u"12/4");
  EXPECT_EQ(WideMaskPadSubField("!99/99", u"1/23", 1, 2, 2, u'_'), u"_1/23");
  EXPECT_EQ(WideMaskPadSubField("!99/99", u"123/4", 1, 4, 2, u'_'), u"23/4");
  EXPECT_EQ(WideMaskPadSubField("99/99", u"12/4", 1, 3, 2, u'_'), u"12/4");
}

TEST(MaskHelpers, PadInputLiteralsFitsEachFieldBetweenItsLiterals) {
  EXPECT_EQ(WidePadInputLiterals("99/99/0000;1;_", u"1/2/2024", u'_'), u"1_/2_/2024");
  EXPECT_EQ(WidePadInputLiterals("99/99/0000;1;_", u"12/345/2024", u'_'), u"12/34/2024");
  EXPECT_EQ(WidePadInputLiterals("99/99", u"12", u'_'), u"12/__");
  EXPECT_EQ(WidePadInputLiterals("99/99", u"1 /2 ", u'_'), u"1_/2_");
  EXPECT_EQ(WidePadInputLiterals("99 99", u"1 2", u'*'), u"1* 2*");
  // Without its literal the surplus of the first field is dropped.
  EXPECT_EQ(WidePadInputLiterals("00:00", u"123456", u'_'), u"12:__");
}

TEST(MaskHelpers, InternationalLiteralsAreTheLocalesSeparators) {
  EXPECT_EQ(WideMaskIntlLiteralToChar(u'/'), u'/');
  EXPECT_EQ(WideMaskIntlLiteralToChar(u':'), u':');
  EXPECT_EQ(WideMaskIntlLiteralToChar(u'-'), u'-');
}

}  // namespace
}  // namespace widetext
