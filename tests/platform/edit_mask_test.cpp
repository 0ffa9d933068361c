#include "platform/core/classes/edit_mask.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(EditMask, FieldsOfTheMask) {
  EXPECT_EQ(MaskGetFldSeparator("99;0;*"), 3);
  EXPECT_EQ(MaskLength("99;0;*"), 2);
  EXPECT_FALSE(MaskGetMaskSave("99;0;*"));
  EXPECT_EQ(MaskGetMaskBlank("99;0;*"), '*');
  EXPECT_EQ(MaskGetFldSeparator("99"), 0);
  EXPECT_TRUE(MaskGetMaskSave("99"));
  EXPECT_EQ(MaskGetMaskBlank("99"), '_');
  EXPECT_EQ(MaskGetMaskBlank("99;1"), '_');
  // An escaped ";" is a literal of the mask.
  EXPECT_EQ(MaskGetFldSeparator("9\\;9;1; "), 5);
  EXPECT_EQ(MaskGetMaskBlank("9\\;9;1; "), ' ');
}

TEST(EditMask, CharacterTypesAndTextOffsets) {
  const std::string_view mask = "!(999)\\9:0;0;_";
  const TMaskCharType expected[] = {mcDirective, mcLiteral, mcMaskOpt,     mcMaskOpt, mcMaskOpt,        mcLiteral,
                                    mcDirective, mcLiteral, mcIntlLiteral, mcMask,    mcFieldSeparator, mcField};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(MaskGetCharType(mask, i + 1), expected[i]) << i + 1;
  EXPECT_EQ(MaskGetCharType(mask, 0), mcNone);
  EXPECT_EQ(MaskGetCharType(mask, 20), mcNone);
  EXPECT_EQ(MaskOffsetToOffset(mask, 2), 1);
  EXPECT_EQ(MaskOffsetToOffset(mask, 8), 6);
  EXPECT_EQ(MaskOffsetToOffset(mask, 10), 8);
  EXPECT_EQ(MaskOffsetToOffset(mask, 14), 8);
  EXPECT_TRUE(IsLiteralChar(mask, 1));
  EXPECT_FALSE(IsLiteralChar(mask, 2));
  EXPECT_TRUE(IsLiteralChar(mask, 6));
  EXPECT_TRUE(IsLiteralChar(mask, 7));
  EXPECT_FALSE(IsLiteralChar(mask, 8));
  EXPECT_FALSE(IsLiteralChar(mask, 9));
}

TEST(EditMask, DirectivesInForce) {
  const std::string_view mask = ">LL<ll<>LL\\>";
  EXPECT_EQ(MaskGetCurrentDirectives(mask, 2), mdUpperCase);
  EXPECT_EQ(MaskGetCurrentDirectives(mask, 5), mdLowerCase);
  EXPECT_EQ(MaskGetCurrentDirectives(mask, 9), 0);
  EXPECT_EQ(MaskGetCurrentDirectives(mask, 12), mdLiteralChar);
  EXPECT_EQ(MaskGetCurrentDirectives("!99", 1), mdReverseDir);
  EXPECT_EQ(MaskGetCurrentDirectives("99!9", 1), 0);
}

}  // namespace
}  // namespace platform
