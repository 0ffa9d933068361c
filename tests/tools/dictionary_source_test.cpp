#include "tools/dictionary-writer/dictionary_source.h"

#include <gtest/gtest.h>

#include "support/hashing.h"

namespace dictionary_writer {
namespace {

std::uint32_t Code(const char* Key) { return static_cast<std::uint32_t>(support::StringHashEx(Key)); }

TEST(DictionarySource, GroupsFollowTheirMarkersWithItemsSortedByCodeAndTextsRepeated) {
  const auto content = ParseDictionarySource(
      "# comment\r\n"
      "language\t1033\tEnglish\n"
      "language\t2057\tBritish\n"
      "language\t1040\tItaliano\n"
      "\n"
      "group\t2\tSentences\t=\tFrasi\n"
      "VLW\tDistance traveled\tDistance travelled\tDistanza percorsa\n"
      "DBT\tDepth below transducer\t=\tProfondità\n"
      "group\t1\tTalkers\n"
      "ARL\tMaker\n");

  ASSERT_EQ(content.Languages.size(), 3u);
  EXPECT_EQ(content.Languages[1].LangId, 2057);
  ASSERT_LT(Code("DBT"), Code("VLW"));
  EXPECT_EQ(content.Tables.at(0).Codes,
            (std::vector<std::uint32_t>{1000000002, Code("DBT"), Code("VLW"), 1000000001, Code("ARL")}));
  EXPECT_EQ(content.Languages[0].Strings, (std::vector<std::u16string>{u"Sentences", u"Depth below transducer",
                                                                       u"Distance traveled", u"Talkers", u"Maker"}));
  EXPECT_EQ(content.Languages[1].Strings, (std::vector<std::u16string>{u"Sentences", u"Depth below transducer",
                                                                       u"Distance travelled", u"Talkers", u"Maker"}));
  EXPECT_EQ(content.Languages[2].Strings,
            (std::vector<std::u16string>{u"Frasi", u"Profondit\u00e0", u"Distanza percorsa", u"Talkers", u"Maker"}));
}

TEST(DictionarySource, MistakesAreReportedWithTheirLine) {
  const std::string head = "language\t1033\tEnglish\nlanguage\t1040\tItaliano\ngroup\t1\tTalkers\n";
  const std::pair<std::string, int> cases[] = {
      {"language\t1033\tEnglish\nGP\tOrphan\n", 2},
      {head + "GP\tOne\nGP\tTwo\n", 5},
      {head + "group\t1\tAgain\n", 4},
      {head + "language\t2057\tBritish\n", 4},
      {head + "GP\tOne\tUno\tEin\n", 4},
      {head + "GP\t=\tUno\n", 4},
      {head + "GP\tOne\t\n", 4},
      {head + "GP\tBad \xC3\n", 4},
      {head + "GP\t\xED\xA0\x80 surrogate\n", 4},
      {"language\t1033\tEnglish\nlanguage\t1033\tAgain\n", 2},
      {"language\tabc\tEnglish\n", 1},
      {"group\t1\tTalkers\n", 1},
  };
  for (const auto& [source, line] : cases) {
    try {
      ParseDictionarySource(source);
      ADD_FAILURE() << "accepted:\n" << source;
    } catch (const TSourceError& error) {
      EXPECT_EQ(error.Line(), line) << error.what();
    }
  }
  EXPECT_NO_THROW(ParseDictionarySource(head + "GP\tOne\ngroup\t2\tB\nGP\tTwo\n")) << "one key in two groups";
}

// The dictionary finds a group by a marker above its base; group 0 would
// have none, and its items would fall into the group before it.
TEST(DictionarySource, GroupZeroIsRefusedWithItsReason) {
  try {
    ParseDictionarySource("language\t1033\tEnglish\ngroup\t1\tTalkers\nGP\tOne\ngroup\t0\tNone\nXX\tTwo\n");
    ADD_FAILURE() << "group 0 accepted";
  } catch (const TSourceError& error) {
    EXPECT_EQ(error.Line(), 4);
    EXPECT_NE(std::string(error.what()).find("group 0"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace dictionary_writer
