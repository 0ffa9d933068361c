#include <gtest/gtest.h>

#include <string>

#include "tests/platform/std_controls_fixture.h"

namespace {

using namespace platform;
using ComboClass = fixture::StdControls;

std::string ItemText(HWND Combo, int Index) {
  char buffer[64] = {};
  SendMessageA(Combo, CB_GETLBTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

TEST_F(ComboClass, SearchesWrapAroundFromTheStartItemWithoutRegardToCase) {
  HWND combo = Child(u"COMBOBOX", CBS_DROPDOWNLIST, 7);
  for (const char* s : {"COM1", "COM3", "com10", "USB0"}) AddA(combo, CB_ADDSTRING, s);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRING, 1, reinterpret_cast<LPARAM>("com1")), 2);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRING, 2, reinterpret_cast<LPARAM>("com1")), 0);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("COM10")), 2);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("COM")), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("us")), 3);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(WindowTextA(combo), "USB0");
  EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>("none")), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 3);
  EXPECT_TRUE(Notes.empty());

  // Out of range indexes are refused.
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 2, 0), 5);
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 9, 1), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 1, 38400), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 38400);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 0, 0), 0);

  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("C")), CB_ERR);
}

TEST_F(ComboClass, TheEditPartSelectsAndLimitsAndTellsOfTyping) {
  HWND combo = Child(u"COMBOBOX", CBS_DROPDOWN, 8);
  SetWindowTextW(combo, u"115200");
  EXPECT_EQ(SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 3)), 1);
  DWORD start = 0, end = 0;
  const LRESULT both =
      SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(both, MAKELPARAM(1, 3));
  // A start of -1 takes the selection away; an end of -1 runs to the end.
  SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0xFFFF, 0));
  SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);
  SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(2, 0xFFFF));
  SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 6u);

  SendMessageW(combo, CB_LIMITTEXT, 3, 0);
  SetWindowTextW(combo, u"");
  SetFocus(combo);
  Type(GetFocus(), u"4800");
  EXPECT_EQ(WindowTextW(combo), u"480");
  EXPECT_EQ(Sent(8, CBN_EDITCHANGE), 3);
  EXPECT_EQ(Sent(8, CBN_SETFOCUS), 1);

  // A drop-down list has no edit part to select in.
  HWND list = Child(u"COMBOBOX", CBS_DROPDOWNLIST, 9);
  EXPECT_EQ(SendMessageW(list, CB_SETEDITSEL, 0, MAKELPARAM(0, 1)), CB_ERR);
  EXPECT_EQ(SendMessageW(list, WM_GETDLGCODE, 0, 0), static_cast<LRESULT>(DLGC_WANTCHARS | DLGC_WANTARROWS));
}

TEST_F(ComboClass, TheListOpensAndClosesWithNotificationsAndAVisibleCount) {
  HWND combo = Child(u"COMBOBOX", CBS_DROPDOWNLIST, 7);
  for (const char* s : {"4800", "9600", "19200", "38400"}) AddA(combo, CB_ADDSTRING, s);
  EXPECT_EQ(SendMessageW(combo, CB_GETMINVISIBLE, 0, 0), 8);
  EXPECT_EQ(SendMessageW(combo, CB_SETMINVISIBLE, 2, 0), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETMINVISIBLE, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo, CB_SETMINVISIBLE, 0, 0), 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETMINVISIBLE, 0, 0), 2);

  SendMessageW(combo, CB_SHOWDROPDOWN, 1, 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
  SendMessageW(combo, CB_SHOWDROPDOWN, 0, 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(Sent(7, CBN_DROPDOWN), 1);
  EXPECT_EQ(Sent(7, CBN_CLOSEUP), 1);
  EXPECT_EQ(ItemText(combo, 3), "38400");
}

}  // namespace
