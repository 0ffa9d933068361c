#pragma once
// A link on the external tick counter that parses sentences as the reader
// thread does, with the computer's clock at 2024-07-04 20:15:31 UTC.

#include <gtest/gtest.h>

#include <string_view>

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "platform/core/os/clock.h"

namespace nmea::testing {

class SentenceTest : public ::testing::Test {
 protected:
  SentenceTest()
      : clock_({.LocalTime = [] { return platform::SystemTime{2024, 7, 4, 20, 15, 31, 0}; },
                .TimeZone = [] { return platform::TimeZoneInformation{.Valid = true}; }}) {
    link.TickSource = tsExternal;
    link.StreamMode = kStreamText;
    link.PcYear = 2024;
    link.PcCentury = 2000;
    SetTick(1000);
  }
  void SetTick(TTick tick) { SetExternalTick(tick); }
  void Parse(std::string_view sentence) { link.ParseSentence(sentence, link.NMEAData); }
  // Parses at the given tick.
  void Parse(TTick tick, std::string_view sentence) {
    SetTick(tick);
    Parse(sentence);
  }

  platform::ScopedClockOverride clock_;
  TNMEA2KDecoder link;
  tNMEAData& data = link.NMEAData;
};

}  // namespace nmea::testing
