#include "support/arrays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace support {
namespace {

TEST(QuickSort, KeysCompareWithTheirOwnSignednessAndRecordsMoveWhole) {
  TCardinalArray cardinals = {0xFFFFFFFFu, 1, 0x80000000u, 0};
  QuickSortCardinals(cardinals, 0, 3);
  EXPECT_EQ(cardinals, (TCardinalArray{0, 1, 0x80000000u, 0xFFFFFFFFu}));

  TIntegerArray integers = {1, -1, INT32_MAX, INT32_MIN};
  QuickSortIntegers(integers, 0, 3);
  EXPECT_EQ(integers, (TIntegerArray{INT32_MIN, -1, 1, INT32_MAX}));

  TIdStringArray ids = {{7, "seven"}, {0xFFFFFFFFu, "high"}, {3, "three"}};
  QuickSortIdStrings(ids, 0, 2, false);
  EXPECT_EQ(ids[0].Str, "high");
  EXPECT_EQ(ids[1].Str, "seven");
  EXPECT_EQ(ids[2].Str, "three");

  TIndexArray pairs = {{0, 3}, {1, 1}, {2, 2}};
  QuickSortIndexArray(pairs, 0, 2, false);
  EXPECT_EQ(pairs[1].Index, 2);
  EXPECT_EQ(pairs[2].Index, 1);
}

TEST(QuickSort, SortsOnlyTheGivenRangeAndIgnoresBadRanges) {
  TIntegerArray values = {9, 5, 4, 3, 0};
  QuickSortIntegers(values, 1, 3);
  EXPECT_EQ(values, (TIntegerArray{9, 3, 4, 5, 0}));
  QuickSortIntegers(values, 2, 7);
  QuickSortIntegers(values, -1, 2);
  EXPECT_EQ(values, (TIntegerArray{9, 3, 4, 5, 0}));
}

// Duplicates, runs and tiny ranges are where index slips in the two-scan
// partition show up.
TEST(QuickSort, AgreesWithTheLibrarySortOnDuplicatesAndRuns) {
  std::mt19937 random(42);
  for (int n = 1; n < 60; ++n) {
    for (const int spread : {1, 3, 1000}) {
      TIntegerArray values(n);
      for (auto& v : values) v = static_cast<std::int32_t>(random() % spread) - spread / 2;
      if (n % 7 == 0) std::sort(values.begin(), values.end());
      TIntegerArray expected = values;
      std::sort(expected.begin(), expected.end());
      QuickSortIntegers(values, 0, n - 1);
      ASSERT_EQ(values, expected) << "n=" << n << " spread=" << spread;

      TIndexArray pairs(n);
      for (int i = 0; i < n; ++i) pairs[i] = {i, expected[i]};
      QuickSortIndexArray(pairs, 0, n - 1, false);
      for (int i = 0; i < n; ++i) {
        ASSERT_EQ(pairs[i].Value, expected[n - 1 - i]);
        ASSERT_EQ(expected[pairs[i].Index], pairs[i].Value);
      }
    }
  }
}

TEST(Search, FindsPresentKeysOnly) {
  const TCardinalArray cardinals = {2, 5, 9};
  EXPECT_EQ(BinarySearchCardinal(cardinals, 9), 2);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 2), 0);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 6), -1);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 0xFFFFFFFFu), -1);
  EXPECT_EQ(BinarySearchCardinal({}, 5), -1);

  const TIdStringArray ids = {{1, ""}, {3, ""}, {8, ""}, {12, ""}};
  EXPECT_EQ(BinarySearchIdString(ids, 8), 2);
  EXPECT_EQ(BinarySearchIdString(ids, 4), -1);
  EXPECT_EQ(BinarySearchIdString({}, 1), -1);
  EXPECT_EQ(IndexOfFirstGreaterId(5, ids), 2);
  EXPECT_EQ(IndexOfFirstGreaterId(0, ids), 0);
  EXPECT_EQ(IndexOfFirstGreaterId(12, ids), -1);

  EXPECT_EQ(IndexOfInteger(TIntegerArray{4, 7, 4}, 4), 0);
  EXPECT_EQ(IndexOfInteger(TIntegerArray{4, 7, 4}, 5), -1);
  EXPECT_EQ(IndexOfCardinal(TCardinalArray{1, 0xFFFFFFFFu, 0xFFFFFFFFu}, 0xFFFFFFFFu), 1);
}

}  // namespace
}  // namespace support
