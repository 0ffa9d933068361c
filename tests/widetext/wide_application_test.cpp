#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/wide_form_fixture.h"
#include "tests/widetext/wide_test_controls.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/wide_actions.h"

namespace widetext::testing {
namespace {

// The application windows made meanwhile count their text changes (each a
// WM_SETTEXT that reached the window system); the next window after is a
// plain one again.
class CountedTitles {
 public:
  CountedTitles() {
    // The window class is there once a window was made.
    platform::Application->Handle();
    platform::SetClassPeerFactory(u"TApplication",
                                  [this](platform::HWND hWnd) -> std::unique_ptr<platform::WindowPeer> {
                                    return std::make_unique<Peer>(hWnd, Changes);
                                  });
  }
  ~CountedTitles() {
    platform::SetClassPeerFactory(u"TApplication", nullptr);
    platform::DestroyWindow(platform::Application->Handle());
  }
  CountedTitles(const CountedTitles&) = delete;
  CountedTitles& operator=(const CountedTitles&) = delete;
  int Changes = 0;

 private:
  class Peer : public platform::ui::PaintedPeer {
   public:
    Peer(platform::HWND hWnd, int& Changes) : PaintedPeer(hWnd), changes_(Changes) {}
    void TextChanged() override {
      ++changes_;
      PaintedPeer::TextChanged();
    }

   private:
    int& changes_;
  };
};

class WideApplication : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    App = WtxApplication();
    savedTitle_ = platform::Application->Title();
  }
  void TearDown() override {
    App->SetTitle(WidenAnsi(savedTitle_));
    platform::Application->SetTitle(savedTitle_);
    WideFormTest::TearDown();
  }
  TWtxApplication* App = nullptr;

 private:
  std::string savedTitle_;
};

TEST_F(WideApplication, ATitleSetBeforeTheWindowExistsIsAppliedOnceAsItIsMade) {
  const CountedTitles titles;
  platform::DestroyWindow(platform::Application->Handle());
  ASSERT_FALSE(platform::Application->HandleAllocated());
  const std::u16string title = u"Kalibracja – Βαθμονόμηση";
  App->SetTitle(title);
  EXPECT_EQ(App->GetTitle(), title);
  EXPECT_EQ(platform::Application->Title(), AnsiImage(title));

  const platform::HWND h = platform::Application->Handle();
  EXPECT_TRUE(platform::IsWindowUnicode(h));
  EXPECT_EQ(platform::WindowTextW(h), title);
  EXPECT_EQ(titles.Changes, 1);
  // The same title again sends nothing; another one does.
  App->SetTitle(title);
  EXPECT_EQ(titles.Changes, 1);
  App->SetTitle(kPolish);
  EXPECT_EQ(titles.Changes, 2);
  EXPECT_EQ(App->GetTitle(), kPolish);
}

TEST_F(WideApplication, AHintActionWithTheImageOfTheWideHintCarriesTheWideHint) {
  std::vector<std::u16string> wideHints;
  int plainHints = 0;
  const int hook = platform::Application->HookMainWindow([&](platform::TMessage& M) {
    if (M.Msg != platform::CM_ACTIONEXECUTE) return false;
    auto* action = reinterpret_cast<platform::TBasicAction*>(M.LParam);
    if (auto* wide = dynamic_cast<TWtxHintAction*>(action)) {
      wideHints.push_back(wide->GetHint());
    } else {
      ++plainHints;
    }
    return false;
  });
  App->SetHint(kGreek);
  EXPECT_EQ(wideHints, std::vector<std::u16string>{kGreek});
  EXPECT_EQ(plainHints, 0);
  // A hint the class library set is its own wide one.
  platform::Application->SetHint("Tiefe");
  EXPECT_EQ(wideHints.back(), u"Tiefe");
  EXPECT_EQ(plainHints, 0);
  platform::Application->UnhookMainWindow(hook);
  App->SetHint(u"");
}

// A top-level form hears of them too.
class TListeningForm : public platform::TForm {
 public:
  using TForm::TForm;
  int SettingChanges = 0;
  void WndProc(platform::TMessage& Message) override {
    if (Message.Msg == platform::WM_SETTINGCHANGE) ++SettingChanges;
    TForm::WndProc(Message);
  }
};

TEST_F(WideApplication, ChangedDesktopSettingsReachTheApplicationWindow) {
  auto* listening = new TListeningForm(nullptr, platform::TCustomForm::CreateNew);
  listening->Handle();
  platform::Application->Handle();
  platform::Application->SettingChangeTime = 0;
  const QFont before = QApplication::font();
  QFont larger = before;
  larger.setPixelSize(before.pixelSize() > 0 ? before.pixelSize() + 4 : 20);
  QApplication::setFont(larger);
  QApplication::setFont(before);
  EXPECT_NE(platform::Application->SettingChangeTime, 0u);
  EXPECT_EQ(platform::Application->SettingChangeTime, App->SettingChangeTime());
  EXPECT_EQ(listening->SettingChanges, 2);
  platform::Free(listening);
}

TEST_F(WideApplication, AWideCharacterPassesTheMessageHandlerAndTheDialogWindow) {
  std::vector<platform::WPARAM> seen;
  bool take = true;
  platform::Application->OnMessage = [&](platform::MSG& Msg, bool& Handled) {
    if (Msg.message != platform::WM_CHAR) return;
    seen.push_back(Msg.wParam);
    Handled = take;
  };
  auto* wide = new TWideEdit(Form);
  wide->SetParent(Form);
  const auto type = [](TWideEdit* Edit) {
    platform::PostMessageW(Edit->Handle(), platform::WM_CHAR, u'中', 0);
    platform::Application->ProcessMessages();
  };
  type(wide);
  // Taken in full by the hook, and not handled again by the 8-bit loop.
  EXPECT_EQ(seen, std::vector<platform::WPARAM>{u'中'});
  EXPECT_EQ(wide->GetCaption(), u"");

  // Left alone, it goes through the dialog handling of the application's
  // dialog window: a Unicode one hands it on whole, an 8-bit one as a byte
  // of its code page.
  take = false;
  auto* dialog = new TWtxForm(nullptr, TWtxForm::CreateNew);
  auto* inDialog = new TWideEdit(dialog);
  inDialog->SetParent(dialog);
  platform::Application->DialogHandle = dialog->Handle();
  type(inDialog);
  EXPECT_EQ(inDialog->GetCaption(), u"中");
  const auto askedByDialog = [](const TWideEdit* Edit) {
    return std::count(Edit->Messages.begin(), Edit->Messages.end(), platform::WM_GETDLGCODE);
  };
  EXPECT_EQ(askedByDialog(inDialog), 1);
  platform::Application->DialogHandle = Form->Handle();
  type(wide);
  EXPECT_EQ(askedByDialog(wide), 1);
  EXPECT_EQ(wide->GetCaption(), u"-");
  platform::Application->DialogHandle = nullptr;
  platform::Application->OnMessage = nullptr;
  platform::Free(dialog);
}

}  // namespace
}  // namespace widetext::testing
