#include "nmea/nmea2000/n2k_fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace nmea {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename F>
TN2kFieldStatus StatusOf(F read, Bytes bytes) {
  TN2kFieldStatus status = fsValid;
  read(bytes.data(), status);
  return status;
}

TEST(N2kFields, ReservedValuesAtEveryWidth) {
  // The top byte of each width, then the low byte: just below the reserved
  // values (valid), missing, out of range, missing.
  const std::uint8_t lows[] = {0xFC, 0xFD, 0xFE, 0xFF};
  const TN2kFieldStatus expected[] = {fsValid, fsMissing, fsOutOfRange, fsMissing};
  for (int i = 0; i < 4; ++i) {
    const std::uint8_t lo = lows[i];
    EXPECT_EQ(StatusOf(N2kByte, {lo}), expected[i]);
    EXPECT_EQ(StatusOf(N2kWord, {lo, 0xFF}), expected[i]);
    EXPECT_EQ(StatusOf(N2kSmallInt, {lo, 0x7F}), expected[i]);
    EXPECT_EQ(StatusOf(N2kUInt24, {lo, 0xFF, 0xFF}), expected[i]);
    EXPECT_EQ(StatusOf(N2kCardinal, {lo, 0xFF, 0xFF, 0xFF}), expected[i]);
    EXPECT_EQ(StatusOf(N2kInteger, {lo, 0xFF, 0xFF, 0x7F}), expected[i]);
    EXPECT_EQ(StatusOf(N2kInt64, {lo, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), expected[i]);
  }
  // Negative values are never reserved.
  EXPECT_EQ(StatusOf(N2kSmallInt, {0xFF, 0xFF}), fsValid);
  EXPECT_EQ(StatusOf(N2kInteger, {0xFF, 0xFF, 0xFF, 0xFF}), fsValid);
}

TEST(N2kFields, AssemblesLittleEndianAndSigned) {
  TN2kFieldStatus status;
  const Bytes b = {0x00, 0x80, 0x9E, 0xF8, 0xFF, 0xFF, 0x34, 0x12, 0x78, 0x56};
  EXPECT_EQ(N2kSmallInt(b.data(), status), -32768);
  EXPECT_EQ(status, fsValid);
  EXPECT_EQ(N2kInteger(b.data() + 2, status), -1890);
  EXPECT_EQ(N2kWord(b.data() + 6, status), 0x1234);
  EXPECT_EQ(N2kUInt24(b.data() + 6, status), 0x781234u);
  EXPECT_EQ(N2kCardinal(b.data() + 6, status), 0x56781234u);
  EXPECT_EQ(N2kUInt24(Bytes{0xFE, 0xFF, 0xFF}.data(), status), 16777214u);
  const Bytes wide = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88};
  EXPECT_EQ(static_cast<std::uint64_t>(N2kInt64(wide.data(), status)), 0x8807060504030201ull);
  EXPECT_EQ(status, fsValid);
}

TEST(N2kFields, ValueTextShowsMarkers) {
  EXPECT_EQ(N2kValueText(fsValid, "1.50 m"), "1.50 m");
  EXPECT_EQ(N2kValueText(fsMissing, "1.50 m"), "[MISSING]");
  EXPECT_EQ(N2kValueText(fsOutOfRange, "1.50 m"), "[OUT OF RANGE]");
  EXPECT_EQ(N2kValueText(static_cast<TN2kFieldStatus>(7), "x"), "[MISSING]");
}

TEST(N2kFields, FixedTextEndsAtTerminatorAndIsTrimmed) {
  const Bytes padded = {'x', ' ', 'A', 'B', ' ', 'C', ' ', ' ', 0x00, 'Z', 'Z'};
  EXPECT_EQ(N2kFixedText(padded, 1, 10), "AB C");
  EXPECT_EQ(N2kFixedText(Bytes{0xFF, 'A', 'B'}, 0, 3), "");
  EXPECT_EQ(N2kFixedText(Bytes{'A', 'B', 0xFD, 'C'}, 0, 4), "AB");
  // Bytes from 0x80 to 0xFC belong to the text; '@' is kept.
  EXPECT_EQ(N2kFixedText(Bytes{'@', 0xB0, 0xFC, 'C'}, 0, 4),
            "@\xB0\xFC"
            "C");
  Bytes full(32, 'Q');
  EXPECT_EQ(N2kFixedText(full, 0, 32), std::string(32, 'Q'));
  // A field running past the payload is cut, never read beyond it.
  EXPECT_EQ(N2kFixedText(Bytes{'A', 'B'}, 1, 32), "B");
  EXPECT_EQ(N2kFixedText(Bytes{'A', 'B'}, 5, 4), "");
}

}  // namespace
}  // namespace nmea
