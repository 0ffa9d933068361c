#pragma once
// Message boxes and the shell's open verb, shown through Qt (the open and
// save dialogs are in file_dialogs.h). A test (or a headless run) may answer
// message boxes itself with SetMessageBoxHandler; without a display a
// message box is not shown and answers as if its first button were pressed.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/core/window_system/wintypes.h"
#include "platform/ui/controls/file_dialogs.h"

namespace platform {

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_TOPMOST = 0x40000;

// Returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
int MessageBoxW(HWND Owner, std::u16string_view Text, std::u16string_view Caption, UINT Type);
int MessageBoxA(HWND Owner, std::string_view Text, std::string_view Caption, UINT Type);
using TMessageBoxHandler = std::function<int(const std::u16string& Text, const std::u16string& Caption, UINT Type)>;
// Replaces the message box (an empty handler puts it back).
void SetMessageBoxHandler(TMessageBoxHandler Handler);

// The shell's open verb: a web address opens in the browser. Returns a
// value above 32 on success, as the shell does.
std::intptr_t ShellExecuteA(HWND Owner, std::string_view Verb, std::string_view File, std::string_view Parameters,
                            std::string_view Directory, int ShowCommand);

}  // namespace platform
