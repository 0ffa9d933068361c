#include "widetext/dialogs/dialogs_unit.h"

#include <cstdio>
#include <string>

#include "platform/core/classes/class_registry.h"
#include "platform/core/os/modules.h"
#include "platform/core/os/os_error.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"

namespace widetext {
namespace {

platform::UINT g_helpMessage = 0;
platform::UINT g_findReplaceMessage = 0;
platform::ATOM g_wndProcPtrAtom = 0;

std::string WndProcPtrAtomName() {
  char name[32];
  const auto instance = reinterpret_cast<std::uintptr_t>(platform::GetModuleHandleA(nullptr));
  std::snprintf(name, sizeof name, "WndProcPtr%.8X%.8X", static_cast<unsigned>(instance & 0xFFFFFFFFu),
                static_cast<unsigned>(platform::GetCurrentThreadId()));
  return name;
}

}  // namespace

void InitializeWideDialogs() {
  if (g_wndProcPtrAtom) return;
  g_helpMessage = platform::RegisterWindowMessageA("commdlg_help");
  g_findReplaceMessage = platform::RegisterWindowMessageA("commdlg_FindReplace");
  g_wndProcPtrAtom = platform::GlobalAddAtomA(WndProcPtrAtomName());
  if (!g_wndProcPtrAtom) platform::RaiseLastOSError();
  // A base of dialogs: nothing to make by itself.
  platform::RegisterClass({"TWtxCommonDialog", {}});
}

void FinalizeWideDialogs() {
  if (!g_wndProcPtrAtom) return;
  platform::GlobalDeleteAtom(g_wndProcPtrAtom);
  g_wndProcPtrAtom = 0;
}

platform::UINT CommDlgHelpMessage() { return g_helpMessage; }
platform::UINT CommDlgFindReplaceMessage() { return g_findReplaceMessage; }
platform::ATOM WndProcPtrAtom() { return g_wndProcPtrAtom; }

}  // namespace widetext
