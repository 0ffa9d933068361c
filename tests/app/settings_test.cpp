// The seven settings: defaults and the key made on a first run, the order
// in which they are read and where a failed read stops, damaged stores,
// values that are kept as they were read, and the save when the window goes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/core/os/registry.h"
#include "tests/app/app_helpers.h"
#include "widetext/standard/combo_box.h"

namespace {

using apptest::AppTest;

constexpr char kHeader[] =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\r\n";

class SettingsTest : public AppTest {
 protected:
  void ExpectStored(std::int32_t DstPort, std::int32_t DstBaud, std::int32_t GpsPort, std::int32_t GpsBaud,
                    std::int32_t Language, std::int32_t UnitsTemp, std::int32_t UnitsDepth) {
    EXPECT_EQ(StoredSetting("DSTComPort"), DstPort);
    EXPECT_EQ(StoredSetting("DSTBaudRate"), DstBaud);
    EXPECT_EQ(StoredSetting("GPSComPort"), GpsPort);
    EXPECT_EQ(StoredSetting("GPSBaudRate"), GpsBaud);
    EXPECT_EQ(StoredSetting("Language"), Language);
    EXPECT_EQ(StoredSetting("UnitsTemp"), UnitsTemp);
    EXPECT_EQ(StoredSetting("UnitsDepth"), UnitsDepth);
  }
  void ExpectFields(std::int32_t DstPort, std::int32_t DstBaud, std::int32_t GpsPort, std::int32_t GpsBaud,
                    std::int32_t Language, std::int32_t UnitsTemp, std::int32_t UnitsDepth) {
    EXPECT_EQ(Form->DSTComPort, DstPort);
    EXPECT_EQ(Form->DSTBaudRate, DstBaud);
    EXPECT_EQ(Form->GPSComPort, GpsPort);
    EXPECT_EQ(Form->GPSBaudRate, GpsBaud);
    EXPECT_EQ(Form->Language, Language);
    EXPECT_EQ(Form->UnitsTemp, UnitsTemp);
    EXPECT_EQ(Form->UnitsDepth, UnitsDepth);
  }
};

TEST_F(SettingsTest, AFirstRunUsesTheDefaultsAndMakesTheKeyHoldingThem) {
  MakeMainForm();
  ExpectFields(0, 4800, 0, 4800, 1033, 0, 0);
  ExpectStored(0, 4800, 0, 4800, 1033, 0, 0);
}

TEST_F(SettingsTest, ReadingStopsAtTheFirstValueItCannotRead) {
  WriteSettings(std::string(kHeader) +
                "\"DSTComPort\"=dword:00000003\r\n\"DSTBaudRate\"=dword:00009600\r\n"
                "\"GPSBaudRate\"=dword:00002580\r\n\"Language\"=dword:00000410\r\n"
                "\"UnitsTemp\"=dword:00000001\r\n\"UnitsDepth\"=dword:00000001\r\n");
  MakeMainForm();
  // GPSComPort is missing: it and every value after it keep their defaults.
  ExpectFields(3, 0x9600, 0, 4800, 1033, 0, 0);
  FreeMainForm();
  ExpectStored(3, 0x9600, 0, 4800, 1033, 0, 0);
}

TEST_F(SettingsTest, AValueOfAnotherTypeStopsTheReadingLikeAMissingOne) {
  WriteSettings(std::string(kHeader) +
                "\"DSTComPort\"=dword:00000002\r\n\"DSTBaudRate\"=\"38400\"\r\n"
                "\"GPSComPort\"=dword:00000004\r\n");
  MakeMainForm();
  ExpectFields(2, 4800, 0, 4800, 1033, 0, 0);
}

TEST_F(SettingsTest, ADamagedStoreStartsWithTheDefaultsAndIsWrittenAfresh) {
  for (const std::string& damage :
       {std::string("\x01\x02 not a settings file at all \xFF"), std::string(kHeader).substr(0, 20), std::string()}) {
    WriteSettings(damage);
    MakeMainForm();
    ExpectFields(0, 4800, 0, 4800, 1033, 0, 0);
    ExpectStored(0, 4800, 0, 4800, 1033, 0, 0);
    FreeMainForm();
    // What the file held is kept beside it for the user.
    const std::string kept = SettingsFile() + ".damaged";
    EXPECT_EQ(std::filesystem::exists(kept), !damage.empty());
    std::filesystem::remove(kept);
  }
}

// A file edited by hand in the ANSI code page, its last line left open with
// a backslash: the settings of a session come back at the next start.
TEST_F(SettingsTest, AHandEditedFileGivesBackTheSettingsOfTheLastSession) {
  WriteSettings(
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\r\n"
      "\"Boat\"=\"Libert\xE0 \xF9\xFF\"\r\n\"DSTComPort\"=dword:00000003\r\n\"Notes\"=hex:01,02,\\\r\n");
  MakeMainForm();
  ExpectFields(3, 4800, 0, 4800, 1033, 0, 0);
  Form->GPSComPort = 4;
  Form->Language = 1040;
  Form->UnitsDepth = 1;
  FreeMainForm();
  MakeMainForm();
  ExpectFields(3, 4800, 4, 4800, 1040, 0, 1);
  FreeMainForm();
  EXPECT_FALSE(std::filesystem::exists(SettingsFile() + ".damaged"));
}

TEST_F(SettingsTest, ValuesOutsideTheListsAreKeptAndWrittenBack) {
  WriteSettings(std::string(kHeader) +
                "\"DSTComPort\"=dword:00000000\r\n\"DSTBaudRate\"=dword:00002580\r\n"
                "\"GPSComPort\"=dword:fffffffb\r\n\"GPSBaudRate\"=dword:00000001\r\n"
                "\"Language\"=dword:00000809\r\n\"UnitsTemp\"=dword:00000007\r\n"
                "\"UnitsDepth\"=dword:00000002\r\n");
  MakeMainForm();
  ShowMainForm();
  ExpectFields(0, 9600, -5, 1, 2057, 7, 2);
  // The lists show what they can: English, and each list's first rate.
  EXPECT_EQ(Form->CmbLanguage->ItemIndex(), 0);
  EXPECT_EQ(Form->CmbDstBaud->ItemIndex(), 0);
  EXPECT_EQ(Form->CmbGPSBaud->ItemIndex(), 0);
  EXPECT_EQ(Form->CmbGPSPort->ItemIndex(), 0);
  FreeMainForm();
  ExpectStored(0, 9600, -5, 1, 2057, 7, 2);
}

TEST_F(SettingsTest, AChoiceMadeJustBeforeClosingIsKept) {
  MakeMainForm();
  ShowMainForm();
  Form->CmbGPSBaud->SetItemIndex(3);
  Form->CmbGPSBaud->Click();
  EXPECT_EQ(Form->GPSBaudRate, 38400);
  FreeMainForm();
  ExpectStored(0, 4800, 0, 38400, 1033, 0, 0);
}

}  // namespace
