#pragma once
// The drawing helpers of the custom-drawn button and check box: a banded
// colour gradient in four directions, a weighted blend of two colours, and
// UTF-16 text measured and drawn on a canvas. Colours are class-library
// colours (RGB, or a system colour index) and are turned into RGB before
// any arithmetic.

#include <cstdint>
#include <string_view>

#include "platform/ui/controls/graphics.h"

namespace widetext {

// Gradient directions: horizontal bands stacked from the top (from-colour
// first, or reversed), or vertical bands placed from the left.
constexpr std::uint8_t kGradientTopToBottom = 0;
constexpr std::uint8_t kGradientBottomToTop = 1;
constexpr std::uint8_t kGradientLeftToRight = 2;
constexpr std::uint8_t kGradientRightToLeft = 3;

// Fills Rect with Steps bands running from From to To (Direction picks the
// orientation and whether the run is reversed); the pixels the bands leave
// at the far end take the end colour. Fewer than 2 steps fill plainly with
// From.
void DrawGradient(platform::TCanvas& Canvas, const platform::TRect& Rect, platform::TColor From, std::uint8_t Steps,
                  std::uint8_t Direction, platform::TColor To);

// Each channel moved Weight/256 of the way from A to B, rounding toward A.
platform::TColor BlendColors(platform::TColor A, platform::TColor B, std::uint8_t Weight);

int WideTextWidth(platform::HDC DC, std::u16string_view Text);
int WideTextHeight(platform::HDC DC, std::u16string_view Text);

// Text placed by its top-left corner at (X, Y) and clipped to Rect, the
// rectangle filled with the brush first unless the brush is clear.
void DrawWideTextRect(platform::TCanvas& Canvas, const platform::TRect& Rect, int X, int Y, std::u16string_view Text);

bool IsWinNT();

constexpr int Max(int A, int B) { return A > B ? A : B; }
constexpr int Min(int A, int B) { return A < B ? A : B; }
constexpr int RectWidth(const platform::TRect& R) { return R.right - R.left; }
constexpr int RectHeight(const platform::TRect& R) { return R.bottom - R.top; }

}  // namespace widetext
