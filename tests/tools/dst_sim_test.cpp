#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dst_module.h"
#include "gps_receiver.h"
#include "sentence.h"

namespace {

using dstsim::DstModule;
using Fields = std::vector<std::string>;

// The fields of a finished sentence, whose checksum must be right.
Fields Split(const std::string& line) {
  std::string body;
  EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
  EXPECT_TRUE(dstsim::SentenceBody(line.substr(0, line.size() - 2), body)) << line;
  return dstsim::SplitFields(body);
}

std::vector<std::string> Ask(DstModule& module, const std::string& body) {
  const std::string line = dstsim::Sentence(body);
  return module.HandleSentence(line.substr(0, line.size() - 2));
}

// A field of the streamed sentence with this tag.
std::string Streamed(DstModule& module, const std::string& tag, std::size_t field) {
  for (const std::string& line : module.Stream(0)) {
    if (const Fields f = Split(line); f[0] == tag) return f.at(field);
  }
  return "not streamed";
}

TEST(DstSim, IdentifiesItselfInTheFieldsTheProgramReads) {
  DstModule module(dstsim::DstSettings{});
  const auto replies = Ask(module, "PARLRHI,01");
  ASSERT_EQ(replies.size(), 1u);
  const Fields f = Split(replies[0]);
  ASSERT_EQ(f.size(), 11u);
  EXPECT_EQ(f[0], "PARLIHS");
  EXPECT_EQ(std::strtoul(f[1].c_str(), nullptr, 16), 123456u);
  EXPECT_EQ(f[3], "1");
  EXPECT_EQ(std::strtoul(f[7].c_str(), nullptr, 16), 3042u);
  EXPECT_EQ(std::strtoul(f[8].c_str(), nullptr, 16), 40238u);  // 1 March 2010
  EXPECT_EQ(std::strtoul(f[10].c_str(), nullptr, 16), 123u);
  // Wrong checksums and unknown commands go unanswered.
  EXPECT_TRUE(module.HandleSentence("$PARLRHI,01*00").empty());
  EXPECT_TRUE(Ask(module, "PARLXYZ,1").empty());
}

TEST(DstSim, KeepsAWholeSpeedTableAndCorrectsItsLogWithIt) {
  DstModule module(dstsim::DstSettings{.SpeedKnots = 6.0, .LogFactor = 0.95});
  EXPECT_NEAR(module.LogSpeed(), 5.7, 1e-9);
  const int knots[] = {2, 3, 4, 5, 6, 8, 12, 15, 20, 30};
  for (int i = 0; i < 10; ++i)
    Ask(module, "PARLRSC,SPD," + std::to_string(i) + "," + std::to_string(knots[i]) + ",105");
  Ask(module, "PARLRSC,SPD,END,10");
  const auto table = Ask(module, "PARLRRC,SPD");
  ASSERT_EQ(table.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Split(table[static_cast<std::size_t>(i)]),
              (Fields{"PARLARC", "SPD", std::to_string(i), std::to_string(knots[i]), "105"}));
  }
  EXPECT_NEAR(module.LogSpeed(), 5.7 * 1.05, 1e-9);

  // An incomplete table is not taken; deleting restores the factory table.
  Ask(module, "PARLRSC,SPD,0,2,90");
  Ask(module, "PARLRSC,SPD,END,10");
  EXPECT_EQ(module.SpeedTable()[0].Coefficient, 105);
  Ask(module, "PARLRSC,SPD,END,0");
  for (const auto& point : module.SpeedTable()) EXPECT_EQ(point.Coefficient, 100);
}

TEST(DstSim, StoresOffsetsAndTripInBothFirmwareForms) {
  dstsim::DstSettings settings{.WaterTemperature = 18.0};
  DstModule module(settings);
  Ask(module, "PARLRSC,TMP,0,,-1.5");
  EXPECT_EQ(Split(Ask(module, "PARLRRC,TMP").at(0)), (Fields{"PARLARC", "TMP", "0", "", "-1.5"}));
  EXPECT_EQ(Streamed(module, "YXMTW", 1), "16.5");
  Ask(module, "PARLRSC,TMP,0,,9.0");
  EXPECT_DOUBLE_EQ(module.TemperatureOffset(), 5.0);

  settings.Firmware = 3041;
  DstModule old(settings);
  Ask(old, "PARLRSC,TMP,0,-0.15");
  // Older firmware reports a negative offset as an unsigned hundredth count.
  EXPECT_EQ(Split(Ask(old, "PARLRRC,TMP").at(0)), (Fields{"PARLARC", "TMP", "0", "655.21"}));

  Ask(module, "PARLRSC,DPT,-0.61");
  EXPECT_EQ(Streamed(module, "SDDPT", 2), "-0.61");
  module.Stream(3600);  // an hour at 5.7 knots
  EXPECT_EQ(Streamed(module, "VWVLW", 3), "5.70");
  Ask(module, "PARLRRT,0.00");
  EXPECT_EQ(Streamed(module, "VWVLW", 3), "0.00");
}

TEST(DstSim, GpsMovesAlongItsCourse) {
  dstsim::GpsReceiver gps(
      dstsim::GpsSettings{.Latitude = 0.0, .Longitude = 0.0, .SpeedKnots = 6.0, .CourseDegrees = 0.0, .Satellites = 5});
  const auto lines = gps.Stream(600, dstsim::UtcTime{2026, 12, 6, 10, 20, 30, 450});
  // Ten minutes at six knots: a nautical mile, one minute of latitude.
  EXPECT_NEAR(gps.Latitude(), 1.0 / 60.0, 1e-9);
  EXPECT_EQ(Split(lines[0]), (Fields{"GPGGA", "102030.45", "0001.0000", "N", "00000.0000", "E", "1", "05", "0.9", "2.5",
                                     "M", "47.0", "M", "", ""}));
  EXPECT_EQ(Split(lines[1])[9], "061226");
  std::vector<std::string> tags;
  for (const auto& line : lines) tags.push_back(Split(line)[0]);
  EXPECT_EQ(tags, (Fields{"GPGGA", "GPRMC", "GPVTG", "GPGSA", "GPGSV", "GPGSV"}));
}

}  // namespace
