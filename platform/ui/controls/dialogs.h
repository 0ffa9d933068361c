#pragma once
// Message boxes, the open and save file dialogs and the shell's open verb,
// shown through Qt. A test (or a headless run) may answer message boxes
// itself with SetMessageBoxHandler; without a display a message box is not
// shown and answers as if its first button were pressed.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/core/window_system/wintypes.h"

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

// The file dialogs of the class library (8-bit properties). Filter is
// "description|pattern|description|pattern"; FilterIndex counts from 1.
enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4,
  ofNoValidate = 1u << 5,
  ofAllowMultiSelect = 1u << 9,
  ofExtensionDifferent = 1u << 10,
  ofPathMustExist = 1u << 11,
  ofFileMustExist = 1u << 12,
  ofCreatePrompt = 1u << 13,
  ofShareAware = 1u << 14,
  ofNoReadOnlyReturn = 1u << 15,
  ofNoTestFileCreate = 1u << 16,
  ofNoNetworkButton = 1u << 17,
  ofNoLongNames = 1u << 18,
  ofOldStyleDialog = 1u << 19,
  ofEnableSizing = 1u << 20,
  ofNoDereferenceLinks = 1u << 21,
  ofEnableIncludeNotify = 1u << 22,
  ofDontAddToRecent = 1u << 25,
  ofForceShowHidden = 1u << 28,
};
using TOpenOptions = unsigned;
enum TOpenOptionEx : unsigned { ofExNoPlacesBar = 1u << 0 };
using TOpenOptionsEx = unsigned;
using TFileDialogCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // True when the user chose; FileName (and Files) then hold the choice.
  virtual bool Execute();
  std::string DefaultExt;
  std::string FileName;
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  std::string Title;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
  TOpenOptionsEx OptionsEx = 0;
  std::vector<std::string> Files;
  // Raised by the item-based dialogs while they run: the chosen name may be
  // refused (the dialog then stays open); the folder, the selection or the
  // file type changed.
  TFileDialogCloseEvent OnCanClose;
  TNotifyEvent OnFolderChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnTypeChange;

 protected:
  virtual bool IsSave() const { return false; }
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  bool IsSave() const override { return true; }
};

// Answers file dialogs in place of the user (tests); returns false for a
// cancel. An empty chooser puts the real dialog back. Texts and paths are
// UTF-16, so the window system's wide dialogs keep every letter; the class
// library's 8-bit dialogs convert at their edge.
struct TFileChoice {
  bool Save = false;
  std::u16string Title;
  std::u16string Filter;
  int FilterIndex = 1;
  std::u16string InitialDir;
  std::u16string FileName;
  std::u16string DefaultExt;
  bool MultiSelect = false;
};
using TFileChooser = std::function<bool(TFileChoice& Choice, std::vector<std::u16string>& Files)>;
void SetFileChooser(TFileChooser Chooser);

// The window system's file dialogs (UTF-16). lpstrFilter is pairs of
// zero-terminated texts ending in an empty one; lpstrFile receives the
// path (several files: the folder, then each name, each zero-terminated,
// then an empty text).
constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_EXPLORER = 0x80000;
// NOLINTBEGIN(readability-identifier-naming)
struct OPENFILENAMEW {
  HWND hwndOwner = nullptr;
  const char16_t* lpstrFilter = nullptr;
  DWORD nFilterIndex = 0;
  char16_t* lpstrFile = nullptr;
  DWORD nMaxFile = 0;
  const char16_t* lpstrInitialDir = nullptr;
  const char16_t* lpstrTitle = nullptr;
  DWORD Flags = 0;
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  const char16_t* lpstrDefExt = nullptr;
};
// NOLINTEND(readability-identifier-naming)
bool GetOpenFileNameW(OPENFILENAMEW* Ofn);
bool GetSaveFileNameW(OPENFILENAMEW* Ofn);

}  // namespace platform
