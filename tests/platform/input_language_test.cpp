// The keyboard layout is the one of the desktop's input language: taken
// when the presentation starts and again whenever the input method reports
// another language.

#include "platform/ui/window_classes/input_language.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QInputMethod>

#include "platform/core/window_system/keyboard_layout.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace {

using namespace platform;

TEST(InputLanguage, ALocaleGivesItsLanguageAndChineseItsScript) {
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Italian, QLocale::Italy)), 0x0410);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Italian, QLocale::Switzerland)), 0x0410);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Greek, QLocale::Greece)), 0x0408);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::English, QLocale::UnitedKingdom)), 0x0409);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan)), 0x0404);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::HongKong)),
            0x0404);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China)), 0x0804);
  EXPECT_EQ(ui::InputLanguageOf(QLocale::c()), 0x0409);
  EXPECT_EQ(ui::InputLanguageOf(QLocale(QLocale::Swahili, QLocale::Kenya)), 0x0409);
}

TEST(InputLanguage, TheLayoutFollowsTheInputMethodFromTheStartAndAtEachChange) {
  ui::InitializeUi();
  QInputMethod* method = QGuiApplication::inputMethod();
  const HKL desktop = KeyboardLayoutOf(ui::InputLanguageOf(method->locale()));
  // Another layout than the desktop's, whatever language the desktop has.
  const HKL other = KeyboardLayoutOf(desktop == KeyboardLayoutOf(0x0410) ? 0x0408 : 0x0410);
  const HKL previous = SwitchKeyboardLayout(other);
  emit method->localeChanged();
  EXPECT_EQ(GetKeyboardLayout(0), desktop);

  SwitchKeyboardLayout(other);
  ui::FollowInputLanguage();
  EXPECT_EQ(GetKeyboardLayout(0), desktop);
  SwitchKeyboardLayout(previous);
}

}  // namespace
