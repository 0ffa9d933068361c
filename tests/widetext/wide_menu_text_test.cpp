// The UTF-16 text of wide menu items in the window system's menus: written
// where the class library wrote 8-bit text, never into bitmap or
// owner-drawn items, fixed up on right-to-left systems, drawn right to left
// in such menus, and kept when a menu item is filed and read back.

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include <vector>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/streams.h"
#include "platform/core/os/errors.h"
#include "platform/core/os/os_error.h"
#include "platform/core/window_system/keyboard_layout.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/menu_test_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/wide_actions.h"
#include "widetext/menus/wide_menus.h"

namespace {

using namespace widetext;
using menutest::MenuText;
using widetext::testing::kGreek;
using widetext::testing::kPolish;

TWtxMenuItem* WideItem(platform::TMenuItem* Parent, std::u16string_view Caption) {
  auto* item = new TWtxMenuItem(Parent->GetParentMenu());
  item->SetCaption(Caption);
  Parent->Add(item);
  return item;
}

// Writes 8-bit text into an item, as the class library's own calls do.
void WriteAnsi(platform::HMENU Menu, platform::UINT Command, std::string Text) {
  platform::MENUITEMINFOA info;
  info.fMask = platform::MIIM_STRING;
  info.dwTypeData = Text.data();
  ASSERT_TRUE(platform::SetMenuItemInfoA(Menu, Command, false, &info));
}

class WideMenuText : public widetext::testing::WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    WtxApplication();
  }
};

TEST_F(WideMenuText, AMainMenuShowsWideTextOnItsBarButNotInBitmapOrOwnerDrawnItems) {
  auto* menu = new TWtxMainMenu(Form);
  TWtxMenuItem* file = WideItem(menu->Items(), u"&Αρχείο");
  TWtxMenuItem* picture = WideItem(menu->Items(), u"Εικόνα");
  TWtxMenuItem* drawn = WideItem(menu->Items(), u"Ζωγραφιά");
  Form->SetMenu(menu);
  Form->Show();
  platform::Application->ProcessMessages();
  EXPECT_EQ(MenuText(file), u"&Αρχείο");
  QMenuBar* bar = platform::ui::WidgetOf(Form->Handle())->findChild<QMenuBar*>();
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->actions().at(0)->text(), QString::fromUtf16(u"&Αρχείο"));

  // A new wide caption is written and the bar drawn again.
  const int draws = platform::MenuBarDrawCount(Form->Handle());
  file->SetCaption(kPolish);
  EXPECT_EQ(MenuText(file), kPolish);
  EXPECT_GT(platform::MenuBarDrawCount(Form->Handle()), draws);
  // Where only the wide layer writes, it draws the bar itself.
  WriteAnsi(menu->Handle(), file->Command(), "Zazolc");
  const int drawsBefore = platform::MenuBarDrawCount(Form->Handle());
  file->UpdateMenuText();
  EXPECT_EQ(MenuText(file), kPolish);
  EXPECT_EQ(platform::MenuBarDrawCount(Form->Handle()), drawsBefore + 1);

  // Items another party made a bitmap or drew itself keep what they are.
  platform::MENUITEMINFOW type;
  type.fMask = platform::MIIM_TYPE;
  type.fType = platform::MFT_BITMAP;
  type.dwTypeData = reinterpret_cast<char16_t*>(std::uintptr_t{77});
  ASSERT_TRUE(platform::SetMenuItemInfoW(menu->Handle(), picture->Command(), false, &type));
  type.fType = platform::MFT_OWNERDRAW;
  type.dwTypeData = nullptr;
  ASSERT_TRUE(platform::SetMenuItemInfoW(menu->Handle(), drawn->Command(), false, &type));
  picture->UpdateMenuText();
  drawn->UpdateMenuText();
  platform::MENUITEMINFOW read;
  read.fMask = platform::MIIM_TYPE;
  ASSERT_TRUE(platform::GetMenuItemInfoW(menu->Handle(), picture->Command(), false, &read));
  EXPECT_EQ(read.fType, platform::MFT_BITMAP);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(read.dwTypeData), 77u);
  ASSERT_TRUE(platform::GetMenuItemInfoW(menu->Handle(), drawn->Command(), false, &read));
  EXPECT_EQ(read.fType, platform::MFT_OWNERDRAW);
  EXPECT_EQ(MenuText(drawn), u"");
}

TEST_F(WideMenuText, AfterAKeyboardLayoutSwitchAMenuShowsItsShortcutsInTheNewLayoutsNames) {
  auto* menu = new TWtxMainMenu(Form);
  TWtxMenuItem* file = WideItem(menu->Items(), u"&Αρχείο");
  WideItem(file, u"&Αποθήκευση")->SetShortCut(platform::ShortCut('S', platform::ssCtrl | platform::ssShift));
  WideItem(file, u"&Διαγραφή")->SetShortCut(platform::ShortCut(platform::VK_DELETE, platform::ssCtrl));
  WideItem(file, u"&Διαίρεση")->SetShortCut(platform::ShortCut(platform::VK_DIVIDE, platform::ssCtrl));
  WideItem(file, u"&Κύλιση")->SetShortCut(platform::ShortCut(platform::VK_SCROLL, 0));
  Form->SetMenu(menu);
  Form->Show();
  platform::Application->ProcessMessages();
  QMenuBar* bar = platform::ui::WidgetOf(Form->Handle())->findChild<QMenuBar*>();
  ASSERT_TRUE(bar);
  // What the open menu shows.
  const auto shown = [&] {
    bar->setActiveAction(bar->actions().at(0));
    QMenu* popup = bar->actions().at(0)->menu();
    std::vector<std::u16string> texts;
    for (const QAction* action : popup->actions()) texts.push_back(action->text().toStdU16String());
    popup->hide();
    platform::Application->ProcessMessages();
    return texts;
  };
  const std::vector<std::u16string> english{u"&Αποθήκευση\tCtrl+Shift+S", u"&Διαγραφή\tCtrl+Delete",
                                            u"&Διαίρεση\tCtrl+Num /", u"&Κύλιση\tScroll lock"};
  const platform::HKL previous = platform::SwitchKeyboardLayout(platform::KeyboardLayoutOf(0x0409));
  EXPECT_EQ(shown(), english);
  platform::SwitchKeyboardLayout(platform::KeyboardLayoutOf(0x0410));
  EXPECT_EQ(shown(), (std::vector<std::u16string>{u"&Αποθήκευση\tCtrl+Maiusc+S", u"&Διαγραφή\tCtrl+Canc",
                                                  u"&Διαίρεση\tCtrl+/ (Tastierino numerico)", u"&Κύλιση\tBloc scorr"}));
  platform::SwitchKeyboardLayout(platform::KeyboardLayoutOf(0x0409));
  EXPECT_EQ(shown(), english);
  platform::SwitchKeyboardLayout(previous);
}

TEST_F(WideMenuText, AMenuThatRefusesTheTextRaisesTheSystemsError) {
  platform::TPopupMenu menu(nullptr);
  TWtxMenuItem* item = WideItem(menu.Items(), kGreek);
  ASSERT_EQ(MenuText(item), kGreek);
  // The menu is gone behind the item's back; the wide text is the only one
  // written.
  platform::DestroyMenu(menu.Handle());
  try {
    item->UpdateMenuText();
    FAIL() << "no error";
  } catch (const platform::EOSError& E) {
    EXPECT_EQ(E.ErrorCode, platform::ERROR_INVALID_MENU_HANDLE);
  }
}

TEST_F(WideMenuText, ARightToLeftSystemGetsItsMenusFixedUpAndDrawnRightToLeft) {
  const menutest::ScopedMiddleEast middleEast;
  auto* form = new TWtxForm(nullptr, TWtxForm::CreateNew);
  form->SetBounds(40, 40, 300, 160);
  auto* menu = new TWtxMainMenu(form);
  TWtxMenuItem* first = WideItem(menu->Items(), kGreek);
  TWtxMenuItem* second = WideItem(menu->Items(), u"Σ2");
  form->SetMenu(menu);
  form->Show();
  platform::Application->ProcessMessages();

  // 8-bit text in the first item is written anew when the window is about
  // to move and when its reading order changes.
  WriteAnsi(menu->Handle(), first->Command(), "?????");
  form->SetBounds(50, 40, 300, 160);
  EXPECT_EQ(MenuText(first), kGreek);
  WriteAnsi(menu->Handle(), first->Command(), "?????");
  form->BiDiMode = platform::bdRightToLeft;
  form->Perform(platform::CM_BIDIMODECHANGED, 0, 0);
  EXPECT_EQ(MenuText(first), kGreek);
  EXPECT_EQ(MenuText(second), u"Σ2");
  platform::MENUITEMINFOW read;
  read.fMask = platform::MIIM_FTYPE;
  ASSERT_TRUE(platform::GetMenuItemInfoW(menu->Handle(), first->Command(), false, &read));
  EXPECT_NE(read.fType & platform::MFT_RIGHTORDER, 0u);

  // A right-to-left item stands at the right and reads right to left.
  platform::TBitmap bitmap;
  bitmap.SetSize(240, 24);
  platform::TCanvas& canvas = bitmap.Canvas();
  const auto clear = [&] {
    canvas.Brush().SetColor(platform::clWhite);
    canvas.FillRect(platform::Rect(0, 0, 240, 24));
  };
  // Where the text is dark, and its first column.
  const auto ink = [&](int* FirstColumn) {
    std::vector<bool> dark;
    *FirstColumn = -1;
    for (int x = 0; x < 240; ++x) {
      for (int y = 0; y < 24; ++y) {
        dark.push_back(platform::GetGValue(static_cast<platform::COLORREF>(canvas.Pixels(x, y))) < 128);
        if (dark.back() && *FirstColumn < 0) *FirstColumn = x;
      }
    }
    return dark;
  };
  second->SetCaption(u"ab!");
  clear();
  second->AdvancedDrawItem(&canvas, platform::Rect(0, 0, 240, 24), false, false);
  int firstColumn = 0;
  const std::vector<bool> rightToLeft = ink(&firstColumn);
  EXPECT_GT(firstColumn, 120);
  // The same text at the same place read left to right differs.
  clear();
  canvas.Font().SetColor(platform::clBlack);
  platform::RECT r{24, 0, 216, 24};
  platform::DrawTextW(canvas.Handle(), u"ab!", 3, &r,
                      platform::DT_RIGHT | platform::DT_VCENTER | platform::DT_SINGLELINE);
  EXPECT_NE(ink(&firstColumn), rightToLeft);
  form->BiDiMode = platform::bdLeftToRight;
  form->Perform(platform::CM_BIDIMODECHANGED, 0, 0);
  clear();
  second->AdvancedDrawItem(&canvas, platform::Rect(0, 0, 240, 24), false, false);
  ink(&firstColumn);
  EXPECT_LT(firstColumn, 60);
  platform::Free(form);
}

TEST_F(WideMenuText, AFiledMenuItemKeepsItsWideTextsUnlessItsActionGivesThem) {
  const auto write = [](TWtxMenuItem& Source, platform::TMemoryStream& Stream) {
    platform::TWriter writer(Stream);
    writer.WriteProperties(&Source);
  };
  const auto read = [](platform::TMemoryStream& Stream, TWtxMenuItem& Target) {
    Stream.SetPosition(0);
    platform::TReader(Stream).ReadProperties(&Target);
  };
  const auto roundTrip = [&](TWtxMenuItem& Source, TWtxMenuItem& Target) {
    platform::TMemoryStream stream;
    write(Source, stream);
    read(stream, Target);
  };
  // The 8-bit caption cannot hold the text: the stream carries it wide.
  TWtxMenuItem source(nullptr), copy(nullptr);
  source.SetCaption(u"&Ωμέγα");
  source.SetHint(u"Ζωή|Ελπίδα");
  platform::TMemoryStream stream;
  write(source, stream);
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  EXPECT_EQ(bytes.find("&?????"), std::string::npos);
  const std::u16string omega = u"Ωμέγα";
  EXPECT_NE(bytes.find(std::string(reinterpret_cast<const char*>(omega.data()), omega.size() * 2)), std::string::npos);
  read(stream, copy);
  EXPECT_EQ(copy.Caption(), "&?????");
  EXPECT_EQ(copy.GetCaption(), u"&Ωμέγα");
  EXPECT_EQ(copy.GetHint(), u"Ζωή|Ελπίδα");

  // Texts the action gives are not stored; a text of the item's own is.
  TWtxAction action(nullptr);
  action.SetCaption(kPolish);
  action.SetHint(kGreek);
  source.SetAction(&action);
  TWtxMenuItem linked(nullptr);
  roundTrip(source, linked);
  EXPECT_EQ(linked.GetCaption(), u"");
  EXPECT_EQ(linked.GetHint(), u"");
  source.SetCaption(u"Δικό μου");
  TWtxMenuItem own(nullptr);
  roundTrip(source, own);
  EXPECT_EQ(own.GetCaption(), u"Δικό μου");
  EXPECT_EQ(own.GetHint(), u"");
  source.SetAction(nullptr);

  // Wide companions that an 8-bit writer put beside the 8-bit values are
  // read and dropped: the 8-bit value stands.
  platform::TMemoryStream eightBit;
  {
    platform::TWriter writer(eightBit);
    writer.WritePropName("Caption");
    writer.WriteString("&?????");
    writer.WritePropName("CaptionW");
    writer.WriteString("&\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1");
    writer.WritePropName("Hint_UTF7");
    writer.WriteString("+A5YDvQ-");
    writer.WriteListEnd();
  }
  TWtxMenuItem fromEightBit(nullptr);
  read(eightBit, fromEightBit);
  EXPECT_EQ(fromEightBit.GetCaption(), u"&?????");
  EXPECT_EQ(fromEightBit.GetHint(), u"");
}

}  // namespace
