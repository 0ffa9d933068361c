#include "platform/core/os/files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/os/errors.h"
#include "tests/support/scratch_folder.h"

namespace platform {
namespace {

std::u16string Wide(const std::string& S) { return std::u16string(S.begin(), S.end()); }

class FilesTest : public ::testing::Test {
 protected:
  std::u16string Path(std::u16string_view Name) const {
    return Wide(Folder.Path().string()) + u"/" + std::u16string(Name);
  }
  support::testing::TScratchFolder Folder;
};

TEST_F(FilesTest, CreationDispositionsAndSharingDecideWhoMayOpen) {
  const std::u16string name = Path(u"log \u00e9.txt");
  EXPECT_EQ(CreateFileW(name.c_str(), GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  const HANDLE writer = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileW(name.c_str(), GENERIC_WRITE, 0, CREATE_NEW, 0), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  // The writer lets others read but not write.
  const HANDLE reader = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileW(name.c_str(), GENERIC_WRITE, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(CloseHandle(reader));
  EXPECT_TRUE(CloseHandle(writer));
  const HANDLE again = CreateFileW(name.c_str(), GENERIC_WRITE, 0, OPEN_ALWAYS, 0);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(again));
  EXPECT_EQ(CreateFileW(Path(u"no/such/folder.txt").c_str(), GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
}

TEST(FullPathName, DotsResolveByTextAndShortBuffersAskForMore) {
  char16_t buffer[64];
  char16_t* file = nullptr;
  const std::uint32_t n = GetFullPathNameW(u"/data/logs/../dst/./depth.log", 64, buffer, &file);
  EXPECT_EQ(std::u16string(buffer, n), u"/data/dst/depth.log");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::u16string(file), u"depth.log");
  EXPECT_EQ(GetFullPathNameW(u"/data/", 64, buffer, &file), 6u);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(GetFullPathNameW(u"/data/dst/depth.log", 5, buffer, nullptr), 20u);
  // A relative name starts from the current folder.
  const std::uint32_t relative = GetFullPathNameW(u"depth.log", 64, buffer, nullptr);
  ASSERT_GT(relative, 0u);
  EXPECT_EQ(buffer[0], u'/');
  EXPECT_EQ(std::u16string(buffer, relative).substr(relative - 10), u"/depth.log");
}

}  // namespace
}  // namespace platform
