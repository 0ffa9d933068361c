#include "support/code_dictionary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "platform/core/cp1252.h"
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
  EXPECT_EQ(dic.Groups()[0].Code, 1);
  EXPECT_EQ(dic.Groups()[0].First, 4);
  EXPECT_EQ(dic.Groups()[0].Last, 5);
  EXPECT_EQ(dic.Groups()[1].Code, 2);
  EXPECT_EQ(dic.Groups()[1].First, 1);
  EXPECT_EQ(dic.Groups()[1].Last, 2);
  EXPECT_EQ(dic.GroupCodes(), (TIntegerArray{1, 2}));

  EXPECT_EQ(Lookup(dic, 2, 9), u"") << "no language selected yet";
  dic.SetLanguage(1033);
  EXPECT_EQ(Lookup(dic, 2, 9), u"1033:2");
  EXPECT_EQ(Lookup(dic, 1, 7), u"1033:5");
  EXPECT_EQ(Lookup(dic, 1, 5), u"") << "5 is in group 2 only";
  EXPECT_EQ(Lookup(dic, 4, 3), u"");
  EXPECT_EQ(Lookup(dic, 1, 1000000001), u"") << "a marker is no item";
}

TEST(CodeDictionary, ExactlyOneBillionIsAnItemAndATrailingMarkerOpensAnEmptyGroup) {
  RegisterTestResource("DICEDGES", WriteContainer(DictionaryContent({1033}, {7, 1000000005, 4, 1000000000, 1000000006}), 3));
  TObjDic dic;
  ASSERT_TRUE(dic.Load("DICEDGES"));
  dic.SetLanguage(1033);
  EXPECT_EQ(Lookup(dic, 5, 1000000000), u"1033:3");
  EXPECT_EQ(Lookup(dic, 5, 4), u"1033:2");
  EXPECT_EQ(Lookup(dic, 0, 7), u"") << "strings before the first marker belong to no group";
  ASSERT_EQ(dic.Groups().size(), 2u);
  EXPECT_EQ(dic.Groups()[1].First, 5);
  EXPECT_EQ(dic.Groups()[1].Last, 4);
  EXPECT_EQ(Lookup(dic, 6, 0), u"");
}

TEST(CodeDictionary, MissingLanguagesFallBackToBritishThenAmericanEnglish) {
  const std::vector<std::uint32_t> codes = {1000000001, 10};
  RegisterTestResource("DICALL", WriteContainer(DictionaryContent({1033, 1040, 2057}, codes), 3));
  RegisterTestResource("DICUS", WriteContainer(DictionaryContent({1033, 1040}, codes), 3));
  RegisterTestResource("DICIT", WriteContainer(DictionaryContent({1040}, codes), 3));

  TObjDic dic;
  ASSERT_TRUE(dic.Load("DICALL"));
  dic.SetLanguage(1031);
  EXPECT_EQ(Lookup(dic, 1, 10), u"2057:1");
  dic.SetLanguage(1040);
  EXPECT_EQ(Lookup(dic, 1, 10), u"1040:1");

  ASSERT_TRUE(dic.Load("DICUS"));
  dic.SetLanguage(1031);
  EXPECT_EQ(Lookup(dic, 1, 10), u"1033:1");

  ASSERT_TRUE(dic.Load("DICIT"));
  dic.SetLanguage(1031);
  EXPECT_EQ(Lookup(dic, 1, 10), u"");
  dic.SetLanguage(1040);
  EXPECT_EQ(Lookup(dic, 1, 10), u"1040:1");
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

// What the analysis tree asks of the embedded dictionary.
class NmeaDictionary : public ::testing::Test {
 protected:
  static std::vector<std::string> Keys(const char* ListFile) {
    std::ifstream in(std::string(VELTROSA_DATA_DIR) + "/dictionary/" + ListFile);
    std::vector<std::string> keys;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty()) keys.push_back(line.substr(0, line.find('\t')));
    }
    return keys;
  }

  TObjDic dic_;
};

TEST_F(NmeaDictionary, IsAnEncipheredExtendedContainerOfThreeLanguages) {
  ASSERT_TRUE(dic_.Load());
  EXPECT_EQ(dic_.Dic().Version(), 3);
  EXPECT_EQ(dic_.Dic().LanguageCount(), 3u);
  std::int32_t index;
  for (const std::uint16_t id : {1033, 2057, 1040}) EXPECT_TRUE(dic_.Dic().FindLanguage(id, index)) << id;
  EXPECT_EQ(dic_.GroupCodes(), (TIntegerArray{1, 2, 3}));
}

TEST_F(NmeaDictionary, AnswersTheTreesLookupsInEveryLanguage) {
  ASSERT_TRUE(dic_.Load());
  const std::string sentencesTheDecoderHandles[] = {
      "DBT", "DPT", "VHW", "VLW", "VPW", "MTW", "MTA", "MDA", "XDR", "ZDA", "GGA", "GLL", "RMC", "VTG", "GSA", "GSV", "DTM",
      "RMB", "WPL", "HDG", "HDM", "HDT", "ROT", "HPR", "MWV", "MWD", "VWR", "VWT", "WCV", "MMB", "RPM", "RSA", "RSD", "ALR"};
  std::map<std::uint16_t, std::u16string> gpsName;
  for (const std::uint16_t language : {1033, 2057, 1040}) {
    dic_.SetLanguage(language);
    EXPECT_NE(Lookup(dic_, 1, 21424), u"") << "proprietary talker, " << language;
    gpsName[language] = Lookup(dic_, 1, StringHashEx("GP"));
    for (const auto& talker : Keys("talkers.tsv")) {
      // The list's "DM" is a slip for VM, the magnetic speed log, which the dictionary holds.
      const std::string id = talker == "DM" ? "VM" : talker;
      EXPECT_NE(Lookup(dic_, 1, StringHashEx(id)), u"") << id << ", " << language;
    }
    for (const auto& sentence : Keys("sentences.tsv")) EXPECT_NE(Lookup(dic_, 2, StringHashEx(sentence)), u"") << sentence;
    for (const auto& sentence : sentencesTheDecoderHandles) EXPECT_NE(Lookup(dic_, 2, StringHashEx(sentence)), u"") << sentence;
    for (const auto& maker : Keys("manufacturers.tsv")) EXPECT_NE(Lookup(dic_, 3, StringHashEx(maker)), u"") << maker;
    for (const char* maker : {"ARL", "GRM", "MTK"}) EXPECT_NE(Lookup(dic_, 3, StringHashEx(maker)), u"") << maker;
    EXPECT_EQ(Lookup(dic_, 2, StringHashEx("GP")), u"") << "a talker is not a sentence";
  }
  EXPECT_EQ(gpsName[1033], u"Global Positioning System (GPS)");
  EXPECT_EQ(gpsName[1040], u"Sistema di posizionamento globale (GPS)");

  // Every text must reach the 8-bit hint without loss.
  dic_.SetLanguage(1040);
  for (const auto& text : dic_.Strings()) {
    bool lossy = false;
    platform::Utf16ToCp1252(text, '?', &lossy);
    EXPECT_FALSE(lossy) << platform::Utf16ToCp1252(text);
  }
}

}  // namespace
}  // namespace support
