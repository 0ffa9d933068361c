#pragma once
// The program's pictures and the web: a scalable picture from the
// program's resources, and a web address opened in the browser.

#include <string>
#include <string_view>

#include "platform/core/window_system/wintypes.h"
#include "platform/ui/controls/graphics.h"

namespace support {

// Picture takes the scalable picture stored as the RCDATA resource
// ResName; a missing resource or bad data leaves it as it was.
void LoadMetafileResource(platform::TPicture* Picture, std::string_view ResName);

// Opens "http://" + the trimmed address with the shell; an empty address
// does nothing, and the shell's answer is not looked at.
void OpenWebAddress(platform::HWND Wnd, std::string_view Address);

}  // namespace support
