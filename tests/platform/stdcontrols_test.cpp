#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/std_controls_fixture.h"

namespace {

using namespace platform;
using fixture::g_editProc;
using fixture::g_vetoTab;
using fixture::UpperCaseChars;
using StdControls = fixture::StdControls;

TEST_F(StdControls, ComboSelectionFromCodeIsSilentAndTheListsTextIsItsItem) {
  HWND combo = Child(u"COMBOBOX", CBS_DROPDOWNLIST, 7);
  AddA(combo, CB_ADDSTRING, "none");
  AddW(combo, CB_ADDSTRING, u"COM3 \u2013 USB");
  SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("COM1"));
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(WindowTextW(combo), u"");

  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_TRUE(Notes.empty());
  EXPECT_EQ(WindowTextW(combo), u"COM3 \u2013 USB");
  EXPECT_EQ(WindowTextA(combo), "COM3 \x96 USB");
  EXPECT_EQ(SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"x")), CB_ERR);
  char buffer[32] = {};
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(buffer)), 4);
  EXPECT_STREQ(buffer, "COM1");
  EXPECT_EQ(AddA(combo, CB_FINDSTRINGEXACT, "com1"), 2);
  EXPECT_EQ(AddA(combo, CB_FINDSTRING, "CoM3"), 1);

  // Inserting before the selection keeps the same item selected.
  SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"first"));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);

  // The user's choice is announced.
  SetFocus(combo);
  PostKeyDown(combo, WM_KEYDOWN, VK_DOWN, 1, u"");
  Pump();
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(std::count(Notes.begin(), Notes.end(), "7:" + std::to_string(CBN_SELCHANGE)), 1);

  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
  EXPECT_EQ(WindowTextW(combo), u"");
}

TEST_F(StdControls, EditableComboTypesThroughItsEditChild) {
  HWND combo = Child(u"COMBOBOX", CBS_DROPDOWN | CBS_SORT, 8);
  AddA(combo, CB_ADDSTRING, "delta");
  AddA(combo, CB_ADDSTRING, "alpha");
  char b[16] = {};
  SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(b));
  EXPECT_STREQ(b, "alpha");
  COMBOBOXINFO info;
  ASSERT_TRUE(SendMessageW(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)));
  ASSERT_NE(info.hwndItem, nullptr);
  ASSERT_NE(info.hwndList, nullptr);
  g_editProc = SetWindowProcW(info.hwndItem, MakeWndProc<&UpperCaseChars>(true));
  SetFocus(combo);
  EXPECT_EQ(GetFocus(), info.hwndItem);
  Type(info.hwndItem, u"ab");
  EXPECT_EQ(WindowTextW(combo), u"AB");
  SetWindowTextW(combo, u"typed");
  AddA(combo, CB_ADDSTRING, "beta");
  EXPECT_EQ(WindowTextW(combo), u"typed");
}

TEST_F(StdControls, TypedCharactersPassThroughTheProcedureChain) {
  HWND edit = Child(u"EDIT", ES_AUTOHSCROLL, 3);
  g_editProc = SetWindowProcW(edit, MakeWndProc<&UpperCaseChars>(true));
  SetFocus(edit);
  Notes.clear();
  Type(edit, u"abc\u00E9");
  EXPECT_EQ(WindowTextW(edit), u"ABC\u00E9");
  EXPECT_EQ(std::count(Notes.begin(), Notes.end(), "3:" + std::to_string(EN_CHANGE)), 4);

  // Programmatic text also announces the change.
  Notes.clear();
  SetWindowTextA(edit, "x");
  EXPECT_EQ(std::count(Notes.begin(), Notes.end(), "3:" + std::to_string(EN_CHANGE)), 1);

  // Numbers only.
  HWND number = Child(u"EDIT", ES_NUMBER, 4);
  SetFocus(number);
  Type(number, u"1a2");
  EXPECT_EQ(WindowTextW(number), u"12");
}

TEST_F(StdControls, MultiLineEditCountsLinesAndPositionsWithCrLf) {
  HWND memo = Child(u"EDIT", ES_MULTILINE | WS_VSCROLL, 5);
  SetWindowTextA(memo, "one\r\ntwo\r\n");
  EXPECT_EQ(WindowTextA(memo), "one\r\ntwo\r\n");
  EXPECT_EQ(GetWindowTextLengthW(memo), 10);
  EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(memo, EM_LINEINDEX, 1, 0), 5);
  EXPECT_EQ(SendMessageW(memo, EM_LINEINDEX, 2, 0), 10);
  EXPECT_EQ(SendMessageW(memo, EM_LINEINDEX, 3, 0), -1);
  EXPECT_EQ(SendMessageW(memo, EM_LINELENGTH, 6, 0), 3);
  EXPECT_EQ(SendMessageW(memo, EM_LINEFROMCHAR, 6, 0), 1);

  char line[8] = {};
  *reinterpret_cast<std::uint16_t*>(line) = sizeof line;
  EXPECT_EQ(SendMessageA(memo, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 3);
  EXPECT_EQ(std::string(line, 3), "two");

  // Appending at the end, as a monitor does.
  SendMessageW(memo, EM_SETSEL, 10, 10);
  SendMessageA(memo, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("$GPGGA\r\n"));
  EXPECT_EQ(WindowTextA(memo), "one\r\ntwo\r\n$GPGGA\r\n");
  DWORD start = 0, end = 0;
  SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 18u);
  EXPECT_EQ(end, 18u);
  SendMessageW(memo, EM_SETSEL, 5, static_cast<LPARAM>(-1));
  SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 5u);
  EXPECT_EQ(end, 18u);
}

// Serial input arrives in chunks that may split a line's CR from its LF.
TEST_F(StdControls, ACarriageReturnAndALineFeedInsertedApartMakeOneLineBreak) {
  HWND memo = Child(u"EDIT", ES_MULTILINE | WS_VSCROLL, 5);
  const auto insert = [&](const char* Chunk) { SendMessageA(memo, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Chunk)); };
  insert("$SDDPT,3.4,0.5*64\r");
  insert("\n$SDDBT,11.2");
  insert(",f*0A\r");
  insert("\n");
  EXPECT_EQ(WindowTextA(memo), "$SDDPT,3.4,0.5*64\r\n$SDDBT,11.2,f*0A\r\n");
  EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 3);

  // Text put in elsewhere meanwhile does not part them.
  insert("$VWVHW\r");
  SendMessageW(memo, EM_SETSEL, 0, 0);
  insert(">");
  const int end = GetWindowTextLengthW(memo);
  SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(end), end);
  insert("\n");
  EXPECT_EQ(WindowTextA(memo), ">$SDDPT,3.4,0.5*64\r\n$SDDBT,11.2,f*0A\r\n$VWVHW\r\n");

  // A line feed away from the carriage return is a line break of its own,
  // and so is one after a carriage return that was taken out.
  insert("A\r");
  SendMessageW(memo, EM_SETSEL, 0, 0);
  insert("\n");
  EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 6);
  SetWindowTextA(memo, "B\r");
  SendMessageW(memo, EM_SETSEL, 1, 3);
  insert("");
  insert("\n");
  EXPECT_EQ(WindowTextA(memo), "B\r\n");
}

LRESULT VirtualOwner(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == LB_GETTEXTLEN) return 6;
  if (Msg == LB_GETTEXT) {
    const std::u16string s = u"item " + std::u16string(1, static_cast<char16_t>(u'0' + wParam));
    std::copy(s.begin(), s.end(), reinterpret_cast<char16_t*>(lParam));
    reinterpret_cast<char16_t*>(lParam)[s.size()] = 0;
    return static_cast<LRESULT>(s.size());
  }
  return CallWindowProcW(g_editProc, hWnd, Msg, wParam, lParam);
}

TEST_F(StdControls, ListBoxItemsSelectionAndVirtualLists) {
  HWND list = Child(u"LISTBOX", LBS_NOTIFY | LBS_SORT, 6);
  AddA(list, LB_ADDSTRING, "1.05");
  AddA(list, LB_ADDSTRING, "0.98");
  AddW(list, LB_ADDSTRING, u"1.10");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  char b[16] = {};
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(b));
  EXPECT_STREQ(b, "0.98");
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  SendMessageW(list, LB_SETITEMDATA, 2, 77);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 2, 0), 77);
  EXPECT_TRUE(Notes.empty());
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 5, 0), LB_ERR);

  SetFocus(list);
  PostKeyDown(list, WM_KEYDOWN, VK_UP, 1, u"");
  Pump();
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(std::count(Notes.begin(), Notes.end(), "6:" + std::to_string(LBN_SELCHANGE)), 1);

  HWND virt = Child(u"LISTBOX", LBS_NODATA, 9);
  g_editProc = SetWindowProcW(virt, MakeWndProc<&VirtualOwner>(true));
  EXPECT_EQ(AddA(virt, LB_ADDSTRING, "no"), LB_ERR);
  SendMessageW(virt, LB_SETCOUNT, 4, 0);
  EXPECT_EQ(SendMessageW(virt, LB_GETCOUNT, 0, 0), 4);
}

TEST_F(StdControls, TabControlItemsInBothFormsAndAskingBeforeChanging) {
  HWND tabs = Child(u"SysTabControl32", 0, 11);
  char connection[] = "Connection";
  char16_t depth[] = u"Profondit\u00E0";
  TCITEMA a;
  a.mask = TCIF_TEXT | TCIF_PARAM;
  a.pszText = connection;
  a.lParam = 100;
  EXPECT_EQ(SendMessageW(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&a)), 0);
  TCITEMW w;
  w.mask = TCIF_TEXT;
  w.pszText = depth;
  EXPECT_EQ(SendMessageW(tabs, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&w)), 1);
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);

  char16_t wide[32] = {};
  TCITEMW get;
  get.mask = TCIF_TEXT | TCIF_PARAM;
  get.pszText = wide;
  get.cchTextMax = 32;
  SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&get));
  EXPECT_EQ(std::u16string(wide), u"Connection");
  EXPECT_EQ(get.lParam, 100);
  char narrow[32] = {};
  TCITEMA getA;
  getA.mask = TCIF_TEXT;
  getA.pszText = narrow;
  getA.cchTextMax = 32;
  SendMessageW(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&getA));
  EXPECT_STREQ(narrow, "Profondit\xE0");
  EXPECT_TRUE(Notes.empty());

  RECT r;
  SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(static_cast<WORD>((r.left + r.right) / 2), static_cast<WORD>((r.top + r.bottom) / 2));
  g_vetoTab = true;
  SendMessageW(tabs, WM_LBUTTONDOWN, 1, at);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  g_vetoTab = false;
  SendMessageW(tabs, WM_LBUTTONDOWN, 1, at);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Notes, (std::vector<std::string>{"notify " + std::to_string(TCN_SELCHANGING),
                                             "notify " + std::to_string(TCN_SELCHANGING),
                                             "notify " + std::to_string(TCN_SELCHANGE)}));
}

TEST_F(StdControls, ButtonsNotifyOnClickButNotOnCheckFromCode) {
  HWND check = Child(u"BUTTON", BS_AUTOCHECKBOX, 12, u"&Auto");
  HWND push = Child(u"BUTTON", BS_DEFPUSHBUTTON, 13, u"OK");
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Notes.empty());
  SendMessageW(push, BM_CLICK, 0, 0);
  EXPECT_EQ(Notes, (std::vector<std::string>{"13:0"}));
  EXPECT_EQ(WindowTextA(check), "&Auto");
  EXPECT_EQ(SendMessageW(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);

  HWND label = Child(u"STATIC", SS_CENTER, 14, u"Depth");
  SetWindowTextA(label, "Profondit\xE0");
  EXPECT_EQ(WindowTextW(label), u"Profondit\u00E0");
}

}  // namespace
