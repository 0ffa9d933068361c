#include <string>

#include "tests/nmea/sentence_fixture.h"

namespace nmea {
namespace {

using Position = testing::SentenceTest;

TEST_F(Position, GgaStoresTheFixOnlyForGpsAndDifferentialQualities) {
  Parse(1000, "$GPGGA,123519,4807.038,N,01131.000,W,1,08,0.9,545.4,M,46.9,M,,*47");
  EXPECT_NEAR(data.Latitude, 48.1173, 1e-9);
  EXPECT_NEAR(data.Longitude, -11.516666667, 1e-9);
  EXPECT_EQ(data.PositionTick, 1000u);
  EXPECT_DOUBLE_EQ(data.GeoidSeparation, 46.9);
  EXPECT_EQ(data.GPS.FixQuality, 1);
  EXPECT_EQ(data.GPS.NoFix, 0);
  EXPECT_EQ(data.GPS.SatsInUse, 8);
  EXPECT_DOUBLE_EQ(data.GPS.HDOP, 0.9);
  EXPECT_DOUBLE_EQ(data.Altitude, 545.4);
  EXPECT_EQ(data.UtcHour, 12);
  EXPECT_EQ(data.UtcSecond, 19);
  EXPECT_EQ(data.UtcTimeTick, 1000u);
  EXPECT_EQ(link.QuantityTicks[qtPosition], 1000u);
  EXPECT_EQ(link.QuantityTicks[qtAltitude], 1000u);

  // RTK and estimated qualities count as no fix here: only the quality,
  // satellites, dilution and separation are stored.
  Parse(2000, "$GPGGA,123520.00,4808.000,S,01131.000,E,4,12,0.6,600.0,M,47.0,M,1.0,0000");
  EXPECT_EQ(data.GPS.FixQuality, 4);
  EXPECT_EQ(data.GPS.FixQualityTick, 2000u);
  EXPECT_EQ(data.GPS.NoFix, 1);
  EXPECT_EQ(data.PositionTick, 1000u);
  EXPECT_EQ(data.UtcTimeTick, 1000u);
  EXPECT_EQ(data.AltitudeTick, 1000u);
  EXPECT_EQ(data.GPS.SatsInUse, 12);
  EXPECT_DOUBLE_EQ(data.GeoidSeparation, 47.0);

  // A fix without latitude stores its time but not a half position.
  Parse(3000, "$GPGGA,123521,,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,");
  EXPECT_EQ(data.GPS.NoFix, 0);
  EXPECT_EQ(data.UtcTimeTick, 3000u);
  EXPECT_EQ(data.PositionTick, 1000u);

  Parse(4000, "$GPGGA,123522,4807.038,N,01131.000,E,,08");
  EXPECT_EQ(data.GPS.FixQuality, kFixUnknown);
  EXPECT_EQ(data.GPS.NoFix, 1);
}

TEST_F(Position, GllStoresWithStatusValidAndMapsTheMode) {
  Parse(1000, "$GPGLL,4916.45,N,12311.12,W,225444,A,*1D");
  EXPECT_NEAR(data.Latitude, 49.274166667, 1e-9);
  EXPECT_NEAR(data.Longitude, -123.185333333, 1e-9);
  EXPECT_EQ(data.UtcHour, 22);
  EXPECT_EQ(data.GPS.FixQuality, kFixUnknown);
  EXPECT_EQ(data.GPS.FixQualityTick, 1000u);

  Parse(2000, "$GPGLL,4917.00,N,12311.12,W,225445,V,N");
  EXPECT_EQ(data.GPS.NoFix, 1);
  EXPECT_EQ(data.PositionTick, 1000u);
  EXPECT_EQ(data.UtcTimeTick, 1000u);
  EXPECT_EQ(data.GPS.FixQuality, kFixInvalid);

  Parse(3000, "$ECGLL,5119.881,N,00125.169,E,164326,A,D*52");
  EXPECT_NEAR(data.Latitude, 51.33135, 1e-9);
  EXPECT_EQ(data.GPS.FixQuality, kFixDifferential);
  // Storing a position block clears the separation that only GGA sends.
  EXPECT_EQ(data.GeoidSeparation, 0.0);
}

TEST_F(Position, GllCountsAsAFixOnlyWithStatusValid) {
  Parse(1000, "$GPGLL,4916.45,N,12311.12,W,225444,A,A");
  ASSERT_EQ(data.PositionTick, 1000u);
  // A receiver without a fix may say so with a letter other than V.
  Parse(2000, "$GPGLL,4917.00,N,12312.00,W,225445,N,N");
  EXPECT_EQ(data.GPS.NoFix, 1);
  EXPECT_EQ(data.PositionTick, 1000u);
  EXPECT_EQ(data.UtcTimeTick, 1000u);
  // An empty status gives no position, even after a fix.
  Parse(3000, "$GPGLL,4916.45,N,12311.12,W,225446,A,A");
  Parse(4000, "$GPGLL,4918.00,N,12313.00,W,225447,,A");
  EXPECT_EQ(data.GPS.NoFix, 0);
  EXPECT_EQ(data.PositionTick, 3000u);
  EXPECT_NEAR(data.Latitude, 49.274166667, 1e-9);
}

TEST_F(Position, RmcStoresPositionOnlyWithValidStatusButAlwaysTheMotion) {
  link.PcYear = 2024;
  Parse(1000, "$GNRMC,083559.50,A,4717.11437,N,00833.91522,E,5.20,77.52,150624,,,D*76");
  EXPECT_NEAR(data.Latitude, 47.285239500, 1e-9);
  EXPECT_NEAR(data.Longitude, 8.565253667, 1e-9);
  EXPECT_EQ(data.UtcMillisecond, 500);
  EXPECT_EQ(data.UtcDay, 15);
  EXPECT_EQ(data.UtcMonth, 6);
  EXPECT_EQ(data.UtcYear, 2024);
  EXPECT_DOUBLE_EQ(data.SOG, 5.2);
  EXPECT_DOUBLE_EQ(data.COG, 77.52);
  EXPECT_EQ(data.GPS.FixQuality, kFixDifferential);
  EXPECT_EQ(data.GPS.LastFixSentenceTick, 1000u);

  Parse(2000, "$GNRMC,083600.00,V,4718.00000,N,00833.91522,E,0.00,,150624,,,N*4F");
  EXPECT_EQ(data.GPS.NoFix, 1);
  EXPECT_EQ(data.PositionTick, 1000u);
  EXPECT_EQ(data.UtcTimeTick, 1000u);
  EXPECT_DOUBLE_EQ(data.SOG, 0.0);
  EXPECT_EQ(data.SOGTick, 2000u);
  EXPECT_EQ(data.COGTick, 1000u);
  EXPECT_EQ(data.GPS.FixQuality, kFixInvalid);

  // A receiver that sends only RMC refreshes its date and time every second:
  // RMC gives way to a fresh ZDA date, not to its own.
  Parse(3000, "$GPRMC,083601,A,4717.11437,N,00833.91522,E,5.2,77.5,150624,,");
  Parse(4000, "$GPRMC,083602,A,4717.11437,N,00833.91522,E,5.2,77.5,150624,,");
  EXPECT_EQ(data.UtcSecond, 2);
  EXPECT_EQ(data.UtcTimeTick, 4000u);
  Parse(5000, "$GPZDA,083603,15,06,2024,00,00");
  Parse(6000, "$GPRMC,083604,A,4717.11437,N,00833.91522,E,5.2,77.5,150624,,");
  EXPECT_EQ(data.UtcSecond, 3);
  EXPECT_EQ(data.UtcTimeTick, 5000u);
  // Across the wrap of the tick counter a ZDA date of long ago is stale.
  data.ZdaDateTick = 0xFFFFF000u;
  Parse(0x2000, "$GPRMC,083605,A,4717.11437,N,00833.91522,E,5.2,77.5,150624,,");
  EXPECT_EQ(data.UtcSecond, 5);
  // So is one heard more than 2^31 ms (24.8 days) ago.
  data.ZdaDateTick = 0x10000000u;
  Parse(0x90001000u, "$GPRMC,083606,A,4717.11437,N,00833.91522,E,5.2,77.5,150624,,");
  EXPECT_EQ(data.UtcSecond, 6);
  EXPECT_EQ(data.UtcDateTick, 0x90001000u);

  // Two-digit years belong to the computer's century.
  Parse(0x3000, "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
  EXPECT_EQ(data.UtcYear, 2094);
  link.PcYear = 2095;
  Parse(0x4000, "$GPRMC,123520,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
  EXPECT_EQ(data.UtcSecond, 19);
}

TEST_F(Position, VtgAndGsa) {
  Parse(1000, "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48");
  EXPECT_DOUBLE_EQ(data.COG, 54.7);
  EXPECT_DOUBLE_EQ(data.SOG, 5.5);
  EXPECT_EQ(link.QuantityTicks[qtSpeedOverGround], 1000u);

  Parse(2000, "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39");
  EXPECT_EQ(data.GPS.FixType, 3);
  EXPECT_EQ(data.GPS.NoFix, 0);
  EXPECT_DOUBLE_EQ(data.GPS.HDOP, 1.3);
  EXPECT_DOUBLE_EQ(data.GPS.VDOP, 2.1);
  data.GPS.FixQuality = kFixGps;
  Parse(3000, "$GNGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99,1");
  EXPECT_EQ(data.GPS.NoFix, 1);
  EXPECT_EQ(data.GPS.FixQuality, kFixInvalid);
  EXPECT_DOUBLE_EQ(data.GPS.VDOP, 99.99);
}

TEST_F(Position, GsvFillsFourSlotsPerMessage) {
  const auto& sats = data.GPS.Satellites.Sats;
  Parse(1000, "$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75");
  ASSERT_EQ(sats.size(), 8u);
  EXPECT_EQ(sats[2].PRN, 12);
  EXPECT_FLOAT_EQ(sats[2].Elevation, 7);
  EXPECT_FLOAT_EQ(sats[2].Azimuth, 344);
  EXPECT_FLOAT_EQ(sats[2].SNR, 39);
  EXPECT_EQ(sats[2].Status, 2);
  EXPECT_EQ(data.GPS.SatellitesTick, 1000u);
  Parse(2000, "$GPGSV,2,2,08,15,10,140,,19,55,270,38,24,30,050,42,32,05,010,*74");
  EXPECT_EQ(sats[4].PRN, 15);
  EXPECT_EQ(sats[4].Status, 0);
  EXPECT_EQ(sats[7].PRN, 32);
  EXPECT_EQ(sats[7].SNR, 0);

  // Out-of-range message numbers and counts store nothing outside the array.
  // A message number no set reaches names no slot, however large: 2^62 + 1
  // would wrap round to the first four.
  for (const char* outside : {"$GPGSV,2,3,08,33,10,140,20", "$GPGSV,2,,08,33,10,140,20", "$GPGSV,2,0,08,33,1,1,1",
                              "$GPGSV,2,4611686018427387905,08,33,10,140,20"}) {
    Parse(3000, outside);
    ASSERT_EQ(sats.size(), 8u) << outside;
    EXPECT_EQ(sats[0].PRN, 1) << outside;
  }
  // A message count beyond one digit is not believed: it would size the
  // array to billions of entries.
  Parse(4000, "$GPGSV,999999999,1,08,01,40,083,46");
  EXPECT_EQ(sats.size(), 8u);
  EXPECT_EQ(data.GPS.SatellitesTick, 3000u);
  Parse(3000, "$GPGSV,,1,08,01,40,083,46");
  EXPECT_TRUE(sats.empty());
}

TEST_F(Position, GsvDropsSatellitesNoLongerInView) {
  const auto& sats = data.GPS.Satellites.Sats;
  Parse(1000, "$GPGSV,3,1,10,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
  Parse(1000, "$GPGSV,3,2,10,15,10,140,30,19,55,270,38,24,30,050,42,25,05,010,20");
  Parse(1000, "$GPGSV,3,3,10,26,10,140,30,27,55,270,38");
  ASSERT_EQ(sats.size(), 12u);
  EXPECT_EQ(sats[9].PRN, 27);
  EXPECT_EQ(sats[10].PRN, 0);
  Parse(2000, "$GPGSV,3,3,09,26,10,140,30");
  EXPECT_EQ(sats[8].PRN, 26);
  EXPECT_EQ(sats[9].PRN, 0);
  EXPECT_EQ(sats[9].SNR, 0);

  // The signal id of newer receivers is no satellite.
  Parse(3000, "$GPGSV,1,1,01,32,45,123,40,1*51");
  ASSERT_EQ(sats.size(), 4u);
  EXPECT_EQ(sats[0].PRN, 32);
  EXPECT_EQ(sats[1].PRN, 0);
}

TEST_F(Position, GsvSetStartingAgainForgetsTheSatellitesOfTheLastSet) {
  const auto& sats = data.GPS.Satellites.Sats;
  Parse(1000, "$GPGSV,3,1,10,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
  Parse(1000, "$GPGSV,3,2,10,15,10,140,30,19,55,270,38,24,30,050,42,25,05,010,20");
  Parse(1000, "$GPGSV,3,3,10,26,10,140,30,27,55,270,38");
  // The next set loses its second message.
  Parse(2000, "$GPGSV,3,1,09,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
  Parse(2000, "$GPGSV,3,3,09,26,10,140,30");
  ASSERT_EQ(sats.size(), 12u);
  for (std::size_t i = 4; i < 8; ++i) EXPECT_EQ(sats[i].PRN, 0) << i;
  EXPECT_EQ(sats[8].PRN, 26);
  EXPECT_EQ(sats[9].PRN, 0);
}

// From version 4.10 on a sentence ends with the signal id after its
// satellite groups; the count in view of a receiver that lists each signal
// apart leaves room for more satellites than the set holds.
TEST_F(Position, GsvSignalIdAfterTheLastGroupIsNoSatellite) {
  const auto& sats = data.GPS.Satellites.Sats;
  Parse(1000, "$GPGSV,2,1,08,01,40,083,46,02,17,308,41,03,07,344,39,04,22,228,45,1");
  Parse(1000, "$GPGSV,2,2,08,05,10,140,30,1");
  ASSERT_EQ(sats.size(), 8u);
  for (std::size_t i = 0; i < sats.size(); ++i) EXPECT_EQ(sats[i].PRN, i < 5 ? i + 1 : 0) << i;
  EXPECT_EQ(sats[4].SNR, 30);
  EXPECT_EQ(sats[5].Status, 0);
  // A message without a satellite but with its signal id, and one whose
  // last group is cut after its number, name none either.
  Parse(2000, "$GPGSV,1,1,00,1");
  ASSERT_EQ(sats.size(), 4u);
  for (const tSatEntry& sat : sats) EXPECT_EQ(sat.PRN, 0);
  Parse(2000, "$GPGSV,1,1,02,32,45,123,40,07");
  ASSERT_EQ(sats.size(), 4u);
  EXPECT_EQ(sats[0].PRN, 32);
  EXPECT_EQ(sats[1].PRN, 0);
  // Groups cut further on still name their satellites.
  Parse(3000, "$GPGSV,1,1,02,32,45,123,40,07,10");
  EXPECT_EQ(sats[1].PRN, 7);
  EXPECT_EQ(sats[1].Elevation, 10);
  EXPECT_EQ(sats[1].Status, 0);
}

TEST_F(Position, RouteWaypointAndDatum) {
  Parse(1000, "$GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V*20");
  const trRoute& route = data.Route;
  EXPECT_DOUBLE_EQ(route.CrossTrackError, 0.66);
  EXPECT_EQ(route.OriginId, "003");
  EXPECT_EQ(route.DestinationId, "004");
  EXPECT_NEAR(route.DestinationLatitude, 49.287333333, 1e-9);
  EXPECT_NEAR(route.DestinationLongitude, -123.1595, 1e-9);
  EXPECT_DOUBLE_EQ(route.RangeToDestination, 1.3);
  EXPECT_DOUBLE_EQ(route.BearingToDestination, 52.5);
  EXPECT_DOUBLE_EQ(route.ClosingVelocity, 0.5);
  EXPECT_EQ(route.Arrived, 0);
  EXPECT_EQ(route.Tick, 1000u);
  EXPECT_EQ(data.LastUpdateTick, 0u);

  Parse(2000, "$GPRMB,A,0.10,R,003,004,4917.24,s,12309.57,e,001.3,052.5,000.5,A,D");
  EXPECT_DOUBLE_EQ(route.CrossTrackError, -0.10);
  EXPECT_LT(route.DestinationLatitude, 0);
  EXPECT_GT(route.DestinationLongitude, 0);
  EXPECT_EQ(route.Arrived, 1);
  EXPECT_EQ(route.Mode, kFixDifferential);
  Parse(3000, "$GPRMB,V,9.99,L,005,006");
  EXPECT_EQ(route.DestinationId, "004");
  EXPECT_EQ(route.Tick, 2000u);

  Parse(4000, "$GPWPL,4917.16,N,12310.64,W, 003 *65");
  EXPECT_EQ(data.Waypoint.Name, "003");
  EXPECT_NEAR(data.Waypoint.Latitude, 49.286, 1e-9);
  EXPECT_NEAR(data.Waypoint.Longitude, -123.177333333, 1e-9);
  EXPECT_EQ(data.Waypoint.Tick, 4000u);
  Parse(5000, "$GPWPL,,N,12310.64,W,004");
  EXPECT_EQ(data.Waypoint.Name, "003");

  Parse(6000, "$GPDTM,W84,,0.0,N,0.0,E,0.0,W84*6F");
  EXPECT_EQ(data.GPS.Datum.Str, "W84");
  EXPECT_EQ(data.GPS.Datum.Tick, 6000u);
}

}  // namespace
}  // namespace nmea
