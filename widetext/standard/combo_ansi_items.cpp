#include "widetext/standard/combo_ansi_items.h"

#include <algorithm>

#include "platform/core/classes/sysutils.h"

namespace widetext {
namespace {

platform::LRESULT Send(platform::TCustomComboBox& Combo, platform::UINT Msg, int Index, platform::LPARAM LParam = 0) {
  return platform::SendMessageA(Combo.Handle(), Msg, static_cast<platform::WPARAM>(Index), LParam);
}

int Inserted(platform::LRESULT Result) {
  if (Result < 0) throw platform::EOutOfResources("Unable to insert a line");
  return static_cast<int>(Result);
}

}  // namespace

std::unique_ptr<platform::TCustomComboBoxStrings> TWtxComboBoxAnsiItems::Make(platform::TCustomComboBox& Combo) {
  return std::make_unique<TWtxComboBoxAnsiItems>(Combo);
}

// The buffer has room for the terminator the window writes after the item.
std::string TWtxComboBoxAnsiItems::Get(int Index) const {
  const platform::LRESULT length = Send(ComboBox(), platform::CB_GETLBTEXTLEN, Index);
  if (length < 1) return {};
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  const platform::LRESULT got =
      Send(ComboBox(), platform::CB_GETLBTEXT, Index, reinterpret_cast<platform::LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<platform::LRESULT>(got, 0, length)));
  return buffer;
}

int TWtxComboBoxAnsiItems::Add(const std::string& S) {
  return Inserted(Send(ComboBox(), platform::CB_ADDSTRING, 0, reinterpret_cast<platform::LPARAM>(S.c_str())));
}

void TWtxComboBoxAnsiItems::Insert(int Index, const std::string& S) {
  Inserted(Send(ComboBox(), platform::CB_INSERTSTRING, Index, reinterpret_cast<platform::LPARAM>(S.c_str())));
}

}  // namespace widetext
