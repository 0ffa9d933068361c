#pragma once
// A static text in a Unicode "STATIC" window; with AutoSize it takes the
// size of its wide caption and four border widths each way.

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

class TWtxCustomStaticText : public TWideControl<platform::TCustomStaticText> {
 public:
  explicit TWtxCustomStaticText(platform::TComponent* AOwner);
  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  void AdjustBounds() override;
};

class TWtxStaticText : public TWtxCustomStaticText {
 public:
  using TWtxCustomStaticText::TWtxCustomStaticText;
};

}  // namespace widetext
