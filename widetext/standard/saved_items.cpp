#include "widetext/standard/saved_items.h"

#include <algorithm>

namespace widetext {

std::unique_ptr<TWtxStringList> TakeWideItems(TWtxStrings& Items, platform::TStrings& AnsiItems) {
  if (Items.GetCount() == 0) return nullptr;
  auto saved = std::make_unique<TWtxStringList>();
  saved->Assign(&Items);
  AnsiItems.Clear();
  return saved;
}

void PutBackWideItems(TWtxStrings& Items, std::unique_ptr<TWtxStringList>& Saved) {
  if (!Saved) return;
  Items.Assign(Saved.get());
  Saved.reset();
}

int FittedItemIndex(int SavedIndex, int Count) {
  if (SavedIndex < 0 || Count == 0) return -1;
  return std::min(SavedIndex, Count - 1);
}

}  // namespace widetext
