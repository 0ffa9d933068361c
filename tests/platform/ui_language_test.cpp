// The platform speaks the language the program chooses: its own texts and
// Qt's dialogs, through Qt's translations.

#include "platform/core/os/ui_language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/ui/window_classes/presentation.h"

namespace {

using namespace platform;

class UiLanguageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui::InitializeUi(); }
  void TearDown() override { SetThreadUILanguage(0); }
};

TEST_F(UiLanguageTest, TheProgramsChoiceReachesThePlatformsOwnTexts) {
  EXPECT_EQ(GetThreadUILanguage(), kLangEnglishUs);
  EXPECT_EQ(GetSystemText(SystemText::VirtualPort), "virtual port");
  EXPECT_EQ(SetThreadUILanguage(kLangItalian), kLangItalian);
  EXPECT_EQ(GetSystemText(SystemText::VirtualPort), "porta virtuale");
  EXPECT_EQ(GetSystemText(SystemText::SelectAll), "Seleziona &tutto");
  // Italian as spoken in Switzerland is Italian too; German is not spoken.
  SetThreadUILanguage(0x0810);
  EXPECT_EQ(GetSystemText(SystemText::Paste), "&Incolla");
  SetThreadUILanguage(0x0407);
  EXPECT_EQ(GetSystemText(SystemText::Paste), "&Paste");
  EXPECT_EQ(SetThreadUILanguage(0), kLangEnglishUs);
}

TEST_F(UiLanguageTest, QtsDialogButtonsFollowTheLanguage) {
  const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
  const auto save = [] { return QCoreApplication::translate("QPlatformTheme", "Save"); };
  EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
  SetThreadUILanguage(kLangItalian);
  EXPECT_EQ(cancel(), QStringLiteral("Annulla"));
  EXPECT_EQ(save(), QStringLiteral("Salva"));
  SetThreadUILanguage(kLangEnglishUs);
  EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
}

}  // namespace
