#pragma once
// Colours, fonts and bitmaps in form streams: a colour that has a name
// (clBtnFace, clRed, ...) is filed as that name, any other as its number.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/classes/persistent.h"
#include "platform/ui/controls/graphics.h"

namespace platform {

// Empty for a colour without a name.
std::string ColorToIdent(TColor Color);
std::optional<TColor> IdentToColor(std::string_view Ident);

TPropInfo ColorProperty(std::string Name, std::function<TColor()> Get, std::function<void(TColor)> Set,
                        std::int64_t Default = kNoDefault);

}  // namespace platform
