#include <gtest/gtest.h>

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/controls/stdctrls.h"
#include "tests/platform/menu_test_helpers.h"

namespace {

using namespace platform;
using menutest::MenuText;

TEST(MenuLinks, AMenuItemFollowsItsActionWhileItShowsWhatTheActionShows) {
  InitializeApplication();
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  menu.Items()->Add(item);
  TAction action(nullptr);
  action.SetCaption("&Send");
  action.SetHint("Sends the table");
  action.ShortCut = ShortCut('T', ssCtrl);
  item->SetAction(&action);
  EXPECT_EQ(item->Caption(), "&Send");
  EXPECT_EQ(item->Hint, "Sends the table");
  EXPECT_EQ(item->ShortCut(), ShortCut('T', ssCtrl));
  EXPECT_EQ(MenuText(item), u"&Send\tCtrl+T");

  action.SetCaption("Send &all");
  action.SetEnabled(false);
  action.SetChecked(true);
  EXPECT_EQ(item->Caption(), "Send &all");
  EXPECT_FALSE(item->Enabled());
  EXPECT_TRUE(item->Checked());
  // An item given a caption of its own keeps it.
  item->SetCaption("Mine");
  action.SetCaption("Other");
  EXPECT_EQ(item->Caption(), "Mine");

  // Text written into the menu stands until the item changes again.
  MENUITEMINFOW info;
  info.fMask = MIIM_STRING;
  std::u16string sigma = u"Σ";
  info.dwTypeData = sigma.data();
  ASSERT_TRUE(SetMenuItemInfoW(menu.Handle(), item->Command(), false, &info));
  EXPECT_EQ(MenuText(item), u"Σ");
  item->SetCaption("Again");
  EXPECT_EQ(MenuText(item), u"Again\tCtrl+T");
  item->SetAction(nullptr);
}

TEST(MenuLinks, ACustomActionTakesTheTextsAndStatesOfAnActionOrAControl) {
  InitializeApplication();
  TAction source(nullptr);
  source.SetCaption("Go");
  source.SetHint("Go on");
  source.SetEnabled(false);
  source.SetVisible(false);
  source.SetChecked(true);
  source.ShortCut = ShortCut('G', ssCtrl);
  TAction copy(nullptr);
  copy.Assign(&source);
  EXPECT_EQ(copy.Caption(), "Go");
  EXPECT_EQ(copy.Hint(), "Go on");
  EXPECT_FALSE(copy.Enabled());
  EXPECT_FALSE(copy.Visible());
  EXPECT_TRUE(copy.Checked());
  EXPECT_EQ(copy.ShortCut, ShortCut('G', ssCtrl));

  TLabel label(nullptr);
  label.SetCaption("Depth");
  label.Hint = "Depth below the keel";
  copy.Assign(&label);
  EXPECT_EQ(copy.Caption(), "Depth");
  EXPECT_EQ(copy.Hint(), "Depth below the keel");
  EXPECT_TRUE(copy.Enabled());
  EXPECT_TRUE(copy.Visible());

  TPopupMenu menu(nullptr);
  EXPECT_THROW(copy.Assign(&menu), EConvertError);
}

}  // namespace
