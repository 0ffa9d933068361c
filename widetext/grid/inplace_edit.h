#pragma once
// The in-place editor of the wide grids: a Unicode "EDIT" window.

#include "platform/ui/controls/grids.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

class TWtxInplaceEdit : public TWideControl<platform::TInplaceEdit> {
 public:
  using TWideControl::TWideControl;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
};

}  // namespace widetext
