#pragma once
// The consistency rule between a stored wide value and the class library's
// 8-bit value: the wide value stands only while its 8-bit image equals the
// 8-bit value; once the 8-bit value has been changed behind it, the widened
// 8-bit value wins.

#include <functional>
#include <string>
#include <string_view>

namespace widetext {

// Replaces WideValue with the widened AnsiValue when its image no longer
// matches; returns WideValue.
const std::u16string& GetSyncedWideString(std::u16string& WideValue, std::string_view AnsiValue);

// Stores Value in WideValue and its image through SetAnsi. A value whose
// image equals AnsiValue already (a different text with the same "?"s)
// first sets the 8-bit value empty, so that its setter sees a change.
void SetSyncedWideString(std::u16string_view Value, std::u16string& WideValue, std::string_view AnsiValue,
                         const std::function<void(const std::string&)>& SetAnsi);

}  // namespace widetext
