#include "support/arrays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace support {
namespace {

TEST(QuickSort, OrdersByTheKeysSignedness) {
  TCardinalArray cardinals = {0xFFFFFFFFu, 1, 0x80000000u, 0};
  QuickSortCardinals(cardinals, 0, 3);
  EXPECT_EQ(cardinals, (TCardinalArray{0, 1, 0x80000000u, 0xFFFFFFFFu}));

  TIntegerArray integers = {1, -1, INT32_MAX, INT32_MIN};
  QuickSortIntegers(integers, 0, 3);
  EXPECT_EQ(integers, (TIntegerArray{INT32_MIN, -1, 1, INT32_MAX}));

  TIdStringArray ids = {{0xFFFFFFFFu, "high"}, {2, "two"}};
  QuickSortIdStrings(ids, 0, 1, true);
  EXPECT_EQ(ids[0].Str, "two");
}

TEST(QuickSort, RecordsMoveWholeInEitherDirection) {
  TIndexArray pairs = {{0, 3}, {1, 1}, {2, 2}};
  QuickSortIndexArray(pairs, 0, 2, false);
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0].Index, 0);
  EXPECT_EQ(pairs[1].Index, 2);
  EXPECT_EQ(pairs[2].Index, 1);
  EXPECT_EQ(pairs[2].Value, 1);

  TIdStringArray ids = {{7, "seven"}, {3, "three"}, {9, "nine"}, {1, "one"}};
  QuickSortIdStrings(ids, 0, 3, false);
  const TIdStringArray expected = {{9, "nine"}, {7, "seven"}, {3, "three"}, {1, "one"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ids[i].Id, expected[i].Id);
    EXPECT_EQ(ids[i].Str, expected[i].Str);
  }
}

TEST(QuickSort, SortsOnlyTheGivenRangeAndIgnoresBadRanges) {
  TIntegerArray values = {9, 5, 4, 3, 0};
  QuickSortIntegers(values, 1, 3);
  EXPECT_EQ(values, (TIntegerArray{9, 3, 4, 5, 0}));
  QuickSortIntegers(values, 2, 7);
  QuickSortIntegers(values, -1, 2);
  QuickSortIntegers(values, 3, 1);
  EXPECT_EQ(values, (TIntegerArray{9, 3, 4, 5, 0}));
}

// Duplicates, runs and tiny ranges are where index slips in the two-scan
// partition show up; compare against the library sort on many shapes.
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
      ASSERT_TRUE(std::is_sorted(pairs.begin(), pairs.end(),
                                 [](const TIndexRec& a, const TIndexRec& b) { return a.Value > b.Value; }));
      for (const TIndexRec& p : pairs) ASSERT_EQ(expected[p.Index], p.Value);
    }
  }
}

TEST(Search, BinarySearchesFindPresentKeysOnly) {
  const TCardinalArray cardinals = {2, 5, 9};
  EXPECT_EQ(BinarySearchCardinal(cardinals, 9), 2);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 2), 0);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 6), -1);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 0), -1);
  EXPECT_EQ(BinarySearchCardinal(cardinals, 0xFFFFFFFFu), -1);
  EXPECT_EQ(BinarySearchCardinal({}, 5), -1);

  const TIdStringArray ports = {{1, "a"}, {3, "b"}, {8, "c"}, {12, "d"}};
  EXPECT_EQ(BinarySearchIdString(ports, 8), 2);
  EXPECT_EQ(BinarySearchIdString(ports, 4), -1);
  EXPECT_EQ(BinarySearchIdString({}, 1), -1);
}

TEST(Search, LinearSearchesReturnTheFirstMatch) {
  EXPECT_EQ(IndexOfInteger(TIntegerArray{4, 7, 4}, 4), 0);
  EXPECT_EQ(IndexOfInteger(TIntegerArray{4, 7, 4}, 5), -1);
  EXPECT_EQ(IndexOfCardinal(TCardinalArray{1, 0xFFFFFFFFu, 0xFFFFFFFFu}, 0xFFFFFFFFu), 1);
  EXPECT_EQ(IndexOfCardinal({}, 0), -1);

  const TIdStringArray ids = {{1, ""}, {3, ""}, {8, ""}, {12, ""}};
  EXPECT_EQ(IndexOfFirstGreaterId(5, ids), 2);
  EXPECT_EQ(IndexOfFirstGreaterId(0, ids), 0);
  EXPECT_EQ(IndexOfFirstGreaterId(12, ids), -1);
  EXPECT_EQ(IndexOfFirstGreaterId(0, {}), -1);
}

}  // namespace
}  // namespace support
