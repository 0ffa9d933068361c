// Building speed tables from samples and from the module's points, with
// figures worked out by hand: sorting and merging equal speeds, the runs
// at both ends, interpolation between points, tables reaching beyond their
// size, and samples brought back through the stored table.

#include <gtest/gtest.h>

#include <vector>

#include "app/calibration_table.h"

namespace {

using app::kSpeedTableSize;
using support::TDoubleArray;
using support::TFloatPointArray;

// The coefficients at the ten calibration points.
std::vector<double> AtPoints(const TDoubleArray& Table) {
  std::vector<double> out;
  for (const int point : app::kSpeedPoints) out.push_back(Table.at(static_cast<std::size_t>(point)));
  return out;
}

void ExpectTable(const TDoubleArray& Table, const std::vector<std::pair<int, double>>& Entries) {
  for (const auto& [index, value] : Entries)
    EXPECT_NEAR(Table.at(static_cast<std::size_t>(index)), value, 1e-12) << index;
}

// The module's table of ten points as it reads back: 1.00 up to 4 kn,
// rising to 1.20 at 8 kn and above.
TDoubleArray RisingStoredTable() {
  return app::BuildTable({{2, 1.00},
                          {3, 1.00},
                          {4, 1.00},
                          {5, 1.05},
                          {6, 1.10},
                          {8, 1.20},
                          {12, 1.20},
                          {15, 1.20},
                          {20, 1.20},
                          {30, 1.20}},
                         kSpeedTableSize);
}

TEST(CalibrationTableTest, EqualSpeedsSortInReverseAndMergeByRunningPairs) {
  TFloatPointArray points{{6.0, 1.00}, {6.0, 1.20}, {6.0, 1.40}};
  app::SortSamples(points, 0, 2);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].Y, 1.40);
  EXPECT_EQ(points[1].Y, 1.20);
  EXPECT_EQ(points[2].Y, 1.00);
  app::MergeSamples(points);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_DOUBLE_EQ(points[0].Y, 1.15);

  TFloatPointArray two{{3.0, 0.9}, {3.0, 1.1}};
  app::SortSamples(two, 0, 1);
  EXPECT_EQ(two[0].Y, 1.1);

  TFloatPointArray mixed{{8.0, 1.2}, {2.5, 1.0}, {12.0, 1.3}, {2.5, 1.1}, {5.0, 1.05}};
  app::SortSamples(mixed, 0, 4);
  for (std::size_t i = 1; i < mixed.size(); ++i) EXPECT_LE(mixed[i - 1].X, mixed[i].X);
  app::MergeSamples(mixed);
  EXPECT_EQ(mixed.size(), 4u);
}

TEST(CalibrationTableTest, OneSampleCorrectsEverySpeedAlike) {
  const TDoubleArray table = app::NewSpeedTable({{6.0, 1.10}}, {});
  ASSERT_EQ(table.size(), 32u);
  for (const double entry : table) EXPECT_EQ(entry, 1.10);
}

TEST(CalibrationTableTest, TwoSamplesRunOutToBothEndsWithALineBetween) {
  for (const TFloatPointArray& given :
       {TFloatPointArray{{4.0, 1.00}, {8.0, 1.20}}, TFloatPointArray{{8.0, 1.20}, {4.0, 1.00}}}) {
    TFloatPointArray samples = given;
    app::SortSamples(samples, 0, 1);
    app::MergeSamples(samples);
    const TDoubleArray table = app::NewSpeedTable(samples, {});
    ExpectTable(table, {{0, 1.00}, {4, 1.00}, {5, 1.05}, {6, 1.10}, {7, 1.15}, {8, 1.20}, {31, 1.20}});
    const std::vector<double> expected{1.00, 1.00, 1.00, 1.05, 1.10, 1.20, 1.20, 1.20, 1.20, 1.20};
    const std::vector<double> got = AtPoints(table);
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(got[i], expected[i], 1e-12) << i;
  }
  // No points at all: no correction anywhere.
  TDoubleArray table;
  app::InterpolateTable({}, table, 5, 1.0);
  EXPECT_EQ(table, TDoubleArray(5, 1.0));
}

TEST(CalibrationTableTest, PointsBeyondTheTableWriteOnlyItsOwnEntries) {
  TDoubleArray table;
  app::InterpolateTable({{40, 1.3}, {50, 1.4}}, table, kSpeedTableSize, 1.0);
  EXPECT_EQ(table, TDoubleArray(32, 1.3));
  app::InterpolateTable({{-5, 0.9}, {-2, 1.1}}, table, kSpeedTableSize, 1.0);
  EXPECT_EQ(table, TDoubleArray(32, 1.1));
  app::InterpolateTable({{3, 1.0}, {1e300, 2.0}}, table, kSpeedTableSize, 1.0);
  EXPECT_EQ(table.size(), 32u);
  EXPECT_EQ(table[3], 1.0);
}

TEST(CalibrationTableTest, TheModulesPointsReadBackAsAWholeKnotTable) {
  const TDoubleArray table = RisingStoredTable();
  ASSERT_TRUE(app::HasStoredSpeedTable(table));
  ExpectTable(table, {{0, 1.00}, {4, 1.00}, {5, 1.05}, {6, 1.10}, {7, 1.15}, {8, 1.20}, {31, 1.20}});
  EXPECT_FALSE(app::HasStoredSpeedTable(TDoubleArray(30, 1.0)));
  EXPECT_TRUE(app::HasStoredSpeedTable(TDoubleArray(31, 1.0)));
}

// The stored coefficient is interpolated between the entries whose
// reported speeds (knots x coefficient) bracket the speed asked for, so it
// never leaves the range of those two entries.
TEST(CalibrationTableTest, TheStoredCoefficientIsInterpolatedInReportedSpeed) {
  const TDoubleArray table = RisingStoredTable();
  EXPECT_DOUBLE_EQ(app::StoredCoefficient(table, 3.0), 1.00);
  // 4 kn reads 4.0, 5 kn reads 5.25.
  EXPECT_DOUBLE_EQ(app::StoredCoefficient(table, 5.25), 1.05);
  EXPECT_DOUBLE_EQ(app::StoredCoefficient(table, 5.0), 1.04);
  // 7 kn reads 8.05, 8 kn reads 9.6: 1.15 + 0.05 x 0.95 / 1.55.
  EXPECT_NEAR(app::StoredCoefficient(table, 9.0), 1.1806451612903226, 1e-12);
  EXPECT_DOUBLE_EQ(app::StoredCoefficient(table, 35.0), 1.20);
  for (double x = 0; x <= 37.2; x += 0.05) {
    const double c = app::StoredCoefficient(table, x);
    EXPECT_GE(c, 1.0) << x;
    EXPECT_LE(c, 1.2) << x;
  }
  // Beyond the last entry (31 kn read as 37.2), at or below zero, and
  // without a stored table.
  EXPECT_EQ(app::StoredCoefficient(table, 37.3), 1.0);
  EXPECT_EQ(app::StoredCoefficient(table, 0), 1.0);
  EXPECT_EQ(app::StoredCoefficient(table, -1), 1.0);
  EXPECT_EQ(app::StoredCoefficient(TDoubleArray(30, 1.2), 5.0), 1.0);
}

// The last entry corrects the highest speeds the table knows: at its own
// reported speed the stored coefficient is that entry, and below it the
// coefficient lies on the line from the entry before.
TEST(CalibrationTableTest, TheStoredCoefficientAtTheTopOfATableIsItsLastValue) {
  TDoubleArray table(kSpeedTableSize, 1.0);
  table.back() = 1.25;
  // 30 kn reads 30.0, 31 kn reads 38.75.
  EXPECT_DOUBLE_EQ(app::StoredCoefficient(table, 38.75), 1.25);
  EXPECT_DOUBLE_EQ(app::StoredCoefficient(table, 34.375), 1.125);
  EXPECT_EQ(app::StoredCoefficient(table, 38.76), 1.0);
}

TEST(CalibrationTableTest, SamplesAreRescaledByTheStoredTableBeforeTheNewOneIsBuilt) {
  const TFloatPointArray samples{{6.0, 1.00}, {12.0, 1.10}};
  const TDoubleArray constant = app::BuildTable({{2, 1.20}, {30, 1.20}}, kSpeedTableSize);
  const TFloatPointArray rescaled = app::RescaleSamples(samples, constant);
  EXPECT_DOUBLE_EQ(rescaled[0].X, 5.0);
  EXPECT_DOUBLE_EQ(rescaled[0].Y, 1.20);
  EXPECT_DOUBLE_EQ(rescaled[1].X, 10.0);
  EXPECT_DOUBLE_EQ(rescaled[1].Y, 1.32);
  const TDoubleArray table = app::NewSpeedTable(samples, constant);
  ExpectTable(table, {{0, 1.20}, {5, 1.20}, {6, 1.224}, {7, 1.248}, {8, 1.272}, {9, 1.296}, {10, 1.32}, {31, 1.32}});

  // A stored table without corrections changes nothing.
  const TDoubleArray none(kSpeedTableSize, 1.0);
  EXPECT_EQ(app::NewSpeedTable(samples, none), app::NewSpeedTable(samples, {}));

  // Many samples, each rescaled at its own speed, read nothing outside the
  // stored table.
  TFloatPointArray many;
  for (int i = 0; i < 40; ++i) many.push_back({i * 1.1, 1.0 + i / 100.0});
  const TFloatPointArray manyRescaled = app::RescaleSamples(many, RisingStoredTable());
  ASSERT_EQ(manyRescaled.size(), many.size());
  EXPECT_EQ(app::NewSpeedTable(many, RisingStoredTable()).size(), 32u);
}

}  // namespace
