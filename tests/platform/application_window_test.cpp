#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include <string>

#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

using ApplicationWindow = fixture::FormTest;

TEST_F(ApplicationWindow, IsAUnicodeWindowMadeWhenNeededWithTheTitleSetMeanwhile) {
  const std::string saved = Application->Title();
  DestroyWindow(Application->Handle());
  EXPECT_FALSE(Application->HandleAllocated());
  Application->SetTitle("Tiefe \xB0");
  const HWND h = Application->Handle();
  EXPECT_TRUE(IsWindowUnicode(h));
  EXPECT_EQ(WindowTextW(h), u"Tiefe °");
  EXPECT_EQ(Application->Title(), "Tiefe \xB0");
  Application->SetTitle(saved);
}

// Counts the setting changes a form's window hears of.
class TListeningForm : public TForm {
 public:
  using TForm::TForm;
  int SettingChanges = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SETTINGCHANGE) ++SettingChanges;
    TForm::WndProc(Message);
  }
};

TEST_F(ApplicationWindow, ANewDesktopFontReachesEveryTopLevelWindow) {
  auto* listening = new TListeningForm(nullptr, TCustomForm::CreateNew);
  listening->Handle();
  const QFont before = QApplication::font();
  QFont larger = before;
  larger.setPixelSize(before.pixelSize() > 0 ? before.pixelSize() + 4 : 20);
  QApplication::setFont(larger);
  QApplication::setFont(before);
  EXPECT_EQ(listening->SettingChanges, 2);
  Free(listening);
}

TEST_F(ApplicationWindow, APageControlGivesADockedFormAPageCaptionedWithItsTexts) {
  auto* pages = new TPageControl(Form);
  pages->SetParent(Form);
  pages->SetBounds(0, 0, 300, 200);
  auto* docked = new TForm(nullptr, TCustomForm::CreateNew);
  docked->SetCaption("Speed");
  docked->Show();
  ASSERT_TRUE(docked->ManualDock(pages));
  ASSERT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->Pages(0)->Caption(), "Speed");
  EXPECT_EQ(docked->Parent(), pages->Pages(0));
  EXPECT_TRUE(GetWindowLong(docked->WindowHandle(), GWL_STYLE) & WS_CHILD);
  docked->SetCaption("Temperature\r\n2");
  EXPECT_EQ(pages->Pages(0)->Caption(), "Temperature");
  Free(docked);
}

}  // namespace
