#pragma once
// Modules already loaded into the process, found by name, and the addresses
// of their exports. Finding a module never loads it.

#include <string>

namespace platform {

using HMODULE = void*;
using FARPROC = void*;

// Null (ERROR_MOD_NOT_FOUND) when no module of that name is loaded; a null
// name gives the program itself.
HMODULE GetModuleHandleA(const char* ModuleName);
// Null (ERROR_PROC_NOT_FOUND) when the module exports no such name.
FARPROC GetProcAddress(HMODULE Module, const char* ProcName);

// The full path of the program's own file; empty when it cannot be read.
std::string ProgramFileName();

}  // namespace platform
