#pragma once
// UTF-7 (RFC 2152) over UTF-16 text: the low-level encoder and decoder that
// work between buffers and stop where the target is full, and the string
// forms that size the target themselves.

#include <string>
#include <string_view>

namespace widetext {

enum TUTF7Result : int {
  utf7Done = 0,
  utf7SourceIllegal = 1,
  utf7TargetExhausted = 2,
};

// Encodes Source..SourceEnd into Target..TargetEnd and advances both to
// where it stopped. Optional lets the optional direct characters ("!", "@",
// ...) go out as themselves; Verbose closes every base64 run with "-".
// Returns utf7Done or utf7TargetExhausted.
TUTF7Result WideCharToUTF7(const char16_t*& Source, const char16_t* SourceEnd, char*& Target, char* TargetEnd,
                           bool Optional, bool Verbose);

// Decodes Source..SourceEnd into Target..TargetEnd and advances both. An
// illegal sequence is decoded as far as it goes and reported as
// utf7SourceIllegal at the end.
TUTF7Result UTF7ToWideChar(const char*& Source, const char* SourceEnd, char16_t*& Target, char16_t* TargetEnd);

// Optional characters go out directly, runs are closed with "-" only where
// the next character needs it.
std::string WideStringToUTF7(std::u16string_view WS);
// Raises EWtxGeneralError "Invalid UTF7" for an illegal text.
std::u16string UTF7ToWideString(std::string_view S);

}  // namespace widetext
