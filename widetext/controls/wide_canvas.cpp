#include "widetext/controls/wide_canvas.h"

#include "widetext/wide_api.h"

namespace widetext {
namespace {

int Length(std::u16string_view Text) { return static_cast<int>(Text.size()); }

}  // namespace

void WideCanvasTextRect(platform::TCanvas& Canvas, const platform::TRect& Rect, int X, int Y,
                        std::u16string_view Text) {
  Canvas.Changing();
  const platform::HDC dc = Canvas.Handle();
  platform::UINT options = Canvas.TextFlags | platform::ETO_CLIPPED;
  if (Canvas.Brush().Style() != platform::bsClear) options |= platform::ETO_OPAQUE;
  if ((options & platform::ETO_RTLREADING) && Canvas.CanvasOrientation() == platform::coRightToLeft) {
    X += WideCanvasTextWidth(Canvas, Text) + 1;
  }
  WideApiExtTextOut(dc, X, Y, options, &Rect, Text.data(), Length(Text), nullptr);
  Canvas.Changed();
}

void WideCanvasTextOut(platform::TCanvas& Canvas, int X, int Y, std::u16string_view Text) {
  Canvas.Changing();
  const platform::HDC dc = Canvas.Handle();
  if (Canvas.CanvasOrientation() == platform::coRightToLeft) X += WideCanvasTextWidth(Canvas, Text) + 1;
  WideApiExtTextOut(dc, X, Y, Canvas.TextFlags, nullptr, Text.data(), Length(Text), nullptr);
  Canvas.MoveTo(X + WideCanvasTextWidth(Canvas, Text), Y);
  Canvas.Changed();
}

platform::SIZE WideCanvasTextExtent(platform::TCanvas& Canvas, std::u16string_view Text) {
  platform::SIZE size;
  if (Text.empty()) return size;
  platform::GetTextExtentPoint32W(Canvas.Handle(), Text.data(), Length(Text), &size);
  return size;
}

int WideCanvasTextWidth(platform::TCanvas& Canvas, std::u16string_view Text) {
  return WideCanvasTextExtent(Canvas, Text).cx;
}

int WideCanvasTextHeight(platform::TCanvas& Canvas, std::u16string_view Text) {
  return WideCanvasTextExtent(Canvas, Text).cy;
}

}  // namespace widetext
