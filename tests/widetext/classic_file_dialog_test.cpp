#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/class_registry.h"
#include "platform/core/os/modules.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/dialog_windows.h"
#include "platform/ui/controls/forms.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scratch_folder.h"
#include "tests/widetext/platform_version.h"
#include "widetext/dialogs/custom_file_dialog.h"
#include "widetext/dialogs/dialogs_unit.h"
#include "widetext/dialogs/wide_common_dialog.h"
#include "widetext/dialogs/wide_open_dialog.h"

namespace widetext::testing {
namespace {

using Names = std::vector<std::u16string>;

// A folder of files with names code page 1252 cannot hold.
class ClassicFileDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    for (const char* name : {"Ωμέγα.log", "Łódź.log", "skip.log", "notes.txt"}) std::ofstream(Folder / name) << "x";
    FolderW = Folder.Path().u16string();
  }
  void TearDown() override { platform::SetFileDialogScript({}); }

  support::testing::TScratchFolder Folder;
  std::u16string FolderW;
};

TEST_F(ClassicFileDialog, BeforeVersion6TheWideFileNameDialogShowsAndChecksTheWideNamesBeforeClosing) {
  const ScopedPlatformVersion version5(kVersion5Platform);
  TWtxOpenDialog dialog(nullptr);
  dialog.SetInitialDir(FolderW);
  dialog.SetFilter(u"Logs|*.log|Text|*.txt");
  dialog.Options |= platform::ofAllowMultiSelect | platform::ofEnableIncludeNotify;
  Names events, listed;
  dialog.OnIncludeItem = [&](platform::TObject*, const platform::OFNOTIFYEXW& OFN, bool& Include) {
    EXPECT_EQ(std::u16string(OFN.pszFolder), FolderW);
    Include = std::u16string(OFN.pszItem) != u"skip.log";
  };
  dialog.OnSelectionChange = [&](platform::TObject*) {
    // Asked of the dialog while it shows.
    events.push_back(u"selection " + dialog.GetFileName());
  };
  dialog.OnCanClose = [&](platform::TObject*, bool& CanClose) {
    events.push_back(u"close? " + std::u16string(1, u'0' + static_cast<char16_t>(dialog.GetFiles().Count())));
    for (int i = 0; i < dialog.GetFiles().Count(); ++i) events.push_back(dialog.GetFiles()[i]);
    CanClose = dialog.GetFiles().Count() == 2;
  };
  bool shown = false;
  dialog.OnShow = [&](platform::TObject*) { shown = true; };
  platform::SetFileDialogScript([&](platform::HWND Window) {
    listed = platform::FileDialogItems(Window);
    // The component has the dialog's window while it shows.
    EXPECT_EQ(platform::GetParent(dialog.Handle()), Window);
    platform::FileDialogSelect(Window, {FolderW + u"/Ωμέγα.log"});
    EXPECT_FALSE(platform::FileDialogOk(Window));
    platform::FileDialogSelect(Window, {FolderW + u"/Łódź.log", FolderW + u"/Ωμέγα.log"});
    EXPECT_TRUE(platform::FileDialogOk(Window));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(shown);
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_EQ(listed, (Names{u"Łódź.log", u"Ωμέγα.log"}));
  EXPECT_EQ(events, (Names{u"selection " + FolderW + u"/Ωμέγα.log", u"close? 1", FolderW + u"/Ωμέγα.log",
                           u"selection " + FolderW + u"/Łódź.log", u"close? 2", FolderW + u"/Łódź.log",
                           FolderW + u"/Ωμέγα.log"}));
  ASSERT_EQ(dialog.GetFiles().Count(), 2);
  EXPECT_EQ(dialog.GetFiles()[1], FolderW + u"/Ωμέγα.log");
  EXPECT_EQ(dialog.GetFileName(), FolderW + u"/Łódź.log");
  EXPECT_EQ(dialog.Files.size(), 2u);
}

TEST_F(ClassicFileDialog, ACustomTemplateTakesTheFileNameDialogEvenOnVersion6AndCancellingKeepsTheName) {
  platform::DLGTEMPLATEW extra;
  extra.cx = 300;
  extra.cy = 30;
  void* module = platform::GetModuleHandleA(nullptr);
  ASSERT_TRUE(platform::RegisterDialogTemplate(module, u"EXTRA", extra));
  TWtxSaveDialog dialog(nullptr);
  dialog.Template = "EXTRA";
  dialog.SetFileName(u"Αρχείο.txt");
  dialog.SetInitialDir(FolderW);
  dialog.OnCanClose = [](platform::TObject*, bool& CanClose) { CanClose = false; };
  bool classic = false;
  std::u16string typeChangeName;
  dialog.SetFilter(u"Text|*.txt|All|*.*");
  dialog.OnTypeChange = [&](platform::TObject*) { typeChangeName = dialog.GetFileName(); };
  platform::SetFileDialogScript([&](platform::HWND Window) {
    classic = dialog.Handle() != nullptr;
    platform::FileDialogChangeType(Window, 2);
    platform::FileDialogTypeName(Window, u"Νέο.txt");
    EXPECT_FALSE(platform::FileDialogOk(Window));
    platform::FileDialogCancel(Window);
  });
  EXPECT_FALSE(dialog.Execute());
  platform::UnregisterDialogTemplate(module, u"EXTRA");
  EXPECT_TRUE(classic);
  EXPECT_EQ(dialog.FilterIndex, 2);
  EXPECT_EQ(typeChangeName, FolderW + u"/Αρχείο.txt");
  // The refused name does not stay after the cancel.
  EXPECT_EQ(dialog.GetFileName(), u"Αρχείο.txt");
  EXPECT_EQ(dialog.GetFiles().Count(), 0);
}

TEST_F(ClassicFileDialog, WithoutUnicodeTheEightBitDialogShowsAndStillAsksBeforeClosing) {
  const ScopedPlatformVersion ansi(kAnsiPlatform);
  TWtxOpenDialog dialog(nullptr);
  dialog.SetInitialDir(FolderW);
  dialog.SetDefaultExt(u"txt");
  dialog.Options |= platform::ofReadOnly;
  int checks = 0;
  dialog.OnCanClose = [&](platform::TObject*, bool& CanClose) { CanClose = ++checks > 1; };
  platform::SetFileDialogScript([&](platform::HWND Window) {
    platform::FileDialogSelect(Window, {FolderW + u"/Ωμέγα.log"});
    char path[300] = {};
    platform::SendMessageA(Window, platform::CDM_GETFILEPATH, sizeof path, reinterpret_cast<platform::LPARAM>(path));
    EXPECT_EQ(std::string(path), platform::Utf16ToCp1252(FolderW) + "/?????.log");
    EXPECT_FALSE(platform::FileDialogOk(Window));
    EXPECT_TRUE(platform::FileDialogOk(Window));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(dialog.FileName, platform::Utf16ToCp1252(FolderW) + "/?????.log");
  ASSERT_EQ(dialog.GetFiles().Count(), 1);
  EXPECT_EQ(dialog.GetFiles()[0], FolderW + u"/?????.log");
  EXPECT_TRUE(dialog.Options & platform::ofExtensionDifferent);
  EXPECT_TRUE(dialog.Options & platform::ofReadOnly);

  // The old style tells nobody of the type change: the choice itself
  // brings it back, and a name of the default extension is no longer
  // different.
  dialog.Options |= platform::ofOldStyleDialog;
  dialog.SetFilter(u"Logs|*.log|Text|*.txt");
  platform::SetFileDialogScript([&](platform::HWND Window) {
    platform::FileDialogChangeType(Window, 2);
    platform::FileDialogSelect(Window, {FolderW + u"/notes.txt"});
    platform::FileDialogOk(Window);
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, platform::Utf16ToCp1252(FolderW) + "/notes.txt");
  EXPECT_EQ(dialog.FilterIndex, 2);
  EXPECT_FALSE(dialog.Options & platform::ofExtensionDifferent);
}

TEST_F(ClassicFileDialog, TheItemBasedDialogRefusesAPlatformBeforeVersion6AndShowsNothing) {
  const ScopedPlatformVersion version5(kVersion5Platform);
  bool shown = false;
  platform::SetFileDialogScript([&](platform::HWND) { shown = true; });
  TFileSaveDialog dialog(nullptr);
  try {
    dialog.Execute();
    ADD_FAILURE() << "shown before version 6";
  } catch (const EPlatformVersionException& e) {
    EXPECT_STREQ(e.what(), "TFileSaveDialog requires Windows Vista or later");
  }
  EXPECT_FALSE(shown);
}

TEST_F(ClassicFileDialog, AClientIdentifierThatIsNoneRaisesTheConversionErrorBeforeAnythingShowsOrWaits) {
  bool shown = false;
  platform::SetFileDialogScript([&](platform::HWND) { shown = true; });
  auto* form = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
  form->Show();
  TFileOpenDialog dialog(nullptr);
  dialog.ClientGuid = u"{Ω}";
  try {
    dialog.Execute();
    ADD_FAILURE() << "shown with a malformed client identifier";
  } catch (const platform::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'{Ω}' is not a valid GUID value");
  }
  EXPECT_FALSE(shown);
  EXPECT_TRUE(platform::IsWindowEnabled(form->Handle()));
  platform::Free(form);
}

TEST_F(ClassicFileDialog, TheItemBasedDialogGivesItsWindowFromItsFirstSelectionOn) {
  TFileOpenDialog dialog(nullptr);
  dialog.DefaultFolder = FolderW;
  platform::HWND atSelection = nullptr, open = nullptr;
  dialog.OnSelectionChange = [&](platform::TObject*) { atSelection = dialog.Handle(); };
  platform::SetFileDialogScript([&](platform::HWND Window) {
    open = Window;
    EXPECT_EQ(dialog.Handle(), nullptr);
    platform::FileDialogSelect(Window, {FolderW + u"/notes.txt"});
    platform::FileDialogOk(Window);
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(atSelection, open);
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_EQ(dialog.FileName(), FolderW + u"/notes.txt");
}

// What a dialog showed as its user came to it.
struct Opened {
  std::u16string Folder;
  platform::RECT Bounds;
  Names Listed;
  std::u16string NameLabel, OkLabel;
  Names Places;
};

Opened Look(platform::HWND Window) {
  Opened opened;
  char16_t folder[512] = {};
  platform::SendMessageW(Window, platform::CDM_GETFOLDERPATH, 512, reinterpret_cast<platform::LPARAM>(folder));
  opened.Folder = folder;
  opened.Bounds = platform::GetWindowBounds(Window);
  opened.Listed = platform::FileDialogItems(Window);
  opened.NameLabel = platform::FileDialogControlText(Window, platform::kFileNameLabelId);
  opened.OkLabel = platform::FileDialogControlText(Window, platform::IDOK);
  opened.Places = platform::FileDialogPlaces(Window);
  return opened;
}

TEST_F(ClassicFileDialog, ADialogWithAClientIdentifierOpensAsTheLastOneOfItsClientClosed) {
  const support::testing::TScratchFolder settings;
  // The user's settings store in a folder of the test's own.
  const support::testing::TScopedEnv store("XDG_CONFIG_HOME", settings.Path().string());
  std::filesystem::create_directory(Folder / "Ωsub");
  std::ofstream(Folder / "Ωsub" / "inner.txt") << "x";
  const std::u16string sub = FolderW + u"/Ωsub";
  constexpr char16_t kClient[] = u"{6A1B2C3D-0001-4E5F-8A9B-0C1D2E3F4A5B}";
  const auto make = [&](std::u16string Client) {
    auto dialog = std::make_unique<TFileOpenDialog>(nullptr);
    dialog->ClientGuid = std::move(Client);
    dialog->FileTypes = {{u"Logs", u"*.log"}, {u"Text", u"*.txt"}};
    dialog->FileNameLabel = u"Nome del registro:";
    dialog->OkButtonLabel = u"Apri";
    dialog->FavoriteLinks = {{sub}, {}};
    return dialog;
  };

  Opened first, again, other;
  platform::SetFileDialogScript([&](platform::HWND Window) {
    first = Look(Window);
    platform::FileDialogChangeFolder(Window, sub);
    platform::FileDialogChangeType(Window, 2);
    // The user makes the dialog larger.
    platform::SetWindowPos(Window, nullptr, 0, 0, 720, 540, platform::SWP_NOMOVE | platform::SWP_NOZORDER);
    platform::FileDialogCancel(Window);
  });
  auto dialog = make(kClient);
  dialog->DefaultFolder = FolderW;
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(first.Folder, FolderW);
  EXPECT_EQ(first.NameLabel, u"Nome del registro:");
  EXPECT_EQ(first.OkLabel, u"Apri");
  // A link without a location is no place.
  EXPECT_EQ(first.Places, Names{sub});

  platform::SetFileDialogScript([&](platform::HWND Window) {
    again = Look(Window);
    platform::FileDialogSelect(Window, {sub + u"/inner.txt"});
    platform::FileDialogOk(Window);
  });
  dialog = make(kClient);
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(again.Folder, sub);
  EXPECT_EQ(again.Listed, Names{u"inner.txt"});
  EXPECT_EQ(again.Bounds.Width(), 720);
  EXPECT_EQ(again.Bounds.Height(), 540);
  EXPECT_EQ(again.NameLabel, u"Nome del registro:");
  EXPECT_EQ(again.Places, Names{sub});
  EXPECT_EQ(dialog->FileTypeIndex, 2u);

  // Another client has its own; a folder the caller names wins over the
  // remembered one.
  platform::SetFileDialogScript([&](platform::HWND Window) { other = Look(Window); });
  dialog = make(u"{6A1B2C3D-0002-4E5F-8A9B-0C1D2E3F4A5B}");
  dialog->DefaultFolder = FolderW;
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(other.Folder, FolderW);
  EXPECT_EQ(other.Bounds.Width(), first.Bounds.Width());
  dialog = make(kClient);
  dialog->DefaultFolder = FolderW;
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(other.Folder, FolderW);
  EXPECT_EQ(other.Bounds.Width(), 720);
}

// A wide common dialog over the platform's file-name dialog, noting the
// notifications that reach its window procedure.
class TNotedDialog : public TWtxCommonDialog {
 public:
  using TWtxCommonDialog::TWtxCommonDialog;
  bool Execute() override {
    std::u16string buffer(260, u'\0');
    platform::OPENFILENAMEW ofn;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<platform::DWORD>(buffer.size());
    ofn.Flags = platform::OFN_EXPLORER | platform::OFN_ENABLEHOOK;
    ofn.lpfnHook = Hook();
    return TaskModalDialog([&] { return platform::GetOpenFileNameW(&ofn); });
  }
  void WndProc(platform::TMessage& Message) override {
    if (Message.Msg == platform::WM_NOTIFY)
      Codes.push_back(reinterpret_cast<const platform::NMHDR*>(Message.LParam)->code);
    TWtxCommonDialog::WndProc(Message);
  }
  std::vector<int> Codes;
};

TEST_F(ClassicFileDialog, AWideCommonDialogTakesTheDialogsWindowWithAUnicodeProcedure) {
  TNotedDialog dialog(nullptr);
  std::vector<std::string> events;
  dialog.OnShow = [&](platform::TObject*) { events.push_back("show"); };
  dialog.OnClose = [&](platform::TObject*) { events.push_back("close"); };
  bool unicode = false;
  platform::SetFileDialogScript([&](platform::HWND Window) {
    unicode = platform::IsWindowUnicode(dialog.Handle());
    platform::FileDialogTypeName(Window, u"Ωμέγα.log");
    platform::FileDialogOk(Window);
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(unicode);
  EXPECT_EQ(events, (std::vector<std::string>{"show", "close"}));
  EXPECT_EQ(dialog.Codes, (std::vector<int>{platform::CDN_INITDONE, platform::CDN_FOLDERCHANGE, platform::CDN_FILEOK}));
  EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(WideDialogsUnit, StartUpRegistersTheMessagesTheAtomAndTheClassAndShutDownDeletesTheAtom) {
  InitializeWideDialogs();
  EXPECT_EQ(CommDlgHelpMessage(), platform::RegisterWindowMessageA("commdlg_help"));
  EXPECT_EQ(CommDlgFindReplaceMessage(), platform::RegisterWindowMessageA("commdlg_FindReplace"));
  EXPECT_GE(CommDlgHelpMessage(), 0xC000u);
  const platform::ATOM atom = WndProcPtrAtom();
  ASSERT_NE(atom, 0);
  const std::string name = platform::GlobalGetAtomNameA(atom);
  EXPECT_EQ(name.size(), 26u);
  EXPECT_TRUE(name.starts_with("WndProcPtr"));
  EXPECT_EQ(platform::GlobalFindAtomA(name), atom);
  EXPECT_NE(platform::GetClass("TWtxCommonDialog"), nullptr);
  FinalizeWideDialogs();
  EXPECT_EQ(WndProcPtrAtom(), 0);
  EXPECT_EQ(platform::GlobalFindAtomA(name), 0);
  // Set up again, as the program does each time it starts.
  InitializeWideDialogs();
  EXPECT_NE(WndProcPtrAtom(), 0);
  FinalizeWideDialogs();
}

}  // namespace
}  // namespace widetext::testing
