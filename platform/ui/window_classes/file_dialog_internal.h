#pragma once
// What the file dialog's window (file_dialog_class.cpp) and its view on Qt
// (file_dialog_view.cpp) share. Nothing outside platform/ui includes this
// header.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/window_classes/commdlg.h"

namespace platform::ui {

// One file dialog while it shows: what it was asked with, and what the user
// has done so far. The dialog window is its one home; the view only shows
// it.
struct FileDialogState {
  OPENFILENAMEW* Wide = nullptr;
  OPENFILENAMEA* Ansi = nullptr;
  bool Save = false;
  DWORD Flags = 0;
  std::u16string Title;
  // Description and masks (";" between them) of each file type.
  std::vector<std::pair<std::u16string, std::u16string>> Types;
  int TypeIndex = 1;
  std::u16string Folder;
  std::u16string NameBox;
  std::u16string DefaultExt;
  std::map<int, std::u16string> ControlTexts;
  // The folders its owner offers beside the dialog's own places.
  std::vector<std::u16string> Places;
  // What the folder shows: its folders, then its files of the file type
  // that the hook lets it show.
  std::vector<std::u16string> Items;
  // The answers of the hook to CDN_INCLUDEITEM, by full path.
  std::map<std::u16string, bool> Included;
  HWND Dialog = nullptr;
  HWND Hook = nullptr;
  bool Done = false;
  bool Chosen = false;

  bool Explorer() const { return (Flags & OFN_EXPLORER) != 0; }
  bool MultiSelect() const { return (Flags & OFN_ALLOWMULTISELECT) != 0; }
};

// The user's moves, as the view and the script send them to the dialog.
constexpr UINT FDM_FOLDER = WM_USER + 0x300;  // lParam: the folder (UTF-16)
constexpr UINT FDM_TYPE = WM_USER + 0x301;    // wParam: the file type, 1-based
constexpr UINT FDM_SELECT = WM_USER + 0x302;  // lParam: std::vector<std::u16string>*
constexpr UINT FDM_NAME = WM_USER + 0x303;    // lParam: the name box's text (UTF-16)
constexpr UINT FDM_OK = WM_USER + 0x304;      // answers 1 when the dialog closed
constexpr UINT FDM_CANCEL = WM_USER + 0x305;
// Runs the script or the chooser, inside the dialog's message loop.
constexpr UINT FDM_RUNUSER = WM_USER + 0x306;
// lParam: a folder (UTF-16) for the places.
constexpr UINT FDM_PLACE = WM_USER + 0x307;

// The state of a dialog window; null for another window.
FileDialogState* FileDialogOf(HWND Dialog);
// Whether the hook lets the dialog show the file at Path (asked once).
bool IncludesFile(FileDialogState& State, const std::u16string& Path);
// The size of the dialog's own part, above a template's.
constexpr int kFileDialogWidth = 600;
constexpr int kFileDialogHeight = 380;

// The view: put behind the dialog window as it is made; brought up to date
// after every change of the state; whether a user can be asked at all (not
// without a display).
void InstallFileDialogView(HWND Dialog, FileDialogState& State);
void RefreshFileDialogView(HWND Dialog);
bool CanAskUser();

}  // namespace platform::ui
