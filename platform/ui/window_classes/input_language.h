#pragma once
// The language of the desktop's input method as the platform knows it: the
// keyboard layout follows it (FollowInputLanguage in qt_internal.h).

#include <QLocale>

#include <cstdint>

namespace platform::ui {

// The platform's language identifier of a locale: the language of its own
// country, Chinese by its script; English (United States) for the C locale
// and languages without a layout here.
std::uint16_t InputLanguageOf(const QLocale& Locale);

}  // namespace platform::ui
