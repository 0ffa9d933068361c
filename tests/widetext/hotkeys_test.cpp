#include "widetext/menus/hotkeys.h"

#include <gtest/gtest.h>

#include "widetext/exceptions.h"
#include "widetext/menus/shortcut_text.h"

namespace {

using namespace widetext;

TEST(Hotkeys, TheCharacterAfterTheLastSingleAmpersand) {
  EXPECT_EQ(WideGetHotkey(u"&File"), u"F");
  EXPECT_EQ(WideGetHotkeyPos(u"&File"), 2);
  EXPECT_EQ(WideGetHotkey(u"Save && &Exit"), u"E");
  EXPECT_EQ(WideStripHotkey(u"Save && &Exit"), u"Save & Exit");
  EXPECT_EQ(WideGetHotkey(u"A&&B&C"), u"C");
  EXPECT_EQ(WideStripHotkey(u"A&&B&C"), u"A&BC");
  EXPECT_EQ(WideGetHotkey(u"&Open &Ωmega"), u"Ω");
  EXPECT_EQ(WideGetHotkey(u"No hot key"), u"");
  EXPECT_EQ(WideGetHotkeyPos(u"Only &&"), 0);
  // A lone "&" at the end marks nothing and strips away.
  EXPECT_EQ(WideGetHotkeyPos(u"Trailing&"), 0);
  EXPECT_EQ(WideStripHotkey(u"Trailing&"), u"Trailing");
  EXPECT_EQ(WideStripHotkey(u""), u"");
}

TEST(Hotkeys, FarEastCaptionsMayEndInAHotKeyGroup) {
  EXPECT_EQ(WideStripHotkey(u"文件(&F)", true), u"文件");
  EXPECT_EQ(WideGetHotkey(u"文件(&F)", true), u"F");
  EXPECT_EQ(WideGetHotkeyPos(u"文件(&F)", true), 5);
  // Elsewhere the group is ordinary text with an ordinary hot key.
  EXPECT_EQ(WideStripHotkey(u"文件(&F)", false), u"文件(F)");
  EXPECT_EQ(WideStripHotkey(u"(&&)", true), u"(&)");
}

TEST(Hotkeys, SameCaptionIgnoresHotKeysAndCase) {
  EXPECT_TRUE(WideSameCaption(u"&Save", u"sa&ve"));
  EXPECT_TRUE(WideSameCaption(u"Σώσε", u"&σώσε"));
  EXPECT_FALSE(WideSameCaption(u"&Save", u"Save as"));
}

TEST(Hotkeys, SyncMovesTheWideHotKeyToWhereTheEightBitOneIs) {
  std::u16string wide = u"&Αρχείο Fi&le";
  SyncHotKeyPosition(u"?????? &File", wide);
  EXPECT_EQ(wide, u"Αρχείο &File");

  wide = u"Σ&ώσε && κλείσε";
  SyncHotKeyPosition(u"&???? && ??????", wide);
  EXPECT_EQ(wide, u"&Σώσε && κλείσε");

  wide = u"文件(&F)";
  SyncHotKeyPosition(u"&?\?(F)", wide, false);
  EXPECT_EQ(wide, u"&文件(F)");

  // A text that differs in more than its hot keys cannot be synchronised.
  wide = u"&Open";
  EXPECT_THROW(SyncHotKeyPosition(u"Cl&ose", wide), EWtxInternalError);
  try {
    SyncHotKeyPosition(u"Cl&ose", wide);
  } catch (const EWtxInternalError& e) {
    EXPECT_STREQ(e.what(), "Internal Error: SyncHotKeyPosition Failed (\"Cl&ose\" <> \"&Open\").");
  }
}

TEST(ShortCutText, TheKeyboardsOwnNamesJoinedByPlus) {
  using platform::scAlt;
  using platform::scCtrl;
  using platform::scShift;
  EXPECT_EQ(WideShortCutToText(scCtrl | 'S'), u"Ctrl+S");
  EXPECT_EQ(WideShortCutToText(scCtrl | scAlt | scShift | 'S'), u"Ctrl+Alt+Shift+S");
  EXPECT_EQ(WideShortCutToText(scShift | (platform::VK_F1 + 4)), u"Shift+F5");
  EXPECT_EQ(WideShortCutToText(platform::VK_PRIOR), u"Page up");
  EXPECT_EQ(WideShortCutToText(scAlt | platform::VK_BACK), u"Alt+Backspace");
  EXPECT_EQ(WideShortCutToText(platform::VK_DELETE), u"Delete");
  EXPECT_EQ(WideShortCutToText(platform::VK_SPACE), u"Space");
  EXPECT_EQ(WideShortCutToText(platform::VK_ESCAPE), u"Esc");
  EXPECT_EQ(WideShortCutToText(scCtrl | 0xFF), u"");
  EXPECT_EQ(WideShortCutToText(0), u"");
}

// Keys beyond the main block, and keys that share their scan code with
// another and differ from it only in the extended flag.
TEST(ShortCutText, EveryKeyOfTheKeyboardReadsItsOwnName) {
  using namespace platform;
  EXPECT_EQ(WideShortCutToText(VK_F13), u"F13");
  EXPECT_EQ(WideShortCutToText(scCtrl | VK_F24), u"Ctrl+F24");
  EXPECT_EQ(WideShortCutToText(VK_NUMPAD7), u"Num 7");
  EXPECT_EQ(WideShortCutToText(VK_HOME), u"Home");
  EXPECT_EQ(WideShortCutToText(scShift | VK_ADD), u"Shift+Num +");
  EXPECT_EQ(WideShortCutToText(VK_DECIMAL), u"Num del");
  EXPECT_EQ(WideShortCutToText(VK_DIVIDE), u"Num /");
  EXPECT_EQ(WideShortCutToText(0xBF), u"/");
  EXPECT_EQ(WideShortCutToText(VK_NUMLOCK), u"Num lock");
  EXPECT_EQ(WideShortCutToText(VK_PAUSE), u"Pause");
  EXPECT_EQ(WideShortCutToText(VK_SNAPSHOT), u"Prnt scrn");
  EXPECT_EQ(WideShortCutToText(VK_MULTIPLY), u"Num *");
  EXPECT_EQ(WideShortCutToText(scAlt | VK_APPS), u"Alt+Application");
  EXPECT_EQ(WideShortCutToText(VK_RWIN), u"Right windows");
  EXPECT_EQ(WideShortCutToText(VK_CAPITAL), u"Caps lock");
  EXPECT_EQ(WideShortCutToText(VK_SCROLL), u"Scroll lock");
}

}  // namespace
