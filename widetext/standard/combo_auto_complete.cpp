#include "widetext/standard/combo_auto_complete.h"

#include <algorithm>

#include "widetext/exceptions.h"

namespace widetext {

int ComboFindPrefix(TWtxCustomComboBox& Combo, int StartAfter, const std::u16string& S) {
  if (auto* finder = dynamic_cast<IWtxComboFindString*>(&Combo)) return finder->FindString(S, StartAfter);
  return static_cast<int>(platform::SendMessageW(Combo.Handle(), platform::CB_FINDSTRING,
                                                 static_cast<platform::WPARAM>(StartAfter),
                                                 reinterpret_cast<platform::LPARAM>(S.c_str())));
}

bool ComboAutoSelectItem(TWtxCustomComboBox& Combo, const std::u16string& SearchText, bool KeepTypedCase,
                         bool UniqueOnly) {
  int index = ComboFindPrefix(Combo, -1, SearchText);
  if (UniqueOnly && index != -1 && ComboFindPrefix(Combo, index, SearchText) != index) index = -1;
  if (index == -1) return false;
  TWtxComboBoxStrings& items = Combo.GetItems();
  const std::u16string item = items.Get(index);
  const bool changed = Combo.Style() == platform::csDropDown ? Combo.GetText() != item : index != Combo.ItemIndex();
  if (Combo.AutoCloseUp && items.IndexOf(SearchText) != -1) Combo.SetDroppedDown(false);
  Combo.SetItemIndex(index);
  if (Combo.Editable()) {
    const std::u16string text =
        KeepTypedCase ? SearchText + item.substr(std::min(SearchText.size(), item.size())) : item;
    Combo.SetText(text);
    Combo.SetSelStart(static_cast<int>(SearchText.size()));
    Combo.SetSelLength(static_cast<int>(text.size() - SearchText.size()));
  }
  if (changed) {
    Combo.Click();
    Combo.Select();
  }
  return true;
}

void WtxCombo_AutoCompleteKeyPress(TWtxCustomComboBox& Combo, char16_t& Key) {
  if (!Combo.Editable()) {
    throw EWtxInternalError(
        "Internal Error: WtxCombo_AutoCompleteKeyPress is only for csSimple and csDropDown style combo boxes.");
  }
  if (!Combo.AutoComplete) return;
  switch (Key) {
    case u'\b':
      return;
    case u'\t':
      if (Combo.AutoDropDown && Combo.DroppedDown()) Combo.SetDroppedDown(false);
      return;
    case 27:
      return;
    default:
      break;
  }
  if (Combo.AutoDropDown && !Combo.DroppedDown()) Combo.DropDownKeepingText();
  const std::u16string text = Combo.GetText();
  const int start = Combo.SelStart();
  if (start + Combo.SelLength() != static_cast<int>(text.size())) return;
  const std::u16string search = text.substr(0, static_cast<std::size_t>(start)) + Key;
  if (ComboAutoSelectItem(Combo, search, Combo.AutoCompleteKeepsTypedCase(), Combo.AutoCompleteUniqueOnly())) Key = 0;
}

}  // namespace widetext
