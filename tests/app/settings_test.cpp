// The seven settings: defaults and the key made on a first run, the order
// in which they are read and where a failed read stops, damaged stores,
// values that are kept as they were read, and the save when the window goes.

#include <gtest/gtest.h>

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
  void ExpectStored(std::int32_t dstPort, std::int32_t dstBaud, std::int32_t gpsPort, std::int32_t gpsBaud,
                    std::int32_t language, std::int32_t unitsTemp, std::int32_t unitsDepth) {
    EXPECT_EQ(StoredSetting("DSTComPort"), dstPort);
    EXPECT_EQ(StoredSetting("DSTBaudRate"), dstBaud);
    EXPECT_EQ(StoredSetting("GPSComPort"), gpsPort);
    EXPECT_EQ(StoredSetting("GPSBaudRate"), gpsBaud);
    EXPECT_EQ(StoredSetting("Language"), language);
    EXPECT_EQ(StoredSetting("UnitsTemp"), unitsTemp);
    EXPECT_EQ(StoredSetting("UnitsDepth"), unitsDepth);
  }
  void ExpectFields(std::int32_t dstPort, std::int32_t dstBaud, std::int32_t gpsPort, std::int32_t gpsBaud,
                    std::int32_t language, std::int32_t unitsTemp, std::int32_t unitsDepth) {
    EXPECT_EQ(form_->DSTComPort, dstPort);
    EXPECT_EQ(form_->DSTBaudRate, dstBaud);
    EXPECT_EQ(form_->GPSComPort, gpsPort);
    EXPECT_EQ(form_->GPSBaudRate, gpsBaud);
    EXPECT_EQ(form_->Language, language);
    EXPECT_EQ(form_->UnitsTemp, unitsTemp);
    EXPECT_EQ(form_->UnitsDepth, unitsDepth);
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
  }
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
  EXPECT_EQ(form_->CmbLanguage->ItemIndex(), 0);
  EXPECT_EQ(form_->CmbDstBaud->ItemIndex(), 0);
  EXPECT_EQ(form_->CmbGPSBaud->ItemIndex(), 0);
  EXPECT_EQ(form_->CmbGPSPort->ItemIndex(), 0);
  FreeMainForm();
  ExpectStored(0, 9600, -5, 1, 2057, 7, 2);
}

TEST_F(SettingsTest, AChoiceMadeJustBeforeClosingIsKept) {
  MakeMainForm();
  ShowMainForm();
  form_->CmbGPSBaud->SetItemIndex(3);
  form_->CmbGPSBaud->Click();
  EXPECT_EQ(form_->GPSBaudRate, 38400);
  FreeMainForm();
  ExpectStored(0, 4800, 0, 38400, 1033, 0, 0);
}

}  // namespace
