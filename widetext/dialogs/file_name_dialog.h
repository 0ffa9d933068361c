#pragma once
// The platform's file-name dialogs (GetOpenFileNameW, GetSaveFileNameW),
// asked with UTF-16 texts and answering with UTF-16 paths, so that a name
// code page 1252 cannot hold comes back whole. On screen they are the
// platform's file dialog; a test answers through platform::SetFileChooser.

#include <string>
#include <vector>

#include "platform/ui/window_classes/commdlg.h"

namespace widetext {

// Shows the dialog Choice describes (its filter as pairs of description
// and mask separated by "|"), with the OFN_ Flags; the file name is cut to
// the dialog's buffer, never written past it. A hook, when given, is the
// dialog's (explorer style). On return Choice holds the file type the user
// left, Flags OFN_READONLY and OFN_EXTENSIONDIFFERENT as the dialog set
// them, and Files the chosen full paths; false when the user cancelled.
bool AskFileNames(platform::TFileChoice& Choice, platform::DWORD& Flags, std::vector<std::u16string>& Files,
                  platform::LPOFNHOOKPROC Hook = {});

// "A|*.a|B|*.b" as the zero-separated pairs the platform's dialogs take,
// ending in two zeros.
std::u16string ZeroSeparatedFilter(std::u16string_view Filter);

// The names in a file dialog's result buffer: one full name up to its zero;
// with MultiSelect, zero-separated parts up to an empty one (blank-separated
// parts up to the zero when Explorer is off), where a single part is one
// full name and otherwise the first part is the folder, put in front of
// every following name that is not a full path itself.
std::vector<std::u16string> ReadChosenNames(std::u16string_view Buffer, bool MultiSelect, bool Explorer = true);

}  // namespace widetext
