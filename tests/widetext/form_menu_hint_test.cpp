// A wide form's main menu on its menu bar: as the user moves over an item,
// over an item that opens a sub-menu, and closes the menu, the application's
// wide hint follows.

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/menu_test_helpers.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/wide_menus.h"

namespace {

using namespace widetext;

class WideFormMenu : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    Application = WtxApplication();
    Form = new TWtxForm(nullptr, TWtxForm::CreateNew);
    Form->SetBounds(80, 80, 360, 220);
    Form->SetCaption(u"Μενού");
    auto* menu = new TWtxMainMenu(Form);
    TWtxMenuItem* file = Item(menu->Items(), u"&Αρχείο", u"");
    Item(file, u"&Άνοιγμα...", u"Άνοιγμα|Ανοίγει μια καταγραφή")
        ->SetShortCut(platform::ShortCut('O', platform::ssCtrl));
    TWtxMenuItem* recent = Item(file, u"&Πρόσφατα", u"Πρόσφατα|Οι τελευταίες καταγραφές");
    Item(recent, u"dst.log", u"");
    auto* plain = new platform::TMenuItem(Form);
    plain->SetCaption("E&xit");
    plain->Hint = "Exit|Leaves the program";
    file->Add(plain);
    Item(menu->Items(), u"&Βοήθεια", u"");
    Form->SetMenu(menu);
    Form->Show();
    platform::Application->ProcessMessages();
  }
  void TearDown() override {
    platform::Free(Form);
    platform::Application->ProcessMessages();
  }
  TWtxMenuItem* Item(platform::TMenuItem* Parent, std::u16string_view Caption, std::u16string_view Hint) {
    auto* item = new TWtxMenuItem(Form);
    item->SetCaption(Caption);
    item->SetHint(Hint);
    Parent->Add(item);
    return item;
  }

  TWtxApplication* Application = nullptr;
  TWtxForm* Form = nullptr;
};

TEST_F(WideFormMenu, TheWideHintFollowsTheItemUnderTheSelection) {
  Application->SetHint(u"");
  QMenuBar* bar = platform::ui::WidgetOf(Form->Handle())->findChild<QMenuBar*>();
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->actions().at(0)->text(), QString::fromUtf16(u"&Αρχείο"));
  bar->setActiveAction(bar->actions().at(0));
  QMenu* file = bar->actions().at(0)->menu();
  ASSERT_TRUE(file && file->isVisible());
  ASSERT_EQ(file->actions().size(), 3);
  EXPECT_EQ(file->actions().at(0)->text(), QString::fromUtf16(u"&Άνοιγμα...\tCtrl+O"));
  file->setActiveAction(file->actions().at(0));
  EXPECT_EQ(Application->GetHint(), u"Ανοίγει μια καταγραφή");
  file->setActiveAction(file->actions().at(1));
  EXPECT_EQ(Application->GetHint(), u"Οι τελευταίες καταγραφές");
  EXPECT_TRUE(menutest::SaveWithOpenMenus(Form->Handle(), "wide_form_menu.png"));
  file->setActiveAction(file->actions().at(2));
  EXPECT_EQ(Application->GetHint(), u"Leaves the program");
  file->hide();
  platform::Application->ProcessMessages();
  EXPECT_EQ(Application->GetHint(), u"");
}

}  // namespace
