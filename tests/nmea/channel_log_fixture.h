#pragma once
// A link open on the in-memory transport, on the external tick counter, with
// a scratch folder for its log file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "nmea/link/endpoint.h"
#include "nmea/link/ticks.h"
#include "tests/nmea/link_helpers.h"
#include "tests/support/scratch_folder.h"

namespace nmea::testing {

inline std::string ReadFile(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ChannelLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.TickSource = tsExternal;
    SetExternalTick(1000);
    ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
  }
  // Bytes as the reader thread hands them over, at the given tick.
  void Receive(TTick Tick, const std::string& Bytes) {
    SetExternalTick(Tick);
    link.DataReceived(nullptr, reinterpret_cast<const std::uint8_t*>(Bytes.data()), static_cast<int>(Bytes.size()));
  }

  TestTransports transports;
  TNMEA2KDecoder link;
  support::testing::TScratchFolder folder;
  std::filesystem::path path = folder / "log";
};

}  // namespace nmea::testing
