#include "platform/core/os/modules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "platform/core/os/errors.h"

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

std::string ProgramFileName() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace platform
