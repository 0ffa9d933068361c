#include "widetext/controls/ansi_image.h"

#include "platform/core/text/codepages.h"
#include "widetext/codepage.h"

namespace widetext {

std::string AnsiImage(std::u16string_view Value) { return WideStringToStringEx(Value, platform::CP_ACP); }

std::u16string WidenAnsi(std::string_view Value) { return StringToWideStringEx(Value, platform::CP_ACP); }

}  // namespace widetext
