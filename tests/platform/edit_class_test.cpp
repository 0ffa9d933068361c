#include <gtest/gtest.h>

#include <string>

#include "tests/platform/std_controls_fixture.h"

namespace {

using namespace platform;
using EditClass = fixture::StdControls;

DWORD Style(HWND hWnd) { return static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE)); }

TEST_F(EditClass, TheLengthLimitStopsTypingAndSaysSo) {
  HWND edit = Child(u"EDIT", ES_AUTOHSCROLL, 3);
  SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
  SetFocus(edit);
  Type(edit, u"abcd");
  EXPECT_EQ(WindowTextW(edit), u"abc");
  EXPECT_EQ(Sent(3, EN_MAXTEXT), 1);
  // A selection may still be typed over.
  SendMessageW(edit, EM_SETSEL, 0, 1);
  Type(edit, u"x");
  EXPECT_EQ(WindowTextW(edit), u"xbc");
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  EXPECT_GT(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0xFFFF);
}

TEST_F(EditClass, ReadOnlyAndCaseStylesShapeWhatIsTyped) {
  HWND edit = Child(u"EDIT", ES_UPPERCASE, 3);
  SetFocus(edit);
  Type(edit, u"gpgga");
  EXPECT_EQ(WindowTextW(edit), u"GPGGA");
  EXPECT_EQ(SendMessageW(edit, EM_SETREADONLY, 1, 0), 1);
  EXPECT_TRUE(Style(edit) & ES_READONLY);
  Type(edit, u"x");
  EXPECT_EQ(WindowTextW(edit), u"GPGGA");
  SendMessageW(edit, EM_SETREADONLY, 0, 0);
  EXPECT_FALSE(Style(edit) & ES_READONLY);

  HWND lower = Child(u"EDIT", ES_LOWERCASE, 4);
  SetFocus(lower);
  Type(lower, u"DpT");
  EXPECT_EQ(WindowTextW(lower), u"dpt");
  EXPECT_EQ(Sent(3, EN_KILLFOCUS), 1);
  EXPECT_EQ(Sent(4, EN_SETFOCUS), 1);
}

TEST_F(EditClass, ModifiedFlagUndoAndClearFollowTheEdits) {
  HWND edit = Child(u"EDIT", ES_AUTOHSCROLL, 3, u"one");
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), 0);
  SetFocus(edit);
  Type(edit, u"s");
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), 1);
  SendMessageW(edit, EM_SETMODIFY, 0, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), 0);

  SetWindowTextW(edit, u"38400");
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), 0);
  SendMessageW(edit, EM_SETSEL, 0, 2);
  SendMessageW(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(WindowTextW(edit), u"400");
  EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), 1);
  SendMessageW(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(WindowTextW(edit), u"38400");

  HWND memo = Child(u"EDIT", ES_MULTILINE, 5);
  SendMessageW(memo, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"$GPRMC"));
  EXPECT_EQ(SendMessageW(memo, EM_CANUNDO, 0, 0), 1);
  SendMessageW(memo, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(SendMessageW(memo, EM_CANUNDO, 0, 0), 0);
  SendMessageW(memo, WM_UNDO, 0, 0);
  EXPECT_EQ(WindowTextW(memo), u"$GPRMC");
}

TEST_F(EditClass, CutCopyAndPasteGoThroughTheClipboard) {
  HWND edit = Child(u"EDIT", ES_AUTOHSCROLL, 3, u"depth 3.4");
  SendMessageW(edit, EM_SETSEL, 0, 6);
  SendMessageW(edit, WM_CUT, 0, 0);
  EXPECT_EQ(WindowTextW(edit), u"3.4");
  SendMessageW(edit, EM_SETSEL, 3, 3);
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextW(edit), u"3.4depth ");
  SendMessageW(edit, EM_SETSEL, 0, 3);
  SendMessageW(edit, WM_COPY, 0, 0);
  HWND memo = Child(u"EDIT", ES_MULTILINE, 5);
  SendMessageW(memo, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextW(memo), u"3.4");
}

TEST_F(EditClass, MultiLineKeysLinesAndTheCaretsLine) {
  HWND memo = Child(u"EDIT", ES_MULTILINE, 5, u"one\r\ntwo\r\nthree");
  EXPECT_EQ(SendMessageW(memo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, static_cast<LRESULT>(DLGC_WANTALLKEYS));
  HWND single = Child(u"EDIT", 0, 6);
  EXPECT_EQ(SendMessageW(single, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);

  // The caret in "two": its line, where the line starts, its length.
  SendMessageW(memo, EM_SETSEL, 6, 6);
  EXPECT_EQ(SendMessageW(memo, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
  EXPECT_EQ(SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 5);
  // A selection over two lines: what the lines hold outside it.
  SendMessageW(memo, EM_SETSEL, 6, 12);
  EXPECT_EQ(SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 2);

  // A short buffer takes only what fits, without a terminator.
  char16_t buffer[4] = {2, 0, u'#', u'#'};
  EXPECT_EQ(SendMessageW(memo, EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 2);
  EXPECT_EQ(std::u16string(buffer, 4), u"th##");
  EXPECT_EQ(SendMessageW(memo, EM_GETLINE, 7, reinterpret_cast<LPARAM>(buffer)), 0);

  // Tab and Enter are typed into a multi-line edit, and ignored by a
  // single-line one; a read-only edit takes neither.
  SetFocus(memo);
  SendMessageW(memo, EM_SETSEL, 0, 0);
  Type(memo, u"\t\r");
  EXPECT_EQ(WindowTextW(memo), u"\t\r\none\r\ntwo\r\nthree");
  SetFocus(single);
  Type(single, u"\t\ra");
  EXPECT_EQ(WindowTextW(single), u"a");
  SendMessageW(memo, EM_SETREADONLY, 1, 0);
  SetFocus(memo);
  Type(memo, u"\t\r");
  EXPECT_EQ(GetWindowTextLengthW(memo), 18);
}

}  // namespace

// A monitor appended to line by line shows its newest lines; text put in
// where the user left the caret brings that place into view instead.
TEST_F(EditClass, ReplacingTheSelectionKeepsTheCaretInView) {
  HWND memo = Child(u"EDIT", ES_MULTILINE | WS_VSCROLL | WS_HSCROLL, 5);
  for (int i = 0; i < 500; ++i) {
    const std::string line = "$SDDBT,11.2,f," + std::to_string(i) + "*0A\r\n";
    SendMessageA(memo, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  // 501 lines in a window a handful of lines high: the caret's line, the
  // last, is on the screen, and so is the newest full line above it.
  const LRESULT first = SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first, 480);
  EXPECT_LT(first, 499);

  SendMessageW(memo, EM_SETSEL, 0, 0);
  SendMessageA(memo, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(">"));
  EXPECT_EQ(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}
