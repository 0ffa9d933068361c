#include "platform/core/os/locale.h"

#include <atomic>
#include <cstring>
#include <string>

#include "platform/core/os/errors.h"

namespace platform {
namespace {

constexpr LCID kUserLocale = 0x0409;
std::atomic<HKL> g_keyboardLayout{0x04090409};

struct LanguagePage {
  std::uint16_t PrimaryLanguage;
  std::uint16_t CodePage;
};

// The ANSI code page of each primary language the platform knows; Chinese
// depends on the sub-language and is handled apart.
constexpr LanguagePage kLanguagePages[] = {
    {0x01, 1256}, {0x02, 1251}, {0x03, 1252}, {0x05, 1250}, {0x06, 1252}, {0x07, 1252}, {0x08, 1253}, {0x09, 1252},
    {0x0A, 1252}, {0x0B, 1252}, {0x0C, 1252}, {0x0D, 1255}, {0x0E, 1250}, {0x0F, 1252}, {0x10, 1252}, {0x11, 932},
    {0x12, 949},  {0x13, 1252}, {0x14, 1252}, {0x15, 1250}, {0x16, 1252}, {0x18, 1250}, {0x19, 1251}, {0x1A, 1250},
    {0x1B, 1250}, {0x1C, 1250}, {0x1D, 1252}, {0x1E, 874},  {0x1F, 1254}, {0x20, 1256}, {0x21, 1252}, {0x22, 1251},
    {0x23, 1251}, {0x24, 1250}, {0x25, 1257}, {0x26, 1257}, {0x27, 1257}, {0x29, 1256}, {0x2A, 1258}, {0x2D, 1252},
    {0x2F, 1251}, {0x36, 1252}, {0x38, 1252}, {0x3E, 1252}, {0x3F, 1251}, {0x41, 1252}, {0x43, 1254},
};

// Languages written only in scripts that have no 8-bit page (Indic, Georgian,
// Armenian and others): the platform reports code page 0 for them.
constexpr std::uint16_t kUnicodeOnlyLanguages[] = {0x2B, 0x37, 0x39, 0x45, 0x46, 0x47, 0x48,
                                                   0x49, 0x4A, 0x4B, 0x4E, 0x4F, 0x57, 0x5A};

bool AnsiCodePage(LCID Locale, std::uint16_t& CodePage) {
  const auto language = static_cast<std::uint16_t>(Locale & 0x3FF);
  const auto subLanguage = static_cast<std::uint16_t>((Locale >> 10) & 0x3F);
  if (language == 0x04) {
    // Taiwan, Hong Kong and Macau write traditional characters.
    CodePage = (subLanguage == 1 || subLanguage == 3 || subLanguage == 5) ? 950 : 936;
    return subLanguage >= 1 && subLanguage <= 5;
  }
  for (const LanguagePage& entry : kLanguagePages) {
    if (entry.PrimaryLanguage == language) {
      CodePage = entry.CodePage;
      return true;
    }
  }
  for (const std::uint16_t entry : kUnicodeOnlyLanguages) {
    if (entry == language) {
      CodePage = 0;
      return true;
    }
  }
  return false;
}

}  // namespace

LCID GetThreadLocale() { return kUserLocale; }

LCID GetUserDefaultLCID() { return kUserLocale; }

HKL GetKeyboardLayout(std::uint32_t) { return g_keyboardLayout.load(); }

HKL SetKeyboardLayoutValue(HKL Layout) { return g_keyboardLayout.exchange(Layout); }

int GetLocaleInfoA(LCID Locale, std::uint32_t Type, char* Data, int Count) {
  if (Count < 0 || (Count > 0 && !Data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::uint16_t codePage = 0;
  if (!AnsiCodePage(Locale, codePage)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string value;
  switch (Type) {
    case LOCALE_IDEFAULTANSICODEPAGE:
      value = std::to_string(codePage);
      break;
    case LOCALE_SDATE:
      value = "/";
      break;
    case LOCALE_STIME:
      value = ":";
      break;
    default:
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
  }
  const int needed = static_cast<int>(value.size()) + 1;
  if (Count == 0) return needed;
  if (Count < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(Data, value.c_str(), value.size() + 1);
  return needed;
}

}  // namespace platform
