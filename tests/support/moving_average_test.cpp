#include "support/moving_average.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>
#include <tuple>
#include <utility>

namespace support {
namespace {

TEST(MovingAverage, ElevenSampleWindowReplacesTheOldest) {
  TMAverageFilter filter;
  filter.Reset(10);
  for (int i = 1; i <= 11; ++i) filter.Add(i);
  EXPECT_DOUBLE_EQ(filter.Output, 6);
  filter.Add(12);
  EXPECT_DOUBLE_EQ(filter.Output, 7);
  for (int i = 13; i <= 1000; ++i) filter.Add(i);
  EXPECT_NEAR(filter.Output, 995, 1e-9);
  EXPECT_EQ(filter.Count(), 11);
}

TEST(MovingAverage, ResetSeedsTheWindowWithTheLastMeanOrPassesThrough) {
  TMAverageFilter filter;
  filter.Output = 4.2;
  filter.Reset(5);
  EXPECT_EQ(filter.Count(), 1);
  filter.Add(1.8);
  EXPECT_DOUBLE_EQ(filter.Output, 3.0);

  filter.Output = 0;
  filter.Reset(5);
  EXPECT_EQ(filter.Count(), 0);

  for (const int n : {0, -3}) {
    filter.Reset(n);
    EXPECT_EQ(filter.Output, 0);
    filter.Add(2);
    filter.Add(9);
    EXPECT_EQ(filter.Output, 9);
  }
  filter.Reset(INT_MAX);
  EXPECT_EQ(filter.WindowSize(), TMAverageFilter::kMaxWindowSize);
}

TEST(MovingAverage, AngleModesAverageDirections) {
  const struct {
    std::uint8_t mode;
    std::initializer_list<double> samples;
    double mean;
  } cases[] = {
      {1, {100, 100}, 90}, {1, {-100}, -90},  {2, {350, 20}, 5},     {2, {200}, -160},
      {3, {-10}, 350},     {3, {350, 20}, 5}, {3, {10, 20, 40}, 30},  // the window of two drops 10
  };
  for (const auto& c : cases) {
    TMAverageFilter filter;
    filter.Mode = c.mode;
    filter.Reset(c.samples.size() == 3 ? 1 : 3);
    for (const double s : c.samples) filter.Add(s);
    EXPECT_NEAR(filter.Output, c.mean, 1e-9) << "mode " << int(c.mode) << " first " << *c.samples.begin();
  }
}

TEST(MovingAverage, RepeatedStampsAreIgnoredOnlyWhenChecked) {
  TMAverageFilter filter;
  filter.Reset(4);
  filter.AddSample(100, 2);
  filter.AddSample(100, 8);
  EXPECT_EQ(filter.Output, 2);
  filter.AddSample(101, 8);
  EXPECT_EQ(filter.Output, 5);
  filter.CheckStamp = false;
  filter.AddSample(101, 8);
  EXPECT_EQ(filter.Count(), 3);
}

TEST(MovingAverage, VectorSamplesReshapeThePlainWindow) {
  TMAverageFilter filter;
  filter.Mode = 3;
  filter.Reset(10);
  filter.Add(45);
  filter.AddVector(2, 90);
  EXPECT_EQ(filter.WindowSize(), 11);
  EXPECT_EQ(filter.Count(), 1);  // the plain sample went with the reshaping
  filter.AddVector(2, 0);
  EXPECT_NEAR(filter.Output, std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(filter.Output2, 45, 1e-12);

  // Reset keeps vector use and seeds the window with the mean vector.
  filter.Reset(1);
  filter.AddVector(std::sqrt(2.0), 45);
  filter.AddVector(0, 0);  // replaces the seed
  EXPECT_NEAR(filter.Output, std::sqrt(2.0) / 2, 1e-12);
  EXPECT_NEAR(filter.Output2, 45, 1e-12);

  for (const std::uint8_t mode : {0, 1}) {
    TMAverageFilter plain;
    plain.Mode = mode;
    plain.Reset(10);
    plain.Add(5);
    plain.AddVector(3, 30);
    EXPECT_EQ(plain.WindowSize(), 11);
    EXPECT_EQ(plain.Count(), 0);
    EXPECT_EQ(plain.Output, 0);
  }
}

// Away from 45 degrees sine and cosine differ, so a mean that mixed them
// up, or replaced one part's share with the other's, would show here.
TEST(MovingAverage, VectorMeansHoldAtAnyAngle) {
  const auto mean = [](std::initializer_list<std::pair<double, double>> vectors) {
    double x = 0;
    double y = 0;
    for (const auto& [magnitude, degrees] : vectors) {
      x += magnitude * std::cos(degrees * M_PI / 180) / vectors.size();
      y += magnitude * std::sin(degrees * M_PI / 180) / vectors.size();
    }
    return std::pair{std::hypot(x, y), std::atan2(y, x) * 180 / M_PI};
  };
  TMAverageFilter filter;
  filter.Mode = 2;
  filter.Reset(1);
  filter.AddVector(3, 30);
  EXPECT_NEAR(filter.Output, 3, 1e-12);
  EXPECT_NEAR(filter.Output2, 30, 1e-12);
  filter.AddVector(1, 120);
  auto [magnitude, angle] = mean({{3, 30}, {1, 120}});
  EXPECT_NEAR(filter.Output, magnitude, 1e-12);
  EXPECT_NEAR(filter.Output2, angle, 1e-12);
  // The window of two replaces the first vector.
  filter.AddVector(2, 200);
  std::tie(magnitude, angle) = mean({{1, 120}, {2, 200}});
  EXPECT_NEAR(filter.Output, magnitude, 1e-12);
  EXPECT_NEAR(filter.Output2, angle, 1e-12);
  ASSERT_GT(angle, 90);

  filter.Mode = 3;
  filter.AddVector(2, 250);
  std::tie(magnitude, angle) = mean({{2, 200}, {2, 250}});
  EXPECT_NEAR(filter.Output, magnitude, 1e-12);
  EXPECT_NEAR(filter.Output2, 225, 1e-12);
  filter.Mode = 2;
  filter.AddVector(2, 200);
  EXPECT_NEAR(filter.Output2, -135, 1e-12);
}

}  // namespace
}  // namespace support
