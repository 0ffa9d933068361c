#pragma once
// The wide items a combo box or list box keeps while its window is made
// anew: taken out of the old window as UTF-16 and put into the new one, so
// that nothing passes through the class library's 8-bit lists.

#include <memory>

#include "platform/core/classes/strings.h"
#include "widetext/wtx_string_list.h"

namespace widetext {

// A copy of the items (with their objects), and the 8-bit items emptied;
// null when there are none.
std::unique_ptr<TWtxStringList> TakeWideItems(TWtxStrings& Items, platform::TStrings& AnsiItems);
// Puts Saved back (when there is one) and lets go of it.
void PutBackWideItems(TWtxStrings& Items, std::unique_ptr<TWtxStringList>& Saved);
// A saved item index that fits the restored list: -1 stays, anything past
// the last item becomes the last.
int FittedItemIndex(int SavedIndex, int Count);

}  // namespace widetext
