#include "widetext/error_messages.h"

#include "platform/core/os/os_error.h"
#include "platform/core/text/message_tables.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/platform_flags.h"

namespace widetext {
namespace {

std::u16string Trimmed(std::u16string_view Text) {
  std::size_t first = 0;
  std::size_t last = Text.size();
  while (first < last && Text[first] <= u' ') ++first;
  while (last > first && Text[last - 1] <= u' ') --last;
  return std::u16string(Text.substr(first, last - first));
}

std::u16string Ascii(std::string_view Text) { return std::u16string(Text.begin(), Text.end()); }

constexpr std::uint32_t kMessageUnits = 256;

// The module's own text for the code, else the system's; empty when
// neither has one that fits.
std::u16string FormattedMessage(platform::HMODULE Module, std::uint32_t Code) {
  std::uint32_t flags = platform::FORMAT_MESSAGE_FROM_SYSTEM | platform::FORMAT_MESSAGE_IGNORE_INSERTS |
                        platform::FORMAT_MESSAGE_ARGUMENT_ARRAY;
  if (Module) flags |= platform::FORMAT_MESSAGE_FROM_HMODULE;
  if (Win32PlatformIsUnicode) {
    char16_t buffer[kMessageUnits];
    const std::uint32_t length = platform::FormatMessageW(flags, Module, Code, 0, buffer, kMessageUnits);
    return std::u16string(buffer, length);
  }
  char buffer[kMessageUnits];
  const std::uint32_t length = platform::FormatMessageA(flags, Module, Code, 0, buffer, kMessageUnits);
  return WidenAnsi(std::string_view(buffer, length));
}

}  // namespace

std::u16string WideLibraryErrorMessage(std::u16string_view ModuleName, platform::HMODULE Module,
                                       std::int32_t ErrorCode) {
  std::u16string message = Trimmed(FormattedMessage(Module, static_cast<std::uint32_t>(ErrorCode)));
  if (message.empty()) {
    message =
        u"Unspecified error (" + Ascii(std::to_string(ErrorCode)) + u") from " + std::u16string(ModuleName) + u".";
  }
  return message;
}

std::u16string WideSysErrorMessage(std::int32_t ErrorCode) {
  return WideLibraryErrorMessage(u"system", nullptr, ErrorCode);
}

platform::ATOM Win32CheckAtom(platform::ATOM Value) {
  if (Value == 0) platform::RaiseLastOSError();
  return Value;
}

}  // namespace widetext
