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
  SetFileChooser([&](TFileChoice& choice, std::vector<std::string>& files) {
    asked = choice;
    choice.FilterIndex = 2;
    files = {"/tmp/dst log.txt"};
    return true;
  });
  TSaveDialog dialog(nullptr);
  dialog.Title = "Record DST channel";
  dialog.Filter = "Text files|*.txt|All files|*.*";
  dialog.DefaultExt = "txt";
  dialog.FileName = "dst.txt";
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(asked.Save);
  EXPECT_EQ(asked.Title, "Record DST channel");
  EXPECT_EQ(asked.Filter, "Text files|*.txt|All files|*.*");
  EXPECT_EQ(asked.FileName, "dst.txt");
  EXPECT_EQ(dialog.FileName, "/tmp/dst log.txt");
  EXPECT_EQ(dialog.FilterIndex, 2);

  SetFileChooser([](TFileChoice&, std::vector<std::string>&) { return false; });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "/tmp/dst log.txt");
}

TEST_F(DialogsTest, TheWideFileNameRecordIsFilledAsTheWindowSystemFillsIt) {
  SetFileChooser([](TFileChoice& choice, std::vector<std::string>& files) {
    if (choice.MultiSelect) {
      files = {"/data/a.log", "/data/b.log"};
    } else {
      EXPECT_EQ(choice.Filter, "Logs|*.log");
      files = {"/data/caf\xE9.log"};
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

TEST_F(DialogsTest, MessageBoxesGoToTheHandlerAndHeadlessRunsDoNotBlock) {
  std::u16string text, caption;
  SetMessageBoxHandler([&](const std::u16string& t, const std::u16string& c, UINT type) {
    text = t;
    caption = c;
    return (type & MB_YESNO) ? IDNO : IDOK;
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
  Application->OnException = [&](TObject*, const std::exception& e) { shown = e.what(); };
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
