// Qt's own dialogs (the file chooser, the message box buttons) and
// widgets speak the platform's language through Qt's translations, when
// they are installed, and write dates, sizes and the kinds of files in it
// through Qt's default locale.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

#include "platform/core/os/ui_language.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

constexpr LANGID kPrimaryItalian = 0x10;
constexpr LANGID kLangEnglishUk = 0x0809;

std::unique_ptr<QTranslator>& Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

// The platform speaks English, which needs no translation, and Italian.
void Translate(LANGID Language) {
  RequireUi();
  std::unique_ptr<QTranslator>& installed = Installed();
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  const bool italian = (Language & 0x3FF) == kPrimaryItalian;
  const QLocale locale = italian                      ? QLocale(QLocale::Italian, QLocale::Italy)
                         : Language == kLangEnglishUk ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                                      : QLocale(QLocale::English, QLocale::UnitedStates);
  QLocale::setDefault(locale);
  if (!italian) return;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return;
  }
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
}

}  // namespace

void FollowUiLanguage() {
  SetUiLanguageListener([](LANGID Language) { Translate(Language); });
  Translate(GetThreadUILanguage());
}

}  // namespace platform::ui
