#include <gtest/gtest.h>

#include "tests/widetext/wide_form_fixture.h"
#include "widetext/standard/list_box.h"

namespace widetext::testing {
namespace {

class ListBox : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    list_ = new TWtxListBox(form_);
    list_->SetParent(form_);
    for (int i = 0; i < 4; ++i) list_->GetItems().AddObject(names_[i], &tags_[i]);
  }
  TWtxListBox* list_ = nullptr;
  const std::u16string names_[4] = {u"Ένα", u"Dwa", u"Τρία", u"Cztery"};
  platform::TObject tags_[4];
};

TEST_F(ListBox, ReadingAnItemTheWindowDoesNotKnowRaisesTheIndexError) {
  EXPECT_EQ(list_->GetItems().Get(2), u"Τρία");
  try {
    list_->GetItems().Get(7);
    FAIL();
  } catch (const platform::EStringListError& e) {
    EXPECT_NE(std::string(e.what()).find("(7)"), std::string::npos);
  }
  EXPECT_EQ(list_->GetItems().IndexOf(u"τρία"), 2);
}

TEST_F(ListBox, ReplacingExchangingAndMovingKeepObjectsAndTheSelection) {
  TWtxListBoxStrings& items = list_->GetItems();
  list_->SetItemIndex(1);
  items.Put(1, u"Δύο");
  EXPECT_EQ(items.Get(1), u"Δύο");
  EXPECT_EQ(items.GetObject(1), &tags_[1]);
  EXPECT_EQ(list_->ItemIndex(), 1);

  items.Exchange(1, 3);
  EXPECT_EQ(items.Get(3), u"Δύο");
  EXPECT_EQ(items.GetObject(3), &tags_[1]);
  EXPECT_EQ(items.Get(1), u"Cztery");
  EXPECT_EQ(items.GetObject(1), &tags_[3]);
  EXPECT_EQ(list_->ItemIndex(), 3);

  items.Move(0, 2);
  EXPECT_EQ(items.Get(2), u"Ένα");
  EXPECT_EQ(items.GetObject(2), &tags_[0]);
}

TEST_F(ListBox, ANewWindowKeepsItemsTopItemAndSelection) {
  list_->SetBounds(0, 0, 120, 40);
  for (int i = 0; i < 20; ++i) list_->GetItems().Add(u"ż" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  list_->SetItemIndex(5);
  list_->SetTopIndex(3);
  const int top = list_->TopIndex();
  list_->SetStyle(platform::lbOwnerDrawFixed);
  EXPECT_EQ(list_->GetItems().GetCount(), 24);
  EXPECT_EQ(list_->GetItems().Get(0), u"Ένα");
  EXPECT_EQ(list_->GetItems().GetObject(0), &tags_[0]);
  EXPECT_EQ(list_->ItemIndex(), 5);
  EXPECT_EQ(list_->TopIndex(), top);
}

TEST_F(ListBox, AVirtualListShowsTheTextsOfItsWideDataEvent) {
  list_->SetStyle(platform::lbVirtual);
  list_->OnDataW = [](platform::TWinControl*, int index, std::u16string& data) {
    data = index == 0 ? u"Ωμέγα" : u"Łódź";
  };
  list_->SetCount(2);
  EXPECT_EQ(list_->GetItems().Get(0), u"Ωμέγα");
  EXPECT_EQ(list_->GetItems().Get(1), u"Łódź");
  EXPECT_EQ(list_->Items().Get(0), "?????");
}

TEST_F(ListBox, SelectedItemsAreCopiedToAnotherList) {
  list_->SetMultiSelect(true);
  list_->SetSelected(0, true);
  list_->SetSelected(2, true);
  auto* other = new TWtxListBox(form_);
  other->SetParent(form_);
  list_->CopySelection(other);
  ASSERT_EQ(other->GetItems().GetCount(), 2);
  EXPECT_EQ(other->GetItems().Get(1), u"Τρία");
  EXPECT_EQ(other->GetItems().GetObject(1), &tags_[2]);
}

}  // namespace
}  // namespace widetext::testing
