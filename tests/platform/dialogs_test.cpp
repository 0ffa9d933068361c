#include "platform/ui/controls/dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/controls/forms.h"

namespace {

using namespace platform;

class DialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void TearDown() override {
    SetFileChooser({});
    SetMessageBoxHandler({});
  }
};

TEST_F(DialogsTest, TheSaveDialogPassesItsSettingsAndTakesTheChoice) {
  TFileChoice asked;
  SetFileChooser([&](TFileChoice& Choice, std::vector<std::u16string>& Files) {
    asked = Choice;
    Choice.FilterIndex = 2;
    Files = {u"/tmp/dst log.txt"};
    return true;
  });
  TSaveDialog dialog(nullptr);
  dialog.Title = "Record DST channel";
  dialog.Filter = "Text files|*.txt|All files|*.*";
  dialog.DefaultExt = "txt";
  dialog.FileName = "dst.txt";
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(asked.Save);
  EXPECT_EQ(asked.Title, u"Record DST channel");
  EXPECT_EQ(asked.Filter, u"Text files|*.txt|All files|*.*");
  EXPECT_EQ(asked.FileName, u"dst.txt");
  EXPECT_EQ(dialog.FileName, "/tmp/dst log.txt");
  EXPECT_EQ(dialog.FilterIndex, 2);

  SetFileChooser([](TFileChoice&, std::vector<std::u16string>&) { return false; });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "/tmp/dst log.txt");
}

// The close check sees the names the user chose; a refused choice that the
// user then cancels leaves the dialog's names as they were.
TEST_F(DialogsTest, TheCloseCheckSeesTheChosenNames) {
  std::vector<std::u16string> answers = {u"/logs/refused.txt", u"", u"/logs/a.txt"};
  SetFileChooser([&](TFileChoice&, std::vector<std::u16string>& Files) {
    const std::u16string next = answers.front();
    answers.erase(answers.begin());
    if (next.empty()) return false;
    Files = {next};
    return true;
  });
  TOpenDialog dialog(nullptr);
  dialog.FileName = "dst.txt";
  dialog.Files = {"dst.txt"};
  std::vector<std::string> seen;
  dialog.OnCanClose = [&](TObject*, bool& CanClose) {
    seen.push_back(dialog.FileName + " " + std::to_string(dialog.Files.size()));
    CanClose = dialog.FileName != "/logs/refused.txt";
  };
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "dst.txt");
  EXPECT_EQ(dialog.Files, std::vector<std::string>{"dst.txt"});
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(seen, (std::vector<std::string>{"/logs/refused.txt 1", "/logs/a.txt 1"}));
  EXPECT_EQ(dialog.FileName, "/logs/a.txt");
}

TEST_F(DialogsTest, TheWideFileNameRecordIsFilledAsTheWindowSystemFillsIt) {
  SetFileChooser([](TFileChoice& Choice, std::vector<std::u16string>& Files) {
    if (Choice.MultiSelect) {
      Files = {u"/data/a.log", u"/data/b.log"};
    } else {
      EXPECT_EQ(Choice.Filter, u"Logs|*.log");
      Files = {u"/data/caf\u00E9.log"};
    }
    return true;
  });
  std::u16string buffer(64, u'\0');
  OPENFILENAMEW ofn;
  ofn.lpstrFilter = u"Logs\0*.log\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.nFilterIndex = 1;
  ASSERT_TRUE(GetSaveFileNameW(&ofn));
  EXPECT_EQ(std::u16string(buffer.c_str()), u"/data/caf\u00E9.log");
  EXPECT_EQ(ofn.nFileOffset, 6);
  EXPECT_EQ(ofn.nFileExtension, 11);

  ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(std::u16string(buffer.data(), 18), std::u16string(u"/data\0a.log\0b.log\0\0", 18));

  // A buffer too small is not overrun; the call fails instead.
  std::u16string small(4, u'x');
  ofn.lpstrFile = small.data();
  ofn.nMaxFile = 4;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(small, u"xxxx");
}

TEST_F(DialogsTest, WideFileNamesKeepLettersOutsideCodePage1252BothWays) {
  const std::u16string greek = u"/logs/\u0392\u03AC\u03B8\u03BF\u03C2.log";
  const std::u16string polish = u"/logs/G\u0142\u0119boko\u015B\u0107 \u017C\u00F3\u0142w.log";
  std::u16string asked;
  SetFileChooser([&](TFileChoice& Choice, std::vector<std::u16string>& Files) {
    asked = Choice.Title + u"|" + Choice.InitialDir + u"|" + Choice.FileName;
    Files = {Choice.MultiSelect ? polish : greek};
    if (Choice.MultiSelect) Files.push_back(u"/logs/\u0394.log");
    return true;
  });
  std::u16string buffer(128, u'\0');
  std::copy(greek.begin(), greek.end(), buffer.begin());
  OPENFILENAMEW ofn;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = u"\u0386\u03BD\u03BF\u03B9\u03B3\u03BC\u03B1";
  ofn.lpstrInitialDir = u"/\u0142\u00F3d\u017A";
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(asked, std::u16string(ofn.lpstrTitle) + u"|" + ofn.lpstrInitialDir + u"|" + greek);
  EXPECT_EQ(std::u16string(buffer.c_str()), greek);
  EXPECT_EQ(ofn.nFileOffset, 6);

  ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  const std::u16string expected =
      std::u16string(u"/logs\0", 6) + polish.substr(6) + u'\0' + u"\u0394.log" + u'\0' + u'\0';
  EXPECT_EQ(buffer.substr(0, expected.size()), expected);

  // The 8-bit dialog of the class library gets the code page 1252 image.
  TOpenDialog dialog(nullptr);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "/logs/?????.log");
}

TEST_F(DialogsTest, MessageBoxesGoToTheHandlerAndHeadlessRunsDoNotBlock) {
  std::u16string text, caption;
  SetMessageBoxHandler([&](const std::u16string& T, const std::u16string& C, UINT Type) {
    text = T;
    caption = C;
    return (Type & MB_YESNO) ? IDNO : IDOK;
  });
  EXPECT_EQ(MessageBoxA(nullptr, "Port non disponibile", "Veltrosa", MB_YESNO), IDNO);
  EXPECT_EQ(text, u"Port non disponibile");
  EXPECT_EQ(caption, u"Veltrosa");
  SetMessageBoxHandler({});
  EXPECT_EQ(MessageBoxA(nullptr, "headless", "Veltrosa", MB_OK), IDOK);
  EXPECT_LE(ShellExecuteA(nullptr, "open", "http://example.invalid", "", "", 1), 32);
}

TEST_F(DialogsTest, ExceptionsInHandlersAreShownAndTheLoopGoesOn) {
  std::string shown;
  Application->OnException = [&](TObject*, const std::exception& E) { shown = E.what(); };
  auto* form = new TForm(nullptr, TCustomForm::CreateNew);
  form->OnPaint = [](TObject*) {};
  form->OnResize = [](TObject*) { throw std::runtime_error("resize failed"); };
  form->Show();
  form->SetBounds(10, 10, 300, 200);
  Application->ProcessMessages();
  EXPECT_EQ(shown, "resize failed");
  Application->OnException = nullptr;
  Free(form);
}

}  // namespace
