#pragma once
// What the controls whose items live in their window while they have one
// (and in the control while it has none) share.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// An item's text from the window: Read fills a buffer of the given size
// and answers the length of the text it put there (0 when there is no such
// item). The buffer grows until the text fits with room to spare.
std::string ReadItemText(const std::function<std::size_t(char* Buffer, std::size_t Size)>& Read);

// The position of an item among the items that own it; -1 when it is not
// one of them.
template <class Item>
int IndexOfItem(const std::vector<std::unique_ptr<Item>>& Items, const Item* Wanted) {
  const auto it = std::find_if(Items.begin(), Items.end(), [Wanted](const auto& I) { return I.get() == Wanted; });
  return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
}

}  // namespace platform
