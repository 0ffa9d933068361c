#include "widetext/menus/shortcut_text.h"

#include <cassert>

#include "platform/core/window_system/input.h"
#include "widetext/platform_flags.h"
#include "widetext/wide_api.h"

namespace widetext {
namespace {

// The keys the keyboard sends with the extended flag (and Space) are named
// with it: without it a key that shares its scan code with another (Num /
// with "/", Num Lock with Pause, Print Screen with Num *) would read the
// other key's name, and one that exists only extended (the Windows keys, the
// menu key) none.
bool IsExtendedKey(unsigned Key) {
  using namespace platform;
  return (Key >= VK_SPACE && Key <= VK_DOWN) || Key == VK_INSERT || Key == VK_DELETE || Key == VK_SNAPSHOT ||
         Key == VK_LWIN || Key == VK_RWIN || Key == VK_APPS || Key == VK_DIVIDE || Key == VK_NUMLOCK;
}

std::u16string KeyName(unsigned Key) {
  const unsigned scan = platform::MapVirtualKeyW(Key, platform::MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  long keyData = static_cast<long>(scan) << 16;
  if (IsExtendedKey(Key)) keyData |= 1L << 24;
  char16_t buffer[256] = {};
  const int length = platform::GetKeyNameTextW(keyData, buffer, 256);
  std::u16string name(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
  for (std::size_t i = 1; i < name.size(); ++i) {
    name[i] = name[i - 1] == u'(' ? WideApiCharUpper(name[i]) : WideApiCharLower(name[i]);
  }
  return name;
}

}  // namespace

std::u16string WideShortCutToText(platform::TShortCut ShortCut) {
  // The 8-bit platforms name shortcuts with the class library's own texts.
  assert(Win32PlatformIsUnicode);
  std::u16string text = KeyName(ShortCut & 0xFFu);
  if (text.empty()) return text;
  if (ShortCut & platform::scShift) text = KeyName(platform::VK_SHIFT) + u"+" + text;
  if (ShortCut & platform::scAlt) text = KeyName(platform::VK_MENU) + u"+" + text;
  if (ShortCut & platform::scCtrl) text = KeyName(platform::VK_CONTROL) + u"+" + text;
  return text;
}

}  // namespace widetext
