#include "platform/core/os/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/platform/registry_inspector.h"
#include "tests/support/scratch_folder.h"

namespace {

using platform::ERegistryException;
using platform::TRegistry;
using platform::TRegistryInspector;
using platform::testing::SaveAndReadAgain;

constexpr char kKey[] = "\\SOFTWARE\\Maker\\Program";

std::string ReadBytes(const std::filesystem::path& P) {
  std::ifstream in(P, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& P, const std::string& Bytes) {
  std::ofstream(P, std::ios::binary) << Bytes;
}

// The text as UTF-16 little-endian, as the registry's export writes it.
std::string Utf16(const std::u16string& Text) {
  std::string out = "\xFF\xFE";
  for (const char16_t c : Text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

// One character per byte, up to U+00FF.
std::string Utf16(const std::string& Latin1) {
  std::u16string text;
  for (const unsigned char c : Latin1) text.push_back(c);
  return Utf16(text);
}

class RegistryTest : public ::testing::Test {
 protected:
  support::testing::TScratchFolder Scratch;
  std::filesystem::path File = Scratch / "config" / "registry.reg";
};

TEST_F(RegistryTest, AMissingStoreHasNoKeyAndAWrittenKeyReadsBack) {
  TRegistry reg(File.string());
  EXPECT_FALSE(reg.OpenKeyReadOnly(kKey));
  EXPECT_FALSE(reg.OpenKey(kKey, false));
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  reg.WriteInteger("Baud", 4800);
  reg.WriteInteger("Negative", -2);
  ASSERT_TRUE(reg.CloseKey());

  EXPECT_EQ(ReadBytes(File), Utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                   "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n"
                                   "\"Baud\"=dword:000012c0\r\n"
                                   "\"Negative\"=dword:fffffffe\r\n\r\n"));
  TRegistry again(File.string());
  ASSERT_TRUE(again.OpenKeyReadOnly("software\\maker\\PROGRAM"));
  EXPECT_EQ(again.ReadInteger("baud"), 4800);
  EXPECT_EQ(again.ReadInteger("Negative"), -2);
  EXPECT_THROW(again.WriteInteger("Baud", 1), ERegistryException);
  // Nothing but the store itself stays in its folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(File.parent_path()), {}), 1);
}

TEST_F(RegistryTest, ATextReadsBackWithItsQuotesAndBackslashesAndALineBreakIsRefused) {
  TRegistry reg(File.string());
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  const std::string text = "C:\\Logs \"Ω\"\\";
  reg.WriteString("Folder", text);
  reg.WriteInteger("Size", 7);
  try {
    reg.WriteString("Broken", "a\nb");
    ADD_FAILURE() << "a text with a line break was stored";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "A text with a line break or with bytes that are not UTF-8 cannot be stored in 'Broken'");
  }
  ASSERT_TRUE(reg.CloseKey());
  EXPECT_NE(ReadBytes(File).find(Utf16("\"Folder\"=\"C:\\\\Logs \\\"").substr(2)), std::string::npos);

  TRegistry again(File.string());
  ASSERT_TRUE(again.OpenKeyReadOnly(kKey));
  EXPECT_EQ(again.ReadString("Folder"), text);
  EXPECT_FALSE(again.ValueExists("Broken"));
  EXPECT_THROW(again.ReadString("Size"), ERegistryException);
  EXPECT_THROW(again.ReadInteger("Folder"), ERegistryException);
}

TEST_F(RegistryTest, WritingKeepsWhatItDoesNotChange) {
  std::filesystem::create_directories(File.parent_path());
  WriteBytes(File,
             "REGEDIT4\n\n[HKEY_CURRENT_USER\\Other]\n\"Name\"=\"a \\\"quoted\\\" text\"\n"
             "\"Blob\"=hex:01,02,\\\n  03\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\n"
             "\"Keep\"=dword:7\n\"Baud\"=dword:00000001\n");
  {
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteInteger("BAUD", 9600);
  }
  const std::string bytes = ReadBytes(File);
  EXPECT_EQ(bytes, Utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Other]\r\n"
                         "\"Name\"=\"a \\\"quoted\\\" text\"\r\n"
                         "\"Blob\"=hex:01,02,03\r\n\r\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n"
                         "\"Keep\"=dword:7\r\n"
                         "\"Baud\"=dword:00002580\r\n\r\n"));
  TRegistry reg(File.string());
  ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
  EXPECT_EQ(reg.ReadInteger("Keep"), 7);
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Other"));
  EXPECT_TRUE(reg.ValueExists("Name"));
  EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
}

TEST_F(RegistryTest, ADamagedStoreGivesWhatCanStillBeRead) {
  std::filesystem::create_directories(File.parent_path());
  WriteBytes(File, Utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n"
                         "\"First\"=dword:00000005\r\n"
                         "garbage \x01 line\r\n"
                         "\"Bad\"=dword:12345678ff\r\n"
                         "\"AlsoBad\"=dword:zz\r\n"
                         "\"Unterminated=dword:1\r\n"
                         "\"Last\"=dword:00000006\r\n") +
                       std::string("\x00\xD8", 2));
  TRegistry reg(File.string());
  ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
  EXPECT_EQ(reg.ReadInteger("First"), 5);
  EXPECT_THROW(reg.ReadInteger("Bad"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("AlsoBad"), ERegistryException);
  EXPECT_EQ(reg.ReadInteger("Last"), 6);
  // The lines that could not be read are not lost by the next save.
  EXPECT_EQ(SaveAndReadAgain(File.string(), ReadBytes(File), kKey, "First", 7), "");
}

TEST_F(RegistryTest, AFileThatIsNoStoreHoldsNothingAndIsKeptBesideTheNewOne) {
  std::filesystem::create_directories(File.parent_path());
  const std::filesystem::path kept = File.string() + ".damaged";
  const struct {
    std::string Bytes;
    bool Kept;  // a file that holds nothing has nothing to lose
  } files[] = {{"not a registry\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\n", true},
               {std::string("\xFF\xFE\x00", 3), true},
               {"", false},
               {"\r\n; only a comment\r\n", false}};
  for (const auto& file : files) {
    WriteBytes(kept, "an earlier copy");
    if (!file.Kept) std::filesystem::remove(kept);
    WriteBytes(File, file.Bytes);
    TRegistry reg(File.string());
    EXPECT_EQ(reg.DamagedFileName(), kept.string());
    EXPECT_FALSE(reg.OpenKeyReadOnly(kKey));
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteInteger("Value", 1);
    ASSERT_TRUE(reg.CloseKey());
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(reg.ReadInteger("Value"), 1);
    EXPECT_EQ(std::filesystem::exists(kept), file.Kept) << file.Bytes;
    if (file.Kept) {
      EXPECT_EQ(ReadBytes(kept), file.Bytes);
    }
  }
}

// A hand-edited file in the ANSI code page: a byte that begins no UTF-8
// sequence, at the end of a line or before the bytes a sequence would take,
// is one character, and the lines after it keep their values.
TEST_F(RegistryTest, BytesThatAreNotUtf8AreReadInTheAnsiCodePageAndEndNoLine) {
  std::filesystem::create_directories(File.parent_path());
  for (const std::string& odd : {std::string("\xF9"), std::string("\xFF"), std::string("\xE9"), std::string("\xC3"),
                                 std::string("\xE2\x82"), std::string("\x80")}) {
    const std::string bytes = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n\"Town\"=\"per" + odd +
                              "\"\r\n\"Odd\"=hex:01" + odd + "\r\n\"Port\"=dword:00000003\n\"Baud\"=dword:000012c0\r\n";
    ASSERT_EQ(SaveAndReadAgain(File.string(), bytes, kKey, "Language", 1040), "") << odd;
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(reg.ReadInteger("Port"), 3);
    EXPECT_EQ(reg.ReadInteger("Baud"), 4800);
    EXPECT_FALSE(std::filesystem::exists(File.string() + ".damaged"));
  }
  // As the file now holds them: "ù" and "ÿ" in UTF-16.
  const std::string bytes = "REGEDIT4\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n\"Town\"=\"per\xF9\xFF\"\r\n";
  ASSERT_EQ(SaveAndReadAgain(File.string(), bytes, kKey, "Language", 1040), "");
  EXPECT_EQ(ReadBytes(File), Utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                   "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n\"Town\"=\"per\xF9\xFF\"\r\n"
                                   "\"Language\"=dword:00000410\r\n\r\n"));
  // UTF-8 stays UTF-8, with or without its mark.
  for (const std::string& mark : {std::string(), std::string("\xEF\xBB\xBF")}) {
    WriteBytes(File,
               mark + "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n\"Town\"=\"per\xC3\xB9 \xE2\x82\xAC \xF0\x9F\x98\x80\"\n");
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKeyReadOnly("Other"));
    EXPECT_EQ(TRegistryInspector::Entries(reg).back().Data, "\"per\xC3\xB9 \xE2\x82\xAC \xF0\x9F\x98\x80\"");
  }
}

// A value goes on over lines that end in a backslash; at the end of the
// file it ends, so that what is written after it later stays apart.
TEST_F(RegistryTest, AValueContinuedAtTheEndOfTheFileEndsThere) {
  std::filesystem::create_directories(File.parent_path());
  for (const std::string& end : {std::string("\\"), std::string("\\\r\n"), std::string("\\ \\ \r\n  \\")}) {
    const std::string bytes =
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n"
        "\"Port\"=dword:00000003\r\n\"Blob\"=hex:01,02,\\\r\n  03," +
        end;
    ASSERT_EQ(SaveAndReadAgain(File.string(), bytes, kKey, "Baud", 4800), "") << end;
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(reg.ReadInteger("Port"), 3);
    EXPECT_EQ(reg.ReadInteger("Baud"), 4800);
    EXPECT_EQ(TRegistryInspector::Entries(reg)[2].Data, "hex:01,02,03,") << end;
  }
}

// Whatever a file holds, what was read from it is there after a save:
// files of settings with random bytes dropped in, and random bytes alone.
TEST_F(RegistryTest, FilesWithRandomBytesKeepEveryValueReadAfterASave) {
  std::filesystem::create_directories(File.parent_path());
  const std::vector<std::string> lines = {"Windows Registry Editor Version 5.00",
                                          "REGEDIT4",
                                          "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]",
                                          "[HKEY_CURRENT_USER\\Other]",
                                          "\"Port\"=dword:00000003",
                                          "\"Name\"=\"a \\\"b\\\"\"",
                                          "@=\"default\"",
                                          "\"Blob\"=hex:01,\\",
                                          "  02",
                                          "; comment",
                                          "",
                                          "[-HKEY_CURRENT_USER\\Gone]"};
  std::mt19937 random(25);
  for (int round = 0; round < 300; ++round) {
    std::string bytes = round % 3 == 0 ? "\xFF\xFE" : "";
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      std::string piece = round % 5 == 4 ? std::string(random() % 8, '\0') : lines[random() % lines.size()];
      for (char& c : piece) c = random() % 6 == 0 ? static_cast<char>(random()) : c;
      bytes += piece + (random() % 4 == 0 ? "\r" : random() % 2 ? "\r\n" : "\n");
      if (round % 3 == 0) bytes.push_back(static_cast<char>(random() % 3));
    }
    ASSERT_EQ(SaveAndReadAgain(File.string(), bytes, kKey, "Port", round), "") << ::testing::PrintToString(bytes);
  }
}

// A name the file could not give back as it was is refused, and the key
// keeps every value it had: a line break would end the name's line, and
// bytes that are not UTF-8 would come back as other characters, two names
// that differ only in their encoding as one.
TEST_F(RegistryTest, NamesTheFileCannotHoldAreRefusedAndNothingIsLost) {
  const std::string town = "Town \xC3\xA9";
  const std::string smile = "\xF0\x9F\x98\x80";
  {
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteInteger("Port", 3);
    reg.WriteInteger(town, 4);
    for (const std::string& name :
         {std::string("Port\r\n\"Baud\"=dword:00000001"), std::string("x\n[HKEY_CURRENT_USER\\Other]"),
          std::string("\r"), std::string("a\nb"), std::string("Town \xE9"), std::string("\xC3"),
          std::string("\xED\xA0\x80"), std::string("\xC0\xAF"), std::string("\xF4\x90\x80\x80")}) {
      EXPECT_THROW(reg.WriteInteger(name, 9), ERegistryException) << ::testing::PrintToString(name);
    }
    reg.WriteInteger(smile, 5);
    ASSERT_TRUE(reg.CloseKey());
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Maker\nProgram", true));
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Mak\xE9r", true));
  }
  TRegistry reg(File.string());
  ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
  EXPECT_FALSE(TRegistryInspector::Damaged(reg));
  const std::string path = "HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program";
  EXPECT_EQ(TRegistryInspector::Entries(reg),
            (std::vector<TRegistryInspector::TEntry>{{path, "", ""},
                                                     {path, "Port", "dword:00000003"},
                                                     {path, town, "dword:00000004"},
                                                     {path, smile, "dword:00000005"}}));
  EXPECT_EQ(reg.ReadInteger(smile), 5);
}

// Characters beyond U+FFFF stand in the file as surrogate pairs and come
// back as they were; half a pair cannot, so such a file is kept beside the
// new one.
TEST_F(RegistryTest, CharactersBeyondTheBasicPlaneKeepTheirSurrogatePairs) {
  std::filesystem::create_directories(File.parent_path());
  const std::u16string head =
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\r\n";
  const std::u16string values = u"\"Town\"=\"a\U0001F600b\U00010000\U0010FFFF\"\r\n\"\U0001F4A1\"=dword:00000002\r\n";
  ASSERT_EQ(SaveAndReadAgain(File.string(), Utf16(head + values), kKey, "Port", 3), "");
  EXPECT_EQ(ReadBytes(File), Utf16(head + values + u"\"Port\"=dword:00000003\r\n\r\n"));
  {
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(TRegistryInspector::Entries(reg).at(1).Data,
              "\"a\xF0\x9F\x98\x80"
              "b\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\"");
    EXPECT_EQ(reg.ReadInteger("\xF0\x9F\x92\xA1"), 2);
  }

  const std::filesystem::path kept = File.string() + ".damaged";
  for (const std::u16string& half :
       {std::u16string{0xD83D}, std::u16string{0xDE00}, std::u16string{0xD83D, u'x'}, std::u16string{0xDE00, 0xD83D}}) {
    const std::string bytes = Utf16(head + u"\"Town\"=\"a" + half + u"\"\r\n\"Baud\"=dword:000012c0\r\n");
    ASSERT_EQ(SaveAndReadAgain(File.string(), bytes, kKey, "Port", 3), "");
    EXPECT_EQ(ReadBytes(kept), bytes);
    TRegistry reg(File.string());
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_NE(TRegistryInspector::Entries(reg).at(1).Data.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(reg.ReadInteger("Baud"), 4800);
  }
}

TEST_F(RegistryTest, AStoreThatCannotBeWrittenStaysAsItWas) {
  // A file where the store's folder should be: no folder, no store.
  WriteBytes(Scratch / "config", "a file");
  TRegistry reg(File.string());
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  reg.WriteInteger("Value", 1);
  EXPECT_FALSE(reg.CloseKey());
  EXPECT_EQ(ReadBytes(Scratch / "config"), "a file");
  EXPECT_THROW(reg.WriteInteger("Value", 1), ERegistryException);
}

}  // namespace
