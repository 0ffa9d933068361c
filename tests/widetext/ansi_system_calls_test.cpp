// Without Unicode support the wide layer's file and string calls go through
// the 8-bit calls in code page 1252; what the page holds comes back whole,
// the rest as "?".

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/core/os/files.h"
#include "platform/core/text/string_resources.h"
#include "tests/support/scratch_folder.h"
#include "tests/widetext/platform_version.h"
#include "widetext/resource_strings.h"
#include "widetext/utf8.h"
#include "widetext/wide_files.h"

namespace widetext::testing {
namespace {

const platform::StringResource kBlockFirst(4160, u"Caf\u00E9");
const platform::StringResource kBlockThird(4162, u"\u4E2D\u6587");

TEST(AnsiSystemCalls, FullPathsAreCopiedBackIntoTheWideBuffer) {
  const ScopedPlatformVersion ansi(kAnsiPlatform);
  char16_t buffer[64];
  char16_t* filePart = nullptr;
  EXPECT_EQ(WideApiGetFullPathName(u"/d\u00E9p/../\u00E9t\u00E9.txt", 64, buffer, &filePart), 8u);
  EXPECT_EQ(std::u16string(buffer), u"/\u00E9t\u00E9.txt");
  ASSERT_NE(filePart, nullptr);
  EXPECT_EQ(std::u16string(filePart), u"\u00E9t\u00E9.txt");
  // Outside the code page.
  EXPECT_EQ(WideApiGetFullPathName(u"/\u4E2D/a", 64, buffer, nullptr), 4u);
  EXPECT_EQ(std::u16string(buffer), u"/?/a");
  // Too small: the length it needs, and an empty buffer.
  buffer[0] = u'x';
  EXPECT_EQ(WideApiGetFullPathName(u"/abc/def", 8, buffer, &filePart), 9u);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(WideExpandFileName(u"/a/./b/../c.txt"), u"/a/c.txt");
}

TEST(AnsiSystemCalls, FilesAreOpenedByTheirEightBitNames) {
  support::testing::TScratchFolder folder;
  const std::u16string path = UTF8Decode(folder.Path().string()) + u"/\u00E9t\u00E9.txt";
  {
    const ScopedPlatformVersion ansi(kAnsiPlatform);
    const platform::HANDLE file = WideFileCreate(path);
    ASSERT_NE(file, platform::INVALID_HANDLE_VALUE);
    platform::CloseHandle(file);
  }
  // The same file under its wide name.
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "\xC3\xA9t\xC3\xA9.txt"));
}

TEST(AnsiSystemCalls, StringsAreReadFromTheTablesBlocks) {
  const ScopedPlatformVersion ansi(kAnsiPlatform);
  char16_t buffer[8];
  EXPECT_EQ(WideApiLoadString(nullptr, 4160, buffer, 8), 4);
  EXPECT_EQ(std::u16string(buffer), u"Caf\u00E9");
  // Past an empty entry of the block, and the units as the table keeps them.
  EXPECT_EQ(WideApiLoadString(nullptr, 4162, buffer, 8), 2);
  EXPECT_EQ(std::u16string(buffer), u"\u4E2D\u6587");
  EXPECT_EQ(WideApiLoadString(nullptr, 4162, nullptr, 0), 2);
  EXPECT_EQ(WideApiLoadString(nullptr, 4162, buffer, 2), 1);
  EXPECT_EQ(WideApiLoadString(nullptr, 4161, buffer, 8), 0);
  // A block without any text is no resource.
  EXPECT_EQ(WideApiLoadString(nullptr, 4176, buffer, 8), 0);
  EXPECT_EQ(WideApiLoadString(reinterpret_cast<platform::HMODULE>(0x1234), 4160, buffer, 8), 0);

  // The block as the program file keeps it: sixteen entries of a length and
  // its units.
  const platform::HRSRC block = platform::FindResourceA(nullptr, 4160 / 16 + 1, platform::RT_STRING);
  ASSERT_NE(block, nullptr);
  const auto* units = static_cast<const std::uint16_t*>(platform::LockResource(platform::LoadResource(nullptr, block)));
  const std::vector<std::uint16_t> start(units, units + 9);
  EXPECT_EQ(start, (std::vector<std::uint16_t>{4, u'C', u'a', u'f', 0xE9, 0, 2, 0x4E2D, 0x6587}));
  EXPECT_EQ(platform::FindResourceA(nullptr, 4160 / 16 + 1, 10), nullptr);
}

}  // namespace
}  // namespace widetext::testing
