#include <gtest/gtest.h>

#include "platform/core/os/clock.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/exceptions.h"
#include "widetext/standard/combo_auto_complete.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/list_box.h"
#include "widetext/standard/saved_items.h"

namespace widetext::testing {
namespace {

class ComboBox : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    combo_ = new TWtxComboBox(form_);
    combo_->SetParent(form_);
    combo_->OnClick = [this](platform::TObject*) { events_ += "click "; };
    combo_->OnSelect = [this](platform::TObject*) { events_ += "select "; };
  }
  void Fill(std::initializer_list<std::u16string_view> items) {
    for (std::u16string_view item : items) combo_->GetItems().Add(std::u16string(item));
  }
  TWtxComboBox* combo_ = nullptr;
  std::string events_;
};

TEST_F(ComboBox, ItemsAreFoundInAnyCaseFromTheTop) {
  Fill({u"Αλφα", u"βήτα", u"ΒΉΤΑ", u"Łódź"});
  EXPECT_EQ(combo_->GetItems().IndexOf(u"ΒΉΤΑ"), 1);
  EXPECT_EQ(combo_->GetItems().IndexOf(u"łódź"), 3);
  EXPECT_EQ(combo_->GetItems().IndexOf(u"Gamma"), -1);
  EXPECT_EQ(combo_->GetItems().Get(3), u"Łódź");
  EXPECT_EQ(combo_->GetItems().Get(9), u"");
}

TEST_F(ComboBox, ClearingTheItemsKeepsTheTypedText) {
  Fill({u"a", u"b"});
  combo_->SetText(kGreek);
  combo_->GetItems().Clear();
  EXPECT_EQ(combo_->GetItems().GetCount(), 0);
  EXPECT_EQ(combo_->GetText(), kGreek);
}

TEST_F(ComboBox, OnlyTheUsersChoiceClicksAndSetsTheWideText) {
  Fill({u"COM1", kPolish});
  combo_->SetItemIndex(1);
  EXPECT_EQ(events_, "");
  EXPECT_EQ(combo_->GetText(), kPolish);
  combo_->SetItemIndex(0);
  platform::SendMessageW(combo_->Handle(), platform::CB_SETCURSEL, 1, 0);
  combo_->Perform(platform::CN_COMMAND, platform::MAKEWPARAM(0, platform::CBN_SELCHANGE), 0);
  EXPECT_EQ(events_, "click select ");
  EXPECT_EQ(combo_->GetText(), kPolish);
}

TEST_F(ComboBox, ANewWindowKeepsTheWideItemsSelectionAndText) {
  Fill({kGreek, kPolish, u"plain"});
  combo_->SetItemIndex(1);
  combo_->SetStyle(platform::csSimple);
  ASSERT_EQ(combo_->GetItems().GetCount(), 3);
  EXPECT_EQ(combo_->GetItems().Get(0), kGreek);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->GetText(), kPolish);

  combo_->SetItemIndex(-1);
  combo_->SetText(u"Ταχύτητα");
  combo_->SetStyle(platform::csDropDown);
  EXPECT_EQ(combo_->GetText(), u"Ταχύτητα");
  EXPECT_EQ(combo_->ItemIndex(), -1);
}

TEST(SavedItems, TheSavedIndexIsFittedToTheList) {
  EXPECT_EQ(FittedItemIndex(5, 3), 2);
  EXPECT_EQ(FittedItemIndex(1, 3), 1);
  EXPECT_EQ(FittedItemIndex(-1, 3), -1);
  EXPECT_EQ(FittedItemIndex(0, 0), -1);
}

class ComboTyping : public ComboBox {
 protected:
  void SetUp() override {
    ComboBox::SetUp();
    Fill({u"Alfa", u"Cobalt", u"Copper", u"Δέλτα", u"Łańcut", u"Łódź"});
  }
  void Type(platform::HWND h, char16_t c) {
    platform::PostMessageW(h, platform::WM_CHAR, c, 0);
    platform::Application->ProcessMessages();
  }
  std::uint32_t now_ = 1000;
  platform::ScopedClockOverride clock_{platform::ClockSources{.Tick = [this] { return now_; }}};
};

TEST_F(ComboTyping, ADropDownListSelectsByTheKeysTypedInQuickSuccession) {
  combo_->SetStyle(platform::csDropDownList);
  const platform::HWND h = combo_->Handle();
  Type(h, u'c');
  EXPECT_EQ(combo_->ItemIndex(), 1);
  now_ += 1249;
  Type(h, u'O');
  Type(h, u'p');
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_EQ(combo_->GetText(), u"Copper");
  EXPECT_EQ(events_, "click select click select ");

  // A key no item continues with changes nothing.
  Type(h, u'z');
  EXPECT_EQ(combo_->ItemIndex(), 2);
  now_ += 1250;
  Type(h, u'δ');
  EXPECT_EQ(combo_->ItemIndex(), 3);
  Type(h, u'έ');
  EXPECT_EQ(combo_->GetText(), u"Δέλτα");
}

TEST_F(ComboTyping, AnEditableComboCompletesTheTypedTextKeepingItsCase) {
  const platform::HWND edit = combo_->EditHandle();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(platform::IsWindowUnicode(edit));
  Type(edit, u'ł');
  Type(edit, u'a');
  EXPECT_EQ(combo_->GetText(), u"łańcut");
  EXPECT_EQ(combo_->SelStart(), 2);
  EXPECT_EQ(combo_->SelLength(), 4);
  EXPECT_EQ(combo_->ItemIndex(), 4);
  EXPECT_EQ(events_, "click select click select ");

  // With the caret inside the text nothing is completed.
  combo_->SetText(u"łó");
  combo_->SetSelStart(1);
  Type(edit, u'x');
  EXPECT_EQ(combo_->GetText(), u"łxó");
}

TEST_F(ComboTyping, CompletionIsOnlyForEditableStyles) {
  combo_->SetStyle(platform::csDropDownList);
  char16_t key = u'c';
  EXPECT_THROW(WtxCombo_AutoCompleteKeyPress(*combo_, key), EWtxInternalError);
}

TEST_F(ComboBox, TheSelectedItemIsCopiedWithItsObjectAndItsCharacters) {
  platform::TObject tag;
  combo_->AddItem(kGreek, &tag);
  combo_->SetItemIndex(0);
  auto* list = new TWtxListBox(form_);
  list->SetParent(form_);
  combo_->CopySelection(list);
  ASSERT_EQ(list->GetItems().GetCount(), 1);
  EXPECT_EQ(list->GetItems().Get(0), kGreek);
  EXPECT_EQ(list->GetItems().GetObject(0), &tag);
  auto* plain = new platform::TComboBox(form_);
  plain->SetParent(form_);
  combo_->CopySelection(plain);
  EXPECT_EQ(plain->Items().Get(0), "?????");
}

}  // namespace
}  // namespace widetext::testing
