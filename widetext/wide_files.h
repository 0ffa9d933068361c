#pragma once
// Files by UTF-16 name: the platform's wide file calls, full paths, creating
// and opening with the class library's open modes, and file-name parts.
// Names are Linux paths: "/" separates directories, and there are no drive
// letters, so ":" and "\" are ordinary characters of a name.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/os/files.h"

namespace widetext {

std::uint32_t WideApiGetFullPathName(std::u16string_view FileName, std::uint32_t BufferLength, char16_t* Buffer,
                                     char16_t** FilePart);
platform::HANDLE WideApiCreateFile(std::u16string_view FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                                   std::uint32_t CreationDisposition, std::uint32_t FlagsAndAttributes);

// The full path of FileName, however long; FileName itself when the
// platform cannot expand it.
std::u16string WideExpandFileName(std::u16string_view FileName);

// Creates (or empties) the file for reading and writing, shared with no one.
platform::HANDLE WideFileCreate(std::u16string_view FileName);
// Opens an existing file with a class library open mode (fmOpenRead ... ,
// combined with fmShare...). A mode outside the defined access and share
// values gives INVALID_HANDLE_VALUE with ERROR_INVALID_PARAMETER.
platform::HANDLE WideFileOpen(std::u16string_view FileName, std::uint16_t Mode);

bool WideIsPathDelimiter(std::u16string_view S, int Index);
// From the last "." or "/" on, when that is a "."; else empty.
std::u16string WideExtractFileExt(std::u16string_view FileName);

}  // namespace widetext
