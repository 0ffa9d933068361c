// The list view, the extended combo box, the speed button, the tool bar and
// the button controls, and how their action links carry an action's check
// and picture.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>

#include <string>
#include <vector>

#include "platform/ui/controls/combo_box_ex.h"
#include "platform/ui/controls/list_view.h"
#include "platform/ui/controls/speed_button.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/controls/tool_bar.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

using ActionControls = fixture::FormTest;

TImageList* Pictures(TComponent* Owner) {
  auto* images = new TImageList(Owner);
  for (TColor colour : {clRed, clBlue}) {
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.Canvas().Brush().SetColor(colour);
    picture.Canvas().FillRect(Rect(0, 0, 16, 16));
    images->AddMasked(&picture, clWhite);
  }
  return images;
}

TEST_F(ActionControls, AListViewKeepsItsItemsInItsWindowAndAcrossANewOne) {
  auto* list = new TListView(Form);
  list->SetParent(Form);
  list->SetBounds(10, 10, 150, 120);
  list->Items().Add()->SetCaption("DBT");
  list->SetItemIndex(0);
  list->Items().Add()->SetCaption("Caf\xE9");
  auto* widget = qobject_cast<QListWidget*>(ui::WidgetOf(list->Handle()));
  ASSERT_TRUE(widget);
  ASSERT_EQ(widget->count(), 2);
  EXPECT_EQ(widget->item(1)->text(), QString::fromUtf16(u"Café"));
  EXPECT_EQ(list->ItemIndex(), 0);
  std::vector<std::string> selected;
  list->OnSelectItem = [&](TObject*, TListItem* Item, bool) { selected.push_back(Item ? Item->Caption() : "none"); };
  // Only the user's choice is announced.
  list->SetItemIndex(1);
  widget->setCurrentRow(0);
  EXPECT_EQ(selected, (std::vector<std::string>{"DBT"}));
  list->Items().Item(1)->SetCaption("VHW");
  list->RecreateWnd();
  widget = qobject_cast<QListWidget*>(ui::WidgetOf(list->Handle()));
  ASSERT_EQ(widget->count(), 2);
  EXPECT_EQ(widget->item(1)->text(), "VHW");
  EXPECT_EQ(list->Selected(), list->Items().Item(0));
  list->Items().Delete(0);
  EXPECT_EQ(list->Items().Item(0)->Caption(), "VHW");
  EXPECT_EQ(widget->count(), 1);
}

TEST_F(ActionControls, AnExtendedComboBoxShowsItsItemsWithTheirPictures) {
  auto* combo = new TComboBoxEx(Form);
  combo->SetParent(Form);
  combo->SetBounds(10, 10, 150, 22);
  combo->SetImages(Pictures(Form));
  combo->ItemsEx().AddItem("Metres", 0);
  combo->ItemsEx().AddItem("Feet", 1);
  combo->SetItemIndex(1);
  auto* widget = qobject_cast<QComboBox*>(ui::WidgetOf(combo->Handle()));
  ASSERT_TRUE(widget);
  ASSERT_EQ(widget->count(), 2);
  EXPECT_EQ(widget->itemText(0), "Metres");
  EXPECT_FALSE(widget->itemIcon(1).isNull());
  EXPECT_EQ(widget->currentIndex(), 1);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  widget->setCurrentIndex(0);
  emit widget->activated(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->ItemsEx().Item(0)->SetCaption("Fathoms");
  combo->RecreateWnd();
  widget = qobject_cast<QComboBox*>(ui::WidgetOf(combo->Handle()));
  EXPECT_EQ(widget->itemText(0), "Fathoms");
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ActionControls, SpeedAndToolButtonsOfAGroupStayDownOneAtATime) {
  auto* a = new TSpeedButton(Form);
  auto* b = new TSpeedButton(Form);
  for (TSpeedButton* s : {a, b}) {
    s->SetParent(Form);
    s->SetGroupIndex(1);
  }
  a->Click();
  EXPECT_TRUE(a->Down());
  b->Click();
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  // The last one stays down unless all may go up.
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  b->AllowAllUp = true;
  b->Click();
  EXPECT_FALSE(b->Down());

  auto* bar = new TToolBar(Form);
  bar->SetParent(Form);
  bar->SetImages(Pictures(Form));
  std::vector<TToolButton*> buttons;
  for (int i = 0; i < 3; ++i) {
    auto* button = new TToolButton(Form);
    button->SetParent(bar);
    button->SetStyle(i == 1 ? tbsSeparator : tbsCheck);
    button->Grouped = true;
    buttons.push_back(button);
  }
  EXPECT_EQ(buttons[1]->Left(), buttons[0]->Left() + bar->ButtonWidth());
  EXPECT_EQ(buttons[2]->Left(), buttons[1]->Left() + buttons[1]->Width());
  // A separator ends a group.
  buttons[0]->Click();
  buttons[2]->Click();
  EXPECT_TRUE(buttons[0]->Down());
  EXPECT_TRUE(buttons[2]->Down());
  buttons[2]->Grouped = false;
  buttons[2]->Click();
  EXPECT_FALSE(buttons[2]->Down());
}

TEST_F(ActionControls, EachLinkCarriesTheActionsCheckAndPicture) {
  TAction action(nullptr);
  auto* check = new TCheckBox(Form);
  check->SetParent(Form);
  auto* speed = new TSpeedButton(Form);
  speed->SetParent(Form);
  speed->SetGroupIndex(3);
  speed->AllowAllUp = true;
  auto* bar = new TToolBar(Form);
  bar->SetParent(Form);
  auto* tool = new TToolButton(Form);
  tool->SetParent(bar);
  tool->SetStyle(tbsCheck);
  auto* list = new TListView(Form);
  auto* combo = new TComboBoxEx(Form);
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  const std::vector<std::pair<TControl*, const TActionLinkClass*>> linked{
      {check, &TButtonActionLinkClass},  {speed, &TSpeedButtonActionLinkClass}, {tool, &TToolButtonActionLinkClass},
      {list, &TListViewActionLinkClass}, {combo, &TComboBoxExActionLinkClass},
  };
  for (const auto& [control, linkClass] : linked) {
    control->SetAction(&action);
    EXPECT_EQ(&control->GetActionLinkClass(), linkClass);
    EXPECT_TRUE(linkClass->InheritsFrom(TControlActionLinkClass));
  }
  action.SetChecked(true);
  action.SetImageIndex(1);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(speed->Down());
  EXPECT_TRUE(tool->Down());
  EXPECT_EQ(tool->ImageIndex(), 1);
  // The user's own change clicks.
  check->SetChecked(false);
  EXPECT_EQ(clicks, 1);
  for (const auto& entry : linked) entry.first->SetAction(nullptr);
}

// The picture is kept for a person to look at.
TEST_F(ActionControls, TheControlsShowOnTheScreen) {
  TImageList* images = Pictures(Form);
  auto* bar = new TToolBar(Form);
  bar->SetParent(Form);
  bar->SetImages(images);
  bar->SetShowCaptions(true);
  bar->SetButtonWidth(48);
  for (const char* caption : {"Open", "Save"}) {
    auto* button = new TToolButton(Form);
    button->SetParent(bar);
    button->SetCaption(caption);
    button->SetImageIndex(bar->ButtonCount() - 1);
    button->SetStyle(tbsCheck);
  }
  bar->Buttons(1)->SetDown(true);
  int left = 10;
  for (const char* caption : {"&Depth", "&Speed"}) {
    auto* speed = new TSpeedButton(Form);
    speed->SetParent(Form);
    speed->SetBounds(left, 60, 70, 24);
    speed->SetCaption(caption);
    speed->SetGroupIndex(1);
    left += 74;
  }
  static_cast<TSpeedButton*>(Form->Controls(Form->ControlCount() - 1))->SetDown(true);
  auto* check = new TCheckBox(Form);
  check->SetParent(Form);
  check->SetBounds(170, 62, 160, 20);
  check->SetCaption("Checked by its action");
  auto* list = new TListView(Form);
  list->SetParent(Form);
  list->SetBounds(10, 100, 150, 120);
  for (const char* caption : {"DBT", "DPT", "VHW", "MTW"}) list->Items().Add()->SetCaption(caption);
  list->SetItemIndex(2);
  auto* combo = new TComboBoxEx(Form);
  combo->SetParent(Form);
  combo->SetBounds(170, 100, 150, 24);
  combo->SetImages(images);
  combo->ItemsEx().AddItem("Metres", 0);
  combo->ItemsEx().AddItem("Feet", 1);
  combo->SetItemIndex(0);
  Form->Show();
  Application->ProcessMessages();
  EXPECT_EQ(bar->Top(), 0);
  EXPECT_EQ(bar->Width(), Form->ClientWidth());
  EXPECT_TRUE(ui::SaveWindowImage(Form->Handle(), "action_controls.png"));
}

}  // namespace
