#pragma once
// The common file dialogs (GetOpenFileName, GetSaveFileName, in Unicode
// and 8-bit forms): a dialog window that lets the user choose files and
// answers with their names in the caller's buffer. With OFN_EXPLORER and a
// hook (OFN_ENABLEHOOK), a child dialog inside it (empty, or made from the
// caller's template, OFN_ENABLETEMPLATE) gets the hook as its dialog
// procedure: WM_INITDIALOG with the record, then WM_NOTIFY with the CDN_
// notifications; it may ask the dialog (its parent) with the CDM_
// messages. On the screen the dialog is Qt's file dialog; a test, or a run
// without a display, acts as its user through a script or a chooser.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"

namespace platform {

constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_SHOWHELP = 0x10;
constexpr DWORD OFN_ENABLEHOOK = 0x20;
constexpr DWORD OFN_ENABLETEMPLATE = 0x40;
constexpr DWORD OFN_NOVALIDATE = 0x100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_CREATEPROMPT = 0x2000;
constexpr DWORD OFN_SHAREAWARE = 0x4000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x8000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x10000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x20000;
constexpr DWORD OFN_NOLONGNAMES = 0x40000;
constexpr DWORD OFN_EXPLORER = 0x80000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x100000;
constexpr DWORD OFN_ENABLEINCLUDENOTIFY = 0x400000;
constexpr DWORD OFN_ENABLESIZING = 0x800000;
constexpr DWORD OFN_DONTADDTORECENT = 0x2000000;
constexpr DWORD OFN_FORCESHOWHIDDEN = 0x10000000;
constexpr DWORD OFN_EX_NOPLACESBAR = 0x1;

// Before the dialog takes a name, it warns of a missing folder
// (OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST), asks to create a missing file
// (OFN_CREATEPROMPT), warns of a missing file to open (OFN_FILEMUSTEXIST)
// or of a read-only one (OFN_NOREADONLYRETURN), and asks before saving
// over a file (OFN_OVERWRITEPROMPT); each keeps the dialog open unless the
// user agrees. It lists hidden files with OFN_FORCESHOWHIDDEN, and never
// changes the working folder.

// The hook: a dialog procedure.
using LPOFNHOOKPROC = WNDPROC;

// lpstrFilter is pairs of zero-terminated texts ending in an empty one;
// lpstrFile receives the path (several files: the folder, then each name,
// each zero-terminated, then an empty text; the old-style dialog
// separates them by blanks).
// NOLINTBEGIN(readability-identifier-naming)
struct OPENFILENAMEW {
  HWND hwndOwner = nullptr;
  void* hInstance = nullptr;
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
  LPARAM lCustData = 0;
  LPOFNHOOKPROC lpfnHook;
  const char16_t* lpTemplateName = nullptr;
  DWORD FlagsEx = 0;
};

struct OPENFILENAMEA {
  HWND hwndOwner = nullptr;
  void* hInstance = nullptr;
  const char* lpstrFilter = nullptr;
  DWORD nFilterIndex = 0;
  char* lpstrFile = nullptr;
  DWORD nMaxFile = 0;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  DWORD Flags = 0;
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  const char* lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  LPOFNHOOKPROC lpfnHook;
  const char* lpTemplateName = nullptr;
  DWORD FlagsEx = 0;
};

// The head of a CDN_ notification; pszFile is set for a share violation.
struct OFNOTIFYW {
  NMHDR hdr;
  OPENFILENAMEW* lpOFN = nullptr;
  char16_t* pszFile = nullptr;
};
struct OFNOTIFYA {
  NMHDR hdr;
  OPENFILENAMEA* lpOFN = nullptr;
  char* pszFile = nullptr;
};
// CDN_INCLUDEITEM: the item (a file of the folder shown) by its folder and
// name.
struct OFNOTIFYEXW {
  NMHDR hdr;
  OPENFILENAMEW* lpOFN = nullptr;
  const char16_t* pszFolder = nullptr;
  const char16_t* pszItem = nullptr;
};
struct OFNOTIFYEXA {
  NMHDR hdr;
  OPENFILENAMEA* lpOFN = nullptr;
  const char* pszFolder = nullptr;
  const char* pszItem = nullptr;
};
// NOLINTEND(readability-identifier-naming)

// Notifications to the hook. A hook that answers CDN_FILEOK nonzero
// (DWL_MSGRESULT) keeps the dialog open; one that answers CDN_INCLUDEITEM
// zero leaves the item out (sent only with OFN_ENABLEINCLUDENOTIFY).
constexpr int CDN_INITDONE = -601;
constexpr int CDN_SELCHANGE = -602;
constexpr int CDN_FOLDERCHANGE = -603;
constexpr int CDN_SHAREVIOLATION = -604;
constexpr int CDN_HELP = -605;
constexpr int CDN_FILEOK = -606;
constexpr int CDN_TYPECHANGE = -607;
constexpr int CDN_INCLUDEITEM = -608;

// Questions to the dialog: wParam the buffer's size in characters, lParam
// the buffer. The answer is the text's length with its terminator (the
// size needed when the buffer is too small, which gets nothing).
constexpr UINT CDM_GETSPEC = WM_USER + 100;
constexpr UINT CDM_GETFILEPATH = WM_USER + 101;
constexpr UINT CDM_GETFOLDERPATH = WM_USER + 102;
// wParam a control's identifier (IDOK, IDCANCEL, or the name box's label
// stc3), lParam its new text.
constexpr UINT CDM_SETCONTROLTEXT = WM_USER + 104;
// lParam the default extension, without its dot.
constexpr UINT CDM_SETDEFEXT = WM_USER + 106;
constexpr int kFileNameLabelId = 0x442;

bool GetOpenFileNameW(OPENFILENAMEW* Ofn);
bool GetSaveFileNameW(OPENFILENAMEW* Ofn);
bool GetOpenFileNameA(OPENFILENAMEA* Ofn);
bool GetSaveFileNameA(OPENFILENAMEA* Ofn);

// Acting as the user of a file dialog that shows. A script runs once the
// dialog has shown (CDN_INITDONE sent), inside its message loop; it moves
// through the functions below, which send the dialog the messages the
// user's moves make. A dialog still open when the script returns is
// cancelled. An empty script puts the user back.
using TFileDialogScript = std::function<void(HWND Dialog)>;
void SetFileDialogScript(TFileDialogScript Script);

// The user opens a folder, picks a file type (1-based), selects files of
// the folder (names or full paths; the name box shows them), types into
// the name box, presses the OK button (true when the dialog closed) or
// cancels.
void FileDialogChangeFolder(HWND Dialog, std::u16string_view Folder);
void FileDialogChangeType(HWND Dialog, int Index);
void FileDialogSelect(HWND Dialog, const std::vector<std::u16string>& Names);
void FileDialogTypeName(HWND Dialog, std::u16string_view Text);
bool FileDialogOk(HWND Dialog);
void FileDialogCancel(HWND Dialog);
// What the dialog lists in its folder: the folders, then the files of the
// file type that the hook lets it show, by name.
std::vector<std::u16string> FileDialogItems(HWND Dialog);
// Whether a file type's masks (";" between them, "*" any run, "?" any one
// character, blanks ignored) take a file name, as the dialog decides what
// it lists.
bool FileDialogTypeMatches(std::u16string_view Masks, std::u16string_view Name);
// The labels set with CDM_SETCONTROLTEXT, by control identifier.
std::u16string FileDialogControlText(HWND Dialog, int Id);

// Adds a folder to the places the dialog offers beside its own (its side
// bar), for as long as it shows; a folder it offers already is not added
// again. Not a move of the user: the dialog's owner adds its places.
void FileDialogAddPlace(HWND Dialog, std::u16string_view Folder);
// The folders added so far, in order.
std::vector<std::u16string> FileDialogPlaces(HWND Dialog);

// A simpler user: asked with what the dialog shows (the filter as pairs of
// description and mask separated by "|"), it answers with the files chosen
// (full paths) and the file type, or false to cancel. The dialog takes the
// answer as the user's moves; when its hook refuses the file, it asks
// again. Paths and texts are UTF-16, so the wide dialogs keep every letter.
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

}  // namespace platform
