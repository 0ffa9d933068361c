#pragma once
// The search and the sort that every string list shares, over items reached
// by index, whatever the list keeps in them.

namespace platform {

// Binary search of the sorted items 0..Count-1, where CompareAt(i) compares
// item i with what is sought (negative, 0 or positive). True when found;
// Index is then an equal item, the first one unless StopAtEqual, and
// otherwise the insertion point.
template <class CompareAtFn>
bool FindSortedItem(int Count, bool StopAtEqual, const CompareAtFn& CompareAt, int& Index) {
  bool found = false;
  int low = 0;
  int high = Count - 1;
  while (low <= high) {
    const int mid = low + (high - low) / 2;
    const int c = CompareAt(mid);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (StopAtEqual) low = mid;
      }
    }
  }
  Index = low;
  return found;
}

// Quicksort of the items L..R: Compare(i, j) compares items i and j,
// Exchange(i, j) swaps them. The pivot travels with its item, and recursion
// into the smaller part keeps the stack shallow on any input.
template <class CompareFn, class ExchangeFn>
void QuickSortItems(int L, int R, const CompareFn& Compare, const ExchangeFn& Exchange) {
  while (L < R) {
    int i = L;
    int j = R;
    int pivot = L + (R - L) / 2;
    do {
      while (Compare(i, pivot) < 0) ++i;
      while (Compare(j, pivot) > 0) --j;
      if (i <= j) {
        if (i != j) Exchange(i, j);
        if (pivot == i) {
          pivot = j;
        } else if (pivot == j) {
          pivot = i;
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - L < R - i) {
      QuickSortItems(L, j, Compare, Exchange);
      L = i;
    } else {
      QuickSortItems(i, R, Compare, Exchange);
      R = j;
    }
  }
}

}  // namespace platform
