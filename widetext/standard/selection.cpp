#include "widetext/standard/selection.h"

#include <algorithm>

namespace widetext {

std::u16string WideSelectedText(std::u16string_view Text, int SelStart, int SelLength) {
  const auto start = static_cast<std::size_t>(std::clamp(SelStart, 0, static_cast<int>(Text.size())));
  return std::u16string(Text.substr(start, static_cast<std::size_t>(std::max(SelLength, 0))));
}

void WideSetSelText(platform::TWinControl* Control, std::u16string_view Value) {
  const std::u16string text(Value);
  platform::SendMessageW(Control->Handle(), platform::EM_REPLACESEL, 0,
                         reinterpret_cast<platform::LPARAM>(text.c_str()));
}

}  // namespace widetext
