// The keyboard layout is the one of the input language the desktop reports
// through Qt's input method, from the start and at each change.

#include "platform/ui/window_classes/input_language.h"

#include <QGuiApplication>
#include <QInputMethod>

#include "platform/core/window_system/keyboard_layout.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

struct LanguageId {
  QLocale::Language Language;
  std::uint16_t Primary;
};

// The platform's primary language identifiers of the languages it has
// layouts for (Chinese aside).
constexpr LanguageId kLanguages[] = {
    {QLocale::Arabic, 0x01},          {QLocale::Bulgarian, 0x02}, {QLocale::Catalan, 0x03},
    {QLocale::Czech, 0x05},           {QLocale::Danish, 0x06},    {QLocale::German, 0x07},
    {QLocale::Greek, 0x08},           {QLocale::English, 0x09},   {QLocale::Spanish, 0x0A},
    {QLocale::Finnish, 0x0B},         {QLocale::French, 0x0C},    {QLocale::Hebrew, 0x0D},
    {QLocale::Hungarian, 0x0E},       {QLocale::Icelandic, 0x0F}, {QLocale::Italian, 0x10},
    {QLocale::Japanese, 0x11},        {QLocale::Korean, 0x12},    {QLocale::Dutch, 0x13},
    {QLocale::NorwegianBokmal, 0x14}, {QLocale::Polish, 0x15},    {QLocale::Portuguese, 0x16},
    {QLocale::Romanian, 0x18},        {QLocale::Russian, 0x19},   {QLocale::Croatian, 0x1A},
    {QLocale::Slovak, 0x1B},          {QLocale::Swedish, 0x1D},   {QLocale::Thai, 0x1E},
    {QLocale::Turkish, 0x1F},         {QLocale::Ukrainian, 0x22}, {QLocale::Slovenian, 0x24},
    {QLocale::Estonian, 0x25},        {QLocale::Latvian, 0x26},   {QLocale::Lithuanian, 0x27},
    {QLocale::Vietnamese, 0x2A},
};

constexpr std::uint16_t kEnglishUnitedStates = 0x0409;
// Sub-language 1, the language's own country, in bits 10-15.
constexpr std::uint16_t kDefaultSubLanguage = 1 << 10;
// Chinese has a sub-language for each script: traditional (Taiwan) and
// simplified (the People's Republic).
constexpr std::uint16_t kChineseTaiwan = 0x0404;
constexpr std::uint16_t kChinesePrc = 0x0804;

void TakeInputLanguage() {
  SwitchKeyboardLayout(KeyboardLayoutOf(InputLanguageOf(QGuiApplication::inputMethod()->locale())));
}

}  // namespace

std::uint16_t InputLanguageOf(const QLocale& Locale) {
  if (Locale.language() == QLocale::Chinese) {
    return Locale.script() == QLocale::TraditionalChineseScript ? kChineseTaiwan : kChinesePrc;
  }
  for (const LanguageId& entry : kLanguages) {
    if (entry.Language == Locale.language()) return entry.Primary | kDefaultSubLanguage;
  }
  // The C locale and languages without a layout here type as English.
  return kEnglishUnitedStates;
}

void FollowInputLanguage() {
  // Following again takes the language anew but listens only once.
  static const QMetaObject::Connection connection =
      QObject::connect(QGuiApplication::inputMethod(), &QInputMethod::localeChanged, [] { TakeInputLanguage(); });
  TakeInputLanguage();
}

}  // namespace platform::ui
