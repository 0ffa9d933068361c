// Every real capture through an endpoint as the reader thread delivers it:
// one sentence per chunk, checksums checked, statistics on, the tick
// advancing and the computer's clock set to the capture's own date. The
// values are checked against the other decoder's report wherever both read
// the same sentence.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "nmea/link/endpoint.h"
#include "platform/core/os/clock.h"
#include "tests/nmea/capture_helpers.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

using testing::CaptureNames;
using testing::JsonValue;
using testing::ParseJson;
using testing::ReadLines;

constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;

int Digits(std::string_view text, std::size_t at, std::size_t count) {
  int value = -1;
  if (at + count <= text.size()) std::from_chars(text.data() + at, text.data() + at + count, value);
  return value;
}

// The sentence a line gives the framer: from its last start character.
struct Sentence {
  std::string Text;
  std::string Talker;
  std::string Id;
  bool ChecksumValid = false;
};

Sentence SentenceOf(const std::string& line) {
  Sentence s;
  const std::size_t start = line.find_last_of("$!");
  if (start == std::string::npos) return s;
  s.Text = line.substr(start);
  s.Text = s.Text.substr(0, s.Text.find_first_of("\r\n"));
  const std::size_t length = s.Text.size();
  if (length <= 5) return s;
  const auto upper = [](std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return text;
  };
  if (upper(s.Text.substr(1, 1)) == "P") {
    s.Talker = "P";
    s.Id = upper(s.Text.substr(2, s.Text.find_first_of(",*", 2) - 2));
  } else {
    s.Talker = upper(s.Text.substr(1, 2));
    s.Id = upper(s.Text.substr(3, 3));
  }
  if (s.Text[length - 3] == '*') {
    const std::string sum = TNMEA2KDecoder::NmeaChecksum(s.Text, 2, static_cast<int>(length) - 3);
    s.ChecksumValid = upper(s.Text.substr(length - 2)) == sum;
  }
  return s;
}

// The other decoder's report after one input line.
struct ReportEntry {
  std::string Line;
  std::vector<JsonValue> Records;
};

std::vector<ReportEntry> ReadReport(const std::string& name) {
  std::vector<ReportEntry> report;
  for (const std::string& line : ReadLines(VELTROSA_DATA_DIR "/nmea0183/" + name + ".log.chk")) {
    if (!line.empty() && line[0] == '{') {
      if (auto json = ParseJson(line); json && !report.empty()) report.back().Records.push_back(std::move(*json));
    } else {
      report.push_back({line, {}});
    }
  }
  return report;
}

// The capture's date: the first date the other decoder reports, else the
// header's, else a fixed one.
platform::SystemTime CaptureDate(const std::vector<ReportEntry>& report, const std::vector<std::string>& log) {
  for (const ReportEntry& entry : report) {
    for (const JsonValue& record : entry.Records) {
      if (const auto time = record.TextAt("time"); time && time->size() >= 10) {
        return {Digits(*time, 0, 4), Digits(*time, 5, 2), Digits(*time, 8, 2), 12, 0, 0, 0};
      }
    }
  }
  for (const std::string& line : log) {
    if (line.rfind("# Date: ", 0) == 0 && Digits(line, 8, 4) > 1980) {
      return {Digits(line, 8, 4), std::max(1, Digits(line, 13, 2)), std::max(1, Digits(line, 16, 2)), 12, 0, 0, 0};
    }
  }
  return {2024, 1, 1, 12, 0, 0, 0};
}

// The other decoder's fix status of a fix-quality code (its 1 may be left
// out); -1 for codes it has none for.
int FixStatus(std::int32_t quality) {
  switch (quality) {
    case kFixGps:
      return 1;
    case kFixDifferential:
      return 2;
    case 4:  // RTK fixed
      return 3;
    case 5:  // RTK float
      return 4;
    case kFixEstimated:
      return 5;
    case kFixSimulated:
      return 8;
    default:
      return -1;
  }
}

// Agreements and disagreements, by quantity; a disagreement that one of our
// own decoding rules explains is counted under that rule's name instead.
struct Tally {
  std::map<std::string, int> Agreed;
  std::map<std::string, int> Required;
  std::vector<std::string> Failures;

  // Rule: the decoding rule of ours that explains a disagreement, or empty.
  void Check(const std::string& what, bool agrees, const std::string& detail, const std::string& rule = {}) {
    if (agrees) {
      ++Agreed[what];
    } else if (!rule.empty()) {
      ++Required[rule];
    } else {
      Failures.push_back(what + ": " + detail);
    }
  }
};

class Replay {
 public:
  Replay(const std::string& name, Tally& tally)
      : name_(name),
        log_(ReadLines(VELTROSA_DATA_DIR "/nmea0183/" + name + ".log")),
        report_(ReadReport(name)),
        tally_(tally),
        date_(CaptureDate(report_, log_)),
        clock_({.Tick = [this] { return tick_; },
                .LocalTime = [this] { return date_; },
                .TimeZone = [] { return platform::TimeZoneInformation{.Valid = true}; }}) {
    link_.VerifyChecksum = true;
    link_.CollectStatistics = true;
    link_.Open(1, 4800, kStreamText, true);
  }

  void Run() {
    ASSERT_TRUE(link_.IsOpen());
    std::size_t next = 0;
    for (const std::string& line : log_) {
      if (!line.empty() && line[0] == '#') continue;
      tick_ += 100;
      const std::string chunk = line + "\r\n";
      transports_.Deliver(chunk);
      const Sentence sentence = SentenceOf(line);
      if (sentence.ChecksumValid) expected_.insert(sentence.Talker + " " + sentence.Id);
      // The report leaves out a few lines it could not read; find this one
      // a little way ahead.
      for (std::size_t ahead = next; ahead < report_.size() && ahead < next + 4; ++ahead) {
        if (report_[ahead].Line != line) continue;
        for (const JsonValue& record : report_[ahead].Records) Compare(sentence, record);
        next = ahead + 1;
        break;
      }
    }
    std::set<std::string> counted;
    for (const tNMEATalkerRec& talker : link_.Talkers) {
      for (const std::uint32_t key : talker.SubKeys)
        counted.insert(link_.KeyName(talker.Key, 0) + " " + link_.KeyName(key, 1));
    }
    EXPECT_EQ(counted, expected_) << name_;
  }

  const tNMEAData& Data() const { return link_.NMEAData; }

 private:
  void Compare(const Sentence& s, const JsonValue& record) {
    const tNMEAData& d = link_.NMEAData;
    const TTick t = tick_;
    const std::string at = name_ + " " + s.Text + " ";
    const auto near = [&](const std::string& what, double ours, std::optional<double> theirs, double tolerance) {
      if (!theirs) return;
      tally_.Check(what, std::fabs(ours - *theirs) <= tolerance,
                   at + std::to_string(ours) + " vs " + std::to_string(*theirs));
    };
    const std::string kind = record.TextAt("class").value_or("");
    if (kind == "TPV") {
      if (d.PositionTick == t) {
        near("latitude", d.Latitude, record.NumberAt("lat"), 1e-6);
        near("longitude", d.Longitude, record.NumberAt("lon"), 1e-6);
      } else if (const auto lat = record.NumberAt("lat");
                 lat && (s.Id == "GGA" || s.Id == "GLL" || s.Id == "RMC") && std::fabs(*lat - d.Latitude) > 1e-6) {
        // A position the other decoder took from this sentence that we did
        // not: only GGA qualities 1 to 3 and a valid status count as a fix.
        tally_.Check("position kept", false, at + std::to_string(*lat), d.GPS.NoFix ? "invalid-fix rules" : "");
      }
      if (const auto time = record.TextAt("time"); time && d.UtcTimeTick == t) CompareTime(s, *time, at);
      if (d.AltitudeTick == t) {
        const auto msl = record.NumberAt("altMSL");
        near("altitude", d.Altitude, msl ? msl : record.NumberAt("alt"), 1e-3);
      }
      if (d.GPS.FixQualityTick == t && record.NumberAt("mode").value_or(0) >= 2) {
        const std::optional<double> status = record.NumberAt("status");
        // RMC and GLL give their own mode letter; the other decoder keeps
        // the better status of the cycle's GGA.
        tally_.Check("fix quality", FixStatus(d.GPS.FixQuality) == status.value_or(1),
                     at + std::to_string(d.GPS.FixQuality) + " vs " + std::to_string(status.value_or(1)),
                     s.Id == "GGA" ? "" : "mode letter of RMC and GLL");
      }
      if (d.SOGTick == t) near("speed over ground", d.SOG * kMetresPerSecondPerKnot, record.NumberAt("speed"), 1.1e-3);
      if (d.COGTick == t) near("course over ground", d.COG, record.NumberAt("track"), 1e-3);
    } else if (kind == "SKY") {
      if (d.GPS.HDOPTick == t) near("HDOP", d.GPS.HDOP, record.NumberAt("hdop"), 5.1e-3);
      if (d.GPS.VDOPTick == t) near("VDOP", d.GPS.VDOP, record.NumberAt("vdop"), 5.1e-3);
      if (s.Id == "GGA" && d.GPS.SatsInUseTick == t)
        near("satellites in use", d.GPS.SatsInUse, record.NumberAt("uSat"), 0);
      if (const JsonValue* sats = record.Find("satellites"); sats && d.GPS.SatellitesTick == t) {
        CompareSatellites(s, *sats, at);
      }
    }
  }

  void CompareTime(const Sentence& s, const std::string& time, const std::string& at) {
    const tNMEAData& d = link_.NMEAData;
    const int ms = time.size() > 20 ? Digits(time, 20, 3) : 0;
    tally_.Check("UTC time",
                 d.UtcHour == Digits(time, 11, 2) && d.UtcMinute == Digits(time, 14, 2) &&
                     d.UtcSecond == Digits(time, 17, 2) && d.UtcMillisecond == ms,
                 at + time);
    if ((s.Id == "RMC" || s.Id == "ZDA") && d.UtcDateTick == tick_) {
      tally_.Check(
          "UTC date",
          d.UtcYear == Digits(time, 0, 4) && d.UtcMonth == Digits(time, 5, 2) && d.UtcDay == Digits(time, 8, 2),
          at + time + " vs " + std::to_string(d.UtcYear));
    }
  }

  void CompareSatellites(const Sentence& s, const JsonValue& sats, const std::string& at) {
    // One array serves every talker's GSV and keeps the PRN as sent, in 8
    // bits; the other decoder merges the constellations and renumbers all
    // but GPS, SBAS and GLONASS.
    const std::string rule = s.Talker == "GP" || s.Talker == "GL" ? "" : "GSV across constellations";
    const auto& all = link_.NMEAData.GPS.Satellites.Sats;
    for (const tSatEntry& ours : all) {
      if (ours.PRN == 0) continue;
      // Newer receivers list a satellite once per signal; the other decoder
      // keeps one entry per satellite.
      const bool again =
          std::count_if(all.begin(), all.end(), [&](const tSatEntry& e) { return e.PRN == ours.PRN; }) > 1;
      const JsonValue* theirs = nullptr;
      for (const JsonValue& sat : sats.Items) {
        if (sat.NumberAt("PRN") == ours.PRN) theirs = &sat;
      }
      const std::string prn = at + "PRN " + std::to_string(ours.PRN);
      tally_.Check("satellite in view", theirs != nullptr, prn, rule);
      if (!theirs) continue;
      // The other decoder drops an elevation sent without its azimuth.
      const std::string position = !rule.empty()                              ? rule
                                   : again                                    ? "satellite listed per signal"
                                   : ours.Azimuth == 0 && !theirs->Find("el") ? "elevation without azimuth kept"
                                                                              : "";
      tally_.Check("satellite elevation", theirs->NumberAt("el").value_or(0) == ours.Elevation, prn, position);
      tally_.Check("satellite azimuth", theirs->NumberAt("az").value_or(0) == ours.Azimuth, prn, position);
      tally_.Check("satellite SNR", theirs->NumberAt("ss").value_or(0) == ours.SNR, prn,
                   again ? "satellite listed per signal" : rule);
    }
  }

  std::string name_;
  std::vector<std::string> log_;
  std::vector<ReportEntry> report_;
  Tally& tally_;
  platform::SystemTime date_;
  TTick tick_ = 100000;
  platform::ScopedClockOverride clock_;
  testing::TestTransports transports_;
  TNMEA2KDecoder link_;
  std::set<std::string> expected_;
};

TEST(Captures, AgreeWithTheOtherDecoderWhereBothReadTheSameSentence) {
  Tally tally;
  for (const std::string& name : CaptureNames()) {
    SCOPED_TRACE(name);
    Replay(name, tally).Run();
  }
  for (const auto& [what, count] : tally.Agreed) std::cout << "agreed " << what << ": " << count << "\n";
  for (const auto& [what, count] : tally.Required)
    std::cout << "differs as required, " << what << ": " << count << "\n";
  EXPECT_TRUE(tally.Failures.empty()) << tally.Failures.size() << " disagreements";
  for (std::size_t i = 0; i < tally.Failures.size() && i < 50; ++i) std::cout << tally.Failures[i] << "\n";
  // Every quantity was compared somewhere.
  for (const char* what :
       {"latitude", "longitude", "UTC time", "UTC date", "altitude", "speed over ground", "course over ground",
        "fix quality", "HDOP", "VDOP", "satellites in use", "satellite in view", "satellite SNR"}) {
    EXPECT_GT(tally.Agreed[what], 100) << what;
  }
}

// Hand-checked values of the instrument captures, after the whole capture.
TEST(Captures, InstrumentValuesMatchTheLastSentences) {
  Tally tally;
  {
    Replay sounder("sounder", tally);
    sounder.Run();
    EXPECT_FLOAT_EQ(sounder.Data().Depth, 2.3f);  // $SDDBT,7.6,f,2.3,M
  }
  {
    Replay humminbird("humminbird-M37", tally);
    humminbird.Run();
    const tNMEAData& d = humminbird.Data();
    EXPECT_FLOAT_EQ(d.Depth, 2.3f);  // $INDPT,2.3,0.0
    EXPECT_DOUBLE_EQ(d.TransducerOffset, 0.0);
    EXPECT_DOUBLE_EQ(d.WaterTemperature, 18.0);  // $INMTW,18.0,C
    EXPECT_NE(d.WaterTemperatureTick, 0u);
  }
  {
    Replay zeus("bundg_zeus_9", tally);
    zeus.Run();
    const tNMEAData& d = zeus.Data();
    // $SDDBT,20.0,f,6.1,M then $SDDPT,6.0,0.4: DPT comes last.
    EXPECT_FLOAT_EQ(d.Depth, 6.0f);
    EXPECT_DOUBLE_EQ(d.TransducerOffset, 0.4);
    // Every $SDMTW,,C has an empty value: no temperature at all.
    EXPECT_EQ(d.WaterTemperatureTick, 0u);
    // $SDVLW,,N,545.9,N,1109.7,N,393.9,N: no total water distance.
    EXPECT_EQ(d.TotalWaterDistanceTick, 0u);
    EXPECT_DOUBLE_EQ(d.TripWaterDistance, 545.9);
    EXPECT_DOUBLE_EQ(d.TotalGroundDistance, 1109.7);
    EXPECT_DOUBLE_EQ(d.TripGroundDistance, 393.9);
    EXPECT_DOUBLE_EQ(d.WaterSpeed, 6.2);  // $SDVHW,235.6,T,234.2,M,6.2,N
    // $IIXDR,C,,C,AIRTEMP,A,-1.2,D,HEEL,A,5.3,D,TRIM,P,,B,BARO,A,-3.7,D,RUDDER
    std::map<std::string, double> sensors;
    for (const trSensor& sensor : d.Sensors) sensors[sensor.Name] = sensor.Value;
    EXPECT_EQ(sensors, (std::map<std::string, double>{{"II.2.HEEL", -1.2}, {"II.3.TRIM", 5.3}, {"II.5.RUDDER", -3.7}}));
  }
  {
    Replay garmin("garmin38", tally);
    garmin.Run();
    const tGPS& gps = garmin.Data().GPS;
    EXPECT_EQ(gps.Manufacturer, "GRM");
    EXPECT_EQ(gps.Datum.Str, "NAD83");            // $PGRMM,NAD83
    EXPECT_DOUBLE_EQ(gps.HorizontalError, 19.2);  // $PGRME,19.2,M,28.9,M,34.7,M
    EXPECT_DOUBLE_EQ(gps.VerticalError, 28.9);
    EXPECT_NE(gps.VerticalErrorTick, 0u);
  }
  {
    Replay pypilot("pypilot", tally);
    pypilot.Run();
    const tNMEAData& d = pypilot.Data();
    EXPECT_DOUBLE_EQ(d.HeadingMagnetic, 218.652);  // $APHDM,218.652,M
    EXPECT_DOUBLE_EQ(d.RateOfTurn, 0.014);         // $APROT,0.014,A
    ASSERT_EQ(d.Sensors.size(), 2u);
    EXPECT_EQ(d.Sensors[0].Name, "AP.1.PTCH");
    EXPECT_DOUBLE_EQ(d.Sensors[0].Value, 0.145);  // $APXDR,A,0.145,D,PTCH
    EXPECT_EQ(d.Sensors[1].Name, "AP.1.ROLL");
    EXPECT_DOUBLE_EQ(d.Sensors[1].Value, 3.873);
  }
}

}  // namespace
}  // namespace nmea
