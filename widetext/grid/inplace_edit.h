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
  virtual int WideEditLimit() = 0;

 protected:
  ~IWtxWideEditGrid() = default;
};

class TWtxInplaceEdit : public TWideControl<platform::TInplaceEdit> {
 public:
  using TWideControl::TWideControl;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  // The cell's wide edit text, from a wide grid; another grid's 8-bit one.
  void UpdateContents() override;
};

}  // namespace widetext
