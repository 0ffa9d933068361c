#include "platform/core/os/os_error.h"

#include "platform/core/os/errors.h"
#include "platform/core/text/codepages.h"

namespace platform {

void RaiseLastOSError() {
  const std::uint32_t code = GetLastError();
  if (code == ERROR_SUCCESS) throw EOSError("A call to an OS function failed", code);
  const std::u16string text = SystemErrorText(code);
  std::string utf8(text.size() * 3, '\0');
  const int length = text.empty() ? 0
                                  : WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                        utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(length));
  throw EOSError("System Error.  Code: " + std::to_string(code) + ".\n" + utf8, code);
}

}  // namespace platform
