#include "platform/ui/controls/controls.h"

#include <memory>

namespace platform {

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    const TCanvasHandleScope lent(*canvas_, reinterpret_cast<HDC>(Message.WParam));
    canvas_->Font().Assign(&Font());
    Paint();
    return;
  }
  TControl::WndProc(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
  const TCanvasHandleScope lent(*canvas_, DC);
  canvas_->Font().Assign(&Font());
  Paint();
}

}  // namespace platform
