#include "support/string_container.h"

#include <gtest/gtest.h>

#include "support/rc6.h"
#include "tests/support/container_test_helpers.h"

namespace support {
namespace {

using dictionary_writer::WriteContainer;
using testing::SmallContent;
using testing::TScratchFolder;
using testing::WriteFile;

const TWideStringArray kEnglish = {u"One", u"Two", u"Three"};
const TWideStringArray kItalian = {u"Uno", u"Due", u"Tre"};

TEST(StringContainer, EveryVersionGivesTheSameStringsAndTheExtendedOnesTheirTables) {
  TScratchFolder folder;
  auto content = SmallContent();
  for (std::uint16_t version = 1; version <= 4; ++version) {
    const bool extended = version >= 3;
    if (!extended) content.Tables.clear();
    const auto bytes = WriteContainer(extended ? SmallContent() : content, version);
    const auto path = folder / ("v" + std::to_string(version));
    WriteFile(path, bytes);

    TLangDic dic;
    ASSERT_TRUE(dic.LoadFromFile(path.string())) << version;
    EXPECT_EQ(dic.Version(), version);
    EXPECT_EQ(dic.LanguageCount(), 2u);
    EXPECT_EQ(dic.StringCount(), 3u);
    EXPECT_EQ(dic.Languages()[1].Name, u"Italiano");
    std::int32_t index = -1;
    ASSERT_TRUE(dic.FindLanguage(1040, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(dic.FindLanguage(2057, index));
    EXPECT_EQ(index, -1);

    TWideStringArray strings;
    index = 1;
    ASSERT_TRUE(dic.LoadLanguage(index, strings)) << version;
    EXPECT_EQ(strings, kItalian);
    EXPECT_EQ(dic.CurrentLanguage(), 1);
    index = 0;
    ASSERT_TRUE(dic.LoadLanguage(index, strings));
    EXPECT_EQ(strings, kEnglish);

    if (extended) {
      EXPECT_EQ(dic.TableNames(), (TStringArray{"First", "Second"}));
      ASSERT_EQ(dic.Tables().size(), 2u);
      EXPECT_EQ(dic.Tables()[0], (TIntegerArray{10, 20, 30}));
      EXPECT_EQ(dic.Tables()[1], (TIntegerArray{-1, 7, 1000000001}));
    } else {
      EXPECT_TRUE(dic.Tables().empty());
    }
  }
}

TEST(StringContainer, EncipheredPayloadIsUnreadableWithoutTheKeyAndDeciphersWholeWithIt) {
  const auto plain = WriteContainer(SmallContent(), 4);
  const auto sealed = WriteContainer(SmallContent(), 3);
  ASSERT_EQ(sealed.size(), plain.size());
  ASSERT_NE((plain.size() - 14) % 16, 0u) << "the payload should end in a partial block";
  EXPECT_NE(std::vector(sealed.begin() + 14, sealed.end()), std::vector(plain.begin() + 14, plain.end()));

  platform::TMemoryStream payload;
  payload.Write(sealed.data() + 14, static_cast<std::int64_t>(sealed.size() - 14));
  DecipherStream(payload, TLangDic().CipherKey());
  EXPECT_EQ(std::vector(payload.Memory(), payload.Memory() + payload.Size()), std::vector(plain.begin() + 14, plain.end()));
}

TEST(StringContainer, IndexBeyondTheLastLanguageLoadsTheFirstAndBadRequestsFail) {
  TScratchFolder folder;
  auto content = SmallContent();
  content.Languages.push_back({2057, u"British", {u"a", u"b", u"c"}});
  WriteFile(folder / "three", WriteContainer(content, 3));

  TLangDic dic;
  TWideStringArray strings{u"kept"};
  std::int32_t index = 0;
  EXPECT_FALSE(dic.LoadLanguage(index, strings)) << "nothing loaded yet";
  ASSERT_TRUE(dic.LoadFromFile((folder / "three").string()));
  index = -1;
  EXPECT_FALSE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(strings, TWideStringArray{u"kept"});
  index = 7;
  ASSERT_TRUE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(strings, kEnglish);
}

TEST(StringContainer, ForeignShortOrUnknownFilesFailAndLeaveNothingLoaded) {
  TScratchFolder folder;
  auto good = WriteContainer(SmallContent(), 4);
  const auto check = [&](const std::vector<std::uint8_t>& bytes, const char* what) {
    WriteFile(folder / "bad", bytes);
    TLangDic dic;
    EXPECT_FALSE(dic.LoadFromFile((folder / "bad").string())) << what;
    EXPECT_FALSE(dic.Loaded()) << what;
    EXPECT_TRUE(dic.Languages().empty()) << what;
  };
  auto foreign = good;
  foreign[0] = 'X';
  check(foreign, "signature");
  for (const std::uint8_t version : {0, 5}) {
    auto unknown = good;
    unknown[6] = version;
    check(unknown, "version");
  }
  for (const std::size_t size : {0u, 10u, 11u, 13u, 14u}) check(std::vector(good.begin(), good.begin() + size), "short");

  TLangDic dic;
  EXPECT_FALSE(dic.LoadFromFile((folder / "missing").string()));
  std::filesystem::create_directory(folder / "folder");
  EXPECT_FALSE(dic.LoadFromFile((folder / "folder").string()));
}

// Damage anywhere must show: the load fails, or a language does, never the
// whole read succeeding on bytes that are not there.
TEST(StringContainer, TruncatedContainersNeverReadAsComplete) {
  TScratchFolder folder;
  for (const std::uint16_t version : {1, 3}) {
    auto content = SmallContent();
    if (version == 1) content.Tables.clear();
    const auto bytes = WriteContainer(content, version);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      WriteFile(folder / "cut", std::vector(bytes.begin(), bytes.begin() + size));
      TLangDic dic;
      bool complete = dic.LoadFromFile((folder / "cut").string());
      for (std::int32_t l = 0; complete && l < 2; ++l) {
        TWideStringArray strings;
        std::int32_t index = l;
        complete = dic.LoadLanguage(index, strings);
      }
      EXPECT_FALSE(complete) << "version " << version << " cut to " << size << " of " << bytes.size();
    }
  }
}

TEST(StringContainer, CountsAndOffsetsBeyondTheDataFailWithoutHugeAllocations) {
  TScratchFolder folder;
  const auto good = WriteContainer(SmallContent(), 4);
  const auto patched = [&](std::size_t at, std::vector<std::uint8_t> value) {
    auto bytes = good;
    std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
  };
  const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
      {"string count", patched(10, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"language count", patched(8, {0xFF, 0xFF})},
      {"table count", patched(14, {0xFF, 0xFF})},
      {"table offset", patched(16, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"language offset", patched(22, {0xFF, 0xFF, 0xFF, 0xFF})},
      // A plain payload taken for an enciphered one: what a wrong key gives.
      {"wrong key", patched(6, {3})},
  };
  for (const auto& [what, bytes] : cases) {
    WriteFile(folder / "bad", bytes);
    TLangDic dic;
    EXPECT_FALSE(dic.LoadFromFile((folder / "bad").string())) << what;
  }
}

TEST(StringContainer, AReplacedFileIsReadAgainAndAFailedReadKeepsTheCallersStrings) {
  TScratchFolder folder;
  const auto path = folder / "dic";
  WriteFile(path, WriteContainer(SmallContent(), 3));
  TLangDic dic;
  ASSERT_TRUE(dic.LoadFromFile(path.string()));
  const auto firstAge = dic.FileAge();

  // One language fewer: the index 1 checked before the reload no longer exists.
  dictionary_writer::TContainerContent replacement{{{1040, u"Italiano", {u"Nuovo", u"Testo", u"Qui"}}}, {}};
  WriteFile(path, WriteContainer(replacement, 2));
  std::filesystem::last_write_time(path, firstAge + std::chrono::seconds(5));
  TWideStringArray strings;
  std::int32_t index = 1;
  ASSERT_TRUE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(strings, (TWideStringArray{u"Nuovo", u"Testo", u"Qui"}));
  EXPECT_EQ(dic.Version(), 2);
  EXPECT_EQ(dic.LanguageCount(), 1u);

  // Damaged behind the same stamp: no reload, and the strings read fail.
  const auto age = dic.FileAge();
  auto damaged = WriteContainer(replacement, 2);
  damaged.resize(damaged.size() - 3);
  WriteFile(path, damaged);
  std::filesystem::last_write_time(path, age);
  index = 0;
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
  EXPECT_TRUE(dic.FromResource());
  EXPECT_EQ(dic.ResName(), "ContainerTest");
  TWideStringArray strings;
  std::int32_t index = 1;
  ASSERT_TRUE(dic.LoadLanguage(index, strings));
  EXPECT_EQ(strings, kItalian);

  EXPECT_FALSE(dic.LoadFromResource(" \t"));
  EXPECT_FALSE(dic.FromResource());
  EXPECT_FALSE(dic.LoadFromResource("NOSUCHRESOURCE"));
  EXPECT_TRUE(dic.FromResource());
  EXPECT_TRUE(dic.ResName().empty());
  EXPECT_FALSE(dic.Loaded());
}

}  // namespace
}  // namespace support
