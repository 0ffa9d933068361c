// Each value a sentence stores carries the parse tick in its own tick, and
// only the endpoint's per-quantity ticks of the quantities stored are
// renewed: sentences that carry one quantity at a time show a value filed
// under another quantity's tick, or a tick left behind.

#include <iterator>
#include <map>
#include <string>

#include "tests/nmea/sentence_fixture.h"

namespace nmea {
namespace {

using TickMap = std::map<std::string, TTick>;

// Every tick these sentences could touch that is set, by name.
TickMap Ticks(const TNMEA2KDecoder& link) {
  const tNMEAData& d = link.NMEAData;
  TickMap ticks = {{"HeadingMagnetic", d.HeadingMagneticTick},
                   {"HeadingTrue", d.HeadingTrueTick},
                   {"RateOfTurn", d.RateOfTurnTick},
                   {"WaterSpeed", d.WaterSpeedTick},
                   {"SOG", d.SOGTick},
                   {"COG", d.COGTick},
                   {"Position", d.PositionTick},
                   {"Altitude", d.AltitudeTick},
                   {"UtcTime", d.UtcTimeTick},
                   {"UtcDate", d.UtcDateTick},
                   {"ZdaDate", d.ZdaDateTick},
                   {"FixQuality", d.GPS.FixQualityTick},
                   {"LastFixSentence", d.GPS.LastFixSentenceTick},
                   {"LastUpdate", d.LastUpdateTick}};
  const std::map<int, std::string> quantities = {{qtPosition, "qtPosition"},
                                                 {qtCourseOverGround, "qtCourseOverGround"},
                                                 {qtSpeedOverGround, "qtSpeedOverGround"},
                                                 {qtUtcTime, "qtUtcTime"},
                                                 {qtWaterSpeed, "qtWaterSpeed"},
                                                 {qtHeading, "qtHeading"},
                                                 {qtRateOfTurn, "qtRateOfTurn"}};
  for (int q = 0; q < static_cast<int>(std::size(link.QuantityTicks)); ++q) {
    const auto name = quantities.find(q);
    ticks[name != quantities.end() ? name->second : "quantity " + std::to_string(q)] = link.QuantityTicks[q];
  }
  std::erase_if(ticks, [](const auto& Entry) { return Entry.second == 0; });
  return ticks;
}

using QuantityTicks = testing::SentenceTest;

TEST_F(QuantityTicks, VhwFilesHeadingAndWaterSpeedApart) {
  Parse(1000, "$IIVHW,,T,229.9,M,,N,,K");
  EXPECT_EQ(Ticks(link), (TickMap{{"HeadingMagnetic", 1000}, {"LastUpdate", 1000}, {"qtHeading", 1000}}));
  Parse(2000, "$IIVHW,,T,,M,6.6,N,12.2,K");
  EXPECT_DOUBLE_EQ(data.HeadingMagnetic, 229.9);
  EXPECT_DOUBLE_EQ(data.WaterSpeed, 6.6);
  EXPECT_EQ(Ticks(link), (TickMap{{"HeadingMagnetic", 1000},
                                  {"WaterSpeed", 2000},
                                  {"LastUpdate", 2000},
                                  {"qtHeading", 1000},
                                  {"qtWaterSpeed", 2000}}));
  // The same values again are news again.
  Parse(3000, "$SDVHW,231.3,T,229.9,M,6.6,N,12.2,K");
  EXPECT_EQ(Ticks(link), (TickMap{{"HeadingMagnetic", 3000},
                                  {"WaterSpeed", 3000},
                                  {"LastUpdate", 3000},
                                  {"qtHeading", 3000},
                                  {"qtWaterSpeed", 3000}}));
}

TEST_F(QuantityTicks, HdtAndRotRenewOnlyTheirOwn) {
  Parse(1000, "$HEHDT,274.07,T*19");
  EXPECT_DOUBLE_EQ(data.HeadingTrue, 274.07);
  EXPECT_EQ(data.HeadingMagnetic, 0.0);
  EXPECT_EQ(Ticks(link), (TickMap{{"HeadingTrue", 1000}, {"LastUpdate", 1000}, {"qtHeading", 1000}}));
  Parse(2000, "$APROT,-0.007,A*1D");
  EXPECT_DOUBLE_EQ(data.RateOfTurn, -0.007);
  EXPECT_DOUBLE_EQ(data.HeadingTrue, 274.07);
  EXPECT_EQ(Ticks(link), (TickMap{{"HeadingTrue", 1000},
                                  {"RateOfTurn", 2000},
                                  {"LastUpdate", 2000},
                                  {"qtHeading", 1000},
                                  {"qtRateOfTurn", 2000}}));
  Parse(3000, "$HEHDT,274.07,T");
  Parse(4000, "$APROT,-0.007,A");
  EXPECT_EQ(Ticks(link), (TickMap{{"HeadingTrue", 3000},
                                  {"RateOfTurn", 4000},
                                  {"LastUpdate", 4000},
                                  {"qtHeading", 3000},
                                  {"qtRateOfTurn", 4000}}));
  // Empty fields renew nothing.
  Parse(5000, "$HEHDT,,T");
  Parse(5000, "$APROT,,V");
  EXPECT_EQ(data.HeadingTrueTick, 3000u);
  EXPECT_EQ(data.RateOfTurnTick, 4000u);
  EXPECT_EQ(data.LastUpdateTick, 4000u);
}

TEST_F(QuantityTicks, RmcFilesPositionTimeAndMotionApart) {
  const TickMap all = {{"Position", 1000},
                       {"SOG", 1000},
                       {"COG", 1000},
                       {"UtcTime", 1000},
                       {"UtcDate", 1000},
                       {"FixQuality", 1000},
                       {"LastFixSentence", 1000},
                       {"LastUpdate", 1000},
                       {"qtPosition", 1000},
                       {"qtCourseOverGround", 1000},
                       {"qtSpeedOverGround", 1000},
                       {"qtUtcTime", 1000}};
  Parse(1000, "$GNRMC,083559.50,A,4717.11437,N,00833.91522,E,5.20,77.52,040724,,,D");
  EXPECT_EQ(Ticks(link), all);

  // Speed alone, then course alone.
  Parse(2000, "$GNRMC,,,,,,,5.30,,,,,");
  TickMap expected = all;
  expected["SOG"] = expected["qtSpeedOverGround"] = expected["LastUpdate"] = 2000;
  EXPECT_EQ(Ticks(link), expected);
  Parse(3000, "$GNRMC,,,,,,,,77.60,,,,");
  expected["COG"] = expected["qtCourseOverGround"] = expected["LastUpdate"] = 3000;
  EXPECT_EQ(Ticks(link), expected);
  EXPECT_DOUBLE_EQ(data.SOG, 5.3);
  EXPECT_DOUBLE_EQ(data.COG, 77.6);
  EXPECT_NEAR(data.Latitude, 47.285239500, 1e-9);

  Parse(4000, "$GNRMC,083600.50,A,4717.11437,N,00833.91522,E,5.30,77.60,040724,,,D");
  TickMap renewed = all;
  for (auto& entry : renewed) entry.second = 4000;
  EXPECT_EQ(Ticks(link), renewed);
  EXPECT_EQ(data.UtcSecond, 0);
}

}  // namespace
}  // namespace nmea
