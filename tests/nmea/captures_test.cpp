// Real captures through the serial receive path: every sentence is framed,
// checked and counted exactly as a line-by-line reading of the file says.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "nmea/link/endpoint.h"
#include "support/hashing.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

struct Expected {
  std::size_t sentences = 0;
  std::set<std::pair<std::string, std::string>> counted;  // talker and id of checked sentences
};

// The capture read line by line: a sentence runs from the last start
// character of a line to its end.
Expected ReadLines(const std::string& text) {
  Expected expected;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t start = line.find_last_of("$!");
    if (start == std::string::npos) continue;
    const std::string s = line.substr(start);
    if (s.size() <= 5) continue;
    ++expected.sentences;
    if (s[s.size() - 3] != '*') continue;
    unsigned sum = 0;
    for (std::size_t i = 1; i + 3 < s.size(); ++i) sum ^= static_cast<unsigned char>(s[i]);
    if (std::stoul(s.substr(s.size() - 2), nullptr, 16) != sum) continue;
    std::string upper = s;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper[1] == 'P') {
      expected.counted.insert({"P", upper.substr(2, upper.find_first_of(",*", 2) - 2)});
    } else {
      expected.counted.insert({upper.substr(1, 2), upper.substr(3, 3)});
    }
  }
  return expected;
}

TEST(Captures, EverySentenceIsFramedCheckedAndCounted) {
  testing::TestTransports transports;
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VELTROSA_DATA_DIR "/nmea0183")) {
    if (entry.path().extension() != ".log") continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line[0] == '#') continue;
      text += line + '\n';
    }
    const Expected expected = ReadLines(text);

    TNMEA2KDecoder link;
    link.VerifyChecksum = true;
    link.CollectStatistics = true;
    std::size_t raw = 0;
    link.OnRawMessage = [&raw](platform::TObject*, std::string_view) { ++raw; };
    ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
    // Chunks of varying size, as a serial port delivers them.
    for (std::size_t at = 0, size = 6; at < text.size(); at += size, size = 6 + (size * 7) % 56) {
      transports.Deliver(std::string_view(text).substr(at, size));
    }
    transports.Deliver("\r\n");

    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(raw, expected.sentences);
    std::set<std::pair<std::string, std::string>> counted;
    auto lock = link.Lock();
    for (const tNMEATalkerRec& talker : link.Talkers) {
      for (const std::uint32_t sentence : talker.SubKeys) {
        counted.insert({link.KeyName(talker.Key, 0), link.KeyName(sentence, 1)});
      }
    }
    EXPECT_EQ(counted, expected.counted);
  }
  EXPECT_GT(files, 50u);
}

}  // namespace
}  // namespace nmea
