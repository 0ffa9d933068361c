#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_parser.h"
#include "support/hashing.h"
#include "tests/nmea/sentence_fixture.h"

namespace nmea {
namespace {

std::uint32_t Key(std::string_view id) { return static_cast<std::uint32_t>(support::StringHashEx(id)); }

class Parser : public testing::SentenceTest {
 protected:
  Parser() { link.PortId = 3 + kPortIdBase; }
};

TEST_F(Parser, SplitsAddressesCountsThemAndHonoursTheSkipList) {
  link.CollectStatistics = true;
  Parse("$gpzda,201530,04,07,2024");
  Parse("$PARLIHS,1");
  Parse("$pmtk590,3*21");
  Parse("$GPAB");  // too short: not counted
  link.SkipKeys = {Key("ZDA")};
  SetTick(1500);
  Parse("$GNZDA,201531,04,07,2024");

  EXPECT_EQ(link.KeyName(Key("GP"), 0), "GP");
  EXPECT_EQ(link.KeyName(Key("P"), 0), "P");
  EXPECT_EQ(link.KeyName(Key("MTK590"), 1), "MTK590");
  EXPECT_EQ(link.KeyName(Key("ARLIHS"), 1), "ARLIHS");
  EXPECT_EQ(link.KeyName(35, 1), "35");
  EXPECT_EQ(link.Talkers.size(), 3u);  // GP, P and the skipped GN
  // The lower-case ZDA was stored; the skipped one was counted only.
  EXPECT_EQ(data.UtcSecond, 30);
  EXPECT_EQ(data.UtcTimeTick, 1000u);
  ASSERT_EQ(data.Extras.size(), 1u);
  EXPECT_EQ(data.Extras[0].Key, kExtraMtk590);
  EXPECT_EQ(data.Extras[0].Value, 3);
}

// Fields are cut at every comma wherever it stands, up to the last field at
// the very end of the sentence: the quadruples of an XDR come out whole
// whatever the widths of their fields.
TEST_F(Parser, FieldsAreCutAtEveryCommaWhateverTheirWidths) {
  for (std::size_t width = 0; width < 24; ++width) {
    data.Sensors.clear();
    std::string sentence = "$IIXDR";
    for (std::size_t q = 0; q < 5; ++q) {
      const std::string digits((width + q) % 7 + 1, static_cast<char>('1' + q));
      const std::string units((width * 3 + q) % 4, 'U');
      const std::string name((width + 2 * q) % 13 + 1, static_cast<char>('a' + q));
      sentence += ",C," + digits + "," + units + "," + name;
    }
    Parse(sentence);
    ASSERT_EQ(data.Sensors.size(), 5u) << sentence;
    for (std::size_t q = 0; q < 5; ++q) {
      const trSensor& sensor = data.Sensors[q];
      EXPECT_EQ(sensor.Name, "II." + std::to_string(q + 1) + "." + std::string((width + 2 * q) % 13 + 1, 'a' + q));
      EXPECT_EQ(sensor.Value, std::stod(std::string((width + q) % 7 + 1, static_cast<char>('1' + q))));
      EXPECT_EQ(sensor.Units, std::string((width * 3 + q) % 4, 'U')) << sentence;
    }
  }
}

TEST_F(Parser, ZdaStoresDateAndTimeOnlyWhenTheyAreInRange) {
  Parse("$GPZDA,201530.25,04,07,2024,00,00*63");
  EXPECT_EQ(data.UtcHour, 20);
  EXPECT_EQ(data.UtcMinute, 15);
  EXPECT_EQ(data.UtcSecond, 30);
  EXPECT_EQ(data.UtcMillisecond, 250);
  EXPECT_EQ(data.UtcDay, 4);
  EXPECT_EQ(data.UtcMonth, 7);
  EXPECT_EQ(data.UtcYear, 2024);
  EXPECT_EQ(data.UtcDateTick, 1000u);
  EXPECT_EQ(data.LastUpdateTick, 1000u);
  EXPECT_EQ(link.QuantityTicks[qtUtcTime], 1000u);

  // A time without a fraction has no milliseconds of an earlier sentence.
  SetTick(2000);
  Parse("$GPZDA,201531,04,07,2024");
  EXPECT_EQ(data.UtcMillisecond, 0);
  EXPECT_EQ(data.UtcSecond, 31);

  for (const char* rejected : {"$GPZDA,201532,04,07,2023", "$GPZDA,201532,04,07,2101", "$GPZDA,201532,04,07,202",
                               "$GPZDA,2015,04,07,2024", "$GPZDA,201532,,07,2024", "$GPZDA,201560,04,07,2024"}) {
    SetTick(3000);
    Parse(rejected);
    EXPECT_EQ(data.UtcSecond, 31) << rejected;
    EXPECT_EQ(data.UtcTimeTick, 2000u) << rejected;
  }
  // Fractions that round up to a whole second stay within it.
  Parse("$GPZDA,201533.9996,04,07,2024");
  EXPECT_EQ(data.UtcMillisecond, 999);
}

TEST_F(Parser, ClockOffsetIsComputedAtMostEvery15Seconds) {
  data.GPS.FixQuality = kFixGps;
  Parse("$GPZDA,201530,04,07,2024");
  // The computer is 1 s ahead; one second is taken off as received lag.
  EXPECT_NEAR(data.ClockOffset * 86400, 0.0, 1e-3);
  EXPECT_EQ(data.ClockOffsetTick, 1000u);

  SetTick(2000);
  Parse("$GPZDA,201531,04,07,2024");
  EXPECT_EQ(data.ClockOffset, 0.0);
  EXPECT_EQ(data.ClockOffsetTick, 1000u);

  SetTick(17000);
  data.GPS.FixQuality = kFixInvalid;
  Parse("$GPZDA,201546,04,07,2024");
  EXPECT_EQ(data.ClockOffset, 9999.0);

  // Across the wrap of the tick counter the 15 s still count from the last
  // computation.
  data.GPS.FixQuality = kFixDifferential;
  data.ClockOffsetTick = 0xFFFFF000u;
  SetTick(0x1000);
  Parse("$GPZDA,201530,04,07,2024");
  EXPECT_EQ(data.ClockOffset, 0.0);
  SetTick(0x1000 + 15000);
  Parse("$GPZDA,201530,04,07,2024");
  EXPECT_NEAR(data.ClockOffset * 86400, 0.0, 1e-3);
}

TEST_F(Parser, TimeAloneTakesTheDateWhileItIsFreshElseTodaysUtcDate) {
  const TSentenceFields none({});
  TSentenceContext ctx{link, data, 5000, "GP", "GGA", "", none};
  TTimeStage time;
  ASSERT_TRUE(ctx.ParseTime("235959.5", time));
  data.UtcYear = 2030;
  data.UtcMonth = 1;
  data.UtcDay = 2;
  data.UtcDateTick = 4000;
  ASSERT_TRUE(ctx.StoreTime(time));
  EXPECT_EQ(data.UtcYear, 2030);
  EXPECT_EQ(data.UtcHour, 23);
  EXPECT_EQ(data.UtcMillisecond, 500);

  data.UtcDateTick = 2999;  // older than 2 s
  ASSERT_TRUE(ctx.StoreTime(time));
  EXPECT_EQ(data.UtcYear, 2024);
  EXPECT_EQ(data.UtcMonth, 7);
  EXPECT_EQ(data.UtcDay, 4);
  EXPECT_EQ(data.UtcDateTick, 5000u);

  link.CheckDateAge = false;
  EXPECT_TRUE(ctx.IsDateStale(5000));
  link.CheckDateAge = true;
  EXPECT_TRUE(ctx.IsDateStale(0));
  EXPECT_FALSE(ctx.IsDateStale(5001));  // just ahead counts as fresh
  time.Minute = 60;
  EXPECT_FALSE(ctx.StoreTime(time));
}

TEST_F(Parser, IdentificationReplyFilesTheModulesProductRecord) {
  Parse("$PARLIHS,0001E240,X,1,A,B,C,0BE2,00009C5A,D,7B*3C");
  ASSERT_EQ(data.Products.size(), 1u);
  const tNMEAProd& p = data.Products[0];
  EXPECT_EQ(p.SerialNumber, "123456");
  EXPECT_EQ(p.ProductCode, 1u);
  EXPECT_EQ(p.ClassCode, 102);
  EXPECT_EQ(p.SoftwareVersion, "3042");
  EXPECT_EQ(p.Date, 40026.0);
  EXPECT_EQ(p.HardwareVersion, "123");
  EXPECT_EQ(p.ManufacturerKey, support::StringHash("ARL"));
  EXPECT_EQ(p.SourceId, 3 + kPortIdBase);
  EXPECT_EQ(p.Protocol, kStreamText);
  EXPECT_EQ(p.DatabaseVersion, 301);
  EXPECT_EQ(p.Tick, 1000u);

  // A repeat refreshes the record; an incomplete one files nothing but still
  // counts as an update.
  SetTick(2000);
  Parse("$PARLIHS,0001E240,X,1,A,B,C,0BE3,00009C5A,D,7B");
  SetTick(3000);
  Parse("$PARLIHS,1,X,2,A,B,C,1,2,D,");
  ASSERT_EQ(data.Products.size(), 1u);
  EXPECT_EQ(data.Products[0].SoftwareVersion, "3043");
  EXPECT_EQ(data.LastUpdateTick, 3000u);

  Parse("$PARLIHS,1,X,-1,A,B,C,1,2,D,1");
  Parse("$PARLIHS,1,X,2,A,B,C,1,2,D,1");
  ASSERT_EQ(data.Products.size(), 3u);
  EXPECT_EQ(data.Products[1].ClassCode, 0);
  EXPECT_EQ(data.Products[2].ClassCode, 0);
}

TEST_F(Parser, CalibrationRepliesFillTheTables) {
  Parse("$PARLARC,SPD,4,6,105*2E");
  Parse("$PARLARC,SPD,5,7,0");       // no coefficient: nothing filed
  Parse("$PARLARC,SPD,6,,120");      // no speed
  Parse("$PARLARC, spd ,-1,8,120");  // no index
  Parse("$PARLARC,spd,4,6.5,110");   // replaces point 4
  ASSERT_EQ(link.Curves.size(), 1u);
  ASSERT_EQ(link.Curves[0].Points.size(), 1u);
  EXPECT_EQ(link.Curves[0].Id, kCurveSpeed);
  EXPECT_EQ(link.Curves[0].Points[0].X, 6.5);
  EXPECT_DOUBLE_EQ(link.Curves[0].Points[0].Y, 1.1);

  SetTick(2000);
  Parse("$PARLARC,TMP,0,655.21*11");
  EXPECT_EQ(data.LastUpdateTick, 1000u);  // the short form is no update
  Parse("$PARLARC,TMP,1,650.0");
  Parse("$PARLARC,TMP,2,,-1.5*21");
  EXPECT_EQ(data.LastUpdateTick, 2000u);
  ASSERT_EQ(link.Curves.size(), 2u);
  const TNMEACurve& tmp = link.Curves[1];
  EXPECT_EQ(tmp.Id, kCurveTemperature);
  EXPECT_EQ(tmp.UpdateTick, 2000u);
  ASSERT_EQ(tmp.Points.size(), 3u);
  EXPECT_NEAR(tmp.Points[0].Y, -0.15, 1e-9);
  EXPECT_EQ(tmp.Points[0].X, 20.0);
  EXPECT_EQ(tmp.Points[1].Y, 650.0);
  EXPECT_EQ(tmp.Points[2].Y, -1.5);
}

// The application empties one table while the others stay, in their
// order; 0 empties them all.
TEST_F(Parser, TablesAreEmptiedOneIdAtATime) {
  const auto tables = [this] {
    std::vector<std::pair<int, std::size_t>> idsAndPoints;
    for (const TNMEACurve& curve : link.Curves) idsAndPoints.emplace_back(curve.Id, curve.Points.size());
    return idsAndPoints;
  };
  using Tables = std::vector<std::pair<int, std::size_t>>;
  Parse("$PARLARC,SPD,0,6,105");
  Parse("$PARLARC,TMP,0,21.5");
  Parse("$PARLARC,SPD,1,7,110");
  // Should a second table of an id be there, it goes with the first.
  link.Curves.push_back(TNMEACurve{kCurveSpeed, 1000, {{0, 8.0, 1.2}}});
  ASSERT_EQ(tables(), (Tables{{kCurveSpeed, 2}, {kCurveTemperature, 1}, {kCurveSpeed, 1}}));

  link.ClearCurves(kCurveTemperature);
  EXPECT_EQ(tables(), (Tables{{kCurveSpeed, 2}, {kCurveSpeed, 1}}));
  link.ClearCurves(kCurveTemperature);
  ASSERT_EQ(tables(), (Tables{{kCurveSpeed, 2}, {kCurveSpeed, 1}}));
  EXPECT_EQ(link.Curves[1].Points[0].X, 8.0);

  Parse("$PARLARC,TMP,0,21.5");
  link.ClearCurves(kCurveSpeed);
  EXPECT_EQ(tables(), (Tables{{kCurveTemperature, 1}}));

  Parse("$PARLARC,SPD,0,6,105");
  link.ClearCurves(0);
  EXPECT_TRUE(link.Curves.empty());
}

// Receiver-proprietary sentences as receivers send them: each value keeps
// its own tick, and an empty field keeps the value sent before.
TEST_F(Parser, ReceiverSentencesFileErrorsDatumAndSelfTest) {
  const tGPS& gps = data.GPS;
  Parse(1000, "$PGRME,1.7,M,2.4,M,3.0,M*2D");
  EXPECT_EQ(gps.Manufacturer, "GRM");
  EXPECT_DOUBLE_EQ(gps.HorizontalError, 1.7);
  EXPECT_EQ(gps.HorizontalErrorTick, 1000u);
  EXPECT_DOUBLE_EQ(gps.VerticalError, 2.4);
  EXPECT_EQ(gps.VerticalErrorTick, 1000u);
  EXPECT_EQ(data.LastUpdateTick, 1000u);

  // The maker is taken from every one, even one without an estimate.
  data.GPS.Manufacturer.clear();
  Parse(2000, "$PGRME,,M,,M,,M*00");
  EXPECT_EQ(gps.Manufacturer, "GRM");
  EXPECT_EQ(gps.HorizontalErrorTick, 1000u);
  EXPECT_EQ(gps.VerticalErrorTick, 1000u);
  EXPECT_EQ(data.LastUpdateTick, 1000u);
  Parse(3000, "$PGRME,19.9,M,,M,53.8,M");
  EXPECT_EQ(data.LastUpdateTick, 3000u);
  Parse(4000, "$PGRME,,M,50.0,M,53.8,M");
  EXPECT_DOUBLE_EQ(gps.HorizontalError, 19.9);
  EXPECT_EQ(gps.HorizontalErrorTick, 3000u);
  EXPECT_DOUBLE_EQ(gps.VerticalError, 50.0);
  EXPECT_EQ(gps.VerticalErrorTick, 4000u);
  EXPECT_EQ(data.LastUpdateTick, 4000u);

  Parse(5000, "$PGRMM,NAD83*29");
  EXPECT_EQ(gps.Datum.Str, "NAD83");
  EXPECT_EQ(gps.Datum.Tick, 5000u);
  EXPECT_EQ(data.LastUpdateTick, 5000u);
  data.GPS.Manufacturer.clear();
  Parse(6000, "$PGRMM,");
  EXPECT_EQ(gps.Manufacturer, "GRM");
  EXPECT_EQ(gps.Datum.Str, "NAD83");
  EXPECT_EQ(gps.Datum.Tick, 5000u);
  EXPECT_EQ(data.LastUpdateTick, 5000u);
  Parse(7000, "$PGRMM,WGS 84*06");
  EXPECT_EQ(gps.Datum.Str, "WGS 84");
  EXPECT_EQ(gps.Datum.Tick, 7000u);

  // The self-test report names the receiver but not its maker, and counts
  // as an update even when it is empty.
  data.GPS.Manufacturer = "ARL";
  Parse(8000, "$PGRMT,GPS 15L VER 2.05,P,P,R,R,P,,27,R");
  EXPECT_EQ(gps.ReceiverInfo, "GPS 15L VER 2.05");
  EXPECT_EQ(data.LastUpdateTick, 8000u);
  Parse(9000, "$PGRMT,,P,P");
  EXPECT_EQ(gps.ReceiverInfo, "GPS 15L VER 2.05");
  EXPECT_EQ(data.LastUpdateTick, 9000u);
  EXPECT_EQ(gps.Manufacturer, "ARL");
  EXPECT_EQ(gps.Datum.Tick, 7000u);
  EXPECT_EQ(gps.HorizontalErrorTick, 3000u);
}

TEST_F(Parser, CalibrationTablesAreBounded) {
  for (int i = 0; i < 300; ++i) Parse("$PARLARC,SPD," + std::to_string(i) + ",6,105");
  ASSERT_EQ(link.Curves.size(), 1u);
  EXPECT_EQ(link.Curves[0].Points.size(), 256u);
  // The points already there still take new values.
  SetTick(2000);
  Parse("$PARLARC,SPD,0,7,120");
  EXPECT_EQ(link.Curves[0].Points[0].X, 7.0);
  EXPECT_EQ(link.Curves[0].UpdateTick, 2000u);
}

}  // namespace
}  // namespace nmea
