#pragma once
// Item lists kept in a Unicode window (combo boxes, list boxes): the
// window's messages for an item's text, for adding one and for finding one,
// and the class library's 8-bit list put in and out of its update state.

#include <optional>
#include <string>

#include "platform/core/classes/strings.h"
#include "platform/core/window_system/window.h"

namespace widetext {

// The item's text, cut to what the window copied; none when the window does
// not know the item.
std::optional<std::u16string> WindowItemText(platform::HWND Window, platform::UINT LengthMsg, platform::UINT TextMsg,
                                             int Index);
// Adds or inserts an item (Msg with Index as its wParam); returns its index.
// EOutOfResources "Unable to insert a line" when the window refuses it.
int InsertWindowItem(platform::HWND Window, platform::UINT Msg, int Index, const std::u16string& S);
// Msg (a find message) over the whole list, from the top.
int FindWindowItem(platform::HWND Window, platform::UINT Msg, const std::u16string& S);

void SetAnsiUpdateState(platform::TStrings& AnsiItems, bool Updating);

}  // namespace widetext
