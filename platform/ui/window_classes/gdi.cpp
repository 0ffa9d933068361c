#include "platform/ui/window_classes/gdi.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <variant>

#include "platform/ui/window_classes/gdi_objects.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

using ui::BrushObj;
using ui::kStockBrush;
using ui::kStockFont;
using ui::kStockPen;
using ui::PenObj;

// The device contexts windows paint through while the presentation paints
// them; user-interface thread only.
std::map<HWND, HDC>& PaintDCs() {
  static auto* dcs = new std::map<HWND, HDC>;
  return *dcs;
}

void Attach(HDC DC, std::shared_ptr<QImage> Image) {
  DC->Painter.reset();
  DC->Held = std::move(Image);
  DC->Surface = DC->Held.get();
  if (DC->Surface && !DC->Surface->isNull()) DC->Painter = std::make_unique<QPainter>(DC->Surface);
}

}  // namespace

namespace ui {

QPainter* PainterOf(HDC DC) {
  if (!DC || !DC->Painter) return nullptr;
  QPainter* p = DC->Painter.get();
  p->resetTransform();
  p->translate(DC->Origin.x, DC->Origin.y);
  if (DC->Clipped) {
    p->setClipRect(QRect(DC->Clip.left, DC->Clip.top, DC->Clip.Width(), DC->Clip.Height()));
  } else {
    p->setClipping(false);
  }
  p->setRenderHint(QPainter::Antialiasing, DC->Smooth);
  return p;
}

HDC CreateImageDC(QImage* Image) {
  RequireUi();
  auto* dc = new HDC__;
  dc->Font = kStockFont;
  dc->Brush = kStockBrush;
  dc->Pen = kStockPen;
  dc->Surface = Image;
  if (Image && !Image->isNull()) dc->Painter = std::make_unique<QPainter>(Image);
  return dc;
}

void SetPaintDC(HWND hWnd, HDC DC) {
  RequireUi();
  if (DC) {
    PaintDCs()[hWnd] = DC;
  } else {
    PaintDCs().erase(hWnd);
  }
}

}  // namespace ui

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  std::int64_t num = static_cast<std::int64_t>(A) * B;
  std::int64_t den = C;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const std::int64_t q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  return static_cast<int>(q);
}

HBITMAP CreateBitmap(int Width, int Height) {
  ui::RequireUi();
  auto image = std::make_shared<QImage>(std::max(Width, 0), std::max(Height, 0), QImage::Format_RGB32);
  image->fill(Qt::white);
  return ui::AddObject(image);
}

SIZE GetBitmapSize(HBITMAP Bitmap) {
  ui::RequireUi();
  auto image = ui::BitmapImage(Bitmap);
  return image ? SIZE{image->width(), image->height()} : SIZE{};
}

HDC GetDC(HWND hWnd) {
  ui::RequireUi();
  auto it = PaintDCs().find(hWnd);
  if (hWnd && it != PaintDCs().end()) return it->second;
  RECT r{};
  GetClientRect(hWnd, &r);
  HDC dc = ui::CreateImageDC(nullptr);
  Attach(dc, std::make_shared<QImage>(std::max(r.Width(), 1), std::max(r.Height(), 1), QImage::Format_RGB32));
  dc->Window = hWnd;
  dc->FromGetDc = true;
  return dc;
}

int ReleaseDC(HWND, HDC DC) {
  ui::RequireUi();
  if (DC && DC->FromGetDc) {
    delete DC;
    return 1;
  }
  return 0;
}

HDC CreateCompatibleDC(HDC) {
  ui::RequireUi();
  HDC dc = ui::CreateImageDC(nullptr);
  Attach(dc, std::make_shared<QImage>(1, 1, QImage::Format_RGB32));
  return dc;
}

bool DeleteDC(HDC DC) {
  ui::RequireUi();
  delete DC;
  return DC != nullptr;
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object) {
  ui::RequireUi();
  const std::optional<ui::GdiObject> o = ui::LookupObject(Object);
  if (!DC || !o) return 0;
  if (std::holds_alternative<LOGFONT>(*o)) return std::exchange(DC->Font, Object);
  if (std::holds_alternative<BrushObj>(*o)) return std::exchange(DC->Brush, Object);
  if (std::holds_alternative<PenObj>(*o)) return std::exchange(DC->Pen, Object);
  Attach(DC, std::get<std::shared_ptr<QImage>>(*o));
  return std::exchange(DC->Bitmap, Object);
}

HGDIOBJ GetCurrentObject(HDC DC, int Kind) {
  ui::RequireUi();
  if (!DC) return 0;
  switch (Kind) {
    case OBJ_PEN:
      return DC->Pen;
    case OBJ_BRUSH:
      return DC->Brush;
    case OBJ_FONT:
      return DC->Font;
    case OBJ_BITMAP:
      return DC->Bitmap;
    default:
      return 0;
  }
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* Ps) {
  ui::RequireUi();
  HDC dc = GetDC(hWnd);
  if (Ps) {
    Ps->hdc = dc;
    Ps->fErase = true;
    GetClientRect(hWnd, &Ps->rcPaint);
  }
  return dc;
}

bool EndPaint(HWND hWnd, const PAINTSTRUCT* Ps) {
  ui::RequireUi();
  if (Ps) ReleaseDC(hWnd, Ps->hdc);
  return true;
}

COLORREF SetTextColor(HDC DC, COLORREF Color) {
  ui::RequireUi();
  return DC ? std::exchange(DC->TextColor, Color) : CLR_INVALID;
}
COLORREF GetTextColor(HDC DC) {
  ui::RequireUi();
  return DC ? DC->TextColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC DC, COLORREF Color) {
  ui::RequireUi();
  return DC ? std::exchange(DC->BkColor, Color) : CLR_INVALID;
}
COLORREF GetBkColor(HDC DC) {
  ui::RequireUi();
  return DC ? DC->BkColor : CLR_INVALID;
}
int SetBkMode(HDC DC, int Mode) {
  ui::RequireUi();
  return DC ? std::exchange(DC->BkMode, Mode) : 0;
}
int GetBkMode(HDC DC) {
  ui::RequireUi();
  return DC ? DC->BkMode : 0;
}

POINT SetViewportOrg(HDC DC, int X, int Y) {
  ui::RequireUi();
  if (!DC) return {};
  return std::exchange(DC->Origin, POINT{X, Y});
}

void SetClipRect(HDC DC, const RECT& Rect) {
  ui::RequireUi();
  if (!DC) return;
  DC->Clipped = Rect.Width() > 0 || Rect.Height() > 0;
  DC->Clip = Rect;
}

RECT GetClipRect(HDC DC) {
  ui::RequireUi();
  if (!DC) return {};
  if (DC->Clipped) return DC->Clip;
  if (!DC->Surface) return {};
  return RECT{-DC->Origin.x, -DC->Origin.y, DC->Surface->width() - DC->Origin.x, DC->Surface->height() - DC->Origin.y};
}

bool SetSmoothing(HDC DC, bool Smooth) {
  ui::RequireUi();
  return DC ? std::exchange(DC->Smooth, Smooth) : false;
}

}  // namespace platform
