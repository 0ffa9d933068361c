#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/streams.h"
#include "platform/ui/controls/forms.h"
#include "tests/support/scratch_folder.h"
#include "widetext/dialogs/custom_file_dialog.h"
#include "widetext/dialogs/file_dialog_options.h"
#include "widetext/dialogs/file_name_dialog.h"
#include "widetext/dialogs/wide_open_dialog.h"
#include "widetext/file_stream.h"
#include "widetext/utf8.h"

namespace {

using namespace widetext;
using Names = std::vector<std::u16string>;

TEST(FileDialogFilter, PairsOfDescriptionAndMaskBecomeFileTypes) {
  const auto types = FileTypesOfFilter(u"NMEA (*.txt)|*.txt|Τα πάντα|*.*;*");
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].DisplayName, u"NMEA (*.txt)");
  EXPECT_EQ(types[0].FileMask, u"*.txt");
  EXPECT_EQ(types[1].DisplayName, u"Τα πάντα");
  EXPECT_EQ(types[1].FileMask, u"*.*;*");
  EXPECT_EQ(FileTypesOfFilter(u"A|*.a|B").size(), 1u);
  EXPECT_TRUE(FileTypesOfFilter(u"A").empty());
  EXPECT_TRUE(FileTypesOfFilter(u"").empty());
  const auto empty = FileTypesOfFilter(u"|*.a");
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_EQ(empty[0].DisplayName, u"");
  // Listed by their descriptions (a link by its location), or else by
  // their class.
  EXPECT_EQ(types[1].GetDisplayName(), u"Τα πάντα");
  EXPECT_EQ(empty[0].GetDisplayName(), u"TFileTypeItem");
  EXPECT_EQ(TFavoriteLinkItem{u"/data/Ω"}.GetDisplayName(), u"/data/Ω");
  EXPECT_EQ(TFavoriteLinkItem{}.GetDisplayName(), u"TFavoriteLinkItem");
}

TEST(FileDialogOptions, EachOpenOptionWithACounterpartMapsToOneDialogOption) {
  using namespace platform;
  const std::pair<TOpenOptions, TFileDialogOption> mapped[] = {
      {ofOverwritePrompt, fdoOverWritePrompt},
      {ofNoChangeDir, fdoNoChangeDir},
      {ofNoValidate, fdoNoValidate},
      {ofAllowMultiSelect, fdoAllowMultiSelect},
      {ofExtensionDifferent, fdoStrictFileTypes},
      {ofPathMustExist, fdoPathMustExist},
      {ofFileMustExist, fdoFileMustExist},
      {ofCreatePrompt, fdoCreatePrompt},
      {ofShareAware, fdoShareAware},
      {ofNoReadOnlyReturn, fdoNoReadOnlyReturn},
      {ofNoTestFileCreate, fdoNoTestFileCreate},
      {ofNoDereferenceLinks, fdoNoDereferenceLinks},
      {ofDontAddToRecent, fdoDontAddToRecent},
      {ofForceShowHidden, fdoForceShowHidden},
  };
  for (const auto& [from, to] : mapped) EXPECT_EQ(FileDialogOptionsOf(from, 0), TFileDialogOptions{to}) << from;
  for (const TOpenOptions none : {ofReadOnly, ofHideReadOnly, ofShowHelp, ofNoNetworkButton, ofNoLongNames,
                                  ofOldStyleDialog, ofEnableIncludeNotify, ofEnableSizing}) {
    EXPECT_EQ(FileDialogOptionsOf(none, 0), TFileDialogOptions{}) << none;
  }
  EXPECT_EQ(FileDialogOptionsOf(0, ofExNoPlacesBar), TFileDialogOptions{fdoHidePinnedPlaces});

  EXPECT_EQ(FileDialogFlagsOf({fdoOverWritePrompt, fdoAllowMultiSelect}), 0x202u);
  EXPECT_EQ(FileDialogFlagsOf({fdoHidePinnedPlaces, fdoForceShowHidden, fdoForcePreviewPaneOn}), 0x50040000u);
  EXPECT_EQ(FileDialogFlagsOf({fdoStrictFileTypes, fdoDontAddToRecent, fdoNoDereferenceLinks}), 0x2100004u);
}

TEST(FileDialogNames, TheResultBufferHoldsOneNameOrAFolderAndItsNames) {
  using namespace std::string_literals;
  EXPECT_EQ(ReadChosenNames(u"/home/u/a.txt\0junk"s, false), (Names{u"/home/u/a.txt"}));
  EXPECT_EQ(ReadChosenNames(u"/home/u\0a.txt\0β.txt\0\0"s, true), (Names{u"/home/u/a.txt", u"/home/u/β.txt"}));
  // A name that is a full path itself keeps its own folder.
  EXPECT_EQ(ReadChosenNames(u"/home/u/\0a\0/tmp/b\0\0"s, true), (Names{u"/home/u/a", u"/tmp/b"}));
  EXPECT_EQ(ReadChosenNames(u"/home/u/one\0\0"s, true), (Names{u"/home/u/one"}));
  EXPECT_TRUE(ReadChosenNames(u"\0\0"s, true).empty());
  EXPECT_TRUE(ReadChosenNames(u""s, false).empty());
  // The old style separates the names by blanks, up to the zero.
  EXPECT_EQ(ReadChosenNames(u"/home/u a.txt b.txt\0junk\0\0"s, true, false),
            (Names{u"/home/u/a.txt", u"/home/u/b.txt"}));
}

// Opens the wide OPENFILENAME path to the tests.
class TestDialog : public TWtxSaveDialog {
 public:
  using TWtxSaveDialog::ExecuteOpenFileNameDialog;
  using TWtxSaveDialog::TWtxSaveDialog;
};

class WideFileDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void TearDown() override {
    platform::SetFileChooser(nullptr);
    platform::SetFileDialogScript({});
    platform::SetMessageBoxHandler({});
  }
  // A chooser that gives the answers in turn (an empty one cancels) and
  // keeps what it was asked.
  void Answer(std::vector<Names> Answers, int FilterIndex = 0) {
    platform::SetFileChooser([this, Answers, FilterIndex](platform::TFileChoice& Choice, Names& Files) {
      Asked.push_back(Choice);
      const std::size_t turn = Asked.size() - 1;
      if (turn >= Answers.size() || Answers[turn].empty()) return false;
      if (FilterIndex) Choice.FilterIndex = FilterIndex;
      Files = Answers[turn];
      return true;
    });
  }
  std::vector<platform::TFileChoice> Asked;
};

TEST_F(WideFileDialogs, WidePropertiesKeepEveryLetterAndFollowTheEightBitOnes) {
  TWtxSaveDialog dialog(nullptr);
  dialog.SetFileName(u"Łódź ΔΣ.txt");
  EXPECT_EQ(dialog.GetFileName(), u"Łódź ΔΣ.txt");
  EXPECT_EQ(dialog.FileName,
            "?\xF3"
            "d? ??.txt");
  dialog.SetTitle(u"Αποθήκευση");
  EXPECT_EQ(dialog.GetTitle(), u"Αποθήκευση");
  dialog.Title = "Save";
  EXPECT_EQ(dialog.GetTitle(), u"Save");
  dialog.SetInitialDir(u"/home/ü/logs/");
  EXPECT_EQ(dialog.GetInitialDir(), u"/home/ü/logs");
  dialog.SetInitialDir(u"/");
  EXPECT_EQ(dialog.GetInitialDir(), u"/");
  dialog.SetDefaultExt(u"txt");
  EXPECT_EQ(dialog.DefaultExt, "txt");
}

TEST_F(WideFileDialogs, AFileWhoseNameCodePage1252CannotHoldIsChosenAndOpened) {
  support::testing::TScratchFolder folder;
  const std::u16string path = UTF8Decode(folder.Path().string()) + u"/Łódź ΔΣ 中.txt";
  Answer({{path}}, 1);
  TWtxSaveDialog dialog(nullptr);
  dialog.SetTitle(u"Save DST Input Channel");
  dialog.SetFilter(u"NMEA raw ASCII File (*.txt)|*.txt");
  dialog.SetDefaultExt(u"txt");
  dialog.SetFileName(u"dst.txt");
  ASSERT_TRUE(dialog.Execute());

  ASSERT_EQ(Asked.size(), 1u);
  const platform::TFileChoice& asked = Asked[0];
  EXPECT_TRUE(asked.Save);
  EXPECT_EQ(asked.Title, u"Save DST Input Channel");
  EXPECT_EQ(asked.Filter, u"NMEA raw ASCII File (*.txt)|*.txt");
  EXPECT_EQ(asked.FilterIndex, 1);
  EXPECT_EQ(asked.FileName, u"dst.txt");
  EXPECT_EQ(asked.DefaultExt, u"txt");

  EXPECT_EQ(dialog.GetFileName(), path);
  ASSERT_EQ(dialog.GetFiles().Count(), 1);
  EXPECT_EQ(dialog.GetFiles()[0], path);
  {
    TWtxFileStream file(dialog.GetFileName(), platform::fmCreate);
    file.WriteBuffer("$GPGGA\r\n", 8);
  }
  EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(UTF8Encode(path))), 8u);
}

TEST_F(WideFileDialogs, TheProgramsWindowsWaitWhileTheDialogShows) {
  platform::TForm* form = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
  form->Show();
  bool waited = false;
  platform::SetFileChooser([&](platform::TFileChoice&, Names&) {
    waited = !platform::IsWindowEnabled(form->Handle());
    return false;
  });
  TWtxOpenDialog dialog(nullptr);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(waited);
  EXPECT_TRUE(platform::IsWindowEnabled(form->Handle()));
  platform::Free(form);
}

TEST_F(WideFileDialogs, CancellingKeepsTheFileName) {
  Answer({{}});
  TWtxSaveDialog dialog(nullptr);
  dialog.SetFileName(u"keep.txt");
  dialog.FilterIndex = 2;
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetFileName(), u"keep.txt");
  EXPECT_EQ(dialog.GetFiles().Count(), 0);
  EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(WideFileDialogs, TheDialogsEventsReachTheHandlersAndARefusalAsksAgain) {
  Answer({{u"/data/a/first.txt"}, {u"/data/b/second.log"}}, 2);
  TWtxOpenDialog dialog(nullptr);
  dialog.SetFilter(u"Text|*.txt|Logs|*.log");
  dialog.SetInitialDir(u"/data/a");
  std::vector<std::u16string> events;
  dialog.OnTypeChange = [&](platform::TObject*) {
    events.push_back(u"type " + std::u16string(1, u'0' + dialog.FilterIndex));
  };
  dialog.OnFolderChange = [&](platform::TObject*) { events.push_back(u"folder " + dialog.GetFileName()); };
  dialog.OnSelectionChange = [&](platform::TObject*) { events.push_back(u"selection " + dialog.GetFiles()[0]); };
  dialog.OnCanClose = [&](platform::TObject*, bool& CanClose) {
    events.push_back(u"close? " + dialog.GetFileName());
    CanClose = dialog.GetFileName().ends_with(u".log");
  };
  ASSERT_TRUE(dialog.Execute());
  // The folder changes while the name box still holds the refused name.
  EXPECT_EQ(events,
            (Names{u"type 2", u"selection /data/a/first.txt", u"close? /data/a/first.txt", u"folder /data/a/first.txt",
                   u"selection /data/b/second.log", u"close? /data/b/second.log"}));
  ASSERT_EQ(Asked.size(), 2u);
  EXPECT_EQ(Asked[0].InitialDir, u"/data/a");
  // Asked again with the refused name.
  EXPECT_EQ(Asked[1].FileName, u"/data/a/first.txt");
  EXPECT_EQ(dialog.GetFileName(), u"/data/b/second.log");
  EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(WideFileDialogs, SeveralFilesInOneFolder) {
  Answer({{u"/data/Ωa.txt", u"/data/Ωb.txt"}});
  TWtxOpenDialog dialog(nullptr);
  dialog.Options |= platform::ofAllowMultiSelect;
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(Asked[0].MultiSelect);
  ASSERT_EQ(dialog.GetFiles().Count(), 2);
  EXPECT_EQ(dialog.GetFiles()[1], u"/data/Ωb.txt");
  EXPECT_EQ(dialog.GetFileName(), u"/data/Ωa.txt");
  ASSERT_EQ(dialog.Files.size(), 2u);
  EXPECT_EQ(dialog.Files[1], "/data/?b.txt");
}

TEST_F(WideFileDialogs, AnExistingFileIsOverwrittenOnlyWhenTheHandlerLetsIt) {
  support::testing::TScratchFolder folder;
  const std::u16string existing = UTF8Decode((folder / "log.txt").string());
  { TWtxFileStream file(existing, platform::fmCreate); }
  Answer({{existing}, {existing}});
  TFileSaveDialog dialog(nullptr);
  dialog.Options = {fdoOverWritePrompt};
  int asked = 0;
  dialog.OnFileOverwrite = [&](platform::TObject*, const std::u16string& File, FDE_RESPONSE& Response) {
    EXPECT_EQ(File, existing);
    Response = ++asked == 1 ? FDER_REFUSE : FDER_ACCEPT;
  };
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(dialog.FileName(), existing);
  EXPECT_EQ(dialog.Files(), Names{existing});
}

TEST_F(WideFileDialogs, TheItemDialogActsOnItsOptionsAndAsksAgainForANameTheyRefuse) {
  support::testing::TScratchFolder folder;
  const std::u16string base = UTF8Decode(folder.Path().string());
  const std::u16string there = base + u"/there.txt", missing = base + u"/new.txt", locked = base + u"/locked.txt";
  for (const char* name : {"there.txt", "locked.txt", ".hidden.txt"}) std::ofstream(folder / name) << "x";
  std::filesystem::permissions(folder / "locked.txt", std::filesystem::perms::owner_read);
  int told = 0;
  // Every warning is told; the question whether to create a file is
  // answered no, then yes.
  platform::SetMessageBoxHandler([&](const std::u16string&, const std::u16string&, platform::UINT) {
    return ++told == 1 ? platform::IDNO : platform::IDYES;
  });
  const struct {
    TFileDialogOption Option;
    bool Save;
    std::u16string Refused, Taken;
  } cases[] = {
      {fdoFileMustExist, false, missing, there},
      {fdoPathMustExist, true, base + u"/gone/new.txt", missing},
      {fdoCreatePrompt, false, missing, missing},
      {fdoNoReadOnlyReturn, true, locked, there},
      {fdoStrictFileTypes, true, base + u"/there.log", there},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Option);
    told = 0;
    Asked.clear();
    Answer({{c.Refused}, {c.Taken}});
    std::unique_ptr<TCustomFileDialog> dialog;
    if (c.Save) {
      dialog = std::make_unique<TFileSaveDialog>(nullptr);
    } else {
      dialog = std::make_unique<TFileOpenDialog>(nullptr);
    }
    dialog->Options = {c.Option};
    dialog->FileTypes = {{u"Text", u"*.txt"}};
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(Asked.size(), 2u);
    EXPECT_EQ(dialog->FileName(), c.Taken);
    EXPECT_EQ(told, c.Option == fdoCreatePrompt ? 2 : 1);
  }

  // Hidden files are listed when asked for; the working folder stays.
  const std::filesystem::path working = std::filesystem::current_path();
  Names listed;
  platform::SetFileDialogScript([&](platform::HWND Window) {
    listed = platform::FileDialogItems(Window);
    platform::FileDialogSelect(Window, {there});
    platform::FileDialogOk(Window);
  });
  TFileOpenDialog dialog(nullptr);
  dialog.DefaultFolder = base;
  dialog.Options = {fdoForceShowHidden, fdoNoChangeDir};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(listed, (Names{u".hidden.txt", u"locked.txt", u"there.txt"}));
  EXPECT_EQ(std::filesystem::current_path(), working);
}

TEST_F(WideFileDialogs, TheOldStyleFileNameDialogTakesTheNamesExtensionAndHasNoCloseCheck) {
  Answer({{u"/data/no.txt"}}, 2);
  TestDialog dialog(nullptr);
  dialog.SetFileName(u"/data/old.csv");
  dialog.SetFilter(u"CSV|*.csv|Text|*.txt");
  dialog.Options |= platform::ofOldStyleDialog | platform::ofReadOnly;
  int checks = 0;
  dialog.OnCanClose = [&](platform::TObject*, bool& CanClose) {
    ++checks;
    CanClose = false;
  };
  ASSERT_TRUE(dialog.ExecuteOpenFileNameDialog());
  // The old style tells nobody of the chosen file before it closes.
  EXPECT_EQ(checks, 0);
  // Without a default extension the old-style dialog takes the name's.
  EXPECT_EQ(Asked[0].DefaultExt, u"csv");
  EXPECT_EQ(dialog.GetFileName(), u"/data/no.txt");
  // The old style tells nobody of the type change either: the choice
  // itself brings the type and the flags back.
  EXPECT_EQ(dialog.FilterIndex, 2);
  EXPECT_TRUE(dialog.Options & platform::ofExtensionDifferent);
  EXPECT_TRUE(dialog.Options & platform::ofReadOnly);
}

TEST_F(WideFileDialogs, ThePlatformsDialogGetsTheFilterAsPairsAndAFileNameCutToItsBuffer) {
  support::testing::TScratchFolder folder;
  const std::u16string path = UTF8Decode(folder.Path().string()) + u"/Ωμέγα 中.log";
  platform::TFileChoice asked;
  platform::SetFileChooser([&](platform::TFileChoice& Choice, Names& Files) {
    asked = Choice;
    Files.push_back(path);
    Choice.FilterIndex = 2;
    return true;
  });
  TWtxSaveDialog dialog(nullptr);
  dialog.SetFilter(u"A|*.a|Βήτα|*.b");
  dialog.SetTitle(u"Τίτλος");
  dialog.SetFileName(std::u16string(70000, u'n'));
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(asked.Filter, u"A|*.a|Βήτα|*.b");
  EXPECT_EQ(asked.Title, u"Τίτλος");
  EXPECT_EQ(asked.FileName.size(), 65534u);
  EXPECT_EQ(dialog.GetFileName(), path);
  EXPECT_EQ(dialog.FilterIndex, 2);
  { TWtxFileStream file(dialog.GetFileName(), platform::fmCreate); }
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(UTF8Encode(path))));
}

}  // namespace
