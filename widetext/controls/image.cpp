#include "widetext/controls/image.h"

#include <memory>

namespace widetext {

TWtxImage::TWtxImage(platform::TComponent* AOwner) : TWideControl(AOwner) {
  ReplacePicture(std::make_unique<TWtxPicture>());
}

TWtxPicture& TWtxImage::GetPicture() { return static_cast<TWtxPicture&>(Picture()); }

void TWtxImage::SetPicture(const platform::TPicture* Value) { GetPicture().Assign(Value); }

}  // namespace widetext
