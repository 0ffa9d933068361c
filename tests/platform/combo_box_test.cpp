#include <gtest/gtest.h>

#include <string>

#include <QComboBox>

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class ComboBoxTest : public fixture::FormTest {
 protected:
  TComboBox* Combo(TComboBoxStyle Style) {
    auto* combo = new TComboBox(Form);
    combo->SetParent(Form);
    combo->SetBounds(10, 10, 160, 24);
    combo->SetStyle(Style);
    return combo;
  }
};

TEST_F(ComboBoxTest, TheEditPartsSelectionIsSetFromCode) {
  TComboBox* combo = Combo(csDropDown);
  Form->Show();
  combo->SetText("38400 baud");
  combo->SetSelStart(2);
  EXPECT_EQ(combo->SelStart(), 2);
  EXPECT_EQ(combo->SelLength(), 0);
  combo->SetSelLength(3);
  EXPECT_EQ(combo->SelStart(), 2);
  EXPECT_EQ(combo->SelLength(), 3);
  EXPECT_EQ(combo->SelText(), "400");
  combo->SetSelText("9");
  EXPECT_EQ(combo->Text(), "389 baud");
  combo->SelectAll();
  EXPECT_EQ(combo->SelLength(), 8);

  // A list without an edit part has no text to replace.
  TComboBox* list = Combo(csDropDownList);
  list->Items().Add("4800");
  list->SetItemIndex(0);
  list->SetSelText("x");
  EXPECT_EQ(list->Text(), "4800");
  EXPECT_EQ(list->SelText(), "");
}

TEST_F(ComboBoxTest, ItemsAddedWithTheirObjectKeepIt) {
  TComboBox* combo = Combo(csDropDownList);
  TObject port;
  combo->AddItem("COM3", &port);
  combo->AddItem("COM1", nullptr);
  ASSERT_EQ(combo->Items().Count(), 2);
  EXPECT_EQ(combo->Items()[0], "COM3");
  EXPECT_EQ(combo->Items().GetObject(0), &port);
  EXPECT_EQ(combo->Items().GetObject(1), nullptr);
}

TEST_F(ComboBoxTest, LengthLimitAndListHeightSetOnAShownComboTakeEffect) {
  TComboBox* combo = Combo(csDropDown);
  Form->Show();
  combo->SetMaxLength(4);
  combo->SetDropDownCount(3);
  combo->SetFocus();
  for (char16_t c : std::u16string(u"115200"))
    PostKeyDown(combo->EditHandle(), WM_KEYDOWN, 0xE5, 1, std::u16string(1, c));
  Application->ProcessMessages();
  EXPECT_EQ(combo->Text(), "1152");
  auto* shown = qobject_cast<QComboBox*>(ui::WidgetOf(combo->Handle()));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->maxVisibleItems(), 3);
  EXPECT_EQ(combo->DropDownCount(), 3);
  EXPECT_EQ(combo->MaxLength(), 4);
  // A new window keeps both.
  combo->SetSorted(true);
  shown = qobject_cast<QComboBox*>(ui::WidgetOf(combo->Handle()));
  EXPECT_EQ(shown->maxVisibleItems(), 3);
}

TEST_F(ComboBoxTest, DeletingTheSelectedItemLeavesNoSelection) {
  TComboBox* combo = Combo(csDropDownList);
  for (const char* baud : {"4800", "9600", "38400"}) combo->Items().Add(baud);
  combo->SetItemIndex(1);
  combo->Items().Delete(0);  // before the selection: the same item stays chosen
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "9600");
  combo->Items().Delete(0);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->Items().Count(), 1);

  // An editable combo keeps what was typed.
  TComboBox* editable = Combo(csDropDown);
  editable->Items().Add("COM1");
  editable->Items().Add("COM3");
  editable->SetItemIndex(1);
  editable->SetText("COM3 (USB)");
  editable->Items().Delete(1);
  EXPECT_EQ(editable->ItemIndex(), -1);
  EXPECT_EQ(editable->Text(), "COM3 (USB)");
}

}  // namespace
