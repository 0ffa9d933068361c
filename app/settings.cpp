// The seven settings, kept in the current user's registry. Reading stops at
// the first value that is missing or not a number: that one and every later
// one keep their defaults. Nothing is checked and nothing is reported; each
// user of a setting copes with what it finds.

#include "app/main_form.h"
#include "platform/core/os/registry.h"

namespace app {
namespace {

struct SettingField {
  const char* Name;
  std::int32_t TMainForm::*Field;
  std::int32_t Default;
};

// In the order they are read and written.
constexpr SettingField kSettings[] = {
    {"DSTComPort", &TMainForm::DSTComPort, 0},
    {"DSTBaudRate", &TMainForm::DSTBaudRate, kDstBaudRates[0]},
    {"GPSComPort", &TMainForm::GPSComPort, 0},
    {"GPSBaudRate", &TMainForm::GPSBaudRate, kGpsBaudRates[0]},
    {"Language", &TMainForm::Language, kLanguageEnglish},
    {"UnitsTemp", &TMainForm::UnitsTemp, 0},
    {"UnitsDepth", &TMainForm::UnitsDepth, 0},
};

}  // namespace

void TMainForm::LoadSettings() {
  for (const SettingField& s : kSettings) this->*s.Field = s.Default;
  bool opened = false;
  try {
    platform::TRegistry registry;
    opened = registry.OpenKeyReadOnly(kSettingsKey);
    if (opened) {
      for (const SettingField& s : kSettings) this->*s.Field = registry.ReadInteger(s.Name);
    }
  } catch (const std::exception&) {
    // The values read so far stay; the rest keep their defaults.
  }
  // A first run makes the key, holding the defaults.
  if (!opened) SaveSettings();
}

void TMainForm::SaveSettings() {
  try {
    platform::TRegistry registry;
    if (!registry.OpenKey(kSettingsKey, true)) return;
    for (const SettingField& s : kSettings) registry.WriteInteger(s.Name, this->*s.Field);
    registry.CloseKey();
  } catch (const std::exception&) {
    // The settings are simply not kept this time.
  }
}

}  // namespace app
