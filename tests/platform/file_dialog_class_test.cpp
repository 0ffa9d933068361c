#include <gtest/gtest.h>

#include <QFileDialog>
#include <QGuiApplication>
#include <QSettings>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/os/modules.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/dialog_windows.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/commdlg.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace platform;

// A hook that notes what it is told (the notification codes), answers the
// dialog's questions while it shows, refuses the first chosen file and
// leaves ".tmp" files out.
struct HookLog {
  std::vector<int> Codes;
  std::u16string PathAtFileOk, SpecAtFileOk, FolderAtFileOk;
  std::u16string BufferAtFileOk;
  int Refusals = 1;
  OPENFILENAMEW* Record = nullptr;
  HWND Hook = nullptr;
};
HookLog* g_log = nullptr;

std::u16string Ask(HWND Dialog, UINT Msg) {
  char16_t buffer[261] = {};
  SendMessageW(Dialog, Msg, 261, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

LRESULT TestHook(HWND hDlg, UINT Msg, WPARAM, LPARAM lParam) {
  if (Msg == WM_INITDIALOG) {
    g_log->Record = reinterpret_cast<OPENFILENAMEW*>(lParam);
    g_log->Hook = hDlg;
    return 0;
  }
  if (Msg != WM_NOTIFY) return 0;
  const auto* nm = reinterpret_cast<const OFNOTIFYW*>(lParam);
  g_log->Codes.push_back(nm->hdr.code);
  if (nm->hdr.code == CDN_INCLUDEITEM) {
    const auto* ex = reinterpret_cast<const OFNOTIFYEXW*>(lParam);
    SetWindowLong(hDlg, DWL_MSGRESULT, std::u16string(ex->pszItem).ends_with(u".tmp") ? 0 : 1);
    return 1;
  }
  if (nm->hdr.code == CDN_FILEOK) {
    const HWND dialog = GetParent(hDlg);
    g_log->PathAtFileOk = Ask(dialog, CDM_GETFILEPATH);
    g_log->SpecAtFileOk = Ask(dialog, CDM_GETSPEC);
    g_log->FolderAtFileOk = Ask(dialog, CDM_GETFOLDERPATH);
    g_log->BufferAtFileOk = nm->lpOFN->lpstrFile;
    if (g_log->Refusals > 0) {
      --g_log->Refusals;
      SetWindowLong(hDlg, DWL_MSGRESULT, 1);
      return 1;
    }
  }
  return 0;
}

class FileDialogClass : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void SetUp() override {
    g_log = &Log;
    for (const char* name : {"b.txt", "a.txt", "skip.tmp", "notes.log"}) std::ofstream(Folder / name) << "x";
    std::filesystem::create_directory(Folder / "sub");
    FolderW = Folder.Path().u16string();
    Record.lpstrFile = Buffer.data();
    Record.nMaxFile = static_cast<DWORD>(Buffer.size());
    Record.lpstrInitialDir = FolderW.c_str();
    Record.lpstrFilter = u"Text\0*.txt\0All\0*.*\0";
    Record.nFilterIndex = 1;
    Record.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    Record.lpfnHook = MakeWndProc<&TestHook>(true);
  }
  void TearDown() override {
    SetFileDialogScript({});
    SetMessageBoxHandler({});
    g_log = nullptr;
  }

  support::testing::TScratchFolder Folder;
  std::u16string FolderW;
  std::u16string Buffer = std::u16string(512, u'\0');
  OPENFILENAMEW Record;
  HookLog Log;
};

TEST_F(FileDialogClass, TheHookHearsTheUsersMovesAndARefusalKeepsTheDialogOpen) {
  Record.lpstrDefExt = u"txt";
  Record.Flags |= OFN_READONLY;
  std::vector<std::u16string> shown;
  bool closedFirst = true;
  SetFileDialogScript([&](HWND Dialog) {
    shown = FileDialogItems(Dialog);
    FileDialogChangeType(Dialog, 2);
    FileDialogSelect(Dialog, {FolderW + u"/a.txt"});
    closedFirst = FileDialogOk(Dialog);
    EXPECT_TRUE(IsWindow(Dialog));
    FileDialogTypeName(Dialog, u"notes.log");
    EXPECT_TRUE(FileDialogOk(Dialog));
  });
  ASSERT_TRUE(GetOpenFileNameW(&Record));
  EXPECT_FALSE(closedFirst);
  EXPECT_EQ(Log.Record, &Record);
  EXPECT_EQ(Log.Codes,
            (std::vector<int>{CDN_INITDONE, CDN_FOLDERCHANGE, CDN_TYPECHANGE, CDN_SELCHANGE, CDN_FILEOK, CDN_FILEOK}));
  // Folders first, then the files of the first type.
  EXPECT_EQ(shown, (std::vector<std::u16string>{u"sub", u"a.txt", u"b.txt"}));
  // Asked while the dialog was open, at the second try.
  EXPECT_EQ(Log.PathAtFileOk, FolderW + u"/notes.log");
  EXPECT_EQ(Log.SpecAtFileOk, u"notes.log");
  EXPECT_EQ(Log.FolderAtFileOk, FolderW);
  EXPECT_EQ(Log.BufferAtFileOk, FolderW + u"/notes.log");
  EXPECT_EQ(std::u16string(Buffer.c_str()), FolderW + u"/notes.log");
  EXPECT_EQ(Record.nFilterIndex, 2u);
  EXPECT_EQ(Record.nFileOffset, FolderW.size() + 1);
  // A name of another extension than the default one is told as such; the
  // read-only box stays as the caller set it.
  EXPECT_NE(Record.Flags & OFN_EXTENSIONDIFFERENT, 0u);
  EXPECT_NE(Record.Flags & OFN_READONLY, 0u);
}

TEST_F(FileDialogClass, TheHookLeavesFilesOutOfTheListAndSeveralFilesComeBackAsFolderAndNames) {
  Record.Flags |= OFN_ENABLEINCLUDENOTIFY | OFN_ALLOWMULTISELECT;
  Record.nFilterIndex = 2;
  Log.Refusals = 0;
  std::vector<std::u16string> shown;
  SetFileDialogScript([&](HWND Dialog) {
    shown = FileDialogItems(Dialog);
    FileDialogSelect(Dialog, {FolderW + u"/a.txt", FolderW + u"/notes.log"});
    FileDialogOk(Dialog);
  });
  ASSERT_TRUE(GetOpenFileNameW(&Record));
  EXPECT_EQ(shown, (std::vector<std::u16string>{u"sub", u"a.txt", u"b.txt", u"notes.log"}));
  const std::u16string expected = FolderW + u'\0' + u"a.txt" + u'\0' + u"notes.log" + u'\0' + u'\0';
  EXPECT_EQ(Buffer.substr(0, expected.size()), expected);

  // The old-style dialog separates the names by blanks.
  Record.Flags = OFN_ALLOWMULTISELECT;
  SetFileDialogScript([&](HWND Dialog) {
    FileDialogSelect(Dialog, {FolderW + u"/a.txt", FolderW + u"/b.txt"});
    FileDialogOk(Dialog);
  });
  ASSERT_TRUE(GetOpenFileNameW(&Record));
  EXPECT_EQ(std::u16string(Buffer.c_str()), FolderW + u" a.txt b.txt");
}

TEST_F(FileDialogClass, ATemplateAddsItsControlsBelowTheDialogAndAnswersInEightBits) {
  DLGTEMPLATEW extra;
  extra.cx = 200;
  extra.cy = 40;
  extra.items.push_back({WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 8, 8, 150, 20, 77, u"BUTTON", u"Ωμέγα"});
  void* module = GetModuleHandleA(nullptr);
  ASSERT_TRUE(RegisterDialogTemplate(module, u"PREVIEW", extra));
  std::string buffer(256, '\0');
  OPENFILENAMEA record;
  record.hInstance = module;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  const std::string folder = Utf16ToCp1252(FolderW);
  record.lpstrInitialDir = folder.c_str();
  record.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  record.lpfnHook = MakeWndProc<&TestHook>(true);
  record.lpTemplateName = "preview";
  record.lpstrDefExt = "txt";
  Log.Refusals = 0;
  std::u16string control;
  RECT dialogBounds{}, hookBounds{};
  std::string spec;
  SetFileDialogScript([&](HWND Dialog) {
    control = WindowTextW(GetDlgItem(Log.Hook, 77));
    dialogBounds = GetWindowBounds(Dialog);
    hookBounds = GetWindowBounds(Log.Hook);
    FileDialogTypeName(Dialog, u"chosen");
    char answer[64] = {};
    EXPECT_EQ(SendMessageA(Dialog, CDM_GETSPEC, sizeof answer, reinterpret_cast<LPARAM>(answer)), 7);
    spec = answer;
    FileDialogOk(Dialog);
  });
  ASSERT_TRUE(GetSaveFileNameA(&record));
  UnregisterDialogTemplate(module, u"PREVIEW");
  EXPECT_EQ(control, u"Ωμέγα");
  EXPECT_EQ(hookBounds.top, dialogBounds.Height() - 40);
  EXPECT_EQ(spec, "chosen");
  // The default extension is added; the name is not another's.
  EXPECT_EQ(std::string(buffer.c_str()), folder + "/chosen.txt");
  EXPECT_EQ(record.Flags & OFN_EXTENSIONDIFFERENT, 0u);
}

TEST_F(FileDialogClass, SavingOverAFileAsksFirstAndOtherWindowsWait) {
  Record.Flags |= OFN_OVERWRITEPROMPT;
  Log.Refusals = 0;
  int asked = 0;
  SetMessageBoxHandler([&](const std::u16string& Text, const std::u16string&, UINT) {
    ++asked;
    EXPECT_NE(Text.find(u"a.txt"), std::u16string::npos);
    return asked == 1 ? IDNO : IDYES;
  });
  auto* form = new TForm(nullptr, TCustomForm::CreateNew);
  form->Show();
  bool waited = false;
  int fileOks = 0;
  SetFileDialogScript([&](HWND Dialog) {
    waited = !IsWindowEnabled(form->Handle());
    FileDialogSelect(Dialog, {FolderW + u"/a.txt"});
    EXPECT_FALSE(FileDialogOk(Dialog));
    fileOks = static_cast<int>(std::count(Log.Codes.begin(), Log.Codes.end(), CDN_FILEOK));
    EXPECT_TRUE(FileDialogOk(Dialog));
  });
  ASSERT_TRUE(GetSaveFileNameW(&Record));
  EXPECT_EQ(asked, 2);
  // The hook heard of the file only once the user let it be replaced.
  EXPECT_EQ(fileOks, 0);
  EXPECT_TRUE(waited);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  Free(form);

  // A script that leaves the dialog open cancels it.
  SetFileDialogScript([](HWND) {});
  EXPECT_FALSE(GetOpenFileNameW(&Record));
}

// On a real display the dialog window holds Qt's file dialog, which shows
// what the dialog holds; ctest runs this under Xvfb.
class FileDialogView : public FileDialogClass {
 protected:
  // Qt's dialog keeps its own state in a settings store of Qt's, found
  // once for the whole process: beside the test program, not the user's.
  static void SetUpTestSuite() {
    FileDialogClass::SetUpTestSuite();
    const auto store = std::filesystem::path(ProgramFileName()).parent_path() / "qt-settings";
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(store.string()));
  }
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs a real display";
    FileDialogClass::SetUp();
  }
};

TEST_F(FileDialogView, QtsDialogShowsTheLabelsAndThePlacesTheDialogIsGiven) {
  QString okLabel, nameLabel;
  QList<QUrl> places;
  SetFileDialogScript([&](HWND Dialog) {
    SendMessageW(Dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(u"Apri"));
    SendMessageW(Dialog, CDM_SETCONTROLTEXT, kFileNameLabelId, reinterpret_cast<LPARAM>(u"Nome del registro:"));
    FileDialogAddPlace(Dialog, FolderW + u"/sub");
    const auto* chooser = ui::WidgetOf(Dialog)->findChild<QFileDialog*>();
    ASSERT_NE(chooser, nullptr);
    okLabel = chooser->labelText(QFileDialog::Accept);
    nameLabel = chooser->labelText(QFileDialog::FileName);
    places = chooser->sidebarUrls();
    FileDialogCancel(Dialog);
  });
  EXPECT_FALSE(GetOpenFileNameW(&Record));
  EXPECT_EQ(okLabel.toStdString(), "Apri");
  EXPECT_EQ(nameLabel.toStdString(), "Nome del registro:");
  EXPECT_TRUE(places.contains(QUrl::fromLocalFile(QString::fromStdU16String(FolderW + u"/sub"))));
}

}  // namespace
