#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include "tests/nmea/channel_log_fixture.h"

namespace nmea {
namespace {

using ChannelLog = testing::ChannelLogTest;
using testing::ReadFile;

TEST_F(ChannelLog, TextRecordingHoldsEveryByteReceivedWhileItRuns) {
  link.StartLog(path, kLogText, true, "START LOG\r\n");
  ASSERT_TRUE(link.IsLogging());
  std::string expected = "START LOG\r\n";
  TTick tick = 1000;
  // Chunks closer together than the batching interval, then a long run that
  // crosses both batch sizes.
  for (int i = 0; i < 3; ++i) {
    const std::string chunk = "$GPZDA," + std::to_string(i) + "\r\n";
    Receive(tick += 10, chunk);
    expected += chunk;
  }
  for (int i = 0; i < 300; ++i) {
    const std::string chunk(390, static_cast<char>('a' + i % 26));
    Receive(tick += 5, chunk);
    expected += chunk;
  }
  Receive(tick += 10, "$GPVTG,1\r\n");
  expected += "$GPVTG,1\r\n";
  link.Suspend("POWER SUSPENDED");
  expected += "POWER SUSPENDED";
  EXPECT_FALSE(link.IsLogging());
  Receive(tick += 10, "while paused");  // a chunk that raced the close
  link.Resume("POWER RESUMED");
  expected += "POWER RESUMED";
  Receive(tick += 10, "$GPZDA,9\r\n");
  expected += "$GPZDA,9\r\n";
  // A chunk that would overflow the frame buffer is still recorded.
  Receive(tick += 10, '$' + std::string(399, 'z'));
  Receive(tick += 10, std::string(200, 'q'));
  expected += '$' + std::string(399, 'z') + std::string(200, 'q');
  link.StopLog();
  EXPECT_EQ(ReadFile(path), expected);

  // Appending keeps what is there; a new recording without it starts empty.
  link.StartLog(path, kLogTextNoMarkers, true, "again");
  Receive(tick += 10, "x");
  link.Suspend("POWER SUSPENDED");
  link.Resume("POWER RESUMED");
  Receive(tick += 10, "y");
  // Reopening the port ends the recording with its data written.
  ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
  EXPECT_FALSE(link.IsLogging());
  EXPECT_EQ(ReadFile(path), expected + "againxy");
  link.StartLog(path, kLogText, false, "");
  link.StopLog();
  EXPECT_EQ(ReadFile(path), "");
}

TEST_F(ChannelLog, BinaryRecordsAreStampedByTickAndSplitAt1024Bytes) {
  SetExternalTick(0xFFFFFA00u);
  link.StartLog(path, kLogBinary, false, "head", 45000.0);
  Receive(0xFFFFFA00u + 1500, std::string(300, 'a'));  // across the wrap
  link.WriteLog(std::string(2000, 'b'), 0xFFFFFA00u + 3000);
  link.StopLog();
  const std::string file = ReadFile(path);

  struct Record {
    double stamp;
    std::string text;
  };
  std::vector<Record> records;
  for (std::size_t at = 0; at < file.size();) {
    ASSERT_LE(at + 11, file.size());
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(file[at + i]);
    const std::size_t length = static_cast<unsigned char>(file[at + 8]) | static_cast<unsigned char>(file[at + 9]) << 8;
    ASSERT_LE(at + 10 + length + 1, file.size());
    records.push_back({std::bit_cast<double>(bits), file.substr(at + 10, length)});
    EXPECT_EQ(file[at + 10 + length], '\n');
    at += 11 + length;
  }
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].stamp, 45000.0);
  EXPECT_EQ(records[0].text, "head");
  EXPECT_NEAR((records[1].stamp - 45000.0) * 86400000, 1500, 1e-3);
  EXPECT_EQ(records[1].text, std::string(300, 'a'));
  EXPECT_NEAR((records[2].stamp - records[1].stamp) * 86400000, 1500, 1e-3);
  EXPECT_EQ(records[2].text.size(), 1024u);
  EXPECT_EQ(records[3].stamp, records[2].stamp);
  EXPECT_EQ(records[3].text.size(), 976u);
}

TEST_F(ChannelLog, RefusedOrImpossibleRecordingsDoNotRun) {
  link.StartLog(" \t", kLogText, false, "x");
  EXPECT_FALSE(link.IsLogging());
  link.StartLog((path / "missing" / "log.txt").string(), kLogText, false, "x");
  EXPECT_FALSE(link.IsLogging());

  // The guard measures the log's own file system; with no room above the
  // guard the first flush ends the recording.
  link.StartLog(path, kLogText, false, "x");
  EXPECT_TRUE(link.IsLogging());
  EXPECT_EQ(link.LogDrive, (folder.Path().lexically_normal() / "").string());
  EXPECT_GT(link.LogFreeSpace, 0);
  EXPECT_LT(link.LogFreeSpace, std::numeric_limits<std::int64_t>::max());
  link.FreeSpaceGuard = std::numeric_limits<std::int64_t>::max();
  link.FlushLog();
  EXPECT_FALSE(link.IsLogging());
  Receive(5000, "more");
  EXPECT_EQ(ReadFile(path), "");

  TNMEA2KDecoder closed;
  closed.StartLog(path, kLogText, false, "x");
  EXPECT_FALSE(closed.IsLogging());
}

struct FileSystem {
  dev_t Device;
  std::int64_t Free;
};

std::optional<FileSystem> FileSystemOf(const std::filesystem::path& Folder) {
  struct stat status {};
  struct statvfs space {};
  if (::stat(Folder.c_str(), &status) != 0 || ::statvfs(Folder.c_str(), &space) != 0) return std::nullopt;
  return FileSystem{status.st_dev,
                    static_cast<std::int64_t>(space.f_bavail) * static_cast<std::int64_t>(space.f_frsize)};
}

// The guard has to measure the file system the recording goes to, not the
// one the program was started in: only a log on another file system than
// the working folder tells the two apart.
TEST_F(ChannelLog, TheFreeSpaceGuardMeasuresTheFileSystemOfTheLogsFolder) {
  const auto working = FileSystemOf(std::filesystem::current_path());
  ASSERT_TRUE(working);
  // Other programs write while the test runs; differences below this say
  // nothing.
  constexpr std::int64_t kSlack = 64 << 20;
  for (const std::filesystem::path& base :
       {std::filesystem::path("/dev/shm"), std::filesystem::temp_directory_path()}) {
    const auto other = FileSystemOf(base);
    if (!other || other->Device == working->Device || std::llabs(other->Free - working->Free) < 4 * kSlack ||
        ::access(base.c_str(), W_OK) != 0) {
      continue;
    }
    support::testing::TScratchFolder elsewhere(base);
    link.StartLog(elsewhere / "log", kLogText, false, "x");
    ASSERT_TRUE(link.IsLogging()) << base;
    const auto measured = FileSystemOf(elsewhere.Path());
    ASSERT_TRUE(measured);
    EXPECT_LT(std::llabs(link.LogFreeSpace - measured->Free), kSlack) << base;
    link.CloseLog();
    return;
  }
  GTEST_SKIP() << "no writable folder on a file system other than the working folder's";
}

}  // namespace
}  // namespace nmea
