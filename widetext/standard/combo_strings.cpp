#include "widetext/standard/combo_strings.h"

#include "widetext/standard/combo_box.h"
#include "widetext/standard/window_items.h"

namespace widetext {

TWtxComboBoxStrings::TWtxComboBoxStrings(TWtxCustomComboBox& Combo) : combo_(Combo) {}

int TWtxComboBoxStrings::GetCount() const { return combo_.Items().Count(); }

std::u16string TWtxComboBoxStrings::Get(int Index) const {
  return WindowItemText(combo_.Handle(), platform::CB_GETLBTEXTLEN, platform::CB_GETLBTEXT, Index).value_or(u"");
}

platform::TObject* TWtxComboBoxStrings::GetObject(int Index) const { return combo_.Items().GetObject(Index); }

void TWtxComboBoxStrings::PutObject(int Index, platform::TObject* AObject) { combo_.Items().PutObject(Index, AObject); }

int TWtxComboBoxStrings::Add(const std::u16string& S) {
  return InsertWindowItem(combo_.Handle(), platform::CB_ADDSTRING, 0, S);
}

void TWtxComboBoxStrings::Insert(int Index, const std::u16string& S) {
  InsertWindowItem(combo_.Handle(), platform::CB_INSERTSTRING, Index, S);
}

void TWtxComboBoxStrings::Delete(int Index) { combo_.Items().Delete(Index); }

int TWtxComboBoxStrings::IndexOf(std::u16string_view S) const {
  return FindWindowItem(combo_.Handle(), platform::CB_FINDSTRINGEXACT, std::u16string(S));
}

void TWtxComboBoxStrings::Clear() {
  const std::u16string text = combo_.GetText();
  platform::SendMessageW(combo_.Handle(), platform::CB_RESETCONTENT, 0, 0);
  combo_.SetText(text);
  combo_.Update();
}

void TWtxComboBoxStrings::SetUpdateState(bool Updating) { SetAnsiUpdateState(combo_.Items(), Updating); }

}  // namespace widetext
