// The simulation's arithmetic and texts without terminals: the speed log
// and its table, the receiver's course, and the garbage it can be asked to
// send.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dst_module.h"
#include "garbage.h"
#include "gps_receiver.h"
#include "sentence.h"

namespace {

using Fields = std::vector<std::string>;

TEST(DstSimModule, TheLogReportsTheWheelsReadingCorrectedByTheTable) {
  dstsim::DstModule module(dstsim::DstSettings{.SpeedKnots = 6.0}, 0.95);
  EXPECT_NEAR(module.LogSpeed(), 5.7, 1e-9);

  // The correction runs on straight lines between the table's points, at
  // the wheel's reading (5.7 knots lies between the points at 5 and 6).
  dstsim::SpeedTable table = dstsim::FactorySpeedTable();
  table[4].Coefficient = 110;
  module.SetTable(table);
  EXPECT_NEAR(module.LogSpeed(), 5.7 * 1.07, 1e-9);

  // A reading error that changes with speed, held at its ends.
  module.SetTable(dstsim::FactorySpeedTable());
  module.Wheel().SetCurve({{10.0, 1.10}, {2.0, 0.90}});
  module.Settings().SpeedKnots = 6.0;
  EXPECT_NEAR(module.LogSpeed(), 6.0, 1e-9);
  module.Settings().SpeedKnots = 20.0;
  EXPECT_NEAR(module.LogSpeed(), 22.0, 1e-9);
  module.Wheel().SetCurve({});
  EXPECT_NEAR(module.LogSpeed(), 19.0, 1e-9);

  // Without a table the reading goes out as it is.
  module.ClearTable();
  EXPECT_NEAR(module.LogSpeed(), 19.0, 1e-9);
  module.Settings().SpeedKnots = 6.0;
  const std::vector<std::string> round = module.Stream(3600.0);
  EXPECT_EQ(round[2], "VWVHW,,T,,M,5.70,N,10.56,K");
  EXPECT_EQ(round[3], "VWVLW,1240.20,N,5.70,N");
}

TEST(DstSimModule, GpsMovesAlongItsCourse) {
  dstsim::GpsReceiver gps(
      dstsim::GpsSettings{.Latitude = 0.0, .Longitude = 0.0, .SpeedKnots = 6.0, .CourseDegrees = 0.0, .Satellites = 5});
  const auto bodies = gps.Stream(600, dstsim::UtcTime{2026, 12, 6, 10, 20, 30, 450});
  // Ten minutes at six knots: a nautical mile, one minute of latitude.
  EXPECT_NEAR(gps.Latitude(), 1.0 / 60.0, 1e-9);
  EXPECT_EQ(dstsim::SplitFields(bodies[0]), (Fields{"GPGGA", "102030.45", "0001.0000", "N", "00000.0000", "E", "1",
                                                    "05", "0.9", "2.5", "M", "47.0", "M", "", ""}));
  EXPECT_EQ(dstsim::SplitFields(bodies[1])[9], "061226");
  std::vector<std::string> tags;
  for (const auto& body : bodies) tags.push_back(dstsim::SplitFields(body)[0]);
  EXPECT_EQ(tags, (Fields{"GPGGA", "GPRMC", "GPVTG", "GPGSA", "GPGSV", "GPGSV"}));
}

TEST(DstSimModule, GarbageOfEachKind) {
  using dstsim::GarbageKind;
  const std::vector<std::string> models = {"YXMTW,18.0,C", "SDDBT,41.0,f,12.50,M,6.8,F"};
  const auto garbage = [&](GarbageKind kind) { return dstsim::MakeGarbage(kind, models); };

  EXPECT_EQ(garbage(GarbageKind::BadChecksum), "$YXMTW,18.0,C*1A\r\n");
  EXPECT_EQ(dstsim::Sentence(models[0]), "$YXMTW,18.0,C*1B\r\n");
  // The first model whose checksum has a letter to show in lower case.
  EXPECT_EQ(garbage(GarbageKind::LowerChecksum), "$YXMTW,18.0,C*1b\r\n");
  EXPECT_EQ(dstsim::MakeGarbage(GarbageKind::LowerChecksum, {"SDDPT,12.50,0.00,"}), "$SDDPT,12.50,0.00,*4d\r\n");
  EXPECT_EQ(garbage(GarbageKind::EmptyField), "$YXMTW,,C*0C\r\n");
  EXPECT_EQ(garbage(GarbageKind::Foreign), dstsim::Sentence("PXYZMTW,18.0,C"));
  EXPECT_EQ(dstsim::MakeGarbage(GarbageKind::Foreign, {"PARLIHS,0001E240"}), dstsim::Sentence("PXYZIHS,0001E240"));
  EXPECT_GT(garbage(GarbageKind::Overlong).size(), 510u);
  const std::string binary = garbage(GarbageKind::Binary);
  EXPECT_EQ(binary.find_first_of("$\r\n"), std::string::npos);
  EXPECT_EQ(dstsim::GarbageByName("lower-checksum"), GarbageKind::LowerChecksum);
  EXPECT_FALSE(dstsim::GarbageByName("zero-coefficient"));
}

}  // namespace
