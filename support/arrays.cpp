#include "support/arrays.h"

#include <utility>

namespace support {
namespace {

// Before(a, b) is true when key a belongs strictly before key b.
template <typename T, typename KeyOf, typename Before>
void QuickSort(std::span<T> values, int lo, int hi, KeyOf keyOf, Before before) {
  if (lo < 0 || hi >= static_cast<int>(values.size())) return;
  // The smaller part recurses and the larger one loops, so the depth stays
  // logarithmic; the parts are disjoint, so the result is the same as
  // recursing on both in order.
  while (lo < hi) {
    int i = lo;
    int j = hi;
    const auto pivot = keyOf(values[lo + (hi - lo) / 2]);
    do {
      while (before(keyOf(values[i]), pivot)) ++i;
      while (before(pivot, keyOf(values[j]))) --j;
      if (i <= j) {
        std::swap(values[i], values[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - lo < hi - i) {
      if (j > lo) QuickSort(values, lo, j, keyOf, before);
      lo = i;
    } else {
      if (i < hi) QuickSort(values, i, hi, keyOf, before);
      hi = j;
    }
  }
}

template <typename Key>
auto Order(bool ascending) {
  return [ascending](Key a, Key b) { return ascending ? a < b : b < a; };
}

template <typename T, typename Key, typename KeyOf>
int BinarySearch(std::span<const T> values, Key value, KeyOf keyOf) {
  int lo = 0;
  int hi = static_cast<int>(values.size()) - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const Key key = keyOf(values[mid]);
    if (key == value) return mid;
    if (value < key) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return -1;
}

template <typename T>
int IndexOf(std::span<const T> values, T value) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] == value) return static_cast<int>(i);
  }
  return -1;
}

std::int32_t SignedId(const TIdStringRec& r) { return static_cast<std::int32_t>(r.Id); }

}  // namespace

void QuickSortIntegers(std::span<std::int32_t> Values, int Lo, int Hi) {
  QuickSort(
      Values, Lo, Hi, [](std::int32_t v) { return v; }, Order<std::int32_t>(true));
}

void QuickSortCardinals(std::span<std::uint32_t> Values, int Lo, int Hi) {
  QuickSort(
      Values, Lo, Hi, [](std::uint32_t v) { return v; }, Order<std::uint32_t>(true));
}

void QuickSortIndexArray(std::span<TIndexRec> Values, int Lo, int Hi, bool Ascending) {
  QuickSort(
      Values, Lo, Hi, [](const TIndexRec& r) { return r.Value; }, Order<std::int32_t>(Ascending));
}

void QuickSortIdStrings(std::span<TIdStringRec> Values, int Lo, int Hi, bool Ascending) {
  QuickSort(
      Values, Lo, Hi, [](const TIdStringRec& r) { return r.Id; }, Order<std::uint32_t>(Ascending));
}

int BinarySearchCardinal(std::span<const std::uint32_t> Values, std::uint32_t Value) {
  return BinarySearch(Values, Value, [](std::uint32_t v) { return v; });
}

int BinarySearchIdString(std::span<const TIdStringRec> Values, std::int32_t Id) {
  return BinarySearch(Values, Id, SignedId);
}

int IndexOfInteger(std::span<const std::int32_t> Values, std::int32_t Value) { return IndexOf(Values, Value); }

int IndexOfCardinal(std::span<const std::uint32_t> Values, std::uint32_t Value) { return IndexOf(Values, Value); }

int IndexOfFirstGreaterId(std::int32_t Id, std::span<const TIdStringRec> Values) {
  for (std::size_t i = 0; i < Values.size(); ++i) {
    if (SignedId(Values[i]) > Id) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace support
