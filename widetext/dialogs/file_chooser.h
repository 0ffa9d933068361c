#pragma once
// Where the file dialogs ask the user: the platform's file dialogs (on
// screen), or a chooser a test puts in their place. Everything here is
// UTF-16, so a name that code page 1252 cannot hold comes back whole.

#include <functional>
#include <string>
#include <vector>

namespace widetext {

struct TWideFileChoice {
  bool Save = false;
  std::u16string Title;
  // Pairs of description and mask, every part separated by "|".
  std::u16string Filter;
  // 1-based; the user's choice on return.
  int FilterIndex = 1;
  std::u16string InitialDir;
  std::u16string FileName;
  std::u16string DefaultExt;
  bool MultiSelect = false;
  bool OverwritePrompt = false;
  // The dialog of the older look, whose names are separated by blanks.
  bool OldStyle = false;
  // The read-only box, and on return whether the chosen file's extension
  // differs from the default one.
  bool ReadOnly = false;
  bool ExtensionDifferent = false;
};

// Full paths of the chosen files; false when the user cancelled.
using TWideFileChooser = std::function<bool(TWideFileChoice& Choice, std::vector<std::u16string>& Files)>;

// Puts Chooser in place of the platform's dialogs; an empty one puts them
// back.
void SetWideFileChooser(TWideFileChooser Chooser);
bool ChooseFiles(TWideFileChoice& Choice, std::vector<std::u16string>& Files);

// The names in a file dialog's result buffer (up to its first empty
// string). With MultiSelect a single part is one full name; otherwise the
// first part is the folder, put in front of every following name that is
// not a full path itself. Parts are separated by zero characters, or by
// blanks in the old-style dialog.
std::vector<std::u16string> ReadChosenNames(std::u16string_view Buffer, bool MultiSelect, bool OldStyle);

}  // namespace widetext
