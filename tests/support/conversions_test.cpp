#include "support/conversions.h"

#include <gtest/gtest.h>

#include <string>

#include "support/arithmetic.h"
#include "support/char_types.h"

namespace support {
namespace {

TEST(SafeStrToFloat, AcceptsPointOrCommaSignsAndExponents) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {" 12,5 ", 12.5},   {"1.5e3", 1500},     {"-1.5E-3", -0.0015}, {"+2", 2},       {".5", 0.5},
      {"5.", 5},          {"-,25", -0.25},     {"1e+5", 1e5},        {"+1.5e-2", 0.015},
      {"\t007\r\n", 7},   {"3,14159", 3.14159}, {"-0", 0},           {"1e-400", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(SafeStrToFloat(c.text), c.value) << c.text;
}

TEST(SafeStrToFloat, RejectsMalformedTextAsZero) {
  for (const char* text : {"", "   ", "e5", "5e", "1.2.3", "1,2.3", "+", "-", ".", "12a", "1-2", "1e+-5", "1e+",
                           "--5", "+-5", "1e5e5", "1e5.5", "1 000", "+e5", "-.e1", "0x10", "inf", "nan", "1e999",
                           "-1e999", "\xB9", "1\xB2"}) {
    EXPECT_EQ(SafeStrToFloat(text), 0.0) << '"' << text << '"';
  }
}

// The comma path copies the text; a long text must still convert exactly.
TEST(SafeStrToFloat, LongTextsWithACommaConvert) {
  const std::string digits(80, '1');
  EXPECT_DOUBLE_EQ(SafeStrToFloat("0," + digits), SafeStrToFloat("0." + digits));
  EXPECT_NEAR(SafeStrToFloat("0," + digits), 0.111111111111, 1e-12);
}

TEST(SafeStrToInt64, AcceptsOneLeadingSignAndTheFullRange) {
  EXPECT_EQ(SafeStrToInt64("+42"), 42);
  EXPECT_EQ(SafeStrToInt64(" -7 "), -7);
  EXPECT_EQ(SafeStrToInt64("0042"), 42);
  EXPECT_EQ(SafeStrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(SafeStrToInt64("-9223372036854775808"), INT64_MIN);
  for (const char* text : {"", "+", "-", "4 2", "+-5", "-+5", "--5", "12.0", "1e3", "9223372036854775808",
                           "99999999999999999999", "0x1F", "\xB3", "1\xB9"}) {
    EXPECT_EQ(SafeStrToInt64(text), 0) << '"' << text << '"';
  }
}

TEST(Hex, ShortTextsArePaddedLongOnesCutAndBadDigitsZeroTheirByte) {
  EXPECT_EQ(HexToByte("F"), 15);
  EXPECT_EQ(HexToByte(" 1f "), 0x1F);
  EXPECT_EQ(HexToByte("1G"), 0);
  EXPECT_EQ(HexToByte("ABC"), 0xBC);
  EXPECT_EQ(HexToByte(""), 0);
  EXPECT_EQ(HexToWord("1A2B3"), 0xA2B3);
  EXPECT_EQ(HexToWord("12G4"), 0x1200);
  EXPECT_EQ(HexToWord("-1"), 0x0000);
  EXPECT_EQ(HexToCardinal(""), 0u);
  EXPECT_EQ(HexToCardinal("deadBEEF"), 0xDEADBEEFu);
  EXPECT_EQ(HexToCardinal("1deadBEEF"), 0xDEADBEEFu);
  EXPECT_EQ(HexToCardinal("12345X78"), 0x12340078u);
}

TEST(CharTypes, ClassifiesCodePage1252AsTheUserLocale) {
  EXPECT_TRUE(IsDigitChar('0'));
  EXPECT_TRUE(IsDigitChar('9'));
  EXPECT_FALSE(IsDigitChar('/'));
  EXPECT_FALSE(IsDigitChar(':'));
  EXPECT_TRUE(IsDigitChar('\xB2'));
  EXPECT_TRUE(IsDigitChar('\xB9'));
  EXPECT_FALSE(IsDigitChar('\xBD'));
  EXPECT_TRUE(IsNumberChar('e'));
  EXPECT_TRUE(IsNumberChar(','));
  EXPECT_FALSE(IsNumberChar('x'));
  EXPECT_EQ(CharTypeTable['A'], C1_UPPER | C1_ALPHA | C1_XDIGIT);
  EXPECT_EQ(CharTypeTable[' '], C1_SPACE | C1_BLANK);
  EXPECT_EQ(CharTypeTable['\n'], C1_CNTRL | C1_SPACE);
  EXPECT_EQ(CharTypeTable['$'], C1_PUNCT);
  EXPECT_EQ(CharTypeTable[0xC9], C1_UPPER | C1_ALPHA);  // É
  EXPECT_EQ(CharTypeTable[0x9A], C1_LOWER | C1_ALPHA);  // š
  EXPECT_EQ(CharTypeTable[0x80], C1_PUNCT);             // €
  EXPECT_EQ(CharTypeTable[0x81], C1_CNTRL);             // unassigned
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('g'), -1);
}

TEST(TrimText, RemovesCodesBelow33OnlyAtTheEnds) {
  EXPECT_EQ(TrimText("\x01 a b\x1F "), "a b");
  EXPECT_EQ(TrimText("\xA0x\xA0"), "\xA0x\xA0");
  EXPECT_EQ(TrimText(" \t "), "");
}

TEST(GuardedArithmetic, GivesNeutralResultsWhereThePlainOperationFails) {
  EXPECT_EQ(SafeSubtract(3, 5), 0u);
  EXPECT_EQ(SafeSubtract(5, 5), 0u);
  EXPECT_EQ(SafeSubtract(0xFFFFFFFFu, 1), 0xFFFFFFFEu);
  EXPECT_EQ(SafeDivide(1, 0), 0);
  EXPECT_EQ(SafeDivide(1, 4), 0.25L);
  EXPECT_EQ(SafeSqrt(-1), 0);
  EXPECT_EQ(SafeSqrt(9), 3);
  EXPECT_EQ(LinearInterpolate(2, 7, 2, 9, 5), 7);
  EXPECT_EQ(LinearInterpolate(0, 0, 10, 100, 2.5), 25);
}

}  // namespace
}  // namespace support
