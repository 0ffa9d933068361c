#pragma once
// The shared array types and the few sorts and searches the rest of the
// system runs on them. Every routine is a free function without state.
//
// Sorts take an inclusive range Lo..Hi; a range that is empty, reversed or
// not inside the array leaves the array as it is. Searches return an index,
// or -1 when the value is absent.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace support {

struct TIdStringRec {
  std::uint32_t Id = 0;
  std::string Str;
};
using TIdStringArray = std::vector<TIdStringRec>;

// Index is the position of the item the pair stands for; Value is the sort key.
struct TIndexRec {
  std::int32_t Index = 0;
  std::int32_t Value = 0;
};
using TIndexArray = std::vector<TIndexRec>;

struct TFloatPoint {
  double X = 0;
  double Y = 0;
};
using TFloatPointArray = std::vector<TFloatPoint>;

using TStringArray = std::vector<std::string>;
using TWideStringArray = std::vector<std::u16string>;
using TDoubleArray = std::vector<double>;
using TIntegerArray = std::vector<std::int32_t>;
using TCardinalArray = std::vector<std::uint32_t>;

// Middle-pivot quicksorts; not stable.
void QuickSortIntegers(std::span<std::int32_t> Values, int Lo, int Hi);
void QuickSortCardinals(std::span<std::uint32_t> Values, int Lo, int Hi);
void QuickSortIndexArray(std::span<TIndexRec> Values, int Lo, int Hi, bool Ascending);
// By Id, compared unsigned; each Str moves with its Id.
void QuickSortIdStrings(std::span<TIdStringRec> Values, int Lo, int Hi, bool Ascending);

// Binary search of an ascending array; with repeated keys, whichever equal
// element the halving meets first.
int BinarySearchCardinal(std::span<const std::uint32_t> Values, std::uint32_t Value);
// Compares Id as a signed number: the port list, whose ids stay below 2^31,
// sorts the same either way.
int BinarySearchIdString(std::span<const TIdStringRec> Values, std::int32_t Id);

int IndexOfInteger(std::span<const std::int32_t> Values, std::int32_t Value);
int IndexOfCardinal(std::span<const std::uint32_t> Values, std::uint32_t Value);
// The first element whose Id, compared signed, is greater than Id.
int IndexOfFirstGreaterId(std::int32_t Id, std::span<const TIdStringRec> Values);

}  // namespace support
