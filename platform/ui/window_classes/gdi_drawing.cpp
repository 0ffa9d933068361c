#include "platform/ui/window_classes/gdi.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/ui/window_classes/gdi_objects.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

using ui::BrushObj;
using ui::BrushOf;
using ui::PenObj;
using ui::PenOf;

void ApplyPen(HDC DC, QPainter* P) {
  const PenObj pen = PenOf(DC->Pen);
  if (pen.Style == PS_NULL) {
    P->setPen(Qt::NoPen);
    return;
  }
  QPen qp(ui::ToQColor(pen.Color));
  qp.setWidth(pen.Width <= 1 ? 0 : pen.Width);
  qp.setStyle(pen.Style == PS_DASH ? Qt::DashLine : pen.Style == PS_DOT ? Qt::DotLine : Qt::SolidLine);
  qp.setCapStyle(Qt::RoundCap);
  qp.setJoinStyle(Qt::RoundJoin);
  P->setPen(qp);
}

void ApplyBrush(HDC DC, QPainter* P) {
  const BrushObj b = BrushOf(DC->Brush);
  if (b.Hollow) {
    P->setBrush(Qt::NoBrush);
  } else {
    P->setBrush(ui::ToQColor(b.Color));
  }
}

}  // namespace

bool MoveToEx(HDC DC, int X, int Y, POINT* Previous) {
  ui::RequireUi();
  if (!DC) return false;
  if (Previous) *Previous = DC->Position;
  DC->Position = POINT{X, Y};
  return true;
}

bool LineTo(HDC DC, int X, int Y) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return false;
  const POINT from = DC->Position;
  DC->Position = POINT{X, Y};
  const PenObj pen = PenOf(DC->Pen);
  if (pen.Style == PS_NULL) return true;
  ApplyPen(DC, p);
  if (pen.Width <= 1) {
    // The end point is not drawn: stop one step short along the major axis.
    const int dx = X - from.x, dy = Y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return true;
    const double t = static_cast<double>(steps - 1) / steps;
    const QPoint end(static_cast<int>(std::lround(from.x + dx * t)), static_cast<int>(std::lround(from.y + dy * t)));
    p->drawLine(QPoint(from.x, from.y), end);
  } else {
    p->drawLine(QPoint(from.x, from.y), QPoint(X, Y));
  }
  return true;
}

bool Polyline(HDC DC, const POINT* Points, int Count) {
  ui::RequireUi();
  if (!DC || !Points || Count < 2) return false;
  const POINT saved = DC->Position;
  MoveToEx(DC, Points[0].x, Points[0].y, nullptr);
  // Each segment leaves out its end point, which the next one starts on.
  for (int i = 1; i < Count; ++i) LineTo(DC, Points[i].x, Points[i].y);
  DC->Position = saved;
  return true;
}

bool Polygon(HDC DC, const POINT* Points, int Count) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p || !Points || Count < 2) return false;
  ApplyPen(DC, p);
  ApplyBrush(DC, p);
  QPolygon poly;
  for (int i = 0; i < Count; ++i) poly << QPoint(Points[i].x, Points[i].y);
  p->drawPolygon(poly);
  return true;
}

bool Rectangle(HDC DC, int Left, int Top, int Right, int Bottom) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return false;
  if (Right <= Left || Bottom <= Top) return true;
  const BrushObj b = BrushOf(DC->Brush);
  if (!b.Hollow) p->fillRect(QRect(Left, Top, Right - Left, Bottom - Top), ui::ToQColor(b.Color));
  const PenObj pen = PenOf(DC->Pen);
  if (pen.Style != PS_NULL) {
    ApplyPen(DC, p);
    p->setBrush(Qt::NoBrush);
    if (pen.Width <= 1) {
      p->drawRect(QRect(Left, Top, Right - Left - 1, Bottom - Top - 1));
    } else {
      const int inset = pen.Width / 2;
      p->drawRect(QRect(Left + inset, Top + inset, Right - Left - 1 - 2 * inset + (pen.Width % 2 ? 0 : 1),
                        Bottom - Top - 1 - 2 * inset + (pen.Width % 2 ? 0 : 1)));
    }
  }
  return true;
}

bool RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int Width, int Height) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return false;
  ApplyPen(DC, p);
  ApplyBrush(DC, p);
  p->drawRoundedRect(QRectF(Left, Top, Right - Left - 1, Bottom - Top - 1), Width / 2.0, Height / 2.0);
  return true;
}

bool Ellipse(HDC DC, int Left, int Top, int Right, int Bottom) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return false;
  ApplyPen(DC, p);
  ApplyBrush(DC, p);
  p->drawEllipse(QRect(Left, Top, Right - Left - 1, Bottom - Top - 1));
  return true;
}

int FillRect(HDC DC, const RECT& Rect, HBRUSH Brush) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return 0;
  const BrushObj b = BrushOf(Brush);
  if (!b.Hollow && Rect.Width() > 0 && Rect.Height() > 0) {
    p->fillRect(QRect(Rect.left, Rect.top, Rect.Width(), Rect.Height()), ui::ToQColor(b.Color));
  }
  return 1;
}

int FrameRect(HDC DC, const RECT& Rect, HBRUSH Brush) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return 0;
  const BrushObj b = BrushOf(Brush);
  if (b.Hollow || Rect.Width() <= 0 || Rect.Height() <= 0) return 1;
  const QColor c = ui::ToQColor(b.Color);
  p->fillRect(QRect(Rect.left, Rect.top, Rect.Width(), 1), c);
  p->fillRect(QRect(Rect.left, Rect.bottom - 1, Rect.Width(), 1), c);
  p->fillRect(QRect(Rect.left, Rect.top, 1, Rect.Height()), c);
  p->fillRect(QRect(Rect.right - 1, Rect.top, 1, Rect.Height()), c);
  return 1;
}

bool DrawFocusRect(HDC DC, const RECT& Rect) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
  if (!p) return false;
  QPen pen(Qt::black);
  pen.setStyle(Qt::DotLine);
  pen.setWidth(0);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(QRect(Rect.left, Rect.top, Rect.Width() - 1, Rect.Height() - 1));
  return true;
}

COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color) {
  ui::RequireUi();
  if (!DC || !DC->Surface) return CLR_INVALID;
  const int px = X + DC->Origin.x, py = Y + DC->Origin.y;
  if (px < 0 || py < 0 || px >= DC->Surface->width() || py >= DC->Surface->height()) return CLR_INVALID;
  if (DC->Clipped && (X < DC->Clip.left || X >= DC->Clip.right || Y < DC->Clip.top || Y >= DC->Clip.bottom)) {
    return CLR_INVALID;
  }
  DC->Surface->setPixelColor(px, py, ui::ToQColor(Color));
  return Color & 0xFFFFFF;
}

COLORREF GetPixel(HDC DC, int X, int Y) {
  ui::RequireUi();
  if (!DC || !DC->Surface) return CLR_INVALID;
  const int px = X + DC->Origin.x, py = Y + DC->Origin.y;
  if (px < 0 || py < 0 || px >= DC->Surface->width() || py >= DC->Surface->height()) return CLR_INVALID;
  return ui::FromQColor(DC->Surface->pixelColor(px, py));
}

bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY) {
  ui::RequireUi();
  return StretchBlt(Dest, X, Y, Width, Height, Src, SrcX, SrcY, Width, Height);
}

bool StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                int SrcHeight) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(Dest);
  if (!p || !Src || !Src->Surface || Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0) return false;
  const QImage part = Src->Surface->copy(SrcX + Src->Origin.x, SrcY + Src->Origin.y, SrcWidth, SrcHeight);
  p->setRenderHint(QPainter::SmoothPixmapTransform, false);
  p->drawImage(QRect(X, Y, Width, Height), part);
  return true;
}

bool DrawEdge(HDC DC, RECT* Rect, UINT Edge, UINT) {
  ui::RequireUi();
  if (!DC || !Rect) return false;
  const auto line = [&](COLORREF TopLeft, COLORREF BottomRight) {
    QPainter* p = ui::PainterOf(DC);
    if (!p) return;
    const RECT& r = *Rect;
    p->fillRect(QRect(r.left, r.top, r.Width(), 1), ui::ToQColor(TopLeft));
    p->fillRect(QRect(r.left, r.top, 1, r.Height()), ui::ToQColor(TopLeft));
    p->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), ui::ToQColor(BottomRight));
    p->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), ui::ToQColor(BottomRight));
    Rect->left += 1;
    Rect->top += 1;
    Rect->right -= 1;
    Rect->bottom -= 1;
  };
  if (Edge & BDR_RAISEDOUTER) line(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  if (Edge & BDR_SUNKENOUTER) line(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  if (Edge & BDR_RAISEDINNER) line(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  if (Edge & BDR_SUNKENINNER) line(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  return true;
}

}  // namespace platform
