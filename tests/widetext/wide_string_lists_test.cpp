#include "widetext/wide_string_lists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/streams.h"
#include "tests/support/scratch_folder.h"
#include "widetext/codepage.h"
#include "widetext/file_stream.h"
#include "widetext/wide_zstrings.h"
#include "widetext/wtx_string_list.h"

namespace widetext {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::u16string>;

Items ItemsOf(const TWideStrings& List) {
  Items items;
  for (int i = 0; i < List.Count(); ++i) items.push_back(List[i]);
  return items;
}

std::string Utf16LE(std::u16string_view Text) {
  std::string bytes;
  for (const char16_t unit : Text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string Utf16BE(std::u16string_view Text) {
  std::string bytes;
  for (const char16_t unit : Text) {
    bytes.push_back(static_cast<char>(unit >> 8));
    bytes.push_back(static_cast<char>(unit & 0xFF));
  }
  return bytes;
}

std::string Contents(platform::TMemoryStream& Stream) {
  return std::string(reinterpret_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size()));
}

void Fill(platform::TMemoryStream& Stream, std::string_view Bytes) {
  Stream.Clear();
  Stream.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
  Stream.SetPosition(0);
}

TEST(WideStringsText, LinesBreakAtCrLfAndLineSeparator) {
  TWtxStringList list;
  const struct {
    std::u16string_view Text;
    Items Expected;
  } cases[] = {
      {u"A\r\nB", {u"A", u"B"}},
      {u"A\r\rB", {u"A", u"", u"B"}},
      {u"A\u2028B", {u"A", u"B"}},
      {u"A\r\n", {u"A"}},
      {u"A\r\n\u2028B", {u"A", u"B"}},
      {u"A\n\rB", {u"A", u"", u"B"}},
      {u"", {}},
      {std::u16string_view(u"A\r\nB\0C", 6), {u"A", u"B"}},
  };
  for (const auto& c : cases) {
    list.SetTextStr(c.Text);
    EXPECT_EQ(ItemsOf(list), c.Expected);
  }
  list.SetTextStr(u"one\ntwo");
  EXPECT_EQ(list.GetTextStr(), u"one\r\ntwo\r\n");
  char16_t* text = list.GetText();
  EXPECT_EQ(WideStrToString(text), u"one\r\ntwo\r\n");
  WideStrDispose(text);
}

class WideListFilesTest : public ::testing::Test {
 protected:
  std::u16string Write(const std::string& Name, std::string_view Bytes) const {
    std::ofstream(Folder / Name, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    return StringToWideStringEx((Folder / Name).string(), CP_UTF8);
  }
  std::string Read(const std::u16string& Name) const {
    std::ifstream in(WideStringToStringEx(Name, CP_UTF8), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  support::testing::TScratchFolder Folder;
};

TEST_F(WideListFilesTest, EachEncodingLoadsAndSavesBackByteExact) {
  const std::u16string text = u"caf\u00E9 \u20AC\r\n\u4E2D\u6587 \U0001F600\r\n";
  const Items items = {u"caf\u00E9 \u20AC", u"\u4E2D\u6587 \U0001F600"};
  const std::string le = "\xFF\xFE" + Utf16LE(text);
  TWtxStringList list;

  // UTF-16LE with its mark saves back as it was.
  const std::u16string leFile = Write("le.txt", le);
  list.LoadFromFile(leFile);
  EXPECT_EQ(ItemsOf(list), items);
  const std::u16string saved = Write("saved.txt", "");
  list.SaveToFile(saved);
  EXPECT_EQ(Read(saved), le);

  // UTF-16BE and UTF-8 with their marks read the same items.
  list.LoadFromFile(Write("be.txt", "\xFE\xFF" + Utf16BE(text)));
  EXPECT_EQ(ItemsOf(list), items);
  const std::string utf8 =
      "\xEF\xBB\xBF"
      "caf\xC3\xA9 \xE2\x82\xAC\r\n\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80\r\n";
  list.LoadFromFile(Write("utf8.txt", utf8));
  EXPECT_EQ(ItemsOf(list), items);
  // ... and go back out in their own encoding through the 8-bit view.
  platform::TMemoryStream out;
  out.WriteBuffer("\xEF\xBB\xBF", 3);
  list.AnsiStrings().SaveToStream(out, CP_UTF8);
  EXPECT_EQ(Contents(out), utf8);

  // Without a mark the file is 8-bit text in the system's ANSI page.
  const std::string ansi = "caf\xE9 \x80\r\nline two\r\n";
  list.LoadFromFile(Write("ansi.txt", ansi));
  EXPECT_EQ(ItemsOf(list), (Items{u"caf\u00E9 \u20AC", u"line two"}));
  out.Clear();
  list.AnsiStrings().SaveToStream(out, 1252);
  EXPECT_EQ(Contents(out), ansi);
}

TEST(WideListStreams, ShortAndOddStreamsAndStartPositions) {
  TWtxStringList list;
  platform::TMemoryStream stream;
  // Streams too short for a mark are 8-bit text; a mark alone is no text.
  const struct {
    std::string_view Bytes;
    std::u16string_view Text;
  } shortStreams[] = {{"", u""}, {"x", u"x\r\n"}, {"xy", u"xy\r\n"}, {"\xFF\xFE", u""}, {"\xEF\xBB\xBF", u""}};
  for (const auto& c : shortStreams) {
    Fill(stream, c.Bytes);
    list.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(list.GetTextStr(), c.Text);
  }
  // An odd byte after UTF-16 units is not a unit.
  Fill(stream, "\xFF\xFE" + Utf16LE(u"ab") + "c");
  list.LoadFromStream(stream);
  EXPECT_EQ(ItemsOf(list), (Items{u"ab"}));
  // Only the bytes from the position on count.
  Fill(stream, "junk\xFE\xFF" + Utf16BE(u"\u0416x"));
  stream.SetPosition(4);
  list.LoadFromStream(stream);
  EXPECT_EQ(ItemsOf(list), (Items{u"\u0416x"}));
  // Without the mark rule the bytes are UTF-16LE, lone surrogates and all.
  const std::u16string odd(
      u"a\xD800"
      u"b\xDC00");
  Fill(stream, Utf16LE(odd));
  list.LoadFromStream_BOM(stream, false);
  EXPECT_EQ(ItemsOf(list), (Items{odd}));
  platform::TMemoryStream out;
  list.SaveToStream_BOM(out, false);
  EXPECT_EQ(Contents(out), Utf16LE(odd + u"\r\n"));
}

TEST(WideListAdapter, EightBitViewConvertsItemsInItsCodePage) {
  TWtxStringList list;
  list.Add(u"\u20AC \u4E2D");
  TAnsiStrings& ansi = list.AnsiStrings();
  EXPECT_EQ(ansi.Get(0), "\x80 ?");
  ansi.Add("caf\xE9");
  EXPECT_EQ(list[1], u"caf\u00E9");
  ansi.Put(0, "x");
  EXPECT_EQ(list[0], u"x");

  auto& adapter = static_cast<TAnsiStringsForWideStringsAdapter&>(ansi);
  adapter.AdapterCodePage = 1251;
  ansi.Insert(0, "\xCF\xF0");
  EXPECT_EQ(list[0], u"\u041F\u0440");
  platform::TMemoryStream stream;
  Fill(stream, "\xE0\r\n\xE1");
  adapter.LoadFromStream(stream);
  EXPECT_EQ(ItemsOf(list), (Items{u"\u0430", u"\u0431"}));

  platform::TStringList source;
  source.Add("one");
  source.Add("two");
  list.SetAnsiStrings(source);
  EXPECT_EQ(ItemsOf(list), (Items{u"one", u"two"}));
}

TEST(WideListAssign, BetweenWideAndEightBitLists) {
  platform::TObject tag;
  TWtxStringList wide;
  wide.SetDelimiter(u';');
  wide.AddObject(u"\u00E9\u4E2D", &tag);
  platform::TStringList ansi;
  ansi.Assign(&wide);
  ASSERT_EQ(ansi.Count(), 1);
  EXPECT_EQ(ansi.Get(0), "\xE9?");
  EXPECT_EQ(ansi.GetObject(0), &tag);
  EXPECT_EQ(ansi.Delimiter, ';');

  ansi.NameValueSeparator = ':';
  TWtxStringList back;
  back.Assign(&ansi);
  EXPECT_EQ(ItemsOf(back), (Items{u"\u00E9?"}));
  EXPECT_EQ(back.GetObject(0), &tag);
  EXPECT_EQ(back.NameValueSeparator(), u':');

  TWtxStringList copy;
  copy.Assign(&wide);
  EXPECT_EQ(ItemsOf(copy), ItemsOf(wide));
  EXPECT_EQ(copy.Delimiter(), u';');
  EXPECT_EQ(copy.DefinedFlags(), wide.DefinedFlags());
}

TEST(WtxStringList, SortedListsAndDuplicates) {
  TWtxStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add(u"b"), 0);
  EXPECT_EQ(list.Add(u"a"), 0);
  EXPECT_EQ(list.Add(u"C"), 2);
  EXPECT_EQ(list.Add(u"B"), 1);  // dupIgnore: the existing index
  EXPECT_EQ(list.Count(), 3);

  list.Duplicates = platform::dupError;
  try {
    list.Add(u"a");
    ADD_FAILURE();
  } catch (const platform::EStringListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  list.Duplicates = platform::dupAccept;
  list.Add(u"b");
  list.Add(u"B");
  int index = -1;
  EXPECT_TRUE(list.Find(u"b", index));
  EXPECT_EQ(index, 1);  // the first of the equal items
  EXPECT_FALSE(list.Find(u"bb", index));
  EXPECT_EQ(index, 4);
  EXPECT_EQ(list.IndexOf(u"c"), 4);

  for (auto operation : {+[](TWtxStringList& L) { L.Insert(0, u"x"); }, +[](TWtxStringList& L) { L.Put(0, u"x"); }}) {
    try {
      operation(list);
      ADD_FAILURE();
    } catch (const platform::EStringListError& e) {
      EXPECT_STREQ(e.what(), "Operation not allowed on sorted list");
    }
  }
}

TEST(WtxStringList, SortingAndNames) {
  TWtxStringList list;
  for (const char16_t* s : {u"pear=3", u"Apple=1", u"fig=2", u"apple=4"}) list.Add(s);
  EXPECT_EQ(list.IndexOfName(u"FIG"), 2);
  list.SetSorted(true);
  EXPECT_EQ(ItemsOf(list), (Items{u"Apple=1", u"apple=4", u"fig=2", u"pear=3"}));
  EXPECT_EQ(list.IndexOfName(u"PEAR"), 3);
  EXPECT_EQ(list.IndexOfName(u"zzz"), -1);
  EXPECT_EQ(list.IndexOfName(u"pea"), -1);
  list.Sort();  // already sorted: nothing to do
  list.SetCaseSensitive(true);
  EXPECT_EQ(ItemsOf(list), (Items{u"Apple=1", u"apple=4", u"fig=2", u"pear=3"}));
  EXPECT_EQ(list.IndexOf(u"APPLE=1"), -1);

  TWtxStringList big;
  for (int i = 0; i < 20000; ++i) big.Add(std::u16string(1, static_cast<char16_t>(u'a' + (i * 7919) % 26)));
  big.Add(u"a");
  big.CustomSort([](TWtxStringList& L, int A, int B) { return L.CompareStrings(L[B], L[A]); });
  for (int i = 1; i < big.Count(); ++i) ASSERT_GE(big.CompareStrings(big[i - 1], big[i]), 0);
}

TEST(WtxStringList, IndexErrorsAndObjects) {
  TWtxStringList list;
  platform::TObject a, b;
  list.AddObject(u"one", &a);
  list.AddObject(u"two", &b);
  list.Exchange(0, 1);
  EXPECT_EQ(ItemsOf(list), (Items{u"two", u"one"}));
  EXPECT_EQ(list.GetObject(0), &b);
  list.Move(0, 1);
  EXPECT_EQ(list.GetObject(1), &b);
  EXPECT_EQ(list.IndexOfObject(&b), 1);
  list.Insert(2, u"three");  // Count is a valid place to insert
  EXPECT_EQ(list.Count(), 3);
  const auto expectIndexError = [](auto Operation, int Index) {
    try {
      Operation();
      ADD_FAILURE();
    } catch (const platform::EStringListError& e) {
      EXPECT_EQ(e.what(), "List index out of bounds (" + std::to_string(Index) + ")");
    }
  };
  expectIndexError([&] { list.Get(3); }, 3);
  expectIndexError([&] { list.Delete(-1); }, -1);
  expectIndexError([&] { list.Insert(5, u"x"); }, 5);
  expectIndexError([&] { list.Exchange(0, 7); }, 7);
  expectIndexError([&] { list.PutObject(3, nullptr); }, 3);
  list.SetCapacity(0);  // a reservation never drops items
  EXPECT_EQ(list.Count(), 3);
}

TEST(WtxStringList, UpdateBracketRaisesOneChangeAtItsEnd) {
  TWtxStringList list;
  int changing = 0;
  int changed = 0;
  list.OnChanging = [&](platform::TObject*) { ++changing; };
  list.OnChange = [&](platform::TObject*) { ++changed; };
  list.Add(u"x");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(u"y");
  list.SetTextStr(u"a\nb");
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 2);
  // A failure inside a bracket still closes it.
  list.SetSorted(true);
  list.Duplicates = platform::dupError;
  platform::TStringList dup;
  dup.Add("a");
  EXPECT_THROW(list.AddStrings(dup), platform::EStringListError);
  EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(WideListFiling, StringsPropertyRoundTripsAndOlderFormsAreRead) {
  TWtxStringList list;
  list.SetTextStr(u"\u03A9\r\nplain");
  platform::TMemoryStream stream;
  {
    platform::TWriter writer(stream);
    list.DefineProperties(&writer);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TWtxStringList read;
  platform::TReader(stream).ReadProperties(&read);
  EXPECT_EQ(ItemsOf(read), ItemsOf(list));

  // Nothing is written for an empty list or one equal to its ancestor.
  for (const bool withAncestor : {false, true}) {
    TWtxStringList empty;
    platform::TMemoryStream out;
    platform::TWriter writer(out);
    if (withAncestor) {
      empty.Assign(&list);
      writer.Ancestor = &list;
    }
    empty.DefineProperties(&writer);
    EXPECT_EQ(out.Size(), 0);
  }

  // 8-bit items, a single text, and the companions that are read and dropped.
  stream.Clear();
  {
    platform::TWriter writer(stream);
    writer.WritePropName("WideStrings");
    writer.WriteListBegin();
    writer.WriteString("caf\xE9");
    writer.WriteWideString(u"\u4E2D");
    writer.WriteListEnd();
    writer.WritePropName("WideStringsW");
    writer.WriteListBegin();
    writer.WriteString("x\xC3\xA9");
    writer.WriteListEnd();
    writer.WritePropName("WideStrings_UTF7");
    writer.WriteListBegin();
    writer.WriteString("+AOk-");
    writer.WriteListEnd();
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  platform::TReader(stream).ReadProperties(&read);
  EXPECT_EQ(ItemsOf(read), (Items{u"caf\u00E9", u"\u4E2D"}));

  stream.Clear();
  {
    platform::TWriter writer(stream);
    writer.WritePropName("Strings");
    writer.WriteWideString(u"a\r\nb");
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  platform::TReader(stream).ReadProperties(&read);
  EXPECT_EQ(ItemsOf(read), (Items{u"a", u"b"}));
}

TEST(WtxFileStream, FailuresNameTheFullPathAndTheSystemsReason) {
  const std::string full = (fs::current_path() / "no-such-dir/missing.txt").string();
  try {
    TWtxFileStream stream(u"no-such-dir/missing.txt", platform::fmOpenRead);
    ADD_FAILURE();
  } catch (const platform::EFOpenError& e) {
    EXPECT_EQ(e.what(), "Cannot open file \"" + full + "\". No such file or directory");
  }
  try {
    TWtxFileStream stream(u"/no-such-dir/\u00E9.txt", platform::fmCreate);
    ADD_FAILURE();
  } catch (const platform::EFCreateError& e) {
    EXPECT_STREQ(e.what(), "Cannot create file \"/no-such-dir/\xC3\xA9.txt\". No such file or directory");
  }
  // Expanding the empty name fails too; the reason reported is still the
  // open's.
  try {
    TWtxFileStream stream(u"", platform::fmOpenRead);
    ADD_FAILURE();
  } catch (const platform::EFOpenError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file \"\". The path was not found");
  }
}

}  // namespace
}  // namespace widetext
