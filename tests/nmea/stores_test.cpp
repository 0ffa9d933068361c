#include <gtest/gtest.h>

#include "nmea/endpoint.h"
#include "support/hashing.h"

namespace nmea {
namespace {

std::uint32_t Key(std::string_view id) { return static_cast<std::uint32_t>(support::StringHashEx(id)); }

TEST(Statistics, KeepTalkersAndTheirSentencesSortedAndNamed) {
  TNMEA2KDecoder link;
  link.AddTalkerSentence("GP", "GGA");
  link.AddTalkerSentence("GN", "GGA");
  link.AddTalkerSentence("GP", "RMC");
  link.AddTalkerSentence("GP", "GGA");
  link.AddTalkerSentence("GP", "ZDA");
  ASSERT_EQ(link.Talkers.size(), 2u);
  EXPECT_LT(link.Talkers[0].Key, link.Talkers[1].Key);
  const auto& gp = link.Talkers[0].Key == Key("GP") ? link.Talkers[0] : link.Talkers[1];
  EXPECT_EQ(gp.SubKeys.size(), 3u);
  EXPECT_TRUE(std::is_sorted(gp.SubKeys.begin(), gp.SubKeys.end()));
  EXPECT_EQ(link.SentenceNames.size(), 3u);
  EXPECT_EQ(link.KeyName(Key("GN"), 0), "GN");
  EXPECT_EQ(link.KeyName(35, 1), "35");
  EXPECT_EQ(link.KeyName(Key("GN"), 2), "");
  link.ClearTalkers();
  EXPECT_TRUE(link.Talkers.empty());
  EXPECT_EQ(link.KeyName(Key("GGA"), 1), "GGA");
}

TEST(Stores, CurvesKeepArrivalOrderAndClearById) {
  TNMEA2KDecoder link;
  link.AddCurvePoint({.Id = 1, .Index = 3, .X = 5, .Y = 1}, 10);
  link.AddCurvePoint({.Id = 2, .Index = 0, .X = 20, .Y = 15}, 11);
  link.AddCurvePoint({.Id = 1, .Index = 1, .X = 2, .Y = 1}, 12);
  link.AddCurvePoint({.Id = 1, .Index = 3, .X = 6, .Y = 2}, 13);
  link.AddCurvePoint({.Id = 1, .Index = -1, .X = 6, .Y = 2}, 14);
  link.AddCurvePoint({.Id = 1, .Index = 4, .X = -999.0, .Y = 2}, 15);
  link.AddCurvePoint({.Id = 3, .Index = 0, .X = 1, .Y = 1}, 16);
  link.AddCurvePoint({.Id = 1, .Index = 9, .X = 1, .Y = 1}, 17);
  link.Curves.push_back({.Id = 1});
  ASSERT_EQ(link.Curves.size(), 4u);
  const TNMEACurve& speed = link.Curves[0];
  EXPECT_EQ(speed.UpdateTick, 17u);
  ASSERT_EQ(speed.Points.size(), 3u);
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

TEST(Stores, ProductsAndExtrasAreFoundByTheirIdentity) {
  TNMEA2KDecoder link;
  tNMEAData& data = link.NMEAData;
  tNMEAProd p;
  TNMEA2KDecoder::InitProduct(p);
  EXPECT_EQ(p.Protocol, kProtocolUnset);
  p.SourceId = 7;
  p.ProductCode = 1;
  EXPECT_EQ(link.AddProduct(p, data.Products), 0);
  p.DatabaseVersion = 301;
  p.SerialNumber = "9";
  EXPECT_EQ(link.AddProduct(p, data.Products), 0);
  EXPECT_EQ(data.Products[0].SerialNumber, "9");
  p.ClassCode = 102;
  EXPECT_EQ(link.AddProduct(p, data.Products), 1);

  EXPECT_EQ(link.SetExtra({500, 1, 10}, data.Extras), 0);
  EXPECT_EQ(link.SetExtra({501, 2, 10}, data.Extras), 1);
  EXPECT_EQ(link.SetExtra({500, 3, 11}, data.Extras), 0);
  EXPECT_EQ(data.Extras[0].Value, 3);
  EXPECT_EQ(link.AddAlarm({}), 0);
  EXPECT_TRUE(link.Alarms.empty());
}

}  // namespace
}  // namespace nmea
