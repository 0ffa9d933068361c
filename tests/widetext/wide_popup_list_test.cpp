// Popup menus with wide items, run through the wide layer's popup list: the
// application's wide hint follows the selection and empties when nothing is
// selected, the chosen item is clicked, and right-to-left systems get their
// menus fixed up and shown right to left.

#include "widetext/menus/popup_list.h"

#include <gtest/gtest.h>

#include <QMenu>

#include <string>
#include <vector>

#include "platform/core/window_system/menu_tracking.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/menu_test_helpers.h"
#include "widetext/controls/wide_application.h"
#include "widetext/menus/wide_menus.h"

namespace {

using namespace widetext;
using platform::PostMessageW;
using platform::RunOnUiThread;

platform::HWND MenuWindow() {
  for (platform::HWND h : platform::GetThreadWindows()) {
    if (platform::GetClassNameW(h) == u"#32768") return h;
  }
  return nullptr;
}

class WidePopupList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    Application = WtxApplication();
    Menu = new platform::TPopupMenu(nullptr);
    Open = Item(Menu->Items(), u"&Άνοιγμα", u"Άνοιγμα|Ανοίγει μια καταγραφή");
    Open->SetShortCut(platform::ShortCut('O', platform::ssCtrl));
    Recent = Item(Menu->Items(), u"&Πρόσφατα", u"Πρόσφατα|Οι τελευταίες καταγραφές");
    Log = Item(Recent, u"dst.log", u"Καταγραφή|Το κανάλι του DST");
    Log->SetShortCut(platform::ShortCut(platform::VK_F2, 0));
    auto* plain = new platform::TMenuItem(Menu);
    plain->SetCaption("E&xit");
    plain->Hint = "Exit|Leaves the program";
    Menu->Items()->Add(plain);
    Application->SetHint(u"");
  }
  void TearDown() override {
    platform::Free(Menu);
    platform::Application->ProcessMessages();
  }
  TWtxMenuItem* Item(platform::TMenuItem* Parent, std::u16string_view Caption, std::u16string_view Hint) {
    auto* item = new TWtxMenuItem(Menu);
    item->SetCaption(Caption);
    item->SetHint(Hint);
    Parent->Add(item);
    return item;
  }
  void Key(platform::UINT Key) { PostMessageW(nullptr, platform::WM_KEYDOWN, Key, 0); }
  // The wide hint as it stands once the messages before this were handled.
  void NoteHint() {
    RunOnUiThread([this] { Hints.push_back(Application->GetHint()); });
  }

  TWtxApplication* Application = nullptr;
  platform::TPopupMenu* Menu = nullptr;
  TWtxMenuItem* Open = nullptr;
  TWtxMenuItem* Recent = nullptr;
  TWtxMenuItem* Log = nullptr;
  std::vector<std::u16string> Hints;
};

TEST_F(WidePopupList, TheWideHintFollowsTheSelectionAndTheChosenItemIsClicked) {
  ASSERT_EQ(platform::PopupList, WtxPopupList());
  int chosen = 0;
  Log->OnClick = [&](platform::TObject*) { ++chosen; };
  Key(platform::VK_DOWN);
  NoteHint();
  Key(platform::VK_DOWN);
  NoteHint();
  Key(platform::VK_RIGHT);
  NoteHint();
  // The pointer over the plain item, then back into the sub-menu.
  RunOnUiThread([this] {
    const platform::HWND window = MenuWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(platform::ui::SaveWindowImage(window, "wide_popup_menu.png"));
    platform::SendMessageW(window, platform::MN_SELECTITEM, 2, reinterpret_cast<platform::LPARAM>(Menu->Handle()));
    Hints.push_back(Application->GetHint());
    platform::SendMessageW(window, platform::MN_OPENHIERARCHY, 1, reinterpret_cast<platform::LPARAM>(Menu->Handle()));
    platform::SendMessageW(window, platform::MN_SELECTITEM, 0, reinterpret_cast<platform::LPARAM>(Recent->Handle()));
  });
  NoteHint();
  Key(platform::VK_RETURN);
  Menu->Popup(20, 20);
  platform::Application->ProcessMessages();
  EXPECT_EQ(Hints, (std::vector<std::u16string>{u"Ανοίγει μια καταγραφή", u"Οι τελευταίες καταγραφές",
                                                u"Το κανάλι του DST", u"Leaves the program", u"Το κανάλι του DST"}));
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(Application->GetHint(), u"");
}

TEST_F(WidePopupList, ARightToLeftSystemsPopupMenuIsFixedUpAndShownRightToLeft) {
  const menutest::ScopedMiddleEast middleEast;
  Menu->SetBiDiMode(platform::bdRightToLeft);
  // 8-bit text in the first item is replaced as the loop begins.
  platform::MENUITEMINFOA info;
  info.fMask = platform::MIIM_STRING;
  std::string ansi = "?????";
  info.dwTypeData = ansi.data();
  ASSERT_TRUE(platform::SetMenuItemInfoA(Menu->Handle(), Open->Command(), false, &info));
  std::u16string shown;
  Qt::LayoutDirection direction = Qt::LeftToRight;
  Key(platform::VK_DOWN);
  RunOnUiThread([&] {
    shown = menutest::MenuText(Open);
    const platform::HWND window = MenuWindow();
    ASSERT_TRUE(window);
    direction = platform::ui::WidgetOf(window)->layoutDirection();
    EXPECT_TRUE(platform::ui::SaveWindowImage(window, "wide_popup_menu_rtl.png"));
  });
  Key(platform::VK_ESCAPE);
  Menu->Popup(300, 20);
  EXPECT_EQ(shown, u"&Άνοιγμα\tCtrl+O");
  EXPECT_EQ(direction, Qt::RightToLeft);
}

}  // namespace
