#include <string>

#include "support/hashing.h"
#include "tests/nmea/sentence_fixture.h"

namespace nmea {
namespace {

using Depth = testing::SentenceTest;

TEST_F(Depth, DbtPrefersMetresAndFallsBackToPositiveFeet) {
  Parse(1000, "$SDDBT,7.8,f,2.4,M,1.3,F*0D");
  EXPECT_FLOAT_EQ(data.Depth, 2.4f);
  EXPECT_EQ(data.DepthTick, 1000u);
  EXPECT_EQ(data.LastUpdateTick, 1000u);
  EXPECT_EQ(link.QuantityTicks[qtDepth], 1000u);

  // Each field stands alone: the ignored unit does not leak into the metres.
  Parse(2000, "$SDDBT,32.8,f,,M,,F");
  EXPECT_FLOAT_EQ(data.Depth, 9.99744f);
  EXPECT_EQ(data.DepthTick, 2000u);

  for (const char* nothing : {"$SDDBT,,f,,M,,F", "$SDDBT,0.0,f,,M", "$SDDBT,10.0,f"}) {
    Parse(3000, nothing);
    EXPECT_EQ(data.DepthTick, 2000u) << nothing;
    EXPECT_EQ(data.LastUpdateTick, 2000u) << nothing;
  }
}

TEST_F(Depth, DptKeepsTheOffsetSignAndTheRangeWithoutTick) {
  Parse(1000, "$SDDPT,2.4,-0.5,100.0*7A");
  EXPECT_FLOAT_EQ(data.Depth, 2.4f);
  EXPECT_DOUBLE_EQ(data.TransducerOffset, -0.5);
  EXPECT_EQ(data.TransducerOffsetTick, 1000u);
  EXPECT_FLOAT_EQ(data.DepthRange, 100.0f);

  Parse(2000, "$INDPT,2.2");
  EXPECT_FLOAT_EQ(data.Depth, 2.2f);
  EXPECT_EQ(data.DepthTick, 2000u);
  EXPECT_DOUBLE_EQ(data.TransducerOffset, -0.5);
  EXPECT_EQ(data.TransducerOffsetTick, 1000u);
  EXPECT_FLOAT_EQ(data.DepthRange, 100.0f);
}

TEST_F(Depth, WaterSpeedHeadingAndDistances) {
  Parse(1000, "$VWVHW,,T,,M,5.50,N,10.19,K*6D");
  EXPECT_DOUBLE_EQ(data.WaterSpeed, 5.5);
  EXPECT_EQ(data.WaterSpeedTick, 1000u);
  EXPECT_EQ(data.HeadingMagneticTick, 0u);
  Parse(2000, "$SDVHW,231.3,T,229.9,M,6.6,N,12.3,K*71");
  EXPECT_DOUBLE_EQ(data.HeadingMagnetic, 229.9);
  EXPECT_DOUBLE_EQ(data.WaterSpeed, 6.6);

  // Totals alone do not count as an update; the trips do.
  Parse(3000, "$VWVLW,1234.5,N,,N");
  EXPECT_DOUBLE_EQ(data.TotalWaterDistance, 1234.5);
  EXPECT_EQ(data.TotalWaterDistanceTick, 3000u);
  EXPECT_EQ(data.LastUpdateTick, 2000u);
  Parse(4000, "$SDVLW,,N,545.6,N,1109.4,N,393.6,N*44");
  EXPECT_DOUBLE_EQ(data.TotalWaterDistance, 1234.5);
  EXPECT_DOUBLE_EQ(data.TripWaterDistance, 545.6);
  EXPECT_DOUBLE_EQ(data.TotalGroundDistance, 1109.4);
  EXPECT_DOUBLE_EQ(data.TripGroundDistance, 393.6);
  EXPECT_EQ(data.TripGroundDistanceTick, 4000u);
  EXPECT_EQ(data.LastUpdateTick, 4000u);
  EXPECT_EQ(link.QuantityTicks[qtTripDistance], 4000u);

  Parse(5000, "$IIVPW,4.5,N,2.3,M*52");
  EXPECT_DOUBLE_EQ(data.SpeedParallelToWind, 4.5);
  EXPECT_EQ(data.LastUpdateTick, 4000u);
}

TEST_F(Depth, TemperaturesInCelsiusOrFahrenheit) {
  Parse(1000, "$YXMTW,17.75,C*26");
  EXPECT_DOUBLE_EQ(data.WaterTemperature, 17.75);
  EXPECT_EQ(data.WaterTemperatureTick, 1000u);
  Parse(2000, "$YXMTW,212, f ");
  EXPECT_DOUBLE_EQ(data.WaterTemperature, 100.0);
  EXPECT_EQ(data.WaterTemperatureTick, 2000u);

  // An unknown unit stores no temperature but still counts as an update.
  Parse(3000, "$YXMTW,290,K");
  EXPECT_DOUBLE_EQ(data.WaterTemperature, 100.0);
  EXPECT_EQ(data.WaterTemperatureTick, 2000u);
  EXPECT_EQ(data.LastUpdateTick, 3000u);
  EXPECT_EQ(link.QuantityTicks[qtWaterTemperature], 3000u);
  // Without the unit field nothing happens at all.
  Parse(4000, "$YXMTW,20.5");
  EXPECT_EQ(data.LastUpdateTick, 3000u);

  Parse(5000, "$IIMTA,22.5,C*00");
  EXPECT_DOUBLE_EQ(data.AirTemperature, 22.5);
  EXPECT_EQ(link.QuantityTicks[qtAirTemperature], 5000u);
}

// An instrument that sends the unit without a value has no reading: storing
// 0 °C would feed a wrong offset into the temperature calibration.
TEST_F(Depth, AnEmptyTemperatureIsNoReading) {
  Parse(1000, "$INMTW,1.5,C");
  Parse(2000, "$SDMTW,,C*1A");
  EXPECT_DOUBLE_EQ(data.WaterTemperature, 1.5);
  EXPECT_EQ(data.WaterTemperatureTick, 1000u);
  EXPECT_EQ(data.LastUpdateTick, 2000u);

  Parse(3000, "$WIMDA,29.9103,I,1.0129,B,21.3,C,,C,45.2,,9.1,C,,T,,M,,N,,M*1A");
  EXPECT_NEAR(data.BarometricPressure, 1012.9, 1e-9);
  EXPECT_EQ(data.BarometricPressureTick, 3000u);
  EXPECT_DOUBLE_EQ(data.AirTemperature, 21.3);
  EXPECT_DOUBLE_EQ(data.WaterTemperature, 1.5);
  EXPECT_EQ(data.WaterTemperatureTick, 1000u);
  EXPECT_DOUBLE_EQ(data.RelativeHumidity, 45.2);
  EXPECT_EQ(data.AbsoluteHumidityTick, 0u);
  EXPECT_DOUBLE_EQ(data.DewPoint, 9.1);
  EXPECT_EQ(link.QuantityTicks[qtHumidity], 3000u);

  Parse(4000, "$IIMMB,29.9,I,1.013,B*78");
  EXPECT_NEAR(data.BarometricPressure, 1013.0, 1e-9);
  EXPECT_EQ(data.BarometricPressureTick, 4000u);
}

TEST_F(Depth, TransducerMeasurementsAreKeptByTalkerPositionNameAndType) {
  Parse(1000, "$IIXDR,C,19.52,C,TempAir,P,1.02481,B,Barometer*7E");
  ASSERT_EQ(data.Sensors.size(), 2u);
  EXPECT_EQ(data.Sensors[0].Name, "II.1.TempAir");
  EXPECT_EQ(data.Sensors[0].Key, support::StringHash("II.1.TempAir"));
  EXPECT_EQ(data.Sensors[0].Type, 'C');
  EXPECT_DOUBLE_EQ(data.Sensors[0].Value, 19.52);
  EXPECT_EQ(data.Sensors[0].Units, "C");
  EXPECT_EQ(data.Sensors[1].Name, "II.2.Barometer");
  EXPECT_EQ(link.QuantityTicks[qtTransducers], 1000u);

  // The same sentence updates in place; another talker, or the same name
  // with another type, adds entries.
  Parse(2000, "$IIXDR,C,20.0,C,TempAir,P,1.03,B,Barometer");
  Parse(2000, "$APXDR,C,20.0,C,TempAir");
  Parse(2000, "$IIXDR,A,3.5,D,TempAir");
  ASSERT_EQ(data.Sensors.size(), 4u);
  EXPECT_DOUBLE_EQ(data.Sensors[0].Value, 20.0);
  EXPECT_EQ(data.Sensors[0].Tick, 2000u);
  EXPECT_DOUBLE_EQ(data.Sensors[1].Value, 1.03);
  EXPECT_EQ(data.Sensors[2].Name, "AP.1.TempAir");
  EXPECT_EQ(data.Sensors[3].Name, "II.1.TempAir");
  EXPECT_EQ(data.Sensors[3].Type, 'A');
}

// An empty value is no reading: it neither reads as 0 nor takes the value of
// the quadruple before it, and the names after it keep their numbers.
TEST_F(Depth, TransducerWithoutValueStoresNothing) {
  Parse(1000, "$IIXDR,C,,C,AIRTEMP,A,-1.2,D,HEEL,P,,B,BARO,A,-3.7,D,RUDDER*28");
  ASSERT_EQ(data.Sensors.size(), 2u);
  EXPECT_EQ(data.Sensors[0].Name, "II.2.HEEL");
  EXPECT_DOUBLE_EQ(data.Sensors[0].Value, -1.2);
  EXPECT_EQ(data.Sensors[1].Name, "II.4.RUDDER");
  EXPECT_DOUBLE_EQ(data.Sensors[1].Value, -3.7);
}

TEST_F(Depth, TransducerListIsBounded) {
  for (int i = 0; i < 300; ++i) Parse("$IIXDR,C,1,C,T" + std::to_string(i));
  EXPECT_EQ(data.Sensors.size(), 256u);
  Parse(2000, "$IIXDR,C,7,C,T0");
  EXPECT_DOUBLE_EQ(data.Sensors[0].Value, 7.0);
}

}  // namespace
}  // namespace nmea
