#include "support/arrays.h"

#include <utility>

namespace support {
namespace {

// Before(a, b) is true when key a belongs strictly before key b.
template <typename T, typename KeyFunction, typename Precedes>
void QuickSort(std::span<T> Values, int Lo, int Hi, KeyFunction KeyOf, Precedes Before) {
  if (Lo < 0 || Hi >= static_cast<int>(Values.size())) return;
  // The smaller part recurses and the larger one loops, so the depth stays
  // logarithmic; the parts are disjoint, so the result is the same as
  // recursing on both in order.
  while (Lo < Hi) {
    int i = Lo;
    int j = Hi;
    const auto pivot = KeyOf(Values[Lo + (Hi - Lo) / 2]);
    do {
      while (Before(KeyOf(Values[i]), pivot)) ++i;
      while (Before(pivot, KeyOf(Values[j]))) --j;
      if (i <= j) {
        std::swap(Values[i], Values[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - Lo < Hi - i) {
      if (j > Lo) QuickSort(Values, Lo, j, KeyOf, Before);
      Lo = i;
    } else {
      if (i < Hi) QuickSort(Values, i, Hi, KeyOf, Before);
      Hi = j;
    }
  }
}

template <typename Key>
auto Order(bool Ascending) {
  return [Ascending](Key A, Key B) { return Ascending ? A < B : B < A; };
}

template <typename T, typename Key, typename KeyFunction>
int BinarySearch(std::span<const T> Values, Key Value, KeyFunction KeyOf) {
  int lo = 0;
  int hi = static_cast<int>(Values.size()) - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const Key key = KeyOf(Values[mid]);
    if (key == Value) return mid;
    if (Value < key) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return -1;
}

template <typename T>
int IndexOf(std::span<const T> Values, T Value) {
  for (std::size_t i = 0; i < Values.size(); ++i) {
    if (Values[i] == Value) return static_cast<int>(i);
  }
  return -1;
}

std::int32_t SignedId(const TIdStringRec& R) { return static_cast<std::int32_t>(R.Id); }

}  // namespace

void QuickSortIntegers(std::span<std::int32_t> Values, int Lo, int Hi) {
  QuickSort(
      Values, Lo, Hi, [](std::int32_t V) { return V; }, Order<std::int32_t>(true));
}

void QuickSortCardinals(std::span<std::uint32_t> Values, int Lo, int Hi) {
  QuickSort(
      Values, Lo, Hi, [](std::uint32_t V) { return V; }, Order<std::uint32_t>(true));
}

void QuickSortIndexArray(std::span<TIndexRec> Values, int Lo, int Hi, bool Ascending) {
  QuickSort(
      Values, Lo, Hi, [](const TIndexRec& R) { return R.Value; }, Order<std::int32_t>(Ascending));
}

void QuickSortIdStrings(std::span<TIdStringRec> Values, int Lo, int Hi, bool Ascending) {
  QuickSort(
      Values, Lo, Hi, [](const TIdStringRec& R) { return R.Id; }, Order<std::uint32_t>(Ascending));
}

int BinarySearchCardinal(std::span<const std::uint32_t> Values, std::uint32_t Value) {
  return BinarySearch(Values, Value, [](std::uint32_t V) { return V; });
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
