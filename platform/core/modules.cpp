#include "platform/core/modules.h"

#include <dlfcn.h>

#include "platform/core/errors.h"

namespace platform {

HMODULE GetModuleHandleA(const char* ModuleName) {
  HMODULE module = dlopen(ModuleName, RTLD_LAZY | RTLD_NOLOAD);
  if (!module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // Finding takes no reference: the handle stays valid while the module is
  // loaded by whoever loaded it.
  dlclose(module);
  return module;
}

FARPROC GetProcAddress(HMODULE Module, const char* ProcName) {
  FARPROC address = Module && ProcName ? dlsym(Module, ProcName) : nullptr;
  if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
  return address;
}

}  // namespace platform
