#include "app/control_helpers.h"

#include <algorithm>

#include "platform/core/text/cp1252.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/memo.h"
#include "widetext/utf8.h"

namespace app {

std::u16string FromUtf8(std::string_view Text) { return widetext::UTF8Decode(Text); }

std::string ToUtf8(std::u16string_view Text) { return widetext::UTF8Encode(Text); }

void SetItems(TWtxComboBox& List, const std::vector<std::u16string>& Items) {
  auto& items = List.GetItems();
  items.BeginUpdate();
  items.Clear();
  for (const std::u16string& item : Items) items.Add(item);
  items.EndUpdate();
  List.SetItemIndex(0);
}

void FillList(TWtxComboBox& List, std::span<const std::int32_t> Values) {
  std::vector<std::u16string> items;
  for (const std::int32_t value : Values) items.push_back(FromUtf8(std::to_string(value)));
  SetItems(List, items);
}

std::string ListText(TWtxComboBox& List) {
  const int index = List.ItemIndex();
  if (index < 0 || index >= List.GetItems().Count()) return {};
  return ToUtf8(List.GetItems().Get(index));
}

void SelectIfPresent(TWtxComboBox& List, std::int32_t Index) {
  List.SetItemIndex(Index >= 0 && Index < List.GetItems().Count() ? Index : -1);
}

void SelectBaudRate(TWtxComboBox& List, std::int32_t Rate) {
  const int index = List.GetItems().IndexOf(FromUtf8(std::to_string(Rate)));
  if (index >= 0) List.SetItemIndex(index);
}

void SelectPort(TWtxComboBox& List, const std::vector<std::int32_t>& Numbers, std::int32_t Port) {
  const auto it = std::find(Numbers.begin(), Numbers.end(), Port);
  List.SetItemIndex(it == Numbers.end() ? 0 : static_cast<int>(it - Numbers.begin()) + 1);
}

std::int32_t ChosenPort(TWtxComboBox& List, const std::vector<std::int32_t>& Numbers) {
  const int item = List.ItemIndex();
  return item >= 1 && item <= static_cast<int>(Numbers.size()) ? Numbers[static_cast<std::size_t>(item - 1)] : 0;
}

void ReplaceItem(TWtxComboBox& List, int Index, const std::u16string& Text) {
  if (Index < 0 || Index >= List.GetItems().Count() || List.GetItems().Get(Index) == Text) return;
  const int chosen = List.ItemIndex();
  List.GetItems().Put(Index, Text);
  List.SetItemIndex(chosen);
}

void InsertAtCaret(TWtxMemo& Memo, std::string_view Text) { Memo.SetSelText(platform::Cp1252ToUtf16(Text)); }

int LineCount(TWtxMemo& Memo) { return Memo.GetLines().Count(); }

void ClearMemo(TWtxMemo& Memo) { Memo.SetText(u""); }

}  // namespace app
