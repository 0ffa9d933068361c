#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/std_controls_fixture.h"

namespace {

using namespace platform;
using fixture::g_vetoTab;
using TabClass = fixture::StdControls;

const std::string kChanging = "notify " + std::to_string(TCN_SELCHANGING);
const std::string kChange = "notify " + std::to_string(TCN_SELCHANGE);

void Insert(HWND Tabs, int Index, const char16_t* Text, LPARAM Data = 0) {
  std::u16string buffer(Text);
  TCITEMW item;
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = buffer.data();
  item.lParam = Data;
  SendMessageW(Tabs, TCM_INSERTITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
}

TEST_F(TabClass, ArrowKeysAskThenMoveAndStopAtTheEnds) {
  HWND tabs = Child(u"SysTabControl32", 0, 11);
  for (const char16_t* t : {u"Connection", u"Speed", u"Tools"}) Insert(tabs, 9, t);
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  SetFocus(tabs);
  Key(tabs, VK_LEFT);
  EXPECT_TRUE(Notes.empty());
  Key(tabs, VK_RIGHT);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Notes, (std::vector<std::string>{kChanging, kChange}));
  g_vetoTab = true;
  Key(tabs, VK_RIGHT);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  g_vetoTab = false;
  Key(tabs, VK_RIGHT);
  Key(tabs, VK_RIGHT);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(std::count(Notes.begin(), Notes.end(), kChange), 2);
  // Other keys and characters do nothing to the tabs.
  Key(tabs, VK_HOME, u"x");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tabs, WM_GETDLGCODE, 0, 0), static_cast<LRESULT>(DLGC_WANTARROWS));
}

TEST_F(TabClass, ItemsComeAndGoAroundTheSelectedTab) {
  HWND tabs = Child(u"SysTabControl32", 0, 11);
  Insert(tabs, 0, u"Speed", 2);
  Insert(tabs, 1, u"Tools", 3);
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  Insert(tabs, 0, u"Connection", 1);  // before the selection: it moves along
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 7, 0), -1);
  EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 0, 0), 2);

  TCITEMW item;
  item.mask = TCIF_PARAM;
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item)), 1);
  EXPECT_EQ(item.lParam, 3);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMW, 5, reinterpret_cast<LPARAM>(&item)), 0);
  item.lParam = 30;
  EXPECT_EQ(SendMessageW(tabs, TCM_SETITEMW, 2, reinterpret_cast<LPARAM>(&item)), 1);
  SendMessageW(tabs, TCM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.lParam, 30);

  EXPECT_EQ(SendMessageW(tabs, TCM_DELETEITEM, 5, 0), 0);
  EXPECT_EQ(SendMessageW(tabs, TCM_DELETEITEM, 1, 0), 1);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0), 1);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(Notes.empty());
}

TEST_F(TabClass, TheDisplayAreaAndTheWindowAreaConvertBothWays) {
  HWND tabs = Child(u"SysTabControl32", 0, 11);
  Insert(tabs, 0, u"Connection");
  RECT r{0, 0, 200, 100};
  SendMessageW(tabs, TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_GT(r.top, 10);
  EXPECT_GT(r.left, 0);
  EXPECT_LT(r.right, 200);
  SendMessageW(tabs, TCM_ADJUSTRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{0, 0, 200, 100}));

  // A click on the selected tab changes nothing and asks nobody.
  RECT tab;
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  SendMessageW(tabs, WM_LBUTTONDOWN, 1, MAKELPARAM(static_cast<WORD>(tab.left + 2), static_cast<WORD>(tab.top + 2)));
  EXPECT_TRUE(Notes.empty());

  EXPECT_EQ(SendMessageW(tabs, CCM_GETUNICODEFORMAT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(tabs, CCM_SETUNICODEFORMAT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(tabs, CCM_SETUNICODEFORMAT, 1, 0), 0);
}

}  // namespace
