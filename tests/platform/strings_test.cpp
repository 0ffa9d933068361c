#include "platform/core/classes/strings.h"

#include <gtest/gtest.h>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/streams.h"
#include "platform/core/classes/sysutils.h"

namespace {

using namespace platform;

std::vector<std::string> Items(const TStrings& S) {
  std::vector<std::string> out;
  for (int i = 0; i < S.Count(); ++i) out.push_back(S[i]);
  return out;
}

using V = std::vector<std::string>;

TEST(StringsText, LinesSplitAtEachBreakKind) {
  TStringList list;
  list.SetText("A\r\nB");
  EXPECT_EQ(Items(list), (V{"A", "B"}));
  list.SetText("A\r\rB\nC\r\n");
  EXPECT_EQ(Items(list), (V{"A", "", "B", "C"}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText(std::string_view("x\0y", 3));
  EXPECT_EQ(Items(list), (V{"x"}));
  list.SetText("one\ntwo");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
}

TEST(StringsText, CommaTextQuotesWhatNeedsItAndReadsItBack) {
  TStringList list;
  list.Add("plain");
  list.Add("with blank");
  list.Add("say \"hi\"");
  list.Add("");
  list.Add("a,b");
  const std::string text = list.CommaText();
  EXPECT_EQ(text, "plain,\"with blank\",\"say \"\"hi\"\"\",\"\",\"a,b\"");
  TStringList back;
  back.SetCommaText(text);
  EXPECT_EQ(Items(back), Items(list));

  back.SetCommaText("  a b ,c,");
  EXPECT_EQ(Items(back), (V{"a", "b", "c", ""}));
  back.SetCommaText("\"unclosed, rest");
  EXPECT_EQ(Items(back), (V{"unclosed, rest"}));
  TStringList single;
  single.Add("");
  EXPECT_EQ(single.CommaText(), "\"\"");
}

TEST(StringsText, NameValuePairs) {
  TStringList list;
  list.Add("Port=3");
  list.Add("Baud=4800");
  EXPECT_EQ(list.Values("baud"), "4800");
  EXPECT_EQ(list.Names(0), "Port");
  list.SetValue("Port", "5");
  list.SetValue("Units", "m");
  EXPECT_EQ(Items(list), (V{"Port=5", "Baud=4800", "Units=m"}));
  list.SetValue("Baud", "");
  EXPECT_EQ(list.IndexOfName("Baud"), -1);
  EXPECT_EQ(list.Count(), 2);
}

TEST(StringToGUID, TheBracedFormGivesItsFieldsAndAnyOtherTextRaisesAConversionError) {
  const GUID guid = StringToGUID("{43826d1e-E718-42ee-bc55-a1e261c37bfe}");
  EXPECT_EQ(guid.Data1, 0x43826d1eu);
  EXPECT_EQ(guid.Data2, 0xe718u);
  EXPECT_EQ(guid.Data3, 0x42eeu);
  EXPECT_EQ(std::vector<int>(guid.Data4, guid.Data4 + 8),
            (std::vector<int>{0xbc, 0x55, 0xa1, 0xe2, 0x61, 0xc3, 0x7b, 0xfe}));
  for (const std::string bad : {"43826d1e-e718-42ee-bc55-a1e261c37bfe", "{43826d1e-e718-42ee-bc55-a1e261c37bfg}",
                                "{43826d1e-e718+42ee-bc55-a1e261c37bfe}"}) {
    try {
      StringToGUID(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + bad + "' is not a valid GUID value");
    }
  }
}

TEST(StringList, SortedListFindsAndHandlesDuplicates) {
  TStringList list;
  list.Add("delta");
  list.Add("Alpha");
  list.Add("charlie");
  list.SetSorted(true);
  EXPECT_EQ(Items(list), (V{"Alpha", "charlie", "delta"}));
  EXPECT_EQ(list.Add("ALPHA"), 0);  // ignored, existing index
  EXPECT_EQ(list.Count(), 3);
  int index = -1;
  EXPECT_FALSE(list.Find("bravo", index));
  EXPECT_EQ(index, 1);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.Put(0, "x"), EStringListError);
  list.Duplicates = dupError;
  EXPECT_THROW(list.Add("delta"), EStringListError);
  list.Duplicates = dupAccept;
  list.Add("charlie");
  list.Add("charlie");
  EXPECT_TRUE(list.Find("charlie", index));
  EXPECT_EQ(list[index], "charlie");
  EXPECT_EQ(list.IndexOf("CHARLIE"), index);

  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("CHARLIE"), -1);
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList list;
  list.Add("a");
  try {
    list.Get(5);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  EXPECT_NO_THROW(list.Insert(1, "b"));
  EXPECT_THROW(list.Insert(3, "c"), EStringListError);
}

TEST(StringList, UpdateBracketsNotifyOnceEachWay) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
}

TEST(StringList, AssignCopiesItemsObjectsAndSeparators) {
  TStringList a;
  TObject tag;
  a.AddObject("x", &tag);
  a.NameValueSeparator = ':';
  TStringList b;
  b.Add("old");
  b.Assign(&a);
  EXPECT_EQ(Items(b), (V{"x"}));
  EXPECT_EQ(b.GetObject(0), &tag);
  EXPECT_EQ(b.NameValueSeparator, ':');
  class Other : public TPersistent {
  } other;
  EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST(StringList, StreamsAndFilingRoundTrip) {
  TStringList list;
  list.Add("caf\xE9");
  list.Add(std::string(300, 'x'));
  TMemoryStream stream;
  list.SaveToStream(stream);
  stream.SetPosition(0);
  TStringList back;
  back.LoadFromStream(stream);
  EXPECT_EQ(Items(back), Items(list));

  TMemoryStream filed;
  TWriter writer(filed);
  writer.WriteProperties(&list);
  filed.SetPosition(0);
  TStringList read;
  read.Add("replaced");
  TReader reader(filed);
  reader.ReadProperties(&read);
  EXPECT_EQ(Items(read), Items(list));

  // An empty list writes nothing; against an equal ancestor neither.
  TMemoryStream none;
  TStringList empty;
  TWriter w2(none);
  w2.WriteProperties(&empty);
  EXPECT_EQ(none.Size(), 1);
  TMemoryStream same;
  TWriter w3(same);
  w3.Ancestor = &back;
  w3.WriteProperties(&list);
  EXPECT_EQ(same.Size(), 1);
}

}  // namespace
