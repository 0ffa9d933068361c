#include "widetext/custom_drawn/gradients.h"

#include "platform/core/os/version.h"
#include "platform/ui/window_classes/gdi.h"
#include "widetext/codepage.h"

namespace widetext {
namespace {

struct Channels {
  int R = 0;
  int G = 0;
  int B = 0;
};

Channels Split(platform::COLORREF C) {
  return Channels{platform::GetRValue(C), platform::GetGValue(C), platform::GetBValue(C)};
}

platform::COLORREF Join(int R, int G, int B) {
  return platform::RGB(static_cast<platform::BYTE>(R & 0xFF), static_cast<platform::BYTE>(G & 0xFF),
                       static_cast<platform::BYTE>(B & 0xFF));
}

void FillSolid(platform::HDC DC, const platform::TRect& R, platform::COLORREF Colour) {
  const platform::HBRUSH brush = platform::CreateSolidBrush(Colour);
  platform::FillRect(DC, R, brush);
  platform::DeleteObject(brush);
}

}  // namespace

void DrawGradient(platform::TCanvas& Canvas, const platform::TRect& Rect, platform::TColor From, std::uint8_t Steps,
                  std::uint8_t Direction, platform::TColor To) {
  if (RectWidth(Rect) <= 0 || RectHeight(Rect) <= 0) return;
  const platform::COLORREF from = platform::ColorToRGB(From);
  const platform::COLORREF to = platform::ColorToRGB(To);
  if (Steps < 2) {
    FillSolid(Canvas.Handle(), Rect, from);
    return;
  }
  const bool reversed = Direction == kGradientBottomToTop || Direction == kGradientRightToLeft;
  const bool columns = Direction == kGradientLeftToRight || Direction == kGradientRightToLeft;
  const Channels base = Split(reversed ? to : from);
  const Channels end = Split(reversed ? from : to);
  const Channels delta{end.R - base.R, end.G - base.G, end.B - base.B};
  const int extent = columns ? RectWidth(Rect) : RectHeight(Rect);
  const int n = Max(2, Min(Steps, extent));
  const int band = extent / n;
  Canvas.Pen().SetStyle(platform::psSolid);
  const platform::HDC dc = Canvas.Handle();
  if (band > 0) {
    for (int i = 0; i < n; ++i) {
      const platform::COLORREF colour =
          Join(base.R + platform::MulDiv(i, delta.R, n - 1), base.G + platform::MulDiv(i, delta.G, n - 1),
               base.B + platform::MulDiv(i, delta.B, n - 1));
      platform::TRect r = Rect;
      if (columns) {
        r.left = Rect.left + i * band;
        r.right = r.left + band;
      } else {
        r.top = Rect.top + i * band;
        r.bottom = r.top + band;
      }
      FillSolid(dc, r, colour);
    }
  }
  const int remainder = extent % n;
  if (remainder >= 1) {
    platform::TRect r = Rect;
    if (columns) {
      r.left = Rect.right - remainder;
    } else {
      r.top = Rect.bottom - remainder;
    }
    FillSolid(dc, r, reversed ? from : to);
  }
}

platform::TColor BlendColors(platform::TColor A, platform::TColor B, std::uint8_t Weight) {
  const Channels a = Split(platform::ColorToRGB(A));
  const Channels b = Split(platform::ColorToRGB(B));
  // Division rounds toward zero, so a falling channel rounds up toward A.
  const auto mix = [Weight](int From, int To) { return From + ((To - From) * Weight) / 256; };
  return static_cast<platform::TColor>(Join(mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)));
}

int WideTextWidth(platform::HDC DC, std::u16string_view Text) {
  platform::SIZE size;
  platform::GetTextExtentPoint32W(DC, Text.data(), static_cast<int>(Text.size()), &size);
  return size.cx;
}

int WideTextHeight(platform::HDC DC, std::u16string_view Text) {
  platform::SIZE size;
  platform::GetTextExtentPoint32W(DC, Text.data(), static_cast<int>(Text.size()), &size);
  return size.cy;
}

void DrawWideTextRect(platform::TCanvas& Canvas, const platform::TRect& Rect, int X, int Y, std::u16string_view Text) {
  if (!IsWinNT()) {
    Canvas.TextRect(Rect, X, Y, WideStringToStringEx(Text, DefaultSystemCodePage));
    return;
  }
  const platform::HDC dc = Canvas.Handle();
  platform::UINT options = Canvas.TextFlags | platform::ETO_CLIPPED;
  if (Canvas.Brush().Style() != platform::bsClear) options |= platform::ETO_OPAQUE;
  if ((Canvas.TextFlags & platform::ETO_RTLREADING) && Canvas.CanvasOrientation() == platform::coRightToLeft) {
    X += WideTextWidth(dc, Text) + 1;
  }
  platform::ExtTextOutW(dc, X, Y, options, &Rect, Text.data(), static_cast<int>(Text.size()), nullptr);
}

bool IsWinNT() { return platform::GetVersionEx().PlatformId == platform::VER_PLATFORM_WIN32_NT; }

}  // namespace widetext
