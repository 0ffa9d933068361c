#pragma once
// Utilities over UTF-16 strings: positions, deletion, case, comparison,
// delimiters, tokens and line breaks. Positions are 1-based, 0 meaning
// "none", as the callers count them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace widetext {

// Removes Count characters from position Index; out-of-range requests
// remove nothing, and a Count running past the end stops there.
void WideDelete(std::u16string& S, int Index, int Count);

// The position of Substr in S after skipping Offset characters (a negative
// Offset skips none); 0 when it is not there or Substr is empty.
int WidePosEx(std::u16string_view Substr, std::u16string_view S, int Offset);
// The same without regard to case.
int WideTextPos(std::u16string_view Substr, std::u16string_view S);
int WideTextPosEx(std::u16string_view Substr, std::u16string_view S, int Offset);

std::u16string WideUpperCase(std::u16string_view S);
std::u16string WideLowerCase(std::u16string_view S);

// Negative, 0 or positive, unit by unit; Text ignores case.
int WideCompareText(std::u16string_view S1, std::u16string_view S2);
int WideCompareStr(std::u16string_view S1, std::u16string_view S2);

bool WideIsDelimiter(std::u16string_view Delimiters, std::u16string_view S, int Index);
int WideLastDelimiter(std::u16string_view Delimiters, std::u16string_view S);

// The text from P up to the next Separator. P moves past the separator, or
// to the terminator when there is none.
std::u16string WideExtractNextToken(const char16_t*& P, char16_t Separator);
// Every token of S in order: a trailing separator adds no empty token, a
// leading one does; an empty S gives none. S ends at its first zero unit.
std::vector<std::u16string> WideSplitString(std::u16string_view S, char16_t Separator);

enum TWtxTextLineBreakStyle { tlbsLF = 0, tlbsCRLF = 1, tlbsCR = 2 };

// Every CR LF pair, lone CR, lone LF and U+2028 becomes the break of Style.
std::u16string WtxAdjustLineBreaks(std::u16string_view S, TWtxTextLineBreakStyle Style);

// Whether the character has a byte of its own in DefaultSystemCodePage.
bool IsWideCharMappableToAnsi(char16_t C);

}  // namespace widetext
