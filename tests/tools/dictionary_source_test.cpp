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
      "DBT\tDepth below transducer\t=\tProfondità sotto il trasduttore\n"
      "group\t1\tTalkers\n"
      "ARL\tMaker\n");

  ASSERT_EQ(content.Languages.size(), 3u);
  EXPECT_EQ(content.Languages[1].LangId, 2057);
  EXPECT_EQ(content.Languages[2].Name, u"Italiano");
  ASSERT_EQ(content.Tables.size(), 1u);
  EXPECT_EQ(content.Tables[0].Name, u"Codes");

  const bool dbtFirst = Code("DBT") < Code("VLW");
  const std::vector<std::uint32_t> expected = {1000000002, dbtFirst ? Code("DBT") : Code("VLW"),
                                               dbtFirst ? Code("VLW") : Code("DBT"), 1000000001, Code("ARL")};
  EXPECT_EQ(content.Tables[0].Codes, expected);

  const std::size_t vlw = dbtFirst ? 2 : 1;
  EXPECT_EQ(content.Languages[0].Strings[vlw], u"Distance traveled");
  EXPECT_EQ(content.Languages[1].Strings[vlw], u"Distance travelled");
  EXPECT_EQ(content.Languages[2].Strings[3 - vlw], u"Profondit\u00e0 sotto il trasduttore");
  EXPECT_EQ(content.Languages[1].Strings[3 - vlw], u"Depth below transducer");
  EXPECT_EQ(content.Languages[2].Strings[0], u"Frasi");
  for (const auto& language : content.Languages) {
    EXPECT_EQ(language.Strings[3], u"Talkers");
    EXPECT_EQ(language.Strings[4], u"Maker");
  }
}

TEST(DictionarySource, MistakesAreReportedWithTheirLine) {
  const std::string languages = "language\t1033\tEnglish\nlanguage\t1040\tItaliano\n";
  const std::pair<std::string, int> cases[] = {
      {languages + "GP\tOrphan\n", 3},
      {languages + "group\t1\tTalkers\nGP\tOne\nGP\tTwo\n", 5},
      {languages + "group\t1\tTalkers\ngroup\t1\tAgain\n", 4},
      {languages + "group\t1\tTalkers\nlanguage\t2057\tBritish\n", 4},
      {languages + "group\t1\tTalkers\nGP\tOne\tUno\tEin\n", 4},
      {languages + "group\t1\tTalkers\nGP\t=\tUno\n", 4},
      {languages + "group\t1\tTalkers\nGP\tOne\t\n", 4},
      {languages + "group\t1\tTalkers\nGP\tBad \xC3\n", 4},
      {languages + "group\t1\tTalkers\nGP\t\xED\xA0\x80 surrogate\n", 4},
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
  // The same key in two groups is two entries.
  EXPECT_NO_THROW(ParseDictionarySource(languages + "group\t1\tA\nGP\tOne\ngroup\t2\tB\nGP\tTwo\n"));
}

TEST(ContainerWriter, RefusesContentTheFormatCannotHold) {
  const TContainerContent uneven{{{1033, u"A", {u"x", u"y"}}, {1040, u"B", {u"x"}}}, {}};
  EXPECT_THROW(WriteContainer(uneven, 1), std::invalid_argument);
  const TContainerContent tableTooShort{{{1033, u"A", {u"x"}}}, {{u"Codes", {}}}};
  EXPECT_THROW(WriteContainer(tableTooShort, 4), std::invalid_argument);
  const TContainerContent withTable{{{1033, u"A", {u"x"}}}, {{u"Codes", {1}}}};
  EXPECT_THROW(WriteContainer(withTable, 2), std::invalid_argument);
  EXPECT_THROW(WriteContainer(withTable, 5), std::invalid_argument);
  const TContainerContent tooLong{{{1033, u"A", {std::u16string(40000, u'x')}}}, {}};
  EXPECT_THROW(WriteContainer(tooLong, 1), std::invalid_argument);
  EXPECT_NO_THROW(WriteContainer(withTable, 3));
}

}  // namespace
}  // namespace dictionary_writer
