#pragma once
// Small operations on the window's lists and monitors that several
// subjects share: filling and choosing items, and adding received text.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"

namespace app {

std::u16string FromUtf8(std::string_view Text);
std::string ToUtf8(std::u16string_view Text);

// The list holds Items (the first one chosen).
void SetItems(TWtxComboBox& List, const std::vector<std::u16string>& Items);
// The decimal texts of Values, the first one chosen.
void FillList(TWtxComboBox& List, std::span<const std::int32_t> Values);
// The text of the chosen item as the 8-bit text the program works with.
std::string ListText(TWtxComboBox& List);
// Chooses item Index, or none when the list has no such item.
void SelectIfPresent(TWtxComboBox& List, std::int32_t Index);
// Chooses the item that reads Rate in decimal; no change when none does.
void SelectBaudRate(TWtxComboBox& List, std::int32_t Rate);
// Chooses the item of Port (its place in Numbers, plus one for the first
// item), or the first item when the port is not there.
void SelectPort(TWtxComboBox& List, const std::vector<std::int32_t>& Numbers, std::int32_t Port);
// The port number behind the chosen item of a port list, 0 for "none".
std::int32_t ChosenPort(TWtxComboBox& List, const std::vector<std::int32_t>& Numbers);
// Item Index reads Text; the chosen item stays chosen. No change when the
// list has no such item.
void ReplaceItem(TWtxComboBox& List, int Index, const std::u16string& Text);

// Inserts received 8-bit text where the caret is, over any selection.
void InsertAtCaret(TWtxMemo& Memo, std::string_view Text);
int LineCount(TWtxMemo& Memo);
void ClearMemo(TWtxMemo& Memo);

}  // namespace app
