#pragma once
// What the wide dialogs set up as the program starts and take down as it
// ends: the window messages "commdlg_help" and "commdlg_FindReplace", the
// global atom "WndProcPtr" followed by the module instance and the thread
// (eight hexadecimal digits each), and TWtxCommonDialog as a class that form
// streams may name.

#include "platform/core/window_system/wintypes.h"

namespace widetext {

// Once; a second call does nothing. Raises the last system error when the
// atom cannot be added.
void InitializeWideDialogs();
// Deletes the atom; nothing when the dialogs were not set up.
void FinalizeWideDialogs();

platform::UINT CommDlgHelpMessage();
platform::UINT CommDlgFindReplaceMessage();
// 0 while the dialogs are not set up.
platform::ATOM WndProcPtrAtom();

}  // namespace widetext
