#include "widetext/masked_edit/edit_mask_text.h"

#include <gtest/gtest.h>

namespace {

using widetext::TEditMaskText;

TEST(EditMaskText, ValuesWithoutSavedLiteralsHoldOnlyWhatWasEntered) {
  const TEditMaskText phone("(999)000-0000;0;_");
  EXPECT_FALSE(phone.SavesLiterals());
  EXPECT_EQ(phone.MaxChars(), 13);
  EXPECT_EQ(phone.Format(u"5551234567"), u"(555)123-4567");
  EXPECT_EQ(phone.Format(u"555"), u"(555)___-____");
  EXPECT_EQ(phone.Unmask(u"(555)123-4567"), u"5551234567");
  EXPECT_EQ(phone.Unmask(u"(555)12_-____"), u"55512");
  // A blank inside the value is a space.
  EXPECT_EQ(phone.Unmask(u"(5_5)123-____"), u"5 5123");
  EXPECT_EQ(phone.Unmask(u"(___)___-____"), u"");
}

TEST(EditMaskText, SavedLiteralsStayInTheValue) {
  const TEditMaskText date("99/99/0000;1;_");
  EXPECT_TRUE(date.SavesLiterals());
  EXPECT_EQ(date.Format(u"1/2/2024"), u"1_/2_/2024");
  EXPECT_EQ(date.Format(u"12/345/2024"), u"12/34/2024");
  EXPECT_EQ(date.Unmask(u"1_/2_/2024"), u"1 /2 /2024");
  EXPECT_EQ(date.Unmask(u"12/__/____"), u"12/  /    ");
  // No third field means the literals are saved, with "_" for a blank.
  const TEditMaskText plain("LL-LL");
  EXPECT_TRUE(plain.SavesLiterals());
  EXPECT_EQ(plain.Blank(), u'_');
}

TEST(EditMaskText, OwnBlanksAndRightToLeftMasks) {
  const TEditMaskText stars("00.00;0;*");
  EXPECT_EQ(stars.Blank(), u'*');
  EXPECT_EQ(stars.Format(u"1"), u"1*.**");
  EXPECT_EQ(stars.Unmask(u"1*.*2"), u"1  2");
  const TEditMaskText time("!99:99;0;_");
  EXPECT_TRUE(time.RightToLeft());
  EXPECT_EQ(time.Format(u"123"), u"_1:23");
  EXPECT_EQ(time.Unmask(u"_1:23"), u"123");
}

TEST(EditMaskText, WhatEachMaskCharacterAccepts) {
  const TEditMaskText mask("#0LlAaCc>L<L<>L\\L-");
  const auto accepts = [&](int Position, char16_t C) { return mask.Accept(Position, C); };
  for (const char16_t c : {u'7', u' ', u'+', u'-'}) EXPECT_EQ(accepts(0, c), c);
  EXPECT_FALSE(accepts(0, u'x'));
  EXPECT_EQ(accepts(1, u'5'), u'5');
  EXPECT_FALSE(accepts(1, u'x'));
  EXPECT_FALSE(accepts(1, u' '));
  EXPECT_EQ(accepts(2, u'Ω'), u'Ω');
  EXPECT_FALSE(accepts(3, u'5'));
  EXPECT_EQ(accepts(4, u'ж'), u'ж');
  EXPECT_EQ(accepts(5, u'9'), u'9');
  EXPECT_FALSE(accepts(5, u'-'));
  EXPECT_EQ(accepts(6, u'-'), u'-');
  EXPECT_EQ(accepts(7, u' '), u' ');
  EXPECT_FALSE(accepts(7, u'\t'));
  // The case directives.
  EXPECT_EQ(accepts(8, u'ω'), u'Ω');
  EXPECT_EQ(accepts(9, u'Q'), u'q');
  EXPECT_EQ(accepts(10, u'q'), u'q');
  // At a literal position the literal is what goes in.
  EXPECT_TRUE(mask.IsLiteral(11));
  EXPECT_EQ(accepts(11, u'x'), u'L');
  EXPECT_EQ(accepts(12, u'x'), u'-');
  EXPECT_FALSE(accepts(13, u'x'));
}

TEST(EditMaskText, ValidationFindsTheFirstRequiredGap) {
  const TEditMaskText phone("(999)000-0000;0;_");
  EXPECT_EQ(phone.FirstInvalid(u"(555)123-4567"), std::nullopt);
  EXPECT_EQ(phone.FirstInvalid(u"(___)123-4567"), std::nullopt);
  EXPECT_EQ(phone.FirstInvalid(u"(555)12_-4567"), 7);
  EXPECT_EQ(phone.FirstInvalid(u"(555)1 3-4567"), 6);
  EXPECT_EQ(phone.FirstInvalid(u"(555)"), 5);
  // A required "C" takes a space, not a blank.
  const TEditMaskText any("CC;0; ");
  EXPECT_EQ(any.FirstInvalid(u"a "), 1);
  const TEditMaskText anyStar("CC;0;*");
  EXPECT_EQ(anyStar.FirstInvalid(u"a "), std::nullopt);
  EXPECT_EQ(anyStar.FirstInvalid(u"a*"), 1);
}

TEST(EditMaskText, CaretPositionsSkipTheLiterals) {
  const TEditMaskText phone("(999)000-0000;0;_");
  EXPECT_EQ(phone.FirstEditable(), 1);
  EXPECT_EQ(phone.LastEditable(), 12);
  EXPECT_EQ(phone.NextEditable(4), 5);
  EXPECT_EQ(phone.NextEditable(8), 9);
  EXPECT_EQ(phone.NextEditable(13), 13);
  EXPECT_EQ(phone.PreviousEditable(5), 3);
  EXPECT_EQ(phone.PreviousEditable(1), std::nullopt);
  EXPECT_EQ(phone.PreviousEditable(40), 12);
  EXPECT_EQ(phone.EmptyImage(0, 6), u"(___)_");
  EXPECT_EQ(phone.EmptyImage(11, 20), u"__");
  EXPECT_TRUE(TEditMaskText().Empty());
}

}  // namespace
