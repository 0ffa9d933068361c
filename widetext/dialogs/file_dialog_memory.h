#pragma once
// What an item-based file dialog with a client identifier leaves for the
// next dialog of that identifier: the folder it showed, its size and the
// file type chosen. Kept per identifier in the user's settings store, so a
// dialog opens as the last one of its kind closed, in this run or a later
// one.

#include <string>

#include "platform/core/window_system/com_types.h"

namespace widetext {

struct TFileDialogMemory {
  std::u16string Folder;
  // 0 when no size is remembered.
  int Width = 0;
  int Height = 0;
  // 1-based; 0 when none is remembered.
  unsigned FileTypeIndex = 0;
};

// What the store holds for the identifier; a value that is missing, of
// another type, or a size too small to show the dialog is left out.
TFileDialogMemory RecallFileDialog(const platform::GUID& Client);
// False when the store could not be written.
bool RememberFileDialog(const platform::GUID& Client, const TFileDialogMemory& Memory);

}  // namespace widetext
