#include "nmea/nmea2000/n2k_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "nmea/link/endpoint.h"
#include "platform/core/os/clock.h"

namespace nmea {
namespace {

using Bytes = std::vector<std::uint8_t>;

class N2kDecoderTest : public ::testing::Test {
 protected:
  N2kDecoderTest() : clock_(platform::ClockSources{.Tick = [this] { return now_; }}) {
    link_.OnMessage = [this](platform::TObject*, std::string_view text) { lines_.emplace_back(text); };
    link_.OnRawMessage = [this](platform::TObject*, std::string_view text) { raw_.emplace_back(text); };
  }

  // Decodes one message and returns its decoded line ("" when none).
  std::string Decode(std::uint32_t pgn, Bytes data, std::uint8_t source = 7) {
    TNmea2KMsg msg;
    msg.PGN = pgn;
    msg.Source = source;
    msg.Data = std::move(data);
    lines_.clear();
    raw_.clear();
    auto lock = link_.Lock();
    DecodePGN(link_, msg, link_.NMEAData);
    return lines_.empty() ? std::string() : lines_.back();
  }

  tNMEAData& D() { return link_.NMEAData; }

  std::uint32_t now_ = 1000;
  platform::ScopedClockOverride clock_;
  TNMEA2KDecoder link_;
  std::vector<std::string> lines_;
  std::vector<std::string> raw_;
};

const std::string kDeg = "\xB0";

TEST_F(N2kDecoderTest, FrameworkRawLineStatisticsSkipListAndUnknownPgns) {
  link_.CollectStatistics = true;
  EXPECT_EQ(Decode(127251, {0x00, 0x10, 0x27, 0x00, 0x00, 0xFF, 0xFF, 0xFF}, 3),
            "127251    >>> RATE OF TURN:  1.1 DEG/min");
  EXPECT_EQ(raw_, std::vector<std::string>{"127251 3 [ 00 10 27 00 00 FF FF FF ]"});

  EXPECT_EQ(Decode(126998, {}), "126998    >>> CONFIGURATION INFORMATION ");
  EXPECT_EQ(raw_, std::vector<std::string>{"126998 7 [  ]"});

  EXPECT_EQ(Decode(60928, {1, 2, 3}), "60928");

  // Too short: the raw line and the statistics only.
  D().HeadingTrueTick = 0;
  EXPECT_EQ(Decode(127250, {0, 0x10, 0x27, 0, 0, 0, 0}, 9), "");
  EXPECT_EQ(raw_.size(), 1u);
  EXPECT_EQ(D().HeadingTrueTick, 0u);

  link_.SkipKeys = {127250, 128267};
  EXPECT_EQ(Decode(127250, {0, 0x10, 0x27, 0, 0, 0, 0, 0}, 9), "");
  EXPECT_EQ(raw_.size(), 1u);
  EXPECT_EQ(D().HeadingTrueTick, 0u);

  auto lock = link_.Lock();
  ASSERT_EQ(link_.Talkers.size(), 3u);
  EXPECT_EQ(link_.Talkers[0].Key, 3u);
  EXPECT_EQ(link_.Talkers[1].Key, 7u);
  EXPECT_EQ(link_.Talkers[1].SubKeys, (std::vector<std::uint32_t>{60928, 126998}));
  EXPECT_EQ(link_.Talkers[2].SubKeys, (std::vector<std::uint32_t>{127250}));
}

TEST_F(N2kDecoderTest, StoresHappenWithoutATextHandler) {
  link_.OnMessage = nullptr;
  Decode(128267, {0, 0xE8, 0x03, 0, 0, 0xF4, 0x01, 0});
  EXPECT_FLOAT_EQ(D().Depth, 10.0f);
  EXPECT_DOUBLE_EQ(D().TransducerOffset, 0.5);
  EXPECT_EQ(D().DepthTick, 1000u);
  EXPECT_EQ(D().LastUpdateTick, 1000u);
}

// The first from a real capture: a request for PGN 130580 refused.
TEST_F(N2kDecoderTest, IsoAcknowledgementNamesControlGroupAndRequestedPgn) {
  EXPECT_EQ(Decode(59392, {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x14, 0xFE, 0x01}, 49),
            "59392    >>> ISO ACKNOWLEDGEMENT: NEGATIVE    GROUP:  255    REQ PGN:  130580");
  EXPECT_EQ(Decode(59392, {0x00, 0x03, 0xFF, 0xFF, 0xFF, 0x00, 0xEE, 0x00}),
            "59392    >>> ISO ACKNOWLEDGEMENT: OK    GROUP:  3    REQ PGN:  60928");
  EXPECT_EQ(Decode(59392, {0x02, 0x00, 0, 0, 0, 0x01, 0xF0, 0x01, 0x55}),
            "59392    >>> ISO ACKNOWLEDGEMENT: ACCESS DENIED    GROUP:  0    REQ PGN:  126977");
  // Any other control is invalid; the requested PGN shows whatever its
  // status.
  for (const std::uint8_t control : {0x03, 0x80, 0xFF}) {
    EXPECT_EQ(Decode(59392, {control, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
              "59392    >>> ISO ACKNOWLEDGEMENT: [INVALID]    GROUP:  1    REQ PGN:  16777215");
  }
  EXPECT_EQ(Decode(59392, {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x14, 0xFE}), "");
  EXPECT_EQ(raw_, std::vector<std::string>{"59392 7 [ 01 FF FF FF FF 14 FE ]"});
  // It stores nothing.
  EXPECT_EQ(D().LastUpdateTick, 0u);
}

TEST_F(N2kDecoderTest, VesselHeadingByReferenceAndStatus) {
  EXPECT_EQ(Decode(127250, {0, 0x10, 0x27, 0xFF, 0x7F, 0x64, 0x00, 0xFC}),
            "127250    >>> HEADING: 57.30" + kDeg + "T    DEV  [MISSING]    VAR  0.57");
  EXPECT_DOUBLE_EQ(D().HeadingTrue, 57.29577951308232);
  EXPECT_EQ(D().HeadingTrueTick, 1000u);
  EXPECT_NEAR(D().MagneticVariation, 0.5729577951308232, 1e-12);
  EXPECT_EQ(D().HeadingMagneticTick, 0u);

  // Reference bits are the low two of the byte: 0xFD is magnetic.
  now_ = 2000;
  EXPECT_EQ(Decode(127250, {0, 0x86, 0xE9, 0xFF, 0x7F, 0xFF, 0x7F, 0xFD}),
            "127250    >>> HEADING: 342.53" + kDeg + "M    DEV  [MISSING]    VAR  [MISSING]");
  EXPECT_EQ(D().HeadingMagneticTick, 2000u);
  EXPECT_EQ(D().HeadingTrueTick, 1000u);

  // An invalid heading stores nothing, not even a valid variation.
  now_ = 3000;
  EXPECT_EQ(Decode(127250, {0, 0xFF, 0xFF, 0, 0, 0x10, 0x27, 0}),
            "127250    >>> HEADING: [MISSING]    DEV  0.00    VAR  57.30");
  EXPECT_EQ(Decode(127250, {0, 0xFE, 0xFF, 0, 0, 0x10, 0x27, 0}),
            "127250    >>> HEADING: [OUT OF RANGE]    DEV  0.00    VAR  57.30");
  EXPECT_EQ(Decode(127250, {0, 0xFD, 0xFF, 0, 0, 0x10, 0x27, 0}).substr(0, 27), "127250    >>> HEADING: [MIS");
  EXPECT_EQ(D().MagneticVariationTick, 1000u);
  EXPECT_EQ(D().LastUpdateTick, 2000u);
  EXPECT_EQ(Decode(127250, {0, 0, 0, 0, 0, 0, 0, 0x02}),
            "127250    >>> HEADING: 0.00[ERROR]    DEV  0.00    VAR  0.00");
}

TEST_F(N2kDecoderTest, RateAttitudeAndVariation) {
  EXPECT_EQ(Decode(127251, {0, 0xE8, 0x03, 0, 0, 0xFF, 0xFF, 0xFF}), "127251    >>> RATE OF TURN:  0.1 DEG/min");
  EXPECT_NEAR(D().RateOfTurn, 0.10743, 1e-5);
  EXPECT_EQ(Decode(127251, {0, 0x9E, 0xF8, 0xFF, 0xFF, 0xFF, 0x7F, 0xFD}), "127251    >>> RATE OF TURN:  -0.2 DEG/min");

  EXPECT_EQ(Decode(127257, {0, 0xFF, 0x7F, 0x44, 0x00, 0x3D, 0x00, 0xFF}),
            "127257    >>> ATTITUDE:   YAW  [MISSING]   PITCH  0.39   ROLL   0.35");
  EXPECT_EQ(Decode(127257, {0, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F, 0xFF}),
            "127257    >>> ATTITUDE:   YAW  -0.01   PITCH  [MISSING]   ROLL   [MISSING]");
  EXPECT_NEAR(D().Pitch, 0.3896, 1e-4);

  EXPECT_EQ(Decode(127258, {0, 0xF6, 0xFF, 0xFF, 0x05, 0x01, 0xFF, 0xFF}),
            "127258    >>> MAG VARIATION: 1.50    SOURCE  WMM2010");
  EXPECT_NEAR(D().MagneticVariation, 1.49542, 1e-5);
}

TEST_F(N2kDecoderTest, SpeedAndDepthKeepOldValuesForMissingFields) {
  D().SOG = 4.0;
  D().SOGTick = 77;
  EXPECT_EQ(Decode(128259, {0, 0xF4, 0x01, 0xFF, 0xFF, 0, 0, 0}),
            "128259    >>> SPEED:    WATER 9.72 kn   SOG [MISSING]");
  EXPECT_NEAR(D().WaterSpeed, 9.71922, 1e-5);
  EXPECT_EQ(D().SOG, 4.0);
  EXPECT_EQ(D().SOGTick, 77u);

  // A signed offset; one that rounds to zero shows no "-".
  EXPECT_EQ(Decode(128267, {0, 0x10, 0, 0, 0, 0xEC, 0xFF, 0}), "128267    >>> WATER DEPTH: 0.16 m    OFFSET   -0.02 m");
  EXPECT_EQ(Decode(128267, {0, 0x10, 0, 0, 0, 0xFD, 0xFF, 0}), "128267    >>> WATER DEPTH: 0.16 m    OFFSET   0.00 m");

  // The offset is not stored without a depth.
  now_ = 5000;
  EXPECT_EQ(Decode(128267, {0, 0xFF, 0xFF, 0xFF, 0xFF, 0x20, 0, 0}),
            "128267    >>> WATER DEPTH: [MISSING]    OFFSET   0.03 m");
  EXPECT_NE(D().TransducerOffsetTick, 5000u);
  EXPECT_NE(D().LastUpdateTick, 5000u);
}

Bytes ProductPayload(std::uint16_t version, std::uint16_t code, const std::string& model) {
  Bytes b(134, 0xFF);
  b[0] = version & 0xFF;
  b[1] = version >> 8;
  b[2] = code & 0xFF;
  b[3] = code >> 8;
  for (std::size_t i = 0; i < 32; ++i) b[4 + i] = i < model.size() ? model[i] : ' ';
  const std::string rest[] = {"1.2.3", "A", "SN42"};
  for (int f = 0; f < 3; ++f) {
    for (std::size_t i = 0; i < rest[f].size(); ++i) b[36 + 32 * f + i] = rest[f][i];
  }
  return b;
}

TEST_F(N2kDecoderTest, ProductInformationFindsOrAddsByIdentity) {
  EXPECT_EQ(Decode(126996, ProductPayload(0xFFFF, 0xFFFF, "H5000"), 32),
            "126996    >>> PRODUCT INFORMATION:     N2K VER:  65535    PROD ID:  65535    PROD NAME:      SOFT VER:  "
            "    MODEL VER:      SERIAL:      N2K ADDRESS:  32");
  EXPECT_TRUE(D().Products.empty());

  EXPECT_EQ(
      Decode(126996, ProductPayload(2100, 0xFFFF, "  Depth unit  "), 32),
      "126996    >>> PRODUCT INFORMATION:     N2K VER:  2100    PROD ID:  65535    PROD NAME:  Depth unit    SOFT "
      "VER:  1.2.3    MODEL VER:  A    SERIAL:  SN42    N2K ADDRESS:  32");
  ASSERT_EQ(D().Products.size(), 1u);
  const tNMEAProd& p = D().Products[0];
  EXPECT_EQ(p.SourceId, 32u);
  EXPECT_EQ(p.Protocol, kStreamBinary);
  EXPECT_EQ(p.DatabaseVersion, 2100);
  EXPECT_EQ(p.ProductCode, 0u);
  EXPECT_EQ(p.ModelId, "Depth unit");
  EXPECT_EQ(p.Tick, 1000u);

  // Same identity, another database version: replaced in place.
  Decode(126996, ProductPayload(2101, 0xFFFF, "Depth unit"), 32);
  ASSERT_EQ(D().Products.size(), 1u);
  EXPECT_EQ(D().Products[0].DatabaseVersion, 2101);
  Decode(126996, ProductPayload(2101, 1234, "Depth unit"), 32);
  EXPECT_EQ(D().Products.size(), 2u);

  Bytes shortPayload = ProductPayload(2100, 5, "X");
  shortPayload.resize(132);
  EXPECT_EQ(Decode(126996, shortPayload), "");
}

// 22 August 2020 (18496 days after 1970) at 13:52:39.6.
Bytes SystemTime(std::uint16_t date, std::uint32_t time) {
  return {0,
          0xF0,
          static_cast<std::uint8_t>(date),
          static_cast<std::uint8_t>(date >> 8),
          static_cast<std::uint8_t>(time),
          static_cast<std::uint8_t>(time >> 8),
          static_cast<std::uint8_t>(time >> 16),
          static_cast<std::uint8_t>(time >> 24)};
}

TEST_F(N2kDecoderTest, SystemTimeStoresUtcAndPacesTheClockOffset) {
  now_ = 20000;
  EXPECT_EQ(Decode(126992, SystemTime(18496, 499596000)),
            "126992    >>> SYSTEM TIME:     UTC  22/08/2020 13:52:39   SOURCE  GPS");
  EXPECT_EQ(D().UtcHour, 13);
  EXPECT_EQ(D().UtcMinute, 52);
  EXPECT_EQ(D().UtcSecond, 39);
  EXPECT_EQ(D().UtcMillisecond, 600);
  EXPECT_EQ(D().UtcDay, 22);
  EXPECT_EQ(D().UtcMonth, 8);
  EXPECT_EQ(D().UtcYear, 2020);
  EXPECT_EQ(D().UtcTimeTick, 20000u);
  EXPECT_EQ(D().UtcDateTick, 20000u);
  EXPECT_EQ(D().ClockOffsetTick, 20000u);
  const double expected = link_.NowUtc() - (18496 + 25569 + 49959.6 / 86400);
  EXPECT_NEAR(D().ClockOffset, expected, 1e-3);

  // Within 15,000 ms of the last computation the offset reads 0.
  now_ = 34999;
  Decode(126992, SystemTime(18496, 7400200));
  EXPECT_EQ(D().UtcMillisecond, 20);
  EXPECT_EQ(D().ClockOffset, 0.0);
  EXPECT_EQ(D().ClockOffsetTick, 20000u);
  now_ = 35000;
  Decode(129033, {0x40, 0x48, 0x70, 0x11, 0x01, 0x00, 0x3C, 0x00});
  EXPECT_EQ(D().UtcSecond, 7);
  EXPECT_EQ(D().UtcMillisecond, 0);
  EXPECT_EQ(D().ClockOffsetTick, 35000u);
  EXPECT_NE(D().ClockOffset, 0.0);

  // The interval holds across the wrap of the tick counter.
  D().ClockOffsetTick = 0xFFFFF000u;
  now_ = 0x00003000u;
  Decode(126992, SystemTime(18496, 1000));
  EXPECT_EQ(D().ClockOffsetTick, 0x00003000u);
  EXPECT_NE(D().ClockOffset, 0.0);
}

TEST_F(N2kDecoderTest, MissingDateKeepsTheStoredDate) {
  now_ = 50000;
  Decode(126992, SystemTime(18496, 499596000));
  now_ = 90000;
  EXPECT_EQ(Decode(126992, SystemTime(0xFFFF, 360000000)).substr(0, 38), "126992    >>> SYSTEM TIME:     UTC  06");
  EXPECT_EQ(D().UtcHour, 10);
  EXPECT_EQ(D().UtcTimeTick, 90000u);
  EXPECT_EQ(D().UtcYear, 2020);
  EXPECT_EQ(D().UtcDateTick, 50000u);
  EXPECT_EQ(D().ClockOffsetTick, 50000u);

  EXPECT_EQ(Decode(129033, {0x40, 0x48, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
            "129033    >>> TIME AND DATE:     UTC  [MISSING]   OFFSET  [MISSING]");
  EXPECT_EQ(D().UtcTimeTick, 90000u);
}

Bytes Le(std::uint64_t v, int n) {
  Bytes b;
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  return b;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST_F(N2kDecoderTest, PositionNeedsBothCoordinates) {
  EXPECT_EQ(Decode(129025, {0xC9, 0xDE, 0xB1, 0x1F, 0x52, 0x2D, 0x3D, 0x03}),
            "129025    >>> POSITION:  LAT  53.175060    LON   5.434095");
  EXPECT_NEAR(D().Latitude, 53.1750601, 1e-9);
  EXPECT_EQ(D().PositionTick, 1000u);
  now_ = 2000;
  EXPECT_EQ(Decode(129025, {0xC9, 0xDE, 0xB1, 0x1F, 0xFF, 0xFF, 0xFF, 0x7F}),
            "129025    >>> POSITION:  LAT  53.175060    LON   [MISSING]");
  EXPECT_EQ(D().PositionTick, 1000u);

  // A magnetic course is shown, not stored.
  EXPECT_EQ(Decode(129026, {0, 0xFD, 0x59, 0x42, 0, 0, 0xFF, 0xFF}),
            "129026    >>> COG AND SOG:     COG   97.32" + kDeg + "M    SOG   0.00 kn");
  EXPECT_EQ(D().COGTick, 0u);
  EXPECT_EQ(D().SOGTick, 2000u);
  Decode(129026, {0, 0xFC, 0x59, 0x42, 0, 0, 0xFF, 0xFF});
  EXPECT_NEAR(D().COG, 97.32, 0.01);
}

Bytes GnssPosition(std::int64_t lat, std::int64_t lon, std::int64_t alt, std::uint8_t typeMethod, std::uint8_t sats) {
  return Cat({{0},
              Le(18496, 2),
              Le(499596000, 4),
              Le(lat, 8),
              Le(lon, 8),
              Le(alt, 8),
              {typeMethod, 0xFC, sats},
              Le(60, 2),
              Le(90, 2),
              Le(4660, 4),
              {0}});
}

TEST_F(N2kDecoderTest, GnssPositionKeepsReceiverStateOnlyWithAFix) {
  EXPECT_EQ(Decode(129029, GnssPosition(531750240000000000, 54341280000000000, 130000, 0x24, 9)),
            "129029    >>> GNSS POSITION:    UTC  22/08/2020 13:52:39   LAT  53.175024   LON  5.434128   ALT  0.13 m"
            "   DEV TYPE 4   DEV MODE 2   SAT 9   HDOP 0.60   PDOP 0.90   GEOSEP 46.60");
  EXPECT_EQ(D().GPS.GnssType, 4);
  EXPECT_EQ(D().GPS.FixQuality, 2);
  EXPECT_EQ(D().GPS.SatsInUse, 9);
  EXPECT_DOUBLE_EQ(D().GeoidSeparation, 46.6);
  EXPECT_EQ(D().UtcTimeTick, 0u);  // shown only

  // Without a position only the altitude is kept; the line shows the held
  // receiver state.
  now_ = 2000;
  const std::int64_t missing = 0x7FFFFFFFFFFFFFFF;
  EXPECT_EQ(Decode(129029, GnssPosition(missing, 0, 2500000, 0xF1, 3)),
            "129029    >>> GNSS POSITION:    UTC  22/08/2020 13:52:39   LAT  [MISSING]   LON  0.000000   ALT  2.50 m"
            "   DEV TYPE 4   DEV MODE 2   SAT 9   HDOP 0.60   PDOP 0.90   GEOSEP 46.60");
  EXPECT_EQ(D().AltitudeTick, 2000u);
  EXPECT_EQ(D().PositionTick, 1000u);
  EXPECT_NE(Decode(129029, GnssPosition(0, 0, missing, 0x24, 3)).find("ALT  [MISSING]"), std::string::npos);

  // GNSS type 15 is kept, method 14 is not.
  Decode(129029, GnssPosition(1, 1, 0, 0xEF, 0xFD));
  EXPECT_EQ(D().GPS.GnssType, 15);
  EXPECT_EQ(D().GPS.FixQuality, 2);
  EXPECT_EQ(D().GPS.SatsInUse, 3);
  Decode(129029, GnssPosition(1, 1, 0, 0xD0, 0));
  EXPECT_EQ(D().GPS.FixQuality, 13);
}

Bytes Satellites(std::uint8_t n, std::size_t entries) {
  Bytes b = {0, 0, n};
  for (std::size_t i = 0; i < entries; ++i) {
    const Bytes e = Cat({{static_cast<std::uint8_t>(i + 1)}, Le(9948, 2), Le(22689, 2), Le(4700, 2), Le(0, 4), {0xF2}});
    b.insert(b.end(), e.begin(), e.end());
  }
  return b;
}

TEST_F(N2kDecoderTest, SatellitesInViewReplaceTheListOnlyWhenComplete) {
  EXPECT_EQ(Decode(129540, Satellites(2, 2)),
            "129540    >>> SATS IN VIEW: 2   INFO:  ID 1 ELEV 57.00 AZIM 130.00 SNR 47.00 dB   STATUS 2;  ID 2 ELEV "
            "57.00 AZIM 130.00 SNR 47.00 dB   STATUS 2; ");
  ASSERT_EQ(D().GPS.Satellites.Sats.size(), 2u);
  EXPECT_EQ(D().GPS.SatsInUse, 2);
  EXPECT_EQ(D().GPS.SatellitesTick, 1000u);

  now_ = 2000;
  Bytes partial = Satellites(4, 3);
  partial.resize(40);
  EXPECT_EQ(Decode(129540, partial).substr(0, 45), "129540    >>> SATS IN VIEW: 4   INFO:  ID 1 E");
  EXPECT_EQ(D().GPS.SatsInUse, 4);
  EXPECT_EQ(D().GPS.Satellites.Sats.size(), 2u);
  EXPECT_EQ(D().GPS.SatellitesTick, 1000u);

  Bytes invalid = Satellites(1, 1);
  invalid.at(4) = 0xFF;
  invalid.at(5) = 0x7F;
  Decode(129540, invalid);
  ASSERT_EQ(D().GPS.Satellites.Sats.size(), 1u);
  EXPECT_EQ(D().GPS.Satellites.Sats[0].Elevation, 0.0f);

  EXPECT_EQ(Decode(129540, {0, 0, 0xFF}), "129540    >>> SATS IN VIEW: [MISSING]   INFO: ");
  EXPECT_EQ(Decode(129540, {0, 0, 0}), "129540    >>> SATS IN VIEW: 0   INFO: ");
  EXPECT_TRUE(D().GPS.Satellites.Sats.empty());
}

TEST_F(N2kDecoderTest, DatumAndDops) {
  Bytes datum(20, 0);
  datum[0] = 'W';
  datum[1] = '8';
  datum[2] = '4';
  EXPECT_EQ(Decode(129044, datum), "129044    >>> DATUM:  W84");
  EXPECT_EQ(D().GPS.Datum.Str, "W84");
  EXPECT_EQ(D().GPS.Datum.Tick, 1000u);
  now_ = 2000;
  std::fill(datum.begin(), datum.begin() + 4, 0xFF);
  EXPECT_EQ(Decode(129044, datum), "129044    >>> DATUM:  ");
  EXPECT_EQ(D().GPS.Datum.Tick, 1000u);

  EXPECT_EQ(Decode(129539, {0xD4, 0xD7, 0x3C, 0x00, 0x50, 0x00, 0xFF, 0x7F}),
            "129539    >>> GNSS DOPS:    HDOP 0.60   VDOP 0.80   TDOP [MISSING]");
  // A missing HDOP shows the value held.
  EXPECT_EQ(Decode(129539, {0, 0, 0xFF, 0x7F, 0x5A, 0x00, 0x01, 0x00}),
            "129539    >>> GNSS DOPS:    HDOP 0.60   VDOP 0.90   TDOP 0.01");
  EXPECT_EQ(D().GPS.HDOPTick, 2000u);
}

TEST_F(N2kDecoderTest, WindByReference) {
  // 47124 is 270.0006 degrees.
  EXPECT_EQ(Decode(130306, {0, 0xF4, 0x01, 0x14, 0xB8, 0xFA, 0xFF, 0xFF}),
            "130306    >>> WIND:  APPARENT WIND   SPEED   9.7 kn    DIRECTION  -90.00 AWA " + kDeg);
  EXPECT_NEAR(D().ApparentWindAngle, -89.9994, 1e-4);
  EXPECT_NEAR(D().ApparentWindSpeed, 9.719, 1e-3);
  EXPECT_EQ(Decode(130306, {0, 0xF4, 0x01, 0x14, 0xB8, 0xF8, 0xFF, 0xFF}),
            "130306    >>> WIND:  TRUE WIND   SPEED   9.7 kn    DIRECTION  270.00 TWD " + kDeg + "T");
  EXPECT_NEAR(D().TrueWindDirection, 270.0006, 1e-4);
  Decode(130306, {0, 0xFF, 0xFF, 0x14, 0xB8, 0x04, 0xFF, 0xFF});
  EXPECT_NEAR(D().TrueWindAngle, -89.9994, 1e-4);

  now_ = 2000;
  EXPECT_EQ(Decode(130306, {0, 0xF4, 0x01, 0x14, 0xB8, 0x05, 0xFF, 0xFF}),
            "130306    >>> WIND:     SPEED   9.7 kn    DIRECTION  270.00 Invalid");
  EXPECT_EQ(D().LastUpdateTick, 1000u);
  EXPECT_EQ(Decode(130306, {0, 0xF4, 0x01, 0xFF, 0xFF, 0x02, 0xFF, 0xFF}),
            "130306    >>> WIND:  APPARENT WIND   SPEED   9.7 kn    DIRECTION  [MISSING]");
}

TEST_F(N2kDecoderTest, EnvironmentBySource) {
  EXPECT_EQ(Decode(130311, {0, 0xC0, 0x83, 0x72, 0xFF, 0x7F, 0xFF, 0xFF}),
            "130311    >>> TEMP:  20.0" + kDeg + "C Sea   HUMIDITY   [MISSING]    PESSURE  [MISSING]");
  EXPECT_NEAR(D().WaterTemperature, 20.0, 1e-9);
  EXPECT_EQ(Decode(130311, {0, 0x03, 0x83, 0x72, 0x10, 0x27, 0xFE, 0x03}),
            "130311    >>> TEMP:  20.0" + kDeg + "C    HUMIDITY   40.00%    PESSURE  1022.0 mb");
  EXPECT_NEAR(D().EngineRoomTemperature, 20.0, 1e-9);
  EXPECT_NEAR(D().RelativeHumidity, 40.0, 1e-9);
  EXPECT_EQ(D().BarometricPressure, 1022.0);
  EXPECT_EQ(Decode(130311, {0, 0x01, 0xB1, 0x6A, 0xFF, 0x7F, 0xFF, 0xFF}).substr(0, 26),
            "130311    >>> TEMP:  0.0" + kDeg + "C");

  // A source above 4 is shown but not stored; nothing valid stores nothing.
  now_ = 2000;
  Decode(130311, {0, 0x05, 0x83, 0x72, 0xFF, 0x7F, 0xFF, 0xFF});
  EXPECT_EQ(D().LastUpdateTick, 2000u);
  EXPECT_EQ(D().WaterTemperatureTick, 1000u);
  now_ = 3000;
  EXPECT_EQ(Decode(130311, {0, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF}),
            "130311    >>> TEMP:  [MISSING]   HUMIDITY   [MISSING]    PESSURE  [MISSING]");
  EXPECT_EQ(D().LastUpdateTick, 2000u);
}

}  // namespace
}  // namespace nmea
