#pragma once
// Typed text completed from a combo box's items: the incremental search of
// a drop-down list and the completion of an editable combo box.

#include <string>

#include "widetext/standard/combo_box.h"

namespace widetext {

// Selects the first item that begins with SearchText (with UniqueOnly: only
// when no other does); an editable combo box shows SearchText (or, without
// KeepTypedCase, the item) completed by the rest of the item, the completed
// part selected. Click and Select run when the choice changed. False when
// no item begins with SearchText.
bool ComboAutoSelectItem(TWtxCustomComboBox& Combo, const std::u16string& SearchText, bool KeepTypedCase,
                         bool UniqueOnly);
// The first item after StartAfter that begins with S; -1 when none.
int ComboFindPrefix(TWtxCustomComboBox& Combo, int StartAfter, const std::u16string& S);
// Completion of a key typed into an editable combo box; a key that
// completes the text is swallowed (Key becomes 0). EWtxInternalError for a
// drop-down list.
void WtxCombo_AutoCompleteKeyPress(TWtxCustomComboBox& Combo, char16_t& Key);

}  // namespace widetext
