#include <gtest/gtest.h>

#include "platform/ui/window_classes/presentation.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/list_box.h"
#include "widetext/standard/memo.h"

namespace widetext::testing {
namespace {

using ListsRender = WideFormTest;

TEST_F(ListsRender, MemoComboAndListBoxesShowTheirOwnCharacters) {
  auto* memo = new TWtxMemo(Form);
  memo->SetParent(Form);
  memo->SetBounds(8, 8, 220, 120);
  memo->GetLines().Add(u"$SDDBT,12.4,f,3.8,M,2.0,F*3A");
  memo->GetLines().Add(u"Βάθος 3,8 m – Θερμοκρασία 14 °C");
  memo->GetLines().Add(kPolish);

  auto* list = new TWtxComboBox(Form);
  list->SetParent(Form);
  list->SetBounds(240, 8, 220, 24);
  list->SetStyle(platform::csDropDownList);
  list->GetItems().Add(u"Ελληνικά");
  list->GetItems().Add(u"Polski – łódź");
  list->SetItemIndex(0);

  auto* editable = new TWtxComboBox(Form);
  editable->SetParent(Form);
  editable->SetBounds(240, 40, 220, 24);
  editable->SetText(u"Zażółć");

  auto* box = new TWtxListBox(Form);
  box->SetParent(Form);
  box->SetBounds(240, 72, 220, 120);
  for (const char16_t* item : {u"1,02 ώρα", u"0,98 prędkość", u"1,00 ταχύτητα"}) box->GetItems().Add(item);
  box->SetItemIndex(1);

  Form->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), "wide_lists.png"));
}

}  // namespace
}  // namespace widetext::testing
