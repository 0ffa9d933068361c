#pragma once
// Characters above 255 on their way through the class library's 8-bit key
// handling: the character field then holds 255 and the real character waits
// in the message's spare upper word, from where the window's own procedure
// takes it back. A real U+00FF has nothing in the spare word and stays.
// Each call expects a WM_CHAR; another message is a caller's fault
// (EWtxInternalError).

#include "platform/ui/controls/controls.h"

namespace widetext {

void MakeWMCharMsgSafeForAnsi(platform::TMessage& Msg);
void RestoreWMCharMsg(platform::TMessage& Msg);
char16_t GetWideCharFromWMCharMsg(const platform::TMessage& Msg);
// Sets the character (then made safe for the 8-bit handlers).
void SetWideCharForWMCharMsg(platform::TMessage& Msg, char16_t C);

}  // namespace widetext
