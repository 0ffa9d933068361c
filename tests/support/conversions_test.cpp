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
      {" 12,5 ", 12.5}, {"1.5e3", 1500}, {"-1.5E-3", -0.0015}, {"+2", 2},        {".5", 0.5},
      {"5.", 5},        {"-,25", -0.25}, {"1e+5", 1e5},        {"\t007\r\n", 7}, {"1e-400", 0},
      {"7", 7},         {"0045", 45},    {"9999", 9999},       {"12345", 12345},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(SafeStrToFloat(c.text), c.value) << c.text;
  // The comma path copies the text; a long one must still convert.
  const std::string digits(80, '1');
  EXPECT_DOUBLE_EQ(SafeStrToFloat("0," + digits), SafeStrToFloat("0." + digits));
}

TEST(SafeStrToFloat, RejectsMalformedTextAsZero) {
  for (const char* text :
       {"",    "   ",   "e5",    "5e",    "1.2.3", "1,2.3", "+",   "-",     ".",    "12a",   "1-2", "1e+-5", "1e+",
        "+-5", "1e5e5", "1e5.5", "1 000", "+e5",   "inf",   "nan", "1e999", "\xB9", "1\xB2", "1:",  "/5",    "9 9"}) {
    EXPECT_EQ(SafeStrToFloat(text), 0.0) << '"' << text << '"';
  }
}

TEST(SafeStrToInt64, AcceptsOneLeadingSignAndTheFullRange) {
  EXPECT_EQ(SafeStrToInt64("+42"), 42);
  EXPECT_EQ(SafeStrToInt64(" -7 "), -7);
  EXPECT_EQ(SafeStrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(SafeStrToInt64("-9223372036854775808"), INT64_MIN);
  // The superscripts count as digits in the locale but are no number.
  for (const char* text : {"", "+", "-", "4 2", "+-5", "12.0", "9223372036854775808", "0x1F", "\xB3", "1\xB9"}) {
    EXPECT_EQ(SafeStrToInt64(text), 0) << '"' << text << '"';
  }
  EXPECT_TRUE(IsDigitChar('\xB2'));
  EXPECT_FALSE(IsDigitChar('/'));
}

TEST(Hex, ShortTextsArePaddedLongOnesCutAndBadDigitsZeroTheirByte) {
  EXPECT_EQ(HexToByte("F"), 15);
  EXPECT_EQ(HexToByte(" 1f "), 0x1F);
  EXPECT_EQ(HexToByte("1G"), 0);
  EXPECT_EQ(HexToByte("ABC"), 0xBC);
  EXPECT_EQ(HexToWord("1A2B3"), 0xA2B3);
  EXPECT_EQ(HexToWord("12G4"), 0x1200);
  EXPECT_EQ(HexToCardinal(""), 0u);
  EXPECT_EQ(HexToCardinal("1deadBEEF"), 0xDEADBEEFu);
  EXPECT_EQ(HexToCardinal("12345X78"), 0x12340078u);
  // A blank inside the text pads the byte it falls in, as HexToByte pads.
  EXPECT_EQ(HexToWord("1 23"), 0x0123);
  EXPECT_EQ(HexToCardinal("1 2345 7"), 0x01234507u);
}

TEST(CharTypes, ClassifiesCodePage1252AsTheUserLocale) {
  EXPECT_EQ(CharTypeTable['A'], kCharUpper | kCharAlpha | kCharHexDigit);
  EXPECT_EQ(CharTypeTable['\n'], kCharControl | kCharSpace);
  EXPECT_EQ(CharTypeTable['$'], kCharPunctuation);
  EXPECT_EQ(CharTypeTable[0xC9], kCharUpper | kCharAlpha);  // É
  EXPECT_EQ(CharTypeTable[0x9A], kCharLower | kCharAlpha);  // š
  EXPECT_EQ(CharTypeTable[0x80], kCharPunctuation);         // €
  EXPECT_EQ(CharTypeTable[0x81], kCharControl);             // unassigned
}

TEST(GuardedArithmetic, GivesNeutralResultsWhereThePlainOperationFails) {
  EXPECT_EQ(SafeSubtract(3, 5), 0u);
  EXPECT_EQ(SafeSubtract(5, 5), 0u);
  EXPECT_EQ(SafeDivide(1, 0), 0);
  EXPECT_EQ(SafeSqrt(-1), 0);
  EXPECT_EQ(LinearInterpolate(2, 7, 2, 9, 5), 7);
}

}  // namespace
}  // namespace support
