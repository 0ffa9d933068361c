#pragma once
// What the standard controls' files share inside the class library.

#include <memory>
#include <string>

#include "platform/ui/controls/stdctrls.h"

namespace platform::detail {

LRESULT Send(TWinControl& C, UINT Msg, WPARAM wParam = 0, LPARAM lParam = 0);
LPARAM Str(const std::string& S);
// The selected part of a text.
std::string Part(const std::string& Text, int Start, int Length);
[[noreturn]] void IndexError(int Index);
// The items of a window that goes, kept for the next window.
void SaveItems(TStrings& Items, std::unique_ptr<TStringList>& Saved);
void RestoreItems(TStrings& Items, std::unique_ptr<TStringList>& Saved);

}  // namespace platform::detail
