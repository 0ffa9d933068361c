#include "widetext/wide_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/core/classes/streams.h"
#include "platform/core/os/errors.h"
#include "platform/core/os/os_error.h"
#include "platform/core/text/message_tables.h"
#include "tests/support/scratch_folder.h"
#include "tests/widetext/platform_version.h"
#include "widetext/error_messages.h"
#include "widetext/utf8.h"

namespace widetext {
namespace {

namespace fs = std::filesystem;

class WideFilesTest : public ::testing::Test {
 protected:
  std::u16string Path(std::u16string_view Name) const {
    return UTF8Decode(Folder.Path().string()) + u"/" + std::u16string(Name);
  }

  support::testing::TScratchFolder Folder;
};

TEST_F(WideFilesTest, CreateWritesAFileWithAWideName) {
  const std::u16string name = Path(u"\u00E9t\u00E9 \u4E2D.txt");
  const platform::HANDLE h = WideFileCreate(name);
  ASSERT_NE(h, platform::INVALID_HANDLE_VALUE);
  {
    platform::THandleStream stream(static_cast<int>(h));
    stream.WriteBuffer("abc", 3);
  }
  EXPECT_TRUE(platform::CloseHandle(h));
  EXPECT_EQ(fs::file_size(Folder / "\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD.txt"), 3u);

  // Creating again empties it.
  const platform::HANDLE again = WideFileCreate(name);
  ASSERT_NE(again, platform::INVALID_HANDLE_VALUE);
  platform::CloseHandle(again);
  EXPECT_EQ(fs::file_size(Folder / "\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD.txt"), 0u);
}

TEST_F(WideFilesTest, SharingModesOfOpenHandlesAreHonoured) {
  const std::u16string name = Path(u"shared.txt");
  std::ofstream(Folder / "shared.txt") << "content";

  const platform::HANDLE reader = WideFileOpen(name, platform::fmOpenRead | platform::fmShareDenyWrite);
  ASSERT_NE(reader, platform::INVALID_HANDLE_VALUE);
  // Another reader that denies writing shares with it; a creator does not,
  // and the refused creator leaves the contents alone.
  const platform::HANDLE second = WideFileOpen(name, platform::fmOpenRead | platform::fmShareDenyWrite);
  EXPECT_NE(second, platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(WideFileCreate(name), platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_SHARING_VIOLATION);
  EXPECT_EQ(fs::file_size(Folder / "shared.txt"), 7u);
  EXPECT_EQ(WideFileOpen(name, platform::fmOpenReadWrite | platform::fmShareExclusive), platform::INVALID_HANDLE_VALUE);
  platform::CloseHandle(second);
  platform::CloseHandle(reader);

  const platform::HANDLE writer = WideFileOpen(name, platform::fmOpenWrite | platform::fmShareExclusive);
  EXPECT_NE(writer, platform::INVALID_HANDLE_VALUE);
  platform::CloseHandle(writer);
}

TEST_F(WideFilesTest, ModesOutsideTheTablesAreRefused) {
  const std::u16string name = Path(u"modes.txt");
  std::ofstream(Folder / "modes.txt") << "x";
  EXPECT_EQ(WideFileOpen(name, 3), platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_INVALID_PARAMETER);
  EXPECT_EQ(WideFileOpen(name, 0x50), platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(WideFileOpen(name, 0xF0), platform::INVALID_HANDLE_VALUE);
  const platform::HANDLE h = WideFileOpen(name, platform::fmOpenRead | platform::fmShareDenyNone);
  EXPECT_NE(h, platform::INVALID_HANDLE_VALUE);
  platform::CloseHandle(h);
}

TEST_F(WideFilesTest, OpenFailuresLeaveTheSystemsReason) {
  EXPECT_EQ(WideFileOpen(Path(u"missing.txt"), platform::fmOpenRead), platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WideSysErrorMessage(platform::ERROR_FILE_NOT_FOUND), u"No such file or directory");
  EXPECT_EQ(WideFileOpen(UTF8Decode(Folder.Path().string()), platform::fmOpenRead), platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_ACCESS_DENIED);
  EXPECT_EQ(WideFileOpen(Path(u"lone\xD800.txt"), platform::fmOpenRead), platform::INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform::GetLastError(), platform::ERROR_INVALID_NAME);
}

TEST(WideFileNames, ExpandGivesTheWholeNormalisedPath) {
  const std::u16string cwd = UTF8Decode(fs::current_path().string());
  EXPECT_EQ(WideExpandFileName(u"/a/b/../c/./d.txt"), u"/a/c/d.txt");
  EXPECT_EQ(WideExpandFileName(u"//a///b/"), u"/a/b/");
  EXPECT_EQ(WideExpandFileName(u"/.."), u"/");
  EXPECT_EQ(WideExpandFileName(u"x.txt"), (cwd == u"/" ? u"" : cwd) + u"/x.txt");
  // Far beyond the platform's classic 260-character buffer.
  std::u16string deep;
  for (int i = 0; i < 100; ++i) deep += u"/directory" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
  deep += u"/file.txt";
  EXPECT_EQ(WideExpandFileName(deep), deep);
  EXPECT_EQ(WideExpandFileName(u""), u"");
}

TEST(WideFileNames, ExtensionsAndDelimiters) {
  EXPECT_EQ(WideExtractFileExt(u"/home/u/log.txt"), u".txt");
  EXPECT_EQ(WideExtractFileExt(u"/home/u.d/log"), u"");
  EXPECT_EQ(WideExtractFileExt(u"name.txt"), u".txt");
  EXPECT_EQ(WideExtractFileExt(u"name.."), u".");
  EXPECT_EQ(WideExtractFileExt(u"dir/archive.tar.gz"), u".gz");
  EXPECT_EQ(WideExtractFileExt(u"a.b\\c"), u".b\\c");  // a backslash is part of a Linux name
  EXPECT_TRUE(WideIsPathDelimiter(u"a/b", 2));
  EXPECT_FALSE(WideIsPathDelimiter(u"a\\b", 2));
  EXPECT_FALSE(WideIsPathDelimiter(u"a/b", 4));
}

TEST(ErrorMessages, AFailedAtomRaisesTheLastError) {
  EXPECT_EQ(Win32CheckAtom(0xC001), 0xC001);
  platform::SetLastError(platform::ERROR_NOT_ENOUGH_MEMORY);
  try {
    Win32CheckAtom(0);
    ADD_FAILURE();
  } catch (const platform::EOSError& e) {
    EXPECT_EQ(e.ErrorCode, platform::ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_STREQ(e.what(), "System Error.  Code: 8.\nCannot allocate memory");
  }
}

TEST(ErrorMessages, SystemTextOrUnspecified) {
  EXPECT_EQ(WideSysErrorMessage(platform::ERROR_ACCESS_DENIED), u"Permission denied");
  EXPECT_EQ(WideSysErrorMessage(platform::ERROR_SHARING_VIOLATION),
            u"The file is open in a mode that does not allow this access");
  EXPECT_EQ(WideSysErrorMessage(99999), u"Unspecified error (99999) from system.");
  EXPECT_EQ(WideLibraryErrorMessage(u"shell32", nullptr, -5), u"Unspecified error (-5) from shell32.");
}

TEST(ErrorMessages, AModulesOwnMessageTableAnswersBeforeTheSystem) {
  constexpr std::int32_t kNoReply = 99001;
  const platform::HMODULE program = platform::GetModuleHandleA(nullptr);
  const platform::MessageTableEntry noReply(program, kNoReply, u" Ο αισθητήρας δεν απαντά\r\n");
  const platform::MessageTableEntry busy(program, platform::ERROR_ACCESS_DENIED, u"Θύρα κατειλημμένη");
  EXPECT_EQ(WideLibraryErrorMessage(u"dst", program, kNoReply), u"Ο αισθητήρας δεν απαντά");
  EXPECT_EQ(WideLibraryErrorMessage(u"dst", program, platform::ERROR_ACCESS_DENIED), u"Θύρα κατειλημμένη");
  // A code the module has no text for has the system's.
  EXPECT_EQ(WideLibraryErrorMessage(u"dst", program, platform::ERROR_FILE_NOT_FOUND), u"No such file or directory");
  // No module, or another one: its table is not asked.
  EXPECT_EQ(WideSysErrorMessage(platform::ERROR_ACCESS_DENIED), u"Permission denied");
  const platform::HMODULE libc = platform::GetModuleHandleA("libc.so.6");
  ASSERT_NE(libc, nullptr);
  EXPECT_EQ(WideLibraryErrorMessage(u"libc", libc, kNoReply), u"Unspecified error (99001) from libc.");

  // The 8-bit platform reads the table in the ANSI code page.
  const platform::MessageTableEntry range(program, kNoReply + 1, u"Température hors plage Ω");
  const testing::ScopedPlatformVersion ansi(testing::kAnsiPlatform);
  EXPECT_EQ(WideLibraryErrorMessage(u"dst", program, kNoReply + 1), u"Température hors plage ?");
}

}  // namespace
}  // namespace widetext
