#pragma once
// A wide image: its picture is the wide layer's picture class, and its hint
// is wide.

#include "platform/ui/controls/extctrls.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

class TWtxPicture : public platform::TPicture {};

class TWtxImage : public TWideControl<platform::TImage> {
 public:
  // The picture the image was made with gives way to a TWtxPicture, which
  // keeps its change handlers.
  explicit TWtxImage(platform::TComponent* AOwner);
  TWtxPicture& GetPicture();
  void SetPicture(const platform::TPicture* Value);
};

}  // namespace widetext
