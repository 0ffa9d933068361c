#include "widetext/error_messages.h"

#include "platform/core/os/errors.h"
#include "platform/core/os/os_error.h"

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

}  // namespace

std::u16string WideLibraryErrorMessage(std::u16string_view ModuleName, platform::HMODULE, std::int32_t ErrorCode) {
  // Modules carry no message tables of their own here: the system's text
  // serves every module.
  std::u16string message = Trimmed(platform::SystemErrorText(static_cast<std::uint32_t>(ErrorCode)));
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
