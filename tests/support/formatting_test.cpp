#include "support/formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace support {
namespace {

TEST(IntToStrPadded, PadsTheMagnitudeAndNeverCuts) {
  EXPECT_EQ(IntToStrPadded(5, 4), "0005");
  EXPECT_EQ(IntToStrPadded(-5, 4), "-0005");
  EXPECT_EQ(IntToStrPadded(12345, 3), "12345");
  EXPECT_EQ(IntToStrPadded(INT64_MIN, 0), "-9223372036854775808");
}

TEST(FloatToStrTrimmed, RoundsHalfToEvenWithoutANegativeZero) {
  EXPECT_EQ(FloatToStrFixed(3.14159, 1, 2), "3.14");
  EXPECT_EQ(FloatToStrFixed(-0.5, 2, 1), "-00.5");
  EXPECT_EQ(FloatToStrFixed(2.5, 1, 0), "2");
  EXPECT_EQ(FloatToStrFixed(-3.5, 1, 0), "-4");
  EXPECT_EQ(FloatToStrFixed(0.125, 1, 2), "0.12");
  EXPECT_EQ(FloatToStrFixed(0.375, 1, 2), "0.38");
  EXPECT_EQ(FloatToStrFixed(1.005, 1, 2), "1.00");  // stored just below 1.005
  EXPECT_EQ(FloatToStrFixed(9.9951, 1, 2), "10.00");
  EXPECT_EQ(FloatToStrFixed(1.0 / 3, 1, 12), "0.3333333333");
  EXPECT_EQ(FloatToStrFixed(-0.04, 1, 1), "0.0");
  EXPECT_EQ(FloatToStrFixed(-0.4, 1, 0), "0");
  EXPECT_EQ(FloatToStrFixed(-0.05, 1, 1), "-0.1");
}

TEST(FloatToStrTrimmed, TrimsTrailingZerosAndThePoint) {
  EXPECT_EQ(FloatToStrTrimmed(1.50, 1, 3, true), "1.5");
  EXPECT_EQ(FloatToStrTrimmed(2.0, 1, 3, true), "2");
  EXPECT_EQ(FloatToStrTrimmed(-2.0, 3, 3, true), "-002");
  EXPECT_EQ(FloatToStrTrimmed(100.0, 1, 3, true), "100");
  EXPECT_EQ(FloatToStrTrimmed(-0.0004, 1, 3, true), "0");
}

TEST(FloatToStrTrimmed, ValuesOutsideTheDomainGiveEmptyText) {
  EXPECT_EQ(FloatToStrFixed(std::nan(""), 1, 2), "");
  EXPECT_EQ(FloatToStrFixed(std::numeric_limits<double>::infinity(), 1, 2), "");
  EXPECT_EQ(FloatToStrFixed(1e19, 1, 0), "");
  EXPECT_EQ(FloatToStrFixed(1e9, 1, 10), "");
  EXPECT_EQ(FloatToStrFixed(9e8, 1, 10), "900000000.0000000000");
}

TEST(Hex, BytesAsUpperCaseHexWithSeparators) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x10, 0x27, 0xFF};
  EXPECT_EQ(BytesToHex(bytes, " "), "00 10 27 FF");
  EXPECT_EQ(BytesToHex(std::vector<std::uint8_t>{0xAB}, ", "), "AB");
  EXPECT_EQ(BytesToHex({}, " "), "");
  EXPECT_EQ(ByteToHex(0x0A), "0A");
}

}  // namespace
}  // namespace support
