#pragma once
// The in-place editor of the wide grids: a Unicode "EDIT" window.

#include <string>

#include "platform/ui/controls/grids.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

// A grid whose editor edits UTF-16 text.
class IWtxWideEditGrid {
 public:
  virtual std::u16string GetWideEditText(int ACol, int ARow) = 0;

 protected:
  ~IWtxWideEditGrid() = default;
};

class TWtxInplaceEdit : public TWideControl<platform::TInplaceEdit> {
 public:
  using TWideControl::TWideControl;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  // Emptied first; then the cell's edit mask, the grid's length limit and
  // the cell's wide edit text (another grid's 8-bit one), laid out on the
  // mask in 8 bits when the cell has one.
  void UpdateContents() override;
};

}  // namespace widetext
