#include "widetext/standard/combo_strings.h"

#include <algorithm>

#include "platform/core/classes/sysutils.h"
#include "widetext/standard/combo_box.h"

namespace widetext {

TWtxComboBoxStrings::TWtxComboBoxStrings(TWtxCustomComboBox& Combo) : combo_(Combo) {}

platform::LRESULT TWtxComboBoxStrings::Send(platform::UINT Msg, platform::WPARAM WParam,
                                            const std::u16string& Text) const {
  return platform::SendMessageW(combo_.Handle(), Msg, WParam, reinterpret_cast<platform::LPARAM>(Text.c_str()));
}

int TWtxComboBoxStrings::GetCount() const { return combo_.Items().Count(); }

// The buffer holds the item and its terminator, and is cut to what the
// window copied.
std::u16string TWtxComboBoxStrings::Get(int Index) const {
  const platform::HWND h = combo_.Handle();
  const auto index = static_cast<platform::WPARAM>(Index);
  const platform::LRESULT length = platform::SendMessageW(h, platform::CB_GETLBTEXTLEN, index, 0);
  if (length == platform::CB_ERR) return {};
  std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
  const platform::LRESULT got =
      platform::SendMessageW(h, platform::CB_GETLBTEXT, index, reinterpret_cast<platform::LPARAM>(buffer.data()));
  if (got == platform::CB_ERR) return {};
  buffer.resize(static_cast<std::size_t>(std::clamp<platform::LRESULT>(got, 0, length)));
  return buffer;
}

platform::TObject* TWtxComboBoxStrings::GetObject(int Index) const { return combo_.Items().GetObject(Index); }

void TWtxComboBoxStrings::PutObject(int Index, platform::TObject* AObject) { combo_.Items().PutObject(Index, AObject); }

int TWtxComboBoxStrings::Add(const std::u16string& S) {
  const platform::LRESULT index = Send(platform::CB_ADDSTRING, 0, S);
  if (index < 0) throw platform::EOutOfResources("Unable to insert a line");
  return static_cast<int>(index);
}

void TWtxComboBoxStrings::Insert(int Index, const std::u16string& S) {
  if (Send(platform::CB_INSERTSTRING, static_cast<platform::WPARAM>(Index), S) < 0) {
    throw platform::EOutOfResources("Unable to insert a line");
  }
}

void TWtxComboBoxStrings::Delete(int Index) { combo_.Items().Delete(Index); }

int TWtxComboBoxStrings::IndexOf(std::u16string_view S) const {
  return static_cast<int>(Send(platform::CB_FINDSTRINGEXACT, static_cast<platform::WPARAM>(-1), std::u16string(S)));
}

void TWtxComboBoxStrings::Clear() {
  const std::u16string text = combo_.GetText();
  platform::SendMessageW(combo_.Handle(), platform::CB_RESETCONTENT, 0, 0);
  combo_.SetText(text);
  combo_.Update();
}

void TWtxComboBoxStrings::SetUpdateState(bool Updating) {
  if (Updating) {
    combo_.Items().BeginUpdate();
  } else {
    combo_.Items().EndUpdate();
  }
}

}  // namespace widetext
