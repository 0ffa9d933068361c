#pragma once
// Hot keys of UTF-16 captions. The hot key is the character after the last
// single "&" ("&&" stands for a literal "&"). Where the system's flag for
// far-east languages is on, a caption may instead end in a hot-key group:
// "(", "&", the character and ")".

#include <string>
#include <string_view>

namespace widetext {

// The system's flag for far-east languages; each helper below takes it as
// its default.
bool FarEastHotkeys();

// 1-based position of the hot-key character, 0 when there is none.
int WideGetHotkeyPos(std::u16string_view Caption, bool FarEast = FarEastHotkeys());
// The hot-key character, or empty.
std::u16string WideGetHotkey(std::u16string_view Caption, bool FarEast = FarEastHotkeys());
// Every "&" removed ("&&" becomes "&"); with FarEast a trailing hot-key
// group goes whole.
std::u16string WideStripHotkey(std::u16string_view Caption, bool FarEast = FarEastHotkeys());
// The captions without their hot keys are equal, ignoring case.
bool WideSameCaption(std::u16string_view A, std::u16string_view B, bool FarEast = FarEastHotkeys());

// For a wide caption whose 8-bit caption was changed behind it: when the
// two differ only in where their hot keys stand, Dest gets its hot keys
// where Source has them. Raises EWtxInternalError when the 8-bit images
// still differ afterwards.
void SyncHotKeyPosition(std::u16string_view Source, std::u16string& Dest, bool FarEast = FarEastHotkeys());

}  // namespace widetext
