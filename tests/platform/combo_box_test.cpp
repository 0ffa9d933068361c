#include <gtest/gtest.h>

#include <string>

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class ComboBoxTest : public fixture::FormTest {
 protected:
  TComboBox* Combo(TComboBoxStyle style) {
    auto* combo = new TComboBox(form_);
    combo->SetParent(form_);
    combo->SetBounds(10, 10, 160, 24);
    combo->SetStyle(style);
    return combo;
  }
};

TEST_F(ComboBoxTest, TheEditPartsSelectionIsSetFromCode) {
  TComboBox* combo = Combo(csDropDown);
  form_->Show();
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

}  // namespace
