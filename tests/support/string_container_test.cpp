#include "support/string_container.h"

#include <gtest/gtest.h>

#include "tests/support/container_test_helpers.h"
#include "tests/support/scratch_folder.h"

namespace support {
namespace {

using dictionary_writer::WriteContainer;
using testing::SmallContent;
using testing::TScratchFolder;
using testing::WriteFile;

const TWideStringArray kEnglish = {u"One", u"Two", u"Three"};
const TWideStringArray kItalian = {u"Uno", u"Due", u"Tre"};

// Loads Bytes as a file and every language of it; false when any step fails.
bool ReadsCompletely(const TScratchFolder& Folder, const std::vector<std::uint8_t>& Bytes) {
  WriteFile(Folder / "container", Bytes);
  TLangDic dic;
  if (!dic.LoadFromFile((Folder / "container").string())) return false;
  for (std::int32_t l = 0; l < static_cast<std::int32_t>(dic.Languages().size()); ++l) {
    TWideStringArray strings;
    std::int32_t index = l;
    if (!dic.LoadLanguage(index, strings)) return false;
  }
  return true;
}

TEST(StringContainer, EveryVersionGivesTheSameStringsAndTheExtendedOnesTheirTables) {
  TScratchFolder folder;
  for (std::uint16_t version = 1; version <= 4; ++version) {
    auto content = SmallContent();
    if (version < 3) content.Tables.clear();
    const auto bytes = WriteContainer(content, version);
    if (version == 2) {
      ASSERT_NE((bytes.size() - 14) % 16, 0u) << "the payload should end in a partial block";
    }
    WriteFile(folder / "dic", bytes);

    TLangDic dic;
    ASSERT_TRUE(dic.LoadFromFile((folder / "dic").string())) << version;
    EXPECT_EQ(dic.Version(), version);
    EXPECT_EQ(dic.StringCount(), 3u);
    std::int32_t index = -1;
    ASSERT_TRUE(dic.FindLanguage(1040, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(dic.FindLanguage(2057, index));

    TWideStringArray strings;
    index = 1;
    ASSERT_TRUE(dic.LoadLanguage(index, strings)) << version;
    EXPECT_EQ(strings, kItalian);
    EXPECT_EQ(dic.CurrentLanguage(), 1);
    index = 7;  // beyond the last language: the first one
    ASSERT_TRUE(dic.LoadLanguage(index, strings));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(strings, kEnglish);
    index = -1;
    EXPECT_FALSE(dic.LoadLanguage(index, strings));
    EXPECT_EQ(strings, kEnglish);

    if (version >= 3) {
      EXPECT_EQ(dic.TableNames(), (TStringArray{"First", "Second"}));
      EXPECT_EQ(dic.Tables(), (std::vector<TIntegerArray>{{10, 20, 30}, {-1, 7, 1000000001}}));
    }
  }
  const auto plain = WriteContainer(SmallContent(), 4);
  const auto sealed = WriteContainer(SmallContent(), 3);
  EXPECT_NE(std::vector(sealed.begin() + 14, sealed.end()), std::vector(plain.begin() + 14, plain.end()));
}

TEST(StringContainer, ForeignShortOrInconsistentContainersFailWithoutHugeAllocations) {
  TScratchFolder folder;
  const auto good = WriteContainer(SmallContent(), 4);
  ASSERT_TRUE(ReadsCompletely(folder, good));
  const auto patched = [&](std::size_t at, std::vector<std::uint8_t> value) {
    auto bytes = good;
    std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
  };
  const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
      {"signature", patched(0, {'X'})},
      {"version 0", patched(6, {0})},
      {"version 5", patched(6, {5})},
      {"10 bytes", std::vector(good.begin(), good.begin() + 10)},
      {"13 bytes", std::vector(good.begin(), good.begin() + 13)},
      {"string count", patched(10, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"language count", patched(8, {0xFF, 0xFF})},
      {"table count", patched(14, {0xFF, 0xFF})},
      {"table offset", patched(16, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"language offset", patched(22, {0xFF, 0xFF, 0xFF, 0xFF})},
      // A plain payload taken for an enciphered one: what a wrong key gives.
      {"wrong key", patched(6, {3})},
  };
  for (const auto& [what, bytes] : cases) EXPECT_FALSE(ReadsCompletely(folder, bytes)) << what;

  TLangDic dic;
  EXPECT_FALSE(dic.LoadFromFile((folder / "missing").string()));
  EXPECT_FALSE(dic.LoadFromFile((folder / "").string())) << "a folder";
  EXPECT_FALSE(dic.Loaded());
}

// Damage anywhere must show: a cut container never reads as complete.
TEST(StringContainer, TruncatedContainersNeverReadAsComplete) {
  TScratchFolder folder;
  for (const std::uint16_t version : {1, 3}) {
    auto content = SmallContent();
    if (version == 1) content.Tables.clear();
    const auto bytes = WriteContainer(content, version);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      EXPECT_FALSE(ReadsCompletely(folder, std::vector(bytes.begin(), bytes.begin() + size)))
          << version << ": " << size;
    }
  }
}

TEST(StringContainer, AReplacedFileIsReadAgainAndAFailedReadKeepsTheCallersStrings) {
  TScratchFolder folder;
  const auto path = folder / "dic";
  WriteFile(path, WriteContainer(SmallContent(), 3));
  TLangDic dic;
  ASSERT_TRUE(dic.LoadFromFile(path.string()));

  // One language fewer: the index 1 checked before the reload no longer exists.
  const dictionary_writer::TContainerContent replacement{{{1040, u"Italiano", {u"Nuovo", u"Testo", u"Qui"}}}, {}};
  WriteFile(path, WriteContainer(replacement, 2));
  std::filesystem::last_write_time(path, dic.FileAge() + std::chrono::seconds(5));
  TWideStringArray strings;
  std::int32_t index = 1;
  ASSERT_TRUE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(strings, (TWideStringArray{u"Nuovo", u"Testo", u"Qui"}));
  EXPECT_EQ(dic.LanguageCount(), 1u);

  // Damaged behind the same stamp: no reload, and the strings fail to read.
  const auto age = dic.FileAge();
  auto damaged = WriteContainer(replacement, 2);
  damaged.resize(damaged.size() - 3);
  WriteFile(path, damaged);
  std::filesystem::last_write_time(path, age);
  EXPECT_FALSE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(strings, (TWideStringArray{u"Nuovo", u"Testo", u"Qui"}));

  std::filesystem::remove(path);
  EXPECT_FALSE(dic.LoadLanguage(index, strings));
  EXPECT_FALSE(dic.Loaded());
}

TEST(StringContainer, ResourcesLoadByName) {
  testing::RegisterTestResource("CONTAINERTEST", WriteContainer(SmallContent(), 3));
  TLangDic dic;
  ASSERT_TRUE(dic.Load("ContainerTest", true));
  EXPECT_EQ(dic.ResName(), "ContainerTest");
  TWideStringArray strings;
  std::int32_t index = 1;
  ASSERT_TRUE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(strings, kItalian);

  EXPECT_FALSE(dic.LoadFromResource(" \t"));
  EXPECT_FALSE(dic.LoadFromResource("NOSUCHRESOURCE"));
}

}  // namespace
}  // namespace support
