#include "tests/nmea/sentence_fixture.h"

namespace nmea {
namespace {

using Instruments = testing::SentenceTest;

TEST_F(Instruments, HeadingsRateOfTurnAndAttitude) {
  Parse(1000, "$HCHDG,98.3,0.0,E,12.6,W*57");
  EXPECT_DOUBLE_EQ(data.HeadingMagnetic, 98.3);
  Parse(2000, "$APHDM,218.634,M*39");
  EXPECT_DOUBLE_EQ(data.HeadingMagnetic, 218.634);
  Parse(3000, "$HEHDT,274.07,T*19");
  EXPECT_DOUBLE_EQ(data.HeadingTrue, 274.07);
  EXPECT_EQ(data.HeadingMagneticTick, 2000u);
  Parse(4000, "$APROT,-0.007,A*1D");
  EXPECT_DOUBLE_EQ(data.RateOfTurn, -0.007);
  Parse(5000, "$GPHPR,123.4,-1.5,2.0*70");
  EXPECT_DOUBLE_EQ(data.HeadingMagnetic, 123.4);
  EXPECT_DOUBLE_EQ(data.Pitch, -1.5);
  EXPECT_DOUBLE_EQ(data.Roll, 2.0);
  EXPECT_EQ(link.QuantityTicks[qtPitchRoll], 5000u);
}

TEST_F(Instruments, WindAnglesFoldToPortAndSpeedsBecomeKnots) {
  Parse(1000, "$WIMWV,270,R,10,M,A");
  EXPECT_DOUBLE_EQ(data.ApparentWindAngle, -90.0);
  EXPECT_NEAR(data.ApparentWindSpeed, 19.438444924, 1e-9);
  Parse(2000, "$WIMWV,214.8,R,0.1,K,A*28");
  EXPECT_NEAR(data.ApparentWindAngle, -145.2, 1e-9);
  EXPECT_NEAR(data.ApparentWindSpeed, 0.053995680, 1e-9);
  // Only an exact "R" is relative; an empty speed reads as 0.
  Parse(3000, "$WIMWV,180,r,,S,A");
  EXPECT_DOUBLE_EQ(data.TrueWindAngle, 180.0);
  EXPECT_DOUBLE_EQ(data.TrueWindSpeed, 0.0);
  EXPECT_EQ(data.ApparentWindAngleTick, 2000u);
  Parse(4000, "$WIMWV,96.6,T,11.2,S,A");
  EXPECT_NEAR(data.TrueWindSpeed, 9.732527862, 1e-9);

  Parse(5000, "$IIVWR,45.0,L,12.5,N,6.4,M,23.1,K*62");
  EXPECT_DOUBLE_EQ(data.ApparentWindAngle, -45.0);
  EXPECT_DOUBLE_EQ(data.ApparentWindSpeed, 12.5);
  Parse(6000, "$IIVWR,,L,13.0,N");
  EXPECT_DOUBLE_EQ(data.ApparentWindAngle, -45.0);
  EXPECT_EQ(data.ApparentWindAngleTick, 5000u);
  Parse(7000, "$IIVWT,120.0,R,15.0,N,7.7,M,27.8,K*45");
  EXPECT_DOUBLE_EQ(data.TrueWindAngle, 120.0);
  EXPECT_DOUBLE_EQ(data.TrueWindSpeed, 15.0);
  Parse(8000, "$WIMWD,270.0,T,268.5,M,12.4,N,6.4,M*63");
  EXPECT_DOUBLE_EQ(data.TrueWindDirection, 270.0);
  EXPECT_DOUBLE_EQ(data.TrueWindSpeed, 12.4);
  EXPECT_EQ(link.QuantityTicks[qtWind], 8000u);

  Parse(9000, "$GPWCV,2.5,N,004,A*47");
  EXPECT_DOUBLE_EQ(data.Waypoint.ClosureVelocity, 2.5);
  EXPECT_EQ(data.Waypoint.Name, "004");
  EXPECT_EQ(data.Waypoint.Tick, 9000u);
}

TEST_F(Instruments, EnginesAndRuddersNeedValidStatus) {
  Parse(1000, "$ERRPM,E,1,2418.2,10.5,A*48");
  EXPECT_FLOAT_EQ(data.Engine[1].EngineSpeed, 2418.2f);
  EXPECT_FLOAT_EQ(data.Engine[1].Pitch, 10.5f);
  EXPECT_EQ(data.Engine[1].EngineTick, 1000u);
  Parse(2000, "$ERRPM,S,1,800,20,A");
  EXPECT_FLOAT_EQ(data.Engine[1].ShaftSpeed, 800.0f);
  EXPECT_EQ(data.Engine[1].ShaftTick, 2000u);
  EXPECT_EQ(data.Engine[1].EngineTick, 1000u);
  Parse(3000, "$ERRPM,E,3,900,0,A");
  Parse(3000, "$ERRPM,E,0,900,0,V");
  EXPECT_EQ(data.Engine[0].EngineTick, 0u);
  EXPECT_EQ(data.LastUpdateTick, 0u);

  Parse(4000, "$AGRSA,10.5,A,-5.2,A*58");
  EXPECT_FLOAT_EQ(data.StarboardRudder, 10.5f);
  EXPECT_FLOAT_EQ(data.PortRudder, -5.2f);
  Parse(5000, "$AGRSA,,A,-6.0,V");
  EXPECT_EQ(data.StarboardRudderTick, 4000u);
  EXPECT_EQ(data.PortRudderTick, 4000u);

  // Alarms and radar data are recognised; alarms only count as an update.
  Parse(6000, "$GPRSD,,,,,,,,,0.5,045.0,12.0,N,C*6A");
  EXPECT_EQ(data.LastUpdateTick, 0u);
  Parse(7000, "$IIALR,123519.00,001,A,V,BILGE ALARM*40");
  EXPECT_EQ(data.LastUpdateTick, 7000u);
  EXPECT_TRUE(link.Alarms.empty());
}

}  // namespace
}  // namespace nmea
