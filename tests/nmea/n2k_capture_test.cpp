// Real NMEA 2000 captures, each message wrapped in a gateway frame and fed
// through an endpoint in binary mode. The values stored are checked against
// an independent reading of the published PGN definitions; where the system
// deliberately departs from them, the check says so.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "nmea/link/endpoint.h"
#include "platform/core/os/clock.h"
#include "tests/nmea/n2k_capture_helpers.h"

namespace nmea {
namespace {

using testing::GatewayFrame;
using testing::ReadN2kCapture;
using testing::TestDataPath;

constexpr double kRadToDeg = 180.0 / M_PI;
constexpr double kMsToKnots = 3600.0 / 1852.0;

// Little-endian reads as the published definitions give the fields.
template <typename T>
T Field(const std::vector<std::uint8_t>& d, std::size_t offset) {
  T v;
  std::memcpy(&v, d.data() + offset, sizeof(T));
  return v;
}

// Published: the largest value means "unknown", the next "error"; the
// system also treats the third largest (reserved) as missing.
template <typename T>
bool Available(T v) {
  const T max = std::numeric_limits<T>::max();
  return v != max && v != max - 1 && v != max - 2;
}

void ExpectNear(double actual, double expected, const char* what, std::uint32_t pgn) {
  EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, std::fabs(expected))) << what << " of PGN " << pgn;
}

struct Checker {
  std::map<std::uint32_t, int> checked;

  // Checks what message Msg, decoded with store tick T, left in D.
  void Check(const TNmea2KMsg& msg, const tNMEAData& d, TTick t) {
    const auto& p = msg.Data;
    switch (msg.PGN) {
      case 127250: {
        const auto heading = Field<std::uint16_t>(p, 1);
        if (p.size() < 8 || !Available(heading)) return;
        // Deviation: a true heading goes to its own cell, every other
        // reference to the magnetic cell.
        const bool isTrue = (p[7] & 3) == 0;
        ExpectNear(isTrue ? d.HeadingTrue : d.HeadingMagnetic, heading * 1e-4 * kRadToDeg, "heading", msg.PGN);
        EXPECT_EQ(isTrue ? d.HeadingTrueTick : d.HeadingMagneticTick, t);
        break;
      }
      case 127251: {
        const auto rate = Field<std::int32_t>(p, 1);
        if (!Available(rate)) return;
        ExpectNear(d.RateOfTurn, rate * 3.125e-8 * kRadToDeg * 60, "rate of turn", msg.PGN);
        break;
      }
      case 127257: {
        const auto pitch = Field<std::int16_t>(p, 3);
        const auto roll = Field<std::int16_t>(p, 5);
        if (Available(pitch)) ExpectNear(d.Pitch, pitch * 1e-4 * kRadToDeg, "pitch", msg.PGN);
        if (Available(roll)) ExpectNear(d.Roll, roll * 1e-4 * kRadToDeg, "roll", msg.PGN);
        if (!Available(pitch) && !Available(roll)) return;
        break;
      }
      case 127258: {
        const auto variation = Field<std::int16_t>(p, 4);
        if (!Available(variation)) return;
        ExpectNear(d.MagneticVariation, variation * 1e-4 * kRadToDeg, "variation", msg.PGN);
        EXPECT_EQ(d.MagneticVariationTick, t);
        break;
      }
      case 128259: {
        const auto stw = Field<std::uint16_t>(p, 1);
        if (!Available(stw)) return;
        ExpectNear(d.WaterSpeed, stw * 0.01 * kMsToKnots, "speed through water", msg.PGN);
        break;
      }
      case 128267: {
        const auto depth = Field<std::uint32_t>(p, 1);
        if (!Available(depth)) return;
        EXPECT_FLOAT_EQ(d.Depth, static_cast<float>(depth * 0.01));
        const auto offset = Field<std::int16_t>(p, 5);
        if (Available(offset)) ExpectNear(d.TransducerOffset, offset * 0.001, "offset", msg.PGN);
        break;
      }
      case 129025: {
        const auto lat = Field<std::int32_t>(p, 0);
        const auto lon = Field<std::int32_t>(p, 4);
        if (!Available(lat) || !Available(lon)) return;
        ExpectNear(d.Latitude, lat * 1e-7, "latitude", msg.PGN);
        ExpectNear(d.Longitude, lon * 1e-7, "longitude", msg.PGN);
        EXPECT_EQ(d.PositionTick, t);
        break;
      }
      case 129026: {
        const auto cog = Field<std::uint16_t>(p, 2);
        const auto sog = Field<std::uint16_t>(p, 4);
        // Deviation: only a true course is kept.
        if (Available(cog) && (p[1] & 3) == 0) ExpectNear(d.COG, cog * 1e-4 * kRadToDeg, "COG", msg.PGN);
        if (!Available(sog)) return;
        ExpectNear(d.SOG, sog * 0.01 * kMsToKnots, "SOG", msg.PGN);
        break;
      }
      case 129029: {
        const auto lat = Field<std::int64_t>(p, 7);
        const auto lon = Field<std::int64_t>(p, 15);
        const auto alt = Field<std::int64_t>(p, 23);
        if (Available(alt)) ExpectNear(d.Altitude, alt * 1e-6, "altitude", msg.PGN);
        if (!Available(lat) || !Available(lon)) return;
        ExpectNear(d.Latitude, lat * 1e-16, "latitude", msg.PGN);
        ExpectNear(d.Longitude, lon * 1e-16, "longitude", msg.PGN);
        EXPECT_EQ(d.GPS.GnssType, p[31] & 0x0F);
        if ((p[31] >> 4) < 14) {
          EXPECT_EQ(d.GPS.FixQuality, p[31] >> 4);
        }
        if (p[33] < 0xFD) {
          EXPECT_EQ(d.GPS.SatsInUse, p[33]);
        }
        const auto hdop = Field<std::int16_t>(p, 34);
        if (Available(hdop)) ExpectNear(d.GPS.HDOP, hdop * 0.01, "HDOP", msg.PGN);
        const auto sep = Field<std::int32_t>(p, 38);
        if (Available(sep)) ExpectNear(d.GeoidSeparation, sep * 0.01, "geoidal separation", msg.PGN);
        break;
      }
      case 126992:
      case 129033: {
        const std::size_t at = msg.PGN == 126992 ? 2 : 0;
        const auto days = Field<std::uint16_t>(p, at);
        const auto time = Field<std::uint32_t>(p, at + 2);
        if (!Available(time) || !Available(days)) return;
        const auto ms = static_cast<std::uint64_t>(std::llround(time / 10.0));
        EXPECT_EQ(d.UtcHour, ms / 3600000 % 24) << msg.PGN;
        EXPECT_EQ(d.UtcMinute, ms / 60000 % 60) << msg.PGN;
        EXPECT_EQ(d.UtcSecond, ms / 1000 % 60) << msg.PGN;
        EXPECT_EQ(d.UtcMillisecond, ms % 1000) << msg.PGN;
        // Days since 1970 to a civil date.
        const std::time_t seconds = static_cast<std::time_t>(days) * 86400 + static_cast<std::time_t>(ms / 1000);
        std::tm utc{};
        gmtime_r(&seconds, &utc);
        EXPECT_EQ(d.UtcYear, utc.tm_year + 1900);
        EXPECT_EQ(d.UtcMonth, utc.tm_mon + 1);
        EXPECT_EQ(d.UtcDay, utc.tm_mday);
        EXPECT_EQ(d.UtcTimeTick, t);
        break;
      }
      case 129539: {
        const auto hdop = Field<std::int16_t>(p, 2);
        const auto vdop = Field<std::int16_t>(p, 4);
        if (Available(hdop)) ExpectNear(d.GPS.HDOP, hdop * 0.01, "HDOP", msg.PGN);
        if (Available(vdop)) ExpectNear(d.GPS.VDOP, vdop * 0.01, "VDOP", msg.PGN);
        if (!Available(hdop) && !Available(vdop)) return;
        break;
      }
      case 129540: {
        const std::uint8_t n = p[2];
        if (n >= 0xFD) return;
        // Deviation: the count in view is kept as the count in use, and the
        // list is replaced only when every entry is present.
        EXPECT_EQ(d.GPS.SatsInUse, n);
        if (p.size() < 3 + 12u * n) return;
        ASSERT_EQ(d.GPS.Satellites.Sats.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
          const tSatEntry& s = d.GPS.Satellites.Sats[i];
          const std::size_t at = 3 + 12 * i;
          EXPECT_EQ(s.PRN, p[at]);
          const auto elevation = Field<std::int16_t>(p, at + 1);
          if (Available(elevation)) {
            EXPECT_NEAR(s.Elevation, elevation * 1e-4 * kRadToDeg, 1e-4);
          }
          const auto azimuth = Field<std::uint16_t>(p, at + 3);
          if (Available(azimuth)) {
            EXPECT_NEAR(s.Azimuth, azimuth * 1e-4 * kRadToDeg, 1e-3);
          }
          const auto snr = Field<std::int16_t>(p, at + 5);
          if (Available(snr)) {
            EXPECT_NEAR(s.SNR, snr * 0.01, 1e-4);
          }
          EXPECT_EQ(s.Status, p[at + 11] & 0x0F);
        }
        EXPECT_EQ(d.GPS.SatellitesTick, t);
        break;
      }
      case 130306: {
        const auto speed = Field<std::uint16_t>(p, 1);
        const auto angle = Field<std::uint16_t>(p, 3);
        if (!Available(speed) || !Available(angle)) return;
        const double knots = speed * 0.01 * kMsToKnots;
        const double degrees = angle * 1e-4 * kRadToDeg;
        switch (p[5] & 7) {
          case 0:
          case 1:  // deviation: a magnetic direction shares the true cell
            ExpectNear(d.TrueWindSpeed, knots, "true wind speed", msg.PGN);
            ExpectNear(d.TrueWindDirection, degrees, "true wind direction", msg.PGN);
            break;
          case 2:  // published 0..360; stored in (-180, 180]
            ExpectNear(d.ApparentWindSpeed, knots, "apparent wind speed", msg.PGN);
            ExpectNear(d.ApparentWindAngle, degrees > 180 ? degrees - 360 : degrees, "apparent wind angle", msg.PGN);
            break;
          default:
            return;
        }
        break;
      }
      case 130311: {
        const auto temperature = Field<std::uint16_t>(p, 2);
        const auto humidity = Field<std::int16_t>(p, 4);
        const auto pressure = Field<std::uint16_t>(p, 6);
        if (Available(temperature) && (p[1] & 0x3F) == 0) {
          ExpectNear(d.WaterTemperature, temperature * 0.01 - 273.15, "sea temperature", msg.PGN);
        }
        if (Available(temperature) && (p[1] & 0x3F) == 1) {
          ExpectNear(d.AirTemperature, temperature * 0.01 - 273.15, "outside temperature", msg.PGN);
        }
        if (Available(humidity)) ExpectNear(d.RelativeHumidity, humidity * 0.004, "humidity", msg.PGN);
        if (Available(pressure)) ExpectNear(d.BarometricPressure, pressure, "pressure", msg.PGN);
        if (!Available(temperature) && !Available(humidity) && !Available(pressure)) return;
        break;
      }
      case 126996: {
        const auto version = Field<std::uint16_t>(p, 0);
        const auto code = Field<std::uint16_t>(p, 2);
        if (!Available(version) && !Available(code)) return;
        bool found = false;
        for (const tNMEAProd& product : d.Products) {
          if (product.SourceId == msg.Source && product.Tick == t) {
            found = true;
            // Deviation: the database version is kept raw, not in thousandths.
            if (Available(version)) {
              EXPECT_EQ(product.DatabaseVersion, version);
            }
            EXPECT_FALSE(product.ModelId.empty());
          }
        }
        EXPECT_TRUE(found) << "product of source " << int(msg.Source);
        break;
      }
      default:
        return;
    }
    ++checked[msg.PGN];
  }
};

struct Capture {
  const char* File;
  std::vector<std::uint32_t> CheckedPgns;  // decoded PGNs with valid fields in the capture
};

class N2kCaptureTest : public ::testing::TestWithParam<Capture> {};

TEST_P(N2kCaptureTest, EveryFrameIsAcceptedCountedAndDecodedAsPublished) {
  const std::vector<TNmea2KMsg> messages = ReadN2kCapture(TestDataPath(std::string("nmea2000/") + GetParam().File));
  ASSERT_FALSE(messages.empty());

  std::uint32_t now = 0;
  platform::ScopedClockOverride clock(platform::ClockSources{.Tick = [&now] { return now; }});
  TNMEA2KDecoder link;
  link.StreamMode = kStreamBinary;
  link.CollectStatistics = true;
  std::size_t accepted = 0;
  std::size_t decodedLines = 0;
  link.OnRawMessage = [&](platform::TObject*, std::string_view) { ++accepted; };
  link.OnMessage = [&](platform::TObject*, std::string_view) { ++decodedLines; };

  Checker checker;
  std::set<std::pair<std::uint32_t, std::uint32_t>> pairs;
  for (const TNmea2KMsg& msg : messages) {
    now += 10;
    const std::vector<std::uint8_t> frame = GatewayFrame(msg);
    link.ParseBytes(frame.data(), static_cast<int>(frame.size()));
    pairs.insert({msg.Source, msg.PGN});
    auto lock = link.Lock();
    checker.Check(msg, link.NMEAData, now);
  }
  EXPECT_EQ(accepted, messages.size());
  EXPECT_EQ(decodedLines, messages.size());

  std::set<std::pair<std::uint32_t, std::uint32_t>> counted;
  for (const tNMEATalkerRec& talker : link.Talkers) {
    for (std::uint32_t pgn : talker.SubKeys) counted.insert({talker.Key, pgn});
  }
  EXPECT_EQ(counted, pairs);

  // Every decoded PGN of the capture was checked at least once.
  for (std::uint32_t pgn : GetParam().CheckedPgns) EXPECT_GT(checker.checked[pgn], 0) << pgn;
}

INSTANTIATE_TEST_SUITE_P(Captures, N2kCaptureTest,
                         ::testing::Values(Capture{"susteranna2020.raw",
                                                   {126992, 126996, 127250, 127251, 127257, 127258, 128259, 129025,
                                                    129026, 129029, 129539, 129540, 130306, 130311}},
                                           Capture{"scx20.raw",
                                                   {126992, 127250, 127251, 127257, 127258, 129025, 129026, 129029,
                                                    129539, 129540}}));

TEST(N2kCapture, WorkedFrameMatchesTheWireFormat) {
  TNmea2KMsg msg;
  msg.Priority = 2;
  msg.PGN = 127251;
  msg.Destination = 0xFF;
  msg.Source = 3;
  msg.Data = {0x00, 0x10, 0x27, 0x00, 0x00, 0xFF, 0xFF, 0xFF};
  const std::vector<std::uint8_t> wire = {0x10, 0x02, 0x93, 0x13, 0x02, 0x13, 0xF1, 0x01, 0xFF,
                                          0x03, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x10, 0x10,
                                          0x27, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x15, 0x10, 0x03};
  EXPECT_EQ(GatewayFrame(msg), wire);
}

}  // namespace
}  // namespace nmea
