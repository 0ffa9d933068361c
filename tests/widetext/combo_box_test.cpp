#include <gtest/gtest.h>

#include <functional>

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
    Combo = new TWtxComboBox(Form);
    Combo->SetParent(Form);
    Combo->OnClick = [this](platform::TObject*) { Events += "click "; };
    Combo->OnSelect = [this](platform::TObject*) { Events += "select "; };
  }
  void Fill(std::initializer_list<std::u16string_view> Items) {
    for (std::u16string_view item : Items) Combo->GetItems().Add(std::u16string(item));
  }
  TWtxComboBox* Combo = nullptr;
  std::string Events;
};

TEST_F(ComboBox, ItemsAreFoundInAnyCaseFromTheTop) {
  Fill({u"Αλφα", u"βήτα", u"ΒΉΤΑ", u"Łódź"});
  EXPECT_EQ(Combo->GetItems().IndexOf(u"ΒΉΤΑ"), 1);
  EXPECT_EQ(Combo->GetItems().IndexOf(u"łódź"), 3);
  EXPECT_EQ(Combo->GetItems().IndexOf(u"Gamma"), -1);
  EXPECT_EQ(Combo->GetItems().Get(3), u"Łódź");
  EXPECT_EQ(Combo->GetItems().Get(9), u"");
}

// A combo box window with no room left for another item.
platform::WNDPROC g_roomyComboProc;
platform::LRESULT FullComboProc(platform::HWND hWnd, platform::UINT Msg, platform::WPARAM wParam,
                                platform::LPARAM lParam) {
  if (Msg == platform::CB_ADDSTRING || Msg == platform::CB_INSERTSTRING) return platform::CB_ERR;
  return platform::CallWindowProcW(g_roomyComboProc, hWnd, Msg, wParam, lParam);
}

void ExpectRefused(const std::function<void()>& Insert) {
  try {
    Insert();
    ADD_FAILURE() << "the item was taken";
  } catch (const platform::EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Unable to insert a line");
  }
}

TEST_F(ComboBox, TheEightBitItemsReadAnUnknownIndexAsEmptyAndReportARefusedItem) {
  Fill({kGreek, u"COM1"});
  platform::TStrings& items = Combo->Items();
  EXPECT_EQ(items.Get(0), "?????");
  EXPECT_EQ(items.Get(1), "COM1");
  EXPECT_EQ(items.Get(2), "");
  EXPECT_EQ(items.Get(-1), "");
  EXPECT_EQ(items.Add("COM3"), 2);
  items.Insert(2, "COM2");
  EXPECT_EQ(Combo->GetItems().Get(2), u"COM2");
  ExpectRefused([&] { items.Insert(9, "COM9"); });

  const platform::HWND h = Combo->Handle();
  g_roomyComboProc = platform::SetWindowProcW(h, platform::MakeWndProc<&FullComboProc>(true));
  ExpectRefused([&] { items.Add("COM4"); });
  ExpectRefused([&] { items.Insert(0, "COM0"); });
  ExpectRefused([&] { Combo->GetItems().Add(kPolish); });
  platform::SetWindowProcW(h, g_roomyComboProc);
  EXPECT_EQ(items.Count(), 4);
  EXPECT_EQ(Combo->GetItems().Get(0), kGreek);
}

TEST_F(ComboBox, ClearingTheItemsKeepsTheTypedText) {
  Fill({u"a", u"b"});
  Combo->SetText(kGreek);
  Combo->GetItems().Clear();
  EXPECT_EQ(Combo->GetItems().GetCount(), 0);
  EXPECT_EQ(Combo->GetText(), kGreek);
}

TEST_F(ComboBox, OnlyTheUsersChoiceClicksAndSetsTheWideText) {
  Fill({u"COM1", kPolish});
  Combo->SetItemIndex(1);
  EXPECT_EQ(Events, "");
  EXPECT_EQ(Combo->GetText(), kPolish);
  Combo->SetItemIndex(0);
  platform::SendMessageW(Combo->Handle(), platform::CB_SETCURSEL, 1, 0);
  Combo->Perform(platform::CN_COMMAND, platform::MAKEWPARAM(0, platform::CBN_SELCHANGE), 0);
  EXPECT_EQ(Events, "click select ");
  EXPECT_EQ(Combo->GetText(), kPolish);
}

TEST_F(ComboBox, ANewWindowKeepsTheWideItemsSelectionAndText) {
  Fill({kGreek, kPolish, u"plain"});
  Combo->SetItemIndex(1);
  Combo->SetStyle(platform::csSimple);
  ASSERT_EQ(Combo->GetItems().GetCount(), 3);
  EXPECT_EQ(Combo->GetItems().Get(0), kGreek);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->GetText(), kPolish);

  Combo->SetItemIndex(-1);
  Combo->SetText(u"Ταχύτητα");
  Combo->SetStyle(platform::csDropDown);
  EXPECT_EQ(Combo->GetText(), u"Ταχύτητα");
  EXPECT_EQ(Combo->ItemIndex(), -1);
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
  void Type(platform::HWND hWnd, char16_t C) {
    platform::PostMessageW(hWnd, platform::WM_CHAR, C, 0);
    platform::Application->ProcessMessages();
  }
  std::uint32_t Now = 1000;
  platform::ScopedClockOverride Clock{platform::ClockSources{.Tick = [this] { return Now; }}};
};

TEST_F(ComboTyping, ADropDownListSelectsByTheKeysTypedInQuickSuccession) {
  Combo->SetStyle(platform::csDropDownList);
  const platform::HWND h = Combo->Handle();
  Type(h, u'c');
  EXPECT_EQ(Combo->ItemIndex(), 1);
  Now += 1249;
  Type(h, u'O');
  Type(h, u'p');
  EXPECT_EQ(Combo->ItemIndex(), 2);
  EXPECT_EQ(Combo->GetText(), u"Copper");
  EXPECT_EQ(Events, "click select click select ");

  // A key no item continues with changes nothing.
  Type(h, u'z');
  EXPECT_EQ(Combo->ItemIndex(), 2);
  Now += 1250;
  Type(h, u'δ');
  EXPECT_EQ(Combo->ItemIndex(), 3);
  Type(h, u'έ');
  EXPECT_EQ(Combo->GetText(), u"Δέλτα");
}

TEST_F(ComboTyping, AnEditableComboCompletesTheTypedTextKeepingItsCase) {
  const platform::HWND edit = Combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(platform::IsWindowUnicode(edit));
  Type(edit, u'ł');
  Type(edit, u'a');
  EXPECT_EQ(Combo->GetText(), u"łańcut");
  EXPECT_EQ(Combo->SelStart(), 2);
  EXPECT_EQ(Combo->SelLength(), 4);
  EXPECT_EQ(Combo->ItemIndex(), 4);
  EXPECT_EQ(Events, "click select click select ");

  // With the caret inside the text nothing is completed.
  Combo->SetText(u"łó");
  Combo->SetSelStart(1);
  Type(edit, u'x');
  EXPECT_EQ(Combo->GetText(), u"łxó");
}

TEST_F(ComboTyping, CompletionIsOnlyForEditableStyles) {
  Combo->SetStyle(platform::csDropDownList);
  char16_t key = u'c';
  EXPECT_THROW(WtxCombo_AutoCompleteKeyPress(*Combo, key), EWtxInternalError);
}

TEST_F(ComboBox, TheSelectedItemIsCopiedWithItsObjectAndItsCharacters) {
  platform::TObject tag;
  Combo->AddItem(kGreek, &tag);
  Combo->SetItemIndex(0);
  auto* list = new TWtxListBox(Form);
  list->SetParent(Form);
  Combo->CopySelection(list);
  ASSERT_EQ(list->GetItems().GetCount(), 1);
  EXPECT_EQ(list->GetItems().Get(0), kGreek);
  EXPECT_EQ(list->GetItems().GetObject(0), &tag);
  auto* plain = new platform::TComboBox(Form);
  plain->SetParent(Form);
  Combo->CopySelection(plain);
  EXPECT_EQ(plain->Items().Get(0), "?????");
}

}  // namespace
}  // namespace widetext::testing
