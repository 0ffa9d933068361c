#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "nmea/link/endpoint.h"
#include "support/hashing.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

std::size_t Pairs(const TNMEA2KDecoder& link) {
  std::size_t pairs = 0;
  for (const tNMEATalkerRec& talker : link.Talkers) pairs += talker.SubKeys.size();
  return pairs;
}

bool Counted(const TNMEA2KDecoder& link, std::uint32_t key, std::uint32_t subKey) {
  return std::any_of(link.Talkers.begin(), link.Talkers.end(), [&](const tNMEATalkerRec& t) {
    return t.Key == key && std::binary_search(t.SubKeys.begin(), t.SubKeys.end(), subKey);
  });
}

std::uint32_t Key(std::string_view text) { return static_cast<std::uint32_t>(support::StringHashEx(text)); }

// Noise taken for sentences, as at a wrong baud rate with checksums not
// verified, fills the statistics only up to their bound; what comes after
// is counted together under "other", and pairs counted before stay.
TEST(Statistics, NoiseCannotGrowThemWithoutBound) {
  TNMEA2KDecoder link;
  link.StreamMode = kStreamText;
  link.CollectStatistics = true;
  testing::Feed(link, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\r\n");

  std::mt19937 random(19);
  std::vector<std::uint8_t> noise(400);
  for (int chunk = 0; chunk < 2048; ++chunk) {
    for (std::uint8_t& b : noise) {
      // Start and end marks a little more often than chance gives them.
      const std::uint32_t r = random();
      b = r % 64 == 0 ? '$' : r % 64 == 1 ? '\n' : static_cast<std::uint8_t>(r >> 8);
    }
    link.ParseBytes(noise.data(), static_cast<int>(noise.size()));
  }
  EXPECT_LE(Pairs(link), 1025u);
  EXPECT_GE(Pairs(link), 1024u);
  EXPECT_TRUE(Counted(link, Key("other"), Key("other")));
  EXPECT_EQ(link.KeyName(Key("other"), 0), "other");
  EXPECT_EQ(link.KeyName(Key("other"), 1), "other");
  EXPECT_LE(link.TalkerNames.size(), 1025u);
  EXPECT_LE(link.SentenceNames.size(), 1025u);
  EXPECT_TRUE(Counted(link, Key("GP"), Key("GGA")));

  // Clearing the statistics makes room again.
  link.ClearTalkers();
  link.AddTalkerSentence("GP", "RMC");
  EXPECT_TRUE(Counted(link, Key("GP"), Key("RMC")));
}

// A pair already counted is found again wherever the list has moved it
// since: behind talkers that sort before it, or gone with a clear.
TEST(Statistics, APairIsCountedOnceWhereverTheListMovedIt) {
  TNMEA2KDecoder link;
  link.StreamMode = kStreamText;
  link.CollectStatistics = true;
  const std::string_view talkers[] = {"GP", "AA", "ZZ", "BB", "GN", "AB", "GA"};
  for (const std::string_view talker : talkers) {
    testing::Feed(link, "$" + std::string(talker) + "GGA,1\r\n$GPGGA,1\r\n$GPRMC,1\r\n");
  }
  EXPECT_EQ(Pairs(link), std::size(talkers) + 1);
  for (const std::string_view talker : talkers) EXPECT_TRUE(Counted(link, Key(talker), Key("GGA"))) << talker;
  EXPECT_TRUE(Counted(link, Key("GP"), Key("RMC")));

  link.ClearTalkers();
  testing::Feed(link, "$GPGGA,1\r\n");
  EXPECT_EQ(Pairs(link), 1u);
  EXPECT_TRUE(Counted(link, Key("GP"), Key("GGA")));
}

TEST(Statistics, NmeaTwoThousandSourcesAndPgnsAreBoundedToo) {
  TNMEA2KDecoder link;
  for (std::uint32_t pgn = 0; pgn < 3000; ++pgn) link.AddSourcePGN(pgn % 200, 59904 + pgn);
  EXPECT_LE(Pairs(link), 1025u);
  EXPECT_TRUE(Counted(link, Key("other"), Key("other")));
  // A pair counted before the bound was reached is counted as itself.
  link.AddSourcePGN(0, 59904);
  EXPECT_TRUE(Counted(link, 0, 59904));
  EXPECT_FALSE(Counted(link, 199, 59904 + 2999));
}

}  // namespace
}  // namespace nmea
