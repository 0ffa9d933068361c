#include "support/disk_space.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <filesystem>

namespace {
namespace fs = std::filesystem;

TEST(DiskSpace, MeasuresTheFileSystemTheFileGoesTo) {
  EXPECT_EQ(support::ExtractDriveLetter(std::string_view("/var/log/dst.txt")), "/var/log/");
  EXPECT_EQ(support::ExtractDriveLetter(std::u16string_view(u" /var/log/dst.txt ")), u"/var/log/");
  EXPECT_EQ(support::ExtractDriveLetter(std::string_view("dst.txt")), (fs::current_path() / "").string());
  EXPECT_EQ(support::ExtractDriveLetter(std::string_view("  ")), "");

  struct statvfs tmp {};
  ASSERT_EQ(::statvfs("/tmp", &tmp), 0);
  const std::int64_t expected = static_cast<std::int64_t>(tmp.f_bavail) * tmp.f_frsize;
  // A folder that does not exist yet counts as the one it would be made in.
  const std::int64_t measured = support::DriveFreeSpace("/tmp/no/such/folder/");
  EXPECT_GT(measured, 0);
  EXPECT_NEAR(static_cast<double>(measured), static_cast<double>(expected), 64.0 * 1024 * 1024);
  EXPECT_EQ(support::DriveFreeSpace(""), 0);
}

}  // namespace
