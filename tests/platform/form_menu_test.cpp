#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/menu_test_helpers.h"

namespace {

using namespace platform;

// A form that notes what its menu loop tells it.
class MenuForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<std::string> Heard;
  void WndProc(TMessage& M) override {
    switch (M.Msg) {
      case WM_ENTERMENULOOP:
        Heard.push_back("enter");
        break;
      case WM_EXITMENULOOP:
        Heard.push_back("exit");
        break;
      case WM_INITMENUPOPUP:
        Heard.push_back("init " + std::to_string(LOWORD(static_cast<WPARAM>(M.LParam))));
        break;
      case WM_MENUSELECT:
        Heard.push_back(HIWORD(M.WParam) == 0xFFFF && M.LParam == 0
                            ? std::string("closed")
                            : "select " + std::to_string(LOWORD(M.WParam)) +
                                  ((HIWORD(M.WParam) & MF_POPUP) ? " popup" : ""));
        break;
      case WM_COMMAND:
        if (M.LParam == 0) Heard.push_back("command");
        break;
      default:
        break;
    }
    TForm::WndProc(M);
  }
};

class FormMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void SetUp() override {
    Form = new MenuForm(nullptr, TCustomForm::CreateNew);
    Form->SetBounds(60, 60, 320, 200);
    Menu = new TMainMenu(Form);
    File = Item(Menu->Items(), "&File", "");
    Open = Item(File, "&Open...", "Open|Opens a capture");
    Open->SetShortCut(ShortCut('O', ssCtrl));
    Recent = Item(File, "&Recent", "Recent|Captures opened lately");
    Item(Recent, "dst.log", "");
    Item(Menu->Items(), "&Help", "");
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetAlign(alClient);
  }
  void TearDown() override {
    Free(Form);
    Application->ProcessMessages();
  }
  TMenuItem* Item(TMenuItem* Parent, const std::string& Caption, const std::string& Hint) {
    auto* item = new TMenuItem(Form);
    item->SetCaption(Caption);
    item->Hint = Hint;
    Parent->Add(item);
    return item;
  }
  QMenuBar* Bar() const { return ui::WidgetOf(Form->Handle())->findChild<QMenuBar*>(); }

  MenuForm* Form = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem* File = nullptr;
  TMenuItem* Open = nullptr;
  TMenuItem* Recent = nullptr;
  TPanel* Panel = nullptr;
};

TEST_F(FormMenus, TheMainMenuIsTheWindowsMenuBarAboveTheClientArea) {
  Form->SetMenu(Menu);
  Form->Show();
  Application->ProcessMessages();
  EXPECT_EQ(GetMenu(Form->Handle()), Menu->Handle());
  EXPECT_EQ(Form->ClientHeight(), 200 - kMenuBarHeight);
  EXPECT_EQ(Panel->Height(), 200 - kMenuBarHeight);
  EXPECT_EQ(ui::WidgetOf(Panel->Handle())->geometry().top(), kMenuBarHeight);
  ASSERT_TRUE(Bar());
  QStringList texts;
  for (QAction* a : Bar()->actions()) texts.push_back(a->text());
  EXPECT_EQ(texts, (QStringList{"&File", "&Help"}));
  EXPECT_EQ(menutest::MenuText(Open), u"&Open...\tCtrl+O");

  // A change of an item shows on the bar, once the menu is not suspended;
  // the menu going takes the bar.
  const int draws = MenuBarDrawCount(Form->Handle());
  Menu->SuspendRebuild();
  Menu->Items()->Items(1)->SetCaption("&About");
  Application->ProcessMessages();
  EXPECT_EQ(MenuBarDrawCount(Form->Handle()), draws);
  EXPECT_EQ(Bar()->actions().at(1)->text(), "&Help");
  Menu->ResumeRebuild();
  Application->ProcessMessages();
  EXPECT_EQ(Bar()->actions().at(1)->text(), "&About");
  Form->SetMenu(nullptr);
  Application->ProcessMessages();
  EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
  EXPECT_EQ(Panel->Height(), 200);
  EXPECT_EQ(Bar(), nullptr);
}

TEST_F(FormMenus, AnItemFreedLeavesTheMenuBarAsRemovingItDoes) {
  Form->SetMenu(Menu);
  Form->Show();
  Application->ProcessMessages();
  int changes = 0;
  Menu->OnChange = [&](TObject*) { ++changes; };
  Free(Menu->Items()->Items(1));
  Application->ProcessMessages();
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(Bar());
  EXPECT_EQ(Bar()->actions().size(), 1);
  // Items going with their menu tell it nothing.
  Free(Menu);
  EXPECT_EQ(changes, 1);
}

TEST_F(FormMenus, AMenuThatOutlivesItsFormKeepsNoWindow) {
  auto* menu = new TMainMenu(nullptr);
  auto* item = new TMenuItem(menu);
  item->SetCaption("&File");
  menu->Items()->Add(item);
  Form->SetMenu(menu);
  Form->Show();
  ASSERT_EQ(menu->WindowHandle(), Form->WindowHandle());
  Free(Form);
  Form = nullptr;
  EXPECT_EQ(menu->WindowHandle(), nullptr);
  item->SetCaption("&Data");
  Free(menu);
}

TEST_F(FormMenus, WhatTheUserDoesInTheMenuBarReachesTheForm) {
  Form->SetMenu(Menu);
  Form->Show();
  Application->ProcessMessages();
  int opened = 0;
  Open->OnClick = [&](TObject*) { ++opened; };
  Application->SetHint("");
  QMenuBar* bar = Bar();
  bar->setActiveAction(bar->actions().at(0));
  QMenu* file = bar->actions().at(0)->menu();
  ASSERT_TRUE(file && file->isVisible());
  ASSERT_EQ(file->actions().size(), 2);
  file->setActiveAction(file->actions().at(0));
  EXPECT_EQ(Application->Hint(), "Opens a capture");
  file->setActiveAction(file->actions().at(1));
  EXPECT_EQ(Application->Hint(), "Captures opened lately");
  EXPECT_TRUE(menutest::SaveWithOpenMenus(Form->Handle(), "form_menu_bar.png"));
  file->actions().at(0)->trigger();
  file->hide();
  Application->ProcessMessages();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Application->Hint(), "");
  const std::string command = "select " + std::to_string(Open->Command());
  EXPECT_EQ(Form->Heard, (std::vector<std::string>{"enter", "select 0 popup", "init 0", command, "select 1 popup",
                                                   "init 1", command, "closed", "exit", "command"}));
}

TEST_F(FormMenus, ARightToLeftFormHasARightToLeftMenuBar) {
  const menutest::ScopedMiddleEast middleEast;
  Form->SetMenu(Menu);
  Form->Show();
  Form->BiDiMode = bdRightToLeft;
  Form->Perform(CM_BIDIMODECHANGED, 0, 0);
  Application->ProcessMessages();
  MENUITEMINFOW info;
  info.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(Menu->Handle(), 0, true, &info));
  EXPECT_NE(info.fType & MFT_RIGHTORDER, 0u);
  EXPECT_EQ(Bar()->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(menutest::MenuText(Open), u"&Open...\tCtrl+O");
  Menu->SetBiDiMode(bdLeftToRight);
  Application->ProcessMessages();
  EXPECT_EQ(Bar()->layoutDirection(), Qt::LeftToRight);
}

}  // namespace
