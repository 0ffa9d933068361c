#include "support/code_dictionary.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>

#include "platform/core/text/cp1252.h"
#include "support/hashing.h"
#include "tests/support/container_test_helpers.h"

namespace support {
namespace {

using dictionary_writer::WriteContainer;
using testing::DictionaryContent;
using testing::RegisterTestResource;

std::u16string Lookup(const TObjDic& dic, std::int32_t group, std::int32_t item) {
  std::u16string text = u"stale";
  const bool found = dic.Lookup(group, item, text);
  EXPECT_EQ(found, !text.empty());
  return text;
}

TEST(CodeDictionary, MarkersSplitTheStringsIntoGroupsSearchedByCode) {
  RegisterTestResource("DICGROUPS", WriteContainer(DictionaryContent({1033}, {1000000002, 5, 9, 1000000001, 3, 7}), 3));
  TObjDic dic;
  ASSERT_TRUE(dic.Load("DICGROUPS"));
  ASSERT_EQ(dic.Groups().size(), 2u);
  EXPECT_EQ((std::array{dic.Groups()[0].Code, dic.Groups()[0].First, dic.Groups()[0].Last}), (std::array{1, 4, 5}));
  EXPECT_EQ((std::array{dic.Groups()[1].Code, dic.Groups()[1].First, dic.Groups()[1].Last}), (std::array{2, 1, 2}));

  EXPECT_EQ(Lookup(dic, 2, 9), u"") << "no language selected yet";
  dic.SetLanguage(1033);
  EXPECT_EQ(Lookup(dic, 2, 9), u"1033:2");
  EXPECT_EQ(Lookup(dic, 1, 7), u"1033:5");
  EXPECT_EQ(Lookup(dic, 1, 5), u"") << "5 is in group 2 only";
  EXPECT_EQ(Lookup(dic, 4, 3), u"");
  EXPECT_EQ(Lookup(dic, 1, 1000000001), u"") << "a marker is no item";

  // Exactly 1,000,000,000 is an item; a marker in the last slot opens an empty group.
  RegisterTestResource("DICEDGES",
                       WriteContainer(DictionaryContent({1033}, {7, 1000000005, 4, 1000000000, 1000000006}), 3));
  ASSERT_TRUE(dic.Load("DICEDGES"));
  dic.SetLanguage(1033);
  EXPECT_EQ(Lookup(dic, 5, 1000000000), u"1033:3");
  EXPECT_EQ(Lookup(dic, 0, 7), u"") << "strings before the first marker belong to no group";
  EXPECT_EQ(Lookup(dic, 6, 0), u"");
}

TEST(CodeDictionary, MissingLanguagesFallBackToBritishThenAmericanEnglish) {
  const std::vector<std::uint32_t> codes = {1000000001, 10};
  RegisterTestResource("DICALL", WriteContainer(DictionaryContent({1033, 1040, 2057}, codes), 3));
  RegisterTestResource("DICUS", WriteContainer(DictionaryContent({1033, 1040}, codes), 3));
  RegisterTestResource("DICIT", WriteContainer(DictionaryContent({1040}, codes), 3));
  TObjDic dic;
  const std::pair<const char*, const char16_t*> cases[] = {{"DICALL", u"2057:1"}, {"DICUS", u"1033:1"}, {"DICIT", u""}};
  for (const auto& [resource, expected] : cases) {
    ASSERT_TRUE(dic.Load(resource));
    dic.SetLanguage(1031);
    EXPECT_EQ(Lookup(dic, 1, 10), expected) << resource;
    dic.SetLanguage(1040);
    EXPECT_EQ(Lookup(dic, 1, 10), u"1040:1") << resource;
  }
}

TEST(CodeDictionary, AMissingOrDamagedResourceLeavesAnEmptyDictionary) {
  auto damaged = WriteContainer(DictionaryContent({1033}, {1000000001, 10}), 3);
  damaged.resize(damaged.size() - 1);
  RegisterTestResource("DICDAMAGED", damaged);
  for (const char* name : {"DICDAMAGED", "NOSUCHDIC"}) {
    TObjDic dic;
    EXPECT_FALSE(dic.Load(name));
    dic.SetLanguage(1033);
    EXPECT_TRUE(dic.Strings().empty());
    EXPECT_EQ(Lookup(dic, 1, 10), u"");
  }
}

std::vector<std::string> ListedCodes(const char* ListFile) {
  std::ifstream in(std::string(VELTROSA_DATA_DIR) + "/dictionary/" + ListFile);
  std::vector<std::string> keys;
  for (std::string line; std::getline(in, line);) {
    // The list's talker "DM" is a slip for VM, the magnetic speed log.
    if (!line.empty()) keys.push_back(line.starts_with("DM\t") ? "VM" : line.substr(0, line.find('\t')));
  }
  return keys;
}

// What the input analysis tree asks of the embedded dictionary.
TEST(NmeaDictionary, AnswersTheTreesLookupsInEveryLanguage) {
  TObjDic dic;
  ASSERT_TRUE(dic.Load());
  EXPECT_EQ(dic.Dic().Version(), 3);
  EXPECT_EQ(dic.GroupCodes(), (TIntegerArray{1, 2, 3}));
  const std::pair<std::int32_t, std::vector<std::string>> groups[] = {
      {1, ListedCodes("talkers.tsv")}, {2, ListedCodes("sentences.tsv")}, {3, ListedCodes("manufacturers.tsv")}};
  std::map<std::uint16_t, std::u16string> gps;
  for (const std::uint16_t language : {1033, 2057, 1040}) {
    std::int32_t index;
    EXPECT_TRUE(dic.Dic().FindLanguage(language, index));
    dic.SetLanguage(language);
    EXPECT_NE(Lookup(dic, 1, 21424), u"") << "proprietary talker P, " << language;
    for (const auto& [group, codes] : groups) {
      for (const auto& code : codes) EXPECT_NE(Lookup(dic, group, StringHashEx(code)), u"") << code << ", " << language;
    }
    EXPECT_EQ(Lookup(dic, 2, StringHashEx("GP")), u"") << "a talker is not a sentence";
    gps[language] = Lookup(dic, 1, StringHashEx("GP"));
    // Hints are 8-bit text: every character must survive the conversion.
    for (const auto& text : dic.Strings()) {
      bool lossy = false;
      platform::Utf16ToCp1252(text, '?', &lossy);
      EXPECT_FALSE(lossy) << platform::Utf16ToCp1252(text);
    }
  }
  EXPECT_EQ(gps[1033], u"Global Positioning System (GPS)");
  EXPECT_EQ(gps[1040], u"Sistema di posizionamento globale (GPS)");
}

}  // namespace
}  // namespace support
