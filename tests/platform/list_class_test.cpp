#include <gtest/gtest.h>

#include <string>

#include "tests/platform/std_controls_fixture.h"

namespace {

using namespace platform;
using ListClass = fixture::StdControls;

TEST_F(ListClass, SeveralItemsAreSelectedFromCodeWithoutNotifications) {
  HWND list = Child(u"LISTBOX", LBS_NOTIFY | LBS_EXTENDEDSEL, 6);
  for (const char* s : {"2 kn", "4 kn", "6 kn", "8 kn"}) AddA(list, LB_ADDSTRING, s);
  SendMessageW(list, LB_SETSEL, 1, 0);
  SendMessageW(list, LB_SETSEL, 1, 2);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 2, 0), 1);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 1, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 9, 0), LB_ERR);
  SendMessageW(list, LB_SETSEL, 1, -1);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 4);
  SendMessageW(list, LB_SETSEL, 0, 3);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 3);
  SendMessageW(list, LB_SETSEL, 0, -1);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);
  EXPECT_TRUE(Notes.empty());

  // Deleting and inserting keep the items in their places.
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("3 kn")), 1);
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("9 kn")), 5);
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 0, 0), 5);
  char text[16] = {};
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "3 kn");
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListClass, SearchesWrapAndSelectingAStringMakesItCurrent) {
  HWND list = Child(u"LISTBOX", 0, 6);
  for (const char* s : {"DBT", "DPT", "dpt2", "VHW"}) AddA(list, LB_ADDSTRING, s);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 1, reinterpret_cast<LPARAM>("dp")), 2);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 2, reinterpret_cast<LPARAM>("dp")), 1);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("dpt")), 1);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("D")), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("v")), 3);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, 0, reinterpret_cast<LPARAM>("none")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETITEMDATA, 9, 1), LB_ERR);
}

TEST_F(ListClass, ItemsArePlacedInRowsThatPointsAndScrollingFind) {
  HWND list = Child(u"LISTBOX", LBS_NOTIFY, 6);
  for (int i = 0; i < 40; ++i) AddA(list, LB_ADDSTRING, ("row " + std::to_string(100 + i)).c_str());
  const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  ASSERT_GT(height, 0);
  RECT first, second;
  ASSERT_EQ(SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)), 1);
  ASSERT_EQ(SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)), 1);
  EXPECT_EQ(second.top, first.bottom);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMRECT, 99, reinterpret_cast<LPARAM>(&first)), LB_ERR);
  const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, second.top + 1));
  EXPECT_EQ(hit, 1);

  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_SETTOPINDEX, 20, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 20);
  EXPECT_EQ(SendMessageW(list, LB_SETTOPINDEX, 99, 0), LB_ERR);

  // Focus is announced to a list that notifies.
  SetFocus(list);
  SetFocus(Parent);
  EXPECT_EQ(Sent(6, LBN_SETFOCUS), 1);
  EXPECT_EQ(Sent(6, LBN_KILLFOCUS), 1);
}

TEST_F(ListClass, AListWithoutDataHasOnlyACount) {
  HWND list = Child(u"LISTBOX", LBS_NODATA, 6);
  EXPECT_EQ(SendMessageW(list, LB_SETCOUNT, 3, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), LB_ERR);
  HWND plain = Child(u"LISTBOX", 0, 7);
  EXPECT_EQ(SendMessageW(plain, LB_SETCOUNT, 3, 0), LB_ERR);
}

}  // namespace
