// What Qt's file chooser shows of a file dialog: the names of its file
// types, and the sizes, dates and kinds of the folder's items in the
// program's language.

#include "platform/ui/window_classes/file_dialog_items.h"

#include <gtest/gtest.h>

#include <QFileSystemModel>
#include <QLocale>
#include <QStandardItemModel>

#include <filesystem>
#include <fstream>

#include "platform/core/os/ui_language.h"
#include "platform/ui/window_classes/presentation.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace platform;
using ui::FileDialogItems;
using ui::NameFilterOf;

TEST(FileDialogTypeNames, ANameThatShowsItsPatternsAlreadyShowsThemOnce) {
  EXPECT_EQ(NameFilterOf(u"NMEA raw ASCII File (*.txt)", u"*.txt"), QStringLiteral("NMEA raw ASCII File (*.txt)"));
  EXPECT_EQ(NameFilterOf(u"File ASCII NMEA", u"*.txt"), QStringLiteral("File ASCII NMEA (*.txt)"));
  // Qt reads the patterns from the last parentheses, separated by blanks.
  EXPECT_EQ(NameFilterOf(u"Logs (*.txt;*.log)", u"*.txt;*.log"), QStringLiteral("Logs (*.txt *.log)"));
  EXPECT_EQ(NameFilterOf(u"Old (*.txt)", u"*.log"), QStringLiteral("Old (*.txt) (*.log)"));
}

class FileDialogItemsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui::InitializeUi(); }
  void TearDown() override { SetThreadUILanguage(0); }

  // One row per file, as Qt's file system model gives them: the name, and
  // the other columns Qt would fill in the system's language.
  void AddRow(const std::filesystem::path& Path) {
    QList<QStandardItem*> row;
    for (int column = 0; column < 4; ++column) row << new QStandardItem(QStringLiteral("system"));
    row[0]->setData(QString::fromStdString(Path.string()), QFileSystemModel::FilePathRole);
    Files.appendRow(row);
  }
  QString Shown(int Row, int Column) { return Items.index(Row, Column).data().toString(); }

  support::testing::TScratchFolder Folder;
  QStandardItemModel Files;
  FileDialogItems Items{nullptr, nullptr};
};

TEST_F(FileDialogItemsTest, SizesDatesAndFolderKindsFollowTheProgramsLanguage) {
  std::ofstream(Folder / "a.txt") << "hello";
  std::filesystem::create_directory(Folder / "sub");
  AddRow(Folder / "a.txt");
  AddRow(Folder / "sub");
  Items.setSourceModel(&Files);
  const QDateTime modified = QFileInfo(QString::fromStdString((Folder / "a.txt").string())).lastModified();

  SetThreadUILanguage(kLangItalian);
  EXPECT_EQ(QLocale().language(), QLocale::Italian);
  EXPECT_EQ(Shown(0, 1), QStringLiteral("5 byte"));
  EXPECT_EQ(Shown(0, 3), QLocale(QLocale::Italian).toString(modified, QLocale::ShortFormat));
  EXPECT_EQ(Shown(1, 2), QStringLiteral("Cartella"));
  // A folder has no size; the name and a file's kind stay as Qt gives them.
  EXPECT_EQ(Shown(1, 1), QString());
  EXPECT_EQ(Shown(0, 0), QStringLiteral("system"));
  EXPECT_EQ(Shown(0, 2), QStringLiteral("system"));

  SetThreadUILanguage(kLangEnglishUs);
  EXPECT_EQ(Shown(0, 1), QStringLiteral("5 bytes"));
  EXPECT_EQ(Shown(0, 3), QLocale(QLocale::English, QLocale::UnitedStates).toString(modified, QLocale::ShortFormat));
  EXPECT_EQ(Shown(1, 2), QStringLiteral("folder"));
}

}  // namespace
