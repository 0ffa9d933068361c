#pragma once
// UTF-16 text on a canvas. Each call makes sure the canvas has its device
// context, font and brush, and tells the canvas's listeners before and after
// it draws. On a right-to-left canvas, where a text ends where it is placed,
// the text is placed its width (and one pixel) further right, so that it
// stands where a left-to-right canvas shows it: always for TextOut, for
// TextRect when the canvas's text flags read right to left.

#include <string_view>

#include "platform/ui/controls/graphics.h"

namespace widetext {

// The text clipped to Rect at (X, Y); the rectangle is filled first unless
// the brush is clear.
void WideCanvasTextRect(platform::TCanvas& Canvas, const platform::TRect& Rect, int X, int Y, std::u16string_view Text);
// The text at (X, Y); the pen moves to the end of it.
void WideCanvasTextOut(platform::TCanvas& Canvas, int X, int Y, std::u16string_view Text);
// (0, 0) for an empty text.
platform::SIZE WideCanvasTextExtent(platform::TCanvas& Canvas, std::u16string_view Text);
int WideCanvasTextWidth(platform::TCanvas& Canvas, std::u16string_view Text);
int WideCanvasTextHeight(platform::TCanvas& Canvas, std::u16string_view Text);

}  // namespace widetext
