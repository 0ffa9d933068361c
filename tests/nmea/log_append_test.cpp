// Appending to a recording never empties the file it appends to.

#include <sys/fsuid.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "nmea/link/endpoint.h"
#include "tests/nmea/link_helpers.h"
#include "tests/support/scratch_folder.h"

namespace nmea {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Root passes every permission check: while this lives, a root test hands
// the file to an ordinary user and opens files on this thread as that user,
// so that the file's permissions apply.
class AsOwnerOf {
 public:
  explicit AsOwnerOf(const fs::path& file) : root_(::geteuid() == 0) {
    if (!root_) return;
    EXPECT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    ::setfsuid(kNobody);
  }
  ~AsOwnerOf() {
    if (root_) ::setfsuid(0);
  }
  AsOwnerOf(const AsOwnerOf&) = delete;
  AsOwnerOf& operator=(const AsOwnerOf&) = delete;

 private:
  static constexpr uid_t kNobody = 65534;
  bool root_;
};

TEST(LogAppend, AFileThatCannotBeReadAndWrittenIsLeftUntouched) {
  testing::TestTransports transports;
  TNMEA2KDecoder link;
  ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
  support::testing::TScratchFolder folder;
  const fs::path path = folder / "log";
  std::ofstream(path) << "earlier recording\n";

  // Writable by its owner, not readable.
  fs::permissions(path, fs::perms::owner_write);
  {
    AsOwnerOf owner(path);
    link.StartLog(path, kLogText, true, "START LOG\r\n");
  }
  EXPECT_FALSE(link.IsLogging());
  EXPECT_NE(link.LogError().find(path.string()), std::string::npos) << link.LogError();
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadFile(path), "earlier recording\n");

  // Appending to a file that is not there yet starts it; the next recording
  // adds to it.
  const fs::path fresh = folder / "fresh";
  for (int i = 0; i < 2; ++i) {
    link.StartLog(fresh, kLogText, true, "START LOG\r\n");
    EXPECT_TRUE(link.IsLogging());
    EXPECT_EQ(link.LogError(), "");
    link.StopLog();
  }
  EXPECT_EQ(ReadFile(fresh), "START LOG\r\nSTART LOG\r\n");
}

}  // namespace
}  // namespace nmea
