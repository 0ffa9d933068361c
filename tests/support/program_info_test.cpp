#include "support/program_info.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
namespace fs = std::filesystem;

TEST(ProgramInfo, KnowsItsOwnFolderAndVersion) {
  const fs::path exe = fs::read_symlink("/proc/self/exe");
  EXPECT_EQ(support::GetAppDir(), exe.parent_path().u16string() + u"/");
  EXPECT_EQ(support::GetFileVersionString(exe.u16string()), fs::path(VELTROSA_VERSION).u16string());
  // Files other than the program carry no version.
  EXPECT_EQ(support::GetFileVersionString(u"/etc/hostname"), u"");
  EXPECT_EQ(support::GetFileVersionString(u"/no/such/file"), u"");

  EXPECT_EQ(support::ExtractFilePathW(u"/opt/veltrosa/bin/veltrosa"), u"/opt/veltrosa/bin/");
  EXPECT_EQ(support::ExtractFilePathW(u"veltrosa"), u"");
  EXPECT_EQ(support::IncludeTrailingBackslashW(u"  /opt/x \r\n"), u"/opt/x/");
  EXPECT_EQ(support::IncludeTrailingBackslashW(u"   "), u"");
}

}  // namespace
