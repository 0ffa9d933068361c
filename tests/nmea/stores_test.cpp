#include <gtest/gtest.h>

#include "nmea/endpoint.h"

namespace nmea {
namespace {

TEST(Stores, CurvesKeepArrivalOrderAndClearById) {
  TNMEA2KDecoder link;
  link.AddCurvePoint({.Id = 1, .Index = 3, .X = 5, .Y = 1}, 10);
  link.AddCurvePoint({.Id = 2, .Index = 0, .X = 20, .Y = 15}, 11);
  link.AddCurvePoint({.Id = 1, .Index = 1, .X = 2, .Y = 1}, 12);
  link.AddCurvePoint({.Id = 1, .Index = 3, .X = 6, .Y = 2}, 13);
  link.AddCurvePoint({.Id = 1, .Index = -1, .X = 6, .Y = 2}, 14);
  link.AddCurvePoint({.Id = 1, .Index = 4, .X = -999.0, .Y = 2}, 15);
  link.AddCurvePoint({.Id = 3, .Index = 0, .X = 1, .Y = 1}, 16);
  link.Curves.push_back({.Id = 1});
  ASSERT_EQ(link.Curves.size(), 4u);
  const TNMEACurve& speed = link.Curves[0];
  EXPECT_EQ(speed.UpdateTick, 13u);
  ASSERT_EQ(speed.Points.size(), 2u);
  EXPECT_EQ(speed.Points[0].Index, 3);
  EXPECT_EQ(speed.Points[0].X, 6);
  EXPECT_EQ(speed.Points[1].Index, 1);

  link.ClearCurves(2);
  ASSERT_EQ(link.Curves.size(), 3u);
  EXPECT_EQ(link.Curves[0].Id, 1);
  EXPECT_EQ(link.Curves[1].Id, 3);
  EXPECT_EQ(link.Curves[2].Id, 1);
  link.ClearCurves(0);
  EXPECT_TRUE(link.Curves.empty());
}

}  // namespace
}  // namespace nmea
