#pragma once
// Zero-terminated UTF-16 buffers for the calls that hand out or take raw
// text. A buffer from WideStrAlloc keeps its size in bytes in the four bytes
// before its first character and must be freed with WideStrDispose.

#include <cstdint>
#include <string>
#include <string_view>

namespace widetext {

// Room for Size characters (the terminator included).
char16_t* WideStrAlloc(std::uint32_t Size);
// Null is ignored.
void WideStrDispose(char16_t* P);
// A WideStrAlloc copy of P with its terminator; null for null.
char16_t* WideStrNew(const char16_t* P);

std::size_t WideStrLen(const char16_t* P);
const char16_t* WideStrEnd(const char16_t* P);
char16_t* WideStrCopy(char16_t* Dest, const char16_t* Source);
// At most MaxLen characters, stopping at the terminator; always terminates.
char16_t* WideStrLCopy(char16_t* Dest, const char16_t* Source, std::size_t MaxLen);
char16_t* WideStrCopyFromString(char16_t* Dest, std::u16string_view S, std::size_t MaxLen);
// The first C, or null; scanning for 0 finds the terminator.
const char16_t* WideStrScan(const char16_t* P, char16_t C);
std::u16string WideStrToString(const char16_t* P);
// The last character of S, null for an empty string.
const char16_t* WideLastChar(std::u16string_view S);

}  // namespace widetext
