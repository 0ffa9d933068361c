#include "widetext/shell_binding.h"

#include <atomic>
#include <string>

#include "platform/core/os/modules.h"

namespace widetext {
namespace {

using TSHCreateItemFromParsingName = platform::HRESULT (*)(const char16_t* Path, void* BindContext,
                                                           const platform::GUID& InterfaceId, void** Item);

std::atomic<TSHCreateItemFromParsingName> g_function{nullptr};

}  // namespace

platform::HRESULT WideSHCreateItemFromParsingName(std::u16string_view Path, void* BindContext,
                                                  const platform::GUID& InterfaceId, void** Item) {
  TSHCreateItemFromParsingName function = g_function.load();
  if (!function) {
    const platform::HMODULE shell = platform::GetModuleHandleA("shell32.dll");
    if (!shell) return platform::E_NOTIMPL;
    function =
        reinterpret_cast<TSHCreateItemFromParsingName>(platform::GetProcAddress(shell, "SHCreateItemFromParsingName"));
    if (!function) return platform::E_NOTIMPL;
    g_function.store(function);
  }
  const std::u16string path(Path);
  return function(path.c_str(), BindContext, InterfaceId, Item);
}

}  // namespace widetext
