#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dst_module.h"
#include "gps_receiver.h"
#include "sentence.h"

namespace {

using dstsim::DstModule;
using dstsim::Sentence;

// The fields of a finished sentence whose checksum must be right.
std::vector<std::string> Fields(const std::string& line) {
  EXPECT_GE(line.size(), 5u);
  EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
  std::string body;
  EXPECT_TRUE(dstsim::SentenceBody(line.substr(0, line.size() - 2), body)) << line;
  return dstsim::SplitFields(body);
}

std::string Command(const std::string& body) {
  const std::string line = Sentence(body);
  return line.substr(0, line.size() - 2);
}

std::vector<std::string> Ask(DstModule& module, const std::string& body) {
  return module.HandleSentence(Command(body));
}

// The field of the first streamed sentence with this tag.
std::string StreamedField(DstModule& module, const std::string& tag, std::size_t field) {
  for (const std::string& line : module.Stream(0)) {
    const auto f = Fields(line);
    if (f[0] == tag) return f.at(field);
  }
  ADD_FAILURE() << tag << " not streamed";
  return {};
}

TEST(DstSim, IdentifiesItselfInTheFieldsTheProgramReads) {
  dstsim::DstSettings settings;
  settings.SerialNumber = 123456;
  settings.Firmware = 3042;
  settings.Hardware = 123;
  settings.ProductCode = 1;
  DstModule module(settings);
  const auto replies = Ask(module, "PARLRHI,01");
  ASSERT_EQ(replies.size(), 1u);
  const auto f = Fields(replies[0]);
  ASSERT_EQ(f.size(), 11u);
  EXPECT_EQ(f[0], "PARLIHS");
  EXPECT_EQ(std::strtoul(f[1].c_str(), nullptr, 16), 123456u);
  EXPECT_EQ(f[3], "1");
  EXPECT_EQ(std::strtoul(f[7].c_str(), nullptr, 16), 3042u);
  EXPECT_EQ(std::strtoul(f[8].c_str(), nullptr, 16), 40238u);  // 1 March 2010
  EXPECT_EQ(std::strtoul(f[10].c_str(), nullptr, 16), 123u);

  // A command with a wrong checksum, or one it does not know, is ignored.
  EXPECT_TRUE(module.HandleSentence("$PARLRHI,01*00").empty());
  EXPECT_TRUE(Ask(module, "PARLXYZ,1").empty());
  EXPECT_EQ(module.HandleSentence("$PARLRHI,01").size(), 1u);
}

TEST(DstSim, KeepsAWholeSpeedTableAndCorrectsItsLogWithIt) {
  dstsim::DstSettings settings;
  settings.SpeedKnots = 6.0;
  settings.LogFactor = 0.95;
  DstModule module(settings);
  EXPECT_NEAR(module.LogSpeed(), 5.7, 1e-9);

  const int knots[] = {2, 3, 4, 5, 6, 8, 12, 15, 20, 30};
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(Ask(module, "PARLRSC,SPD," + std::to_string(i) + "," + std::to_string(knots[i]) + ",105").empty());
  }
  Ask(module, "PARLRSC,SPD,END,10");
  const auto table = Ask(module, "PARLRRC,SPD");
  ASSERT_EQ(table.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    const auto f = Fields(table[static_cast<std::size_t>(i)]);
    EXPECT_EQ(f, (std::vector<std::string>{"PARLARC", "SPD", std::to_string(i), std::to_string(knots[i]), "105"}));
  }
  EXPECT_NEAR(module.LogSpeed(), 5.7 * 1.05, 1e-9);
  EXPECT_EQ(StreamedField(module, "VWVHW", 5), "5.98");

  // An incomplete table is not taken; deleting restores the factory table.
  Ask(module, "PARLRSC,SPD,0,2,90");
  Ask(module, "PARLRSC,SPD,END,10");
  EXPECT_EQ(module.SpeedTable()[0].Coefficient, 105);
  Ask(module, "PARLRSC,SPD,END,0");
  for (const auto& point : module.SpeedTable()) EXPECT_EQ(point.Coefficient, 100);
}

TEST(DstSim, StoresOffsetsAndTripInBothFirmwareForms) {
  dstsim::DstSettings settings;
  settings.WaterTemperature = 18.0;
  DstModule module(settings);
  Ask(module, "PARLRSC,TMP,0,,-1.5");
  EXPECT_DOUBLE_EQ(module.TemperatureOffset(), -1.5);
  EXPECT_EQ(Fields(Ask(module, "PARLRRC,TMP").at(0)),
            (std::vector<std::string>{"PARLARC", "TMP", "0", "", "-1.5"}));
  EXPECT_EQ(StreamedField(module, "YXMTW", 1), "16.5");
  Ask(module, "PARLRSC,TMP,0,,9.0");
  EXPECT_DOUBLE_EQ(module.TemperatureOffset(), 5.0);

  settings.Firmware = 3041;
  DstModule old(settings);
  Ask(old, "PARLRSC,TMP,0,-0.15");
  // Older firmware reports a negative offset as an unsigned hundredth count.
  EXPECT_EQ(Fields(Ask(old, "PARLRRC,TMP").at(0)), (std::vector<std::string>{"PARLARC", "TMP", "0", "655.21"}));

  Ask(module, "PARLRSC,DPT,-0.61");
  EXPECT_EQ(StreamedField(module, "SDDPT", 2), "-0.61");
  Ask(module, "PARLRSC,DPT,40");
  EXPECT_DOUBLE_EQ(module.TransducerOffset(), 32.76);

  module.Stream(3600);  // an hour at 5.7 knots
  EXPECT_EQ(StreamedField(module, "VWVLW", 3), "5.70");
  Ask(module, "PARLRRT,0.00");
  EXPECT_EQ(StreamedField(module, "VWVLW", 3), "0.00");
}

TEST(DstSim, GpsMovesAlongItsCourse) {
  dstsim::GpsSettings settings;
  settings.Latitude = 0.0;
  settings.Longitude = 0.0;
  settings.SpeedKnots = 6.0;
  settings.CourseDegrees = 0.0;
  settings.Satellites = 5;
  dstsim::GpsReceiver gps(settings);
  const dstsim::UtcTime t{2026, 12, 6, 10, 20, 30, 450};
  const auto lines = gps.Stream(600, t);  // ten minutes: one nautical mile north
  EXPECT_NEAR(gps.Latitude(), 1.0 / 60.0, 1e-9);
  EXPECT_NEAR(gps.Longitude(), 0.0, 1e-12);

  std::vector<std::string> tags;
  for (const auto& line : lines) tags.push_back(Fields(line)[0]);
  EXPECT_EQ(tags, (std::vector<std::string>{"GPGGA", "GPRMC", "GPVTG", "GPGSA", "GPGSV", "GPGSV"}));
  const auto gga = Fields(lines[0]);
  EXPECT_EQ(gga[1], "102030.45");
  EXPECT_EQ(gga[2], "0001.0000");
  EXPECT_EQ(gga[3], "N");
  EXPECT_EQ(gga[7], "05");
  const auto rmc = Fields(lines[1]);
  EXPECT_EQ(rmc[7], "6.0");
  EXPECT_EQ(rmc[9], "061226");
}

TEST(DstSim, CollectsSentencesFromAByteStream) {
  dstsim::LineCollector collector;
  EXPECT_TRUE(collector.Feed("noise$PARL").empty());
  EXPECT_EQ(collector.Feed("RHI,01*71\r\n$A\n"), (std::vector<std::string>{"$PARLRHI,01*71", "$A"}));
  EXPECT_TRUE(collector.Feed(std::string(300, 'x') + "\r\n").empty());
}

}  // namespace
