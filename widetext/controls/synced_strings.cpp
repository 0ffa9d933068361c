#include "widetext/controls/synced_strings.h"

#include "widetext/controls/ansi_image.h"

namespace widetext {

const std::u16string& GetSyncedWideString(std::u16string& WideValue, std::string_view AnsiValue) {
  if (AnsiImage(WideValue) != AnsiValue) WideValue = WidenAnsi(AnsiValue);
  return WideValue;
}

void SetSyncedWideString(std::u16string_view Value, std::u16string& WideValue, std::string_view AnsiValue,
                         const std::function<void(const std::string&)>& SetAnsi) {
  // A copy: Value may view the very string the setters change.
  const std::u16string value(Value);
  if (value == GetSyncedWideString(WideValue, AnsiValue)) return;
  const std::string image = AnsiImage(value);
  // The 8-bit value would not change on its own (the image is the same).
  if (WidenAnsi(image) != value && image == AnsiValue) SetAnsi(std::string());
  WideValue = value;
  SetAnsi(image);
}

}  // namespace widetext
