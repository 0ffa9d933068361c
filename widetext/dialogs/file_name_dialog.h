#pragma once
// The platform's file-name dialogs (GetOpenFileNameW, GetSaveFileNameW),
// asked with UTF-16 texts and answering with UTF-16 paths, so that a name
// code page 1252 cannot hold comes back whole. On screen they are the
// platform's file dialog; a test answers through platform::SetFileChooser.

#include <string>
#include <vector>

#include "platform/ui/controls/dialogs.h"

namespace widetext {

// Shows the dialog Choice describes (its filter as pairs of description
// and mask separated by "|"), with the OFN_ Flags; the file name is cut to
// the dialog's buffer, never written past it. On return Choice holds the
// file type the user left, Flags OFN_READONLY and OFN_EXTENSIONDIFFERENT as
// the dialog set them, and Files the chosen full paths; false when the user
// cancelled.
bool AskFileNames(platform::TFileChoice& Choice, platform::DWORD& Flags, std::vector<std::u16string>& Files);

// The names in a file dialog's result buffer: one full name up to its zero;
// with MultiSelect, zero-separated parts up to an empty one, where a single
// part is one full name and otherwise the first part is the folder, put in
// front of every following name that is not a full path itself.
std::vector<std::u16string> ReadChosenNames(std::u16string_view Buffer, bool MultiSelect);

}  // namespace widetext
