#pragma once
// The hot key of a caption: the character after its last single "&" ("&&"
// stands for a literal "&"). A caption ending in a lone "&" has none.

#include <string>
#include <string_view>

namespace widetext {

// 1-based position of the hot-key character; 0 when there is none.
int WideGetHotkeyPos(std::u16string_view Caption);
// The hot-key character as a string, or empty.
std::u16string WideGetHotkey(std::u16string_view Caption);

}  // namespace widetext
