#include "platform/ui/controls/stdctrls.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/controls/stdctrls_internal.h"

namespace platform {
namespace detail {

LRESULT Send(TWinControl& C, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(C.Handle(), Msg, wParam, lParam);
}

LPARAM Str(const std::string& S) { return reinterpret_cast<LPARAM>(S.c_str()); }

std::string Part(const std::string& Text, int Start, int Length) {
  const auto from = static_cast<std::size_t>(std::max(Start, 0));
  return from >= Text.size() ? std::string() : Text.substr(from, static_cast<std::size_t>(std::max(Length, 0)));
}

[[noreturn]] void IndexError(int Index) {
  throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void SaveItems(TStrings& Items, std::unique_ptr<TStringList>& Saved) {
  Saved = std::make_unique<TStringList>();
  for (int i = 0; i < Items.Count(); ++i) Saved->AddObject(Items.Get(i), Items.GetObject(i));
}

void RestoreItems(TStrings& Items, std::unique_ptr<TStringList>& Saved) {
  if (!Saved) return;
  for (int i = 0; i < Saved->Count(); ++i) Items.AddObject(Saved->Get(i), Saved->GetObject(i));
  Saved.reset();
}

}  // namespace detail

bool IsAccel(WPARAM C, const std::string& Text) {
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(Text[i + 1])) == std::toupper(static_cast<int>(C & 0xFF));
  }
  return false;
}

}  // namespace platform
