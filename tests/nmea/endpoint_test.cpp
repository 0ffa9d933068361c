#include <gtest/gtest.h>

#include <string>

#include "nmea/link/endpoint.h"
#include "platform/core/os/clock.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

using testing::EventLog;
using testing::TestTransports;

TEST(Endpoint, OpensASerialLinkWithPlainSettingsAndClosesIt) {
  TestTransports transports;
  TNMEA2KDecoder link;
  EXPECT_EQ(link.Port(), -1);
  EXPECT_TRUE(link.Open(7, 38400, kStreamText, true));
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(link.Port(), 7);
  EXPECT_EQ(link.Baud(), 38400);
  EXPECT_EQ(link.PortId, 7 + kPortIdBase);
  EXPECT_EQ(transports.Serial.Indexes, (std::vector<int>{0, 0, 0, 0}));
  // Suspending keeps the port object and its settings for the resume.
  link.Suspend("");
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.Port(), 7);
  link.Resume("");
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(link.Baud(), 38400);

  // Reopening another port replaces the first; a refused port leaves the
  // link closed without a transport.
  EXPECT_TRUE(link.Open(8, 4800, kStreamText, true));
  EXPECT_EQ(link.Port(), 8);
  transports.Serial.RefuseOpen = true;
  EXPECT_FALSE(link.Open(9, 4800, kStreamText, true));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.Port(), -1);
  EXPECT_EQ(link.Baud(), -1);
  EXPECT_EQ(link.PortId, 0u);
  EXPECT_EQ(link.PortKind, kPortNone);
}

TEST(Endpoint, DetachedLinksDiscardInputAndStartAfreshWhenReattached) {
  TestTransports transports;
  TNMEA2KDecoder link;
  ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
  EventLog raw;
  link.OnRawMessage = raw.Handler();
  transports.Deliver("$GPZDA,12");
  link.SetReceiveEnabled(false);
  transports.Deliver("3\r\n");
  link.SetReceiveEnabled(true);
  transports.Deliver("45\r\n$GPVTG,1\r\n");
  EXPECT_EQ(raw.Lines, std::vector<std::string>{"$GPVTG,1"});

  // Opening while detached leaves the port without a handler.
  link.SetReceiveEnabled(false);
  ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
  EXPECT_FALSE(transports.Serial.OnReceive);
}

TEST(Endpoint, SendsLinesWithChecksumsOnTextLinksOnly) {
  TestTransports transports;
  TNMEA2KDecoder link;
  EventLog sent;
  link.OnSend = sent.Handler();
  link.SendLine("$PARLRHI,01", true);  // closed: nothing
  ASSERT_TRUE(link.Open(2, 4800, kStreamText, true));
  link.SendLine("$PARLRHI,01", true);
  link.SendLine("$PARLRRC,SPD", true);
  link.SendLine("raw", false);
  EXPECT_EQ(transports.Serial.Written, (std::vector<std::string>{"$PARLRHI,01*71\r\n", "$PARLRRC,SPD*27\r\n", "raw"}));
  EXPECT_EQ(sent.Lines, transports.Serial.Written);

  // A failed write is not reported as sent.
  transports.Serial.FailWrites = true;
  link.SendLine("$PARLRRC,TMP", true);
  EXPECT_EQ(sent.Lines.size(), 3u);

  transports.Serial.FailWrites = false;
  ASSERT_TRUE(link.Open(2, 4800, kStreamBinary, true));
  link.SendLine("$PARLRRC,TMP", true);
  EXPECT_EQ(transports.Serial.Written.back(), "$PARLRRC,TMP");
}

TEST(Endpoint, AnglesFoldIntoTheHalfOpenCircleWithoutLooping) {
  for (const auto& [in, out] : std::vector<std::pair<double, double>>{
           {-180, 180}, {540, 180}, {190, -170}, {-190, 170}, {180, 180}, {-725, -5}, {1e300, 0}}) {
    double angle = in;
    TNMEA2KDecoder::NormalizeAngle180(angle);
    EXPECT_GT(angle, -180.0) << in;
    EXPECT_LE(angle, 180.0) << in;
    if (in != 1e300) {
      EXPECT_DOUBLE_EQ(angle, out) << in;
    }
  }
}

// Local time less the zone's offset, daylight saving included; without
// UseUtc the offset last read stays.
TEST(Endpoint, NowUtcTakesTheZoneOffsetOffLocalTime) {
  platform::ScopedClockOverride clock({.LocalTime = [] { return platform::SystemTime{2024, 7, 4, 20, 15, 31, 0}; },
                                       .TimeZone =
                                           [] {
                                             return platform::TimeZoneInformation{
                                                 .Valid = true, .Daylight = true, .Bias = -60, .DaylightBias = -60};
                                           }});
  // 4 July 2024 is day 45477; 18:15:31 UTC.
  const double utc = 45477 + (18 * 3600 + 15 * 60 + 31) / 86400.0;
  TNMEA2KDecoder link;
  EXPECT_NEAR(link.NowUtc(), utc, 1e-8);
  EXPECT_EQ(link.UtcOffsetHours, 2.0);
  link.UseUtc = false;
  link.UtcOffsetHours = -5;
  EXPECT_NEAR(link.NowUtc(), utc + 7 / 24.0, 1e-8);
}

}  // namespace
}  // namespace nmea
