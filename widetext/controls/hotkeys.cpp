#include "widetext/controls/hotkeys.h"

namespace widetext {

int WideGetHotkeyPos(std::u16string_view Caption) {
  int position = 0;
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (i + 1 >= Caption.size()) break;
    if (Caption[i + 1] != u'&') position = static_cast<int>(i) + 2;
    ++i;
  }
  return position;
}

std::u16string WideGetHotkey(std::u16string_view Caption) {
  const int position = WideGetHotkeyPos(Caption);
  return position == 0 ? std::u16string() : std::u16string(1, Caption[static_cast<std::size_t>(position) - 1]);
}

}  // namespace widetext
