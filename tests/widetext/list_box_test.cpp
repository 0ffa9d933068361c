#include <gtest/gtest.h>

#include "tests/widetext/wide_form_fixture.h"
#include "widetext/standard/list_box.h"

namespace widetext::testing {
namespace {

class ListBox : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    List = new TWtxListBox(Form);
    List->SetParent(Form);
    for (int i = 0; i < 4; ++i) List->GetItems().AddObject(Names[i], &Tags[i]);
  }
  TWtxListBox* List = nullptr;
  const std::u16string Names[4] = {u"Ένα", u"Dwa", u"Τρία", u"Cztery"};
  platform::TObject Tags[4];
};

TEST_F(ListBox, ReadingAnItemTheWindowDoesNotKnowRaisesTheIndexError) {
  EXPECT_EQ(List->GetItems().Get(2), u"Τρία");
  try {
    List->GetItems().Get(7);
    FAIL();
  } catch (const platform::EStringListError& e) {
    EXPECT_NE(std::string(e.what()).find("(7)"), std::string::npos);
  }
  EXPECT_EQ(List->GetItems().IndexOf(u"τρία"), 2);
}

TEST_F(ListBox, ReplacingExchangingAndMovingKeepObjectsAndTheSelection) {
  TWtxListBoxStrings& items = List->GetItems();
  List->SetItemIndex(1);
  items.Put(1, u"Δύο");
  EXPECT_EQ(items.Get(1), u"Δύο");
  EXPECT_EQ(items.GetObject(1), &Tags[1]);
  EXPECT_EQ(List->ItemIndex(), 1);

  items.Exchange(1, 3);
  EXPECT_EQ(items.Get(3), u"Δύο");
  EXPECT_EQ(items.GetObject(3), &Tags[1]);
  EXPECT_EQ(items.Get(1), u"Cztery");
  EXPECT_EQ(items.GetObject(1), &Tags[3]);
  EXPECT_EQ(List->ItemIndex(), 3);

  items.Move(0, 2);
  EXPECT_EQ(items.Get(2), u"Ένα");
  EXPECT_EQ(items.GetObject(2), &Tags[0]);
}

TEST_F(ListBox, ANewWindowKeepsItemsTopItemAndSelection) {
  List->SetBounds(0, 0, 120, 40);
  for (int i = 0; i < 20; ++i) List->GetItems().Add(u"ż" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  List->SetItemIndex(5);
  List->SetTopIndex(3);
  const int top = List->TopIndex();
  List->SetStyle(platform::lbOwnerDrawFixed);
  EXPECT_EQ(List->GetItems().GetCount(), 24);
  EXPECT_EQ(List->GetItems().Get(0), u"Ένα");
  EXPECT_EQ(List->GetItems().GetObject(0), &Tags[0]);
  EXPECT_EQ(List->ItemIndex(), 5);
  EXPECT_EQ(List->TopIndex(), top);
}

TEST_F(ListBox, AVirtualListShowsTheTextsOfItsWideDataEvent) {
  List->SetStyle(platform::lbVirtual);
  List->OnDataW = [](platform::TWinControl*, int Index, std::u16string& Data) {
    Data = Index == 0 ? u"Ωμέγα" : u"Łódź";
  };
  List->SetCount(2);
  EXPECT_EQ(List->GetItems().Get(0), u"Ωμέγα");
  EXPECT_EQ(List->GetItems().Get(1), u"Łódź");
  EXPECT_EQ(List->Items().Get(0), "?????");
}

TEST_F(ListBox, SelectedItemsAreCopiedToAnotherList) {
  List->SetMultiSelect(true);
  List->SetSelected(0, true);
  List->SetSelected(2, true);
  auto* other = new TWtxListBox(Form);
  other->SetParent(Form);
  List->CopySelection(other);
  ASSERT_EQ(other->GetItems().GetCount(), 2);
  EXPECT_EQ(other->GetItems().Get(1), u"Τρία");
  EXPECT_EQ(other->GetItems().GetObject(1), &Tags[2]);
}

}  // namespace
}  // namespace widetext::testing
