#include "platform/core/os/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using platform::ERegistryException;
using platform::TRegistry;

constexpr char kKey[] = "\\SOFTWARE\\Maker\\Program";

std::string ReadBytes(const std::filesystem::path& P) {
  std::ifstream in(P, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& P, const std::string& Bytes) {
  std::ofstream(P, std::ios::binary) << Bytes;
}

// The ASCII text as UTF-16 little-endian, as the registry's export writes it.
std::string Utf16(const std::string& Ascii) {
  std::string out = "\xFF\xFE";
  for (const char c : Ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
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
}

TEST_F(RegistryTest, AFileThatIsNoStoreHoldsNothingAndIsReplacedOnWriting) {
  std::filesystem::create_directories(File.parent_path());
  for (const std::string& bytes : {std::string("not a registry\n[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Program]\n"),
                                   std::string(), std::string("\xFF\xFE\x00", 3)}) {
    WriteBytes(File, bytes);
    TRegistry reg(File.string());
    EXPECT_FALSE(reg.OpenKeyReadOnly(kKey));
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteInteger("Value", 1);
    ASSERT_TRUE(reg.CloseKey());
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(reg.ReadInteger("Value"), 1);
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
