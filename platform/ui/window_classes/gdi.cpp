#include "platform/ui/window_classes/gdi.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <variant>
#include <vector>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/system_settings.h"
#include "platform/ui/window_classes/gdi_objects.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

using ui::BrushObj;
using ui::BrushOf;
using ui::kStockBrush;
using ui::kStockFont;
using ui::kStockPen;
using ui::PenObj;
using ui::PenOf;

// The device contexts windows paint through while the presentation paints
// them; user-interface thread only.
std::map<HWND, HDC>& PaintDCs() {
  static auto* dcs = new std::map<HWND, HDC>;
  return *dcs;
}

// The painter of a DC, set to its origin and clip; null for a DC that has
// nothing to draw on.
QPainter* P(HDC DC) {
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

void Attach(HDC DC, std::shared_ptr<QImage> Image) {
  DC->Painter.reset();
  DC->Held = std::move(Image);
  DC->Surface = DC->Held.get();
  if (DC->Surface && !DC->Surface->isNull()) DC->Painter = std::make_unique<QPainter>(DC->Surface);
}

QFont FontFor(HDC DC) { return ui::ToQFont(ui::FontOf(DC ? DC->Font : kStockFont)); }

// One laid-out line of DrawText: its text and the accelerator's position.
struct TextLine {
  QString Text;
  int Underline = -1;
};

QString StripPrefix(const QString& S, int* Underline) {
  QString out;
  *Underline = -1;
  for (int i = 0; i < S.size(); ++i) {
    if (S[i] == u'&' && i + 1 < S.size()) {
      ++i;
      if (S[i] != u'&') *Underline = static_cast<int>(out.size());
    } else if (S[i] == u'&') {
      continue;
    }
    out += S[i];
  }
  return out;
}

std::vector<TextLine> Layout(const QFontMetrics& Fm, QString Text, UINT Format, int Width) {
  if (Format & DT_EXPANDTABS) Text.replace(u'\t', QString(8, u' '));
  std::vector<QString> paragraphs;
  if (Format & DT_SINGLELINE) {
    paragraphs.push_back(Text);
  } else {
    QString cur;
    for (int i = 0; i < Text.size(); ++i) {
      const QChar c = Text[i];
      if (c == u'\r' || c == u'\n') {
        paragraphs.push_back(cur);
        cur.clear();
        if (c == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
      } else {
        cur += c;
      }
    }
    paragraphs.push_back(cur);
  }
  std::vector<TextLine> lines;
  for (const QString& para : paragraphs) {
    int underline = -1;
    const QString plain = (Format & DT_NOPREFIX) ? para : StripPrefix(para, &underline);
    if (!(Format & DT_WORDBREAK) || (Format & DT_SINGLELINE) || Fm.horizontalAdvance(plain) <= Width) {
      lines.push_back({plain, underline});
      continue;
    }
    // Break at blanks; a word wider than the limit stands on its own line.
    int start = 0;
    while (start < plain.size()) {
      int end = start;
      int lastFit = -1;
      while (end < plain.size()) {
        int next = end;
        while (next < plain.size() && plain[next] == u' ') ++next;
        while (next < plain.size() && plain[next] != u' ') ++next;
        if (Fm.horizontalAdvance(plain.mid(start, next - start)) > Width && lastFit >= 0) break;
        lastFit = next;
        end = next;
      }
      if (lastFit < 0) lastFit = plain.size();
      const int u = underline >= start && underline < lastFit ? underline - start : -1;
      lines.push_back({plain.mid(start, lastFit - start), u});
      start = lastFit;
      while (start < plain.size() && plain[start] == u' ') ++start;
    }
  }
  return lines;
}

COLORREF SysColor(int Index) {
  switch (Index) {
    case COLOR_SCROLLBAR:
      return RGB(200, 200, 200);
    case COLOR_BACKGROUND:
      return RGB(58, 110, 165);
    case COLOR_ACTIVECAPTION:
      return RGB(153, 180, 209);
    case COLOR_MENU:
      return RGB(240, 240, 240);
    case COLOR_WINDOW:
      return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
      return RGB(100, 100, 100);
    case COLOR_MENUTEXT:
      return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT:
      return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT:
      return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
      return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT:
      return RGB(255, 255, 255);
    case COLOR_BTNFACE:
      return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
      return RGB(160, 160, 160);
    case COLOR_GRAYTEXT:
      return RGB(109, 109, 109);
    case COLOR_BTNTEXT:
      return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT:
      return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW:
      return RGB(105, 105, 105);
    case COLOR_3DLIGHT:
      return RGB(227, 227, 227);
    case COLOR_INFOTEXT:
      return RGB(0, 0, 0);
    case COLOR_INFOBK:
      return RGB(255, 255, 225);
    default:
      return RGB(0, 0, 0);
  }
}

}  // namespace

namespace ui {

QPainter* PainterOf(HDC DC) { return P(DC); }

QColor ToQColor(COLORREF C) {
  if (C & 0x80000000u) C = GetSysColor(static_cast<int>(C & 0xFF));
  return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

COLORREF FromQColor(const QColor& C) {
  return RGB(static_cast<BYTE>(C.red()), static_cast<BYTE>(C.green()), static_cast<BYTE>(C.blue()));
}

QFont ToQFont(const LOGFONT& Lf) {
  RequireUi();
  static const std::map<std::string, QString> families = {
      {"ms sans serif", "DejaVu Sans"},
      {"microsoft sans serif", "DejaVu Sans"},
      {"tahoma", "DejaVu Sans"},
      {"arial", "DejaVu Sans"},
      {"segoe ui", "DejaVu Sans"},
      {"verdana", "DejaVu Sans"},
      {"helvetica", "DejaVu Sans"},
      {"courier new", "DejaVu Sans Mono"},
      {"courier", "DejaVu Sans Mono"},
      {"consolas", "DejaVu Sans Mono"},
      {"lucida console", "DejaVu Sans Mono"},
      {"times new roman", "DejaVu Serif"},
  };
  std::string key = Lf.lfFaceName;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  auto it = families.find(key);
  QFont f(it != families.end() ? it->second : QString::fromLatin1(Lf.lfFaceName.c_str()));
  int px = Lf.lfHeight < 0 ? -Lf.lfHeight : Lf.lfHeight > 0 ? std::max(1, Lf.lfHeight * 4 / 5) : 11;
  f.setPixelSize(std::max(px, 1));
  f.setWeight(Lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
  f.setItalic(Lf.lfItalic);
  f.setUnderline(Lf.lfUnderline);
  f.setStrikeOut(Lf.lfStrikeOut);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QString ToQString(std::u16string_view S) {
  return QString(reinterpret_cast<const QChar*>(S.data()), static_cast<qsizetype>(S.size()));
}

std::u16string FromQString(const QString& S) {
  return std::u16string(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size()));
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

COLORREF GetSysColor(int Index) { return SysColor(Index); }

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
      ui::RequireUi();
      const QScreen* s = QGuiApplication::primaryScreen();
      const QRect g = s ? s->geometry() : QRect(0, 0, 1024, 768);
      return Index == SM_CXSCREEN ? g.width() : g.height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 17;
    case SM_CYCAPTION:
      return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_MIDEASTENABLED:
      return MiddleEastEnabled() ? 1 : 0;
    default:
      return 0;
  }
}

RECT GetWorkArea() {
  ui::RequireUi();
  const QScreen* s = QGuiApplication::primaryScreen();
  const QRect g = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
  return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

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

bool MoveToEx(HDC DC, int X, int Y, POINT* Previous) {
  ui::RequireUi();
  if (!DC) return false;
  if (Previous) *Previous = DC->Position;
  DC->Position = POINT{X, Y};
  return true;
}

bool LineTo(HDC DC, int X, int Y) {
  ui::RequireUi();
  QPainter* p = P(DC);
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
  QPainter* p = P(DC);
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
  QPainter* p = P(DC);
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
  QPainter* p = P(DC);
  if (!p) return false;
  ApplyPen(DC, p);
  ApplyBrush(DC, p);
  p->drawRoundedRect(QRectF(Left, Top, Right - Left - 1, Bottom - Top - 1), Width / 2.0, Height / 2.0);
  return true;
}

bool Ellipse(HDC DC, int Left, int Top, int Right, int Bottom) {
  ui::RequireUi();
  QPainter* p = P(DC);
  if (!p) return false;
  ApplyPen(DC, p);
  ApplyBrush(DC, p);
  p->drawEllipse(QRect(Left, Top, Right - Left - 1, Bottom - Top - 1));
  return true;
}

int FillRect(HDC DC, const RECT& Rect, HBRUSH Brush) {
  ui::RequireUi();
  QPainter* p = P(DC);
  if (!p) return 0;
  const BrushObj b = BrushOf(Brush);
  if (!b.Hollow && Rect.Width() > 0 && Rect.Height() > 0) {
    p->fillRect(QRect(Rect.left, Rect.top, Rect.Width(), Rect.Height()), ui::ToQColor(b.Color));
  }
  return 1;
}

int FrameRect(HDC DC, const RECT& Rect, HBRUSH Brush) {
  ui::RequireUi();
  QPainter* p = P(DC);
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
  QPainter* p = P(DC);
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
  QPainter* p = P(Dest);
  if (!p || !Src || !Src->Surface || Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0) return false;
  const QImage part = Src->Surface->copy(SrcX + Src->Origin.x, SrcY + Src->Origin.y, SrcWidth, SrcHeight);
  p->setRenderHint(QPainter::SmoothPixmapTransform, false);
  p->drawImage(QRect(X, Y, Width, Height), part);
  return true;
}

bool DrawEdge(HDC dc, RECT* Rect, UINT Edge, UINT) {
  ui::RequireUi();
  if (!dc || !Rect) return false;
  const auto line = [&](COLORREF TopLeft, COLORREF BottomRight) {
    QPainter* p = P(dc);
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

bool ExtTextOutW(HDC DC, int X, int Y, UINT Options, const RECT* Rect, const char16_t* Text, int Count, const int*) {
  ui::RequireUi();
  QPainter* p = P(DC);
  if (!p) return false;
  if (Rect && (Options & ETO_OPAQUE)) {
    p->fillRect(QRect(Rect->left, Rect->top, Rect->Width(), Rect->Height()), ui::ToQColor(DC->BkColor));
  }
  if (!Text || Count <= 0) return true;
  const QString s = QString(reinterpret_cast<const QChar*>(Text), Count);
  const QFont font = FontFor(DC);
  const QFontMetrics fm(font);
  if (Rect && (Options & ETO_CLIPPED)) {
    QRect clip(Rect->left, Rect->top, Rect->Width(), Rect->Height());
    if (p->hasClipping()) {
      p->setClipRect(clip, Qt::IntersectClip);
    } else {
      p->setClipRect(clip);
    }
  }
  const int width = fm.horizontalAdvance(s);
  const int left = (DC->Layout & LAYOUT_RTL) ? X - width : X;
  if (DC->BkMode == OPAQUE && !(Rect && (Options & ETO_OPAQUE))) {
    p->fillRect(QRect(left, Y, width, fm.height()), ui::ToQColor(DC->BkColor));
  }
  p->setFont(font);
  p->setPen(ui::ToQColor(DC->TextColor));
  p->setLayoutDirection((Options & ETO_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
  p->drawText(QPoint(left, Y + fm.ascent()), s);
  DC->Position = POINT{(DC->Layout & LAYOUT_RTL) ? left : X + width, Y};
  return true;
}

bool ExtTextOutA(HDC DC, int X, int Y, UINT Options, const RECT* Rect, const char* Text, int Count, const int* Dx) {
  ui::RequireUi();
  const std::u16string w = Cp1252ToUtf16(std::string_view(Text ? Text : "", Text && Count > 0 ? Count : 0));
  return ExtTextOutW(DC, X, Y, Options, Rect, w.c_str(), static_cast<int>(w.size()), Dx);
}

bool TextOutW(HDC DC, int X, int Y, const char16_t* Text, int Count) {
  ui::RequireUi();
  return ExtTextOutW(DC, X, Y, 0, nullptr, Text, Count, nullptr);
}

bool TextOutA(HDC DC, int X, int Y, const char* Text, int Count) {
  ui::RequireUi();
  return ExtTextOutA(DC, X, Y, 0, nullptr, Text, Count, nullptr);
}

bool GetTextExtentPoint32W(HDC DC, const char16_t* Text, int Count, SIZE* Size) {
  ui::RequireUi();
  if (!DC || !Size) return false;
  const QFontMetrics fm(FontFor(DC));
  const QString s = Text && Count > 0 ? QString(reinterpret_cast<const QChar*>(Text), Count) : QString();
  *Size = SIZE{fm.horizontalAdvance(s), fm.height()};
  return true;
}

bool GetTextExtentPoint32A(HDC DC, const char* Text, int Count, SIZE* Size) {
  ui::RequireUi();
  const std::u16string w = Cp1252ToUtf16(std::string_view(Text ? Text : "", Text && Count > 0 ? Count : 0));
  return GetTextExtentPoint32W(DC, w.c_str(), static_cast<int>(w.size()), Size);
}

bool GetTextMetrics(HDC DC, TEXTMETRIC* Tm) {
  ui::RequireUi();
  if (!DC || !Tm) return false;
  const QFontMetrics fm(FontFor(DC));
  Tm->tmHeight = fm.height();
  Tm->tmAscent = fm.ascent();
  Tm->tmDescent = fm.descent();
  Tm->tmInternalLeading = std::max(0, fm.height() - FontFor(DC).pixelSize());
  Tm->tmExternalLeading = fm.leading();
  Tm->tmAveCharWidth = fm.averageCharWidth();
  Tm->tmMaxCharWidth = fm.maxWidth();
  return true;
}

int DrawTextW(HDC DC, const char16_t* Text, int Count, RECT* Rect, UINT Format) {
  ui::RequireUi();
  if (!DC || !Rect) return 0;
  QString s;
  if (Text) s = Count < 0 ? QString::fromUtf16(Text) : QString(reinterpret_cast<const QChar*>(Text), Count);
  const QFont font = FontFor(DC);
  const QFontMetrics fm(font);
  const std::vector<TextLine> lines = Layout(fm, s, Format, Rect->Width());
  const int lineHeight = fm.height();
  const int height = static_cast<int>(lines.size()) * lineHeight;
  if (Format & DT_CALCRECT) {
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, fm.horizontalAdvance(l.Text));
    Rect->right = Rect->left + widest;
    Rect->bottom = Rect->top + height;
    return height;
  }
  QPainter* p = P(DC);
  if (!p) return height;
  if (!(Format & DT_NOCLIP)) {
    QRect clip(Rect->left, Rect->top, Rect->Width(), Rect->Height());
    if (p->hasClipping()) {
      p->setClipRect(clip, Qt::IntersectClip);
    } else {
      p->setClipRect(clip);
    }
  }
  int y = Rect->top;
  if (Format & DT_SINGLELINE) {
    if (Format & DT_VCENTER) y = Rect->top + (Rect->Height() - lineHeight) / 2;
    if (Format & DT_BOTTOM) y = Rect->bottom - lineHeight;
  }
  p->setPen(ui::ToQColor(DC->TextColor));
  p->setLayoutDirection((Format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
  for (const auto& line : lines) {
    const int w = fm.horizontalAdvance(line.Text);
    int x = Rect->left;
    if (Format & DT_CENTER) x = Rect->left + (Rect->Width() - w) / 2;
    if (Format & DT_RIGHT) x = Rect->right - w;
    if (DC->BkMode == OPAQUE) p->fillRect(QRect(x, y, w, lineHeight), ui::ToQColor(DC->BkColor));
    p->setFont(font);
    p->drawText(QPoint(x, y + fm.ascent()), line.Text);
    if (line.Underline >= 0 && line.Underline < line.Text.size()) {
      const int ux = x + fm.horizontalAdvance(line.Text.left(line.Underline));
      const int uw = fm.horizontalAdvance(line.Text.mid(line.Underline, 1));
      p->fillRect(QRect(ux, y + fm.ascent() + 1, uw, 1), ui::ToQColor(DC->TextColor));
    }
    y += lineHeight;
  }
  return height;
}

int DrawTextA(HDC DC, const char* Text, int Count, RECT* Rect, UINT Format) {
  ui::RequireUi();
  std::string_view s = Text ? (Count < 0 ? std::string_view(Text) : std::string_view(Text, Count)) : std::string_view();
  const std::u16string w = Cp1252ToUtf16(s);
  return DrawTextW(DC, w.c_str(), static_cast<int>(w.size()), Rect, Format);
}

}  // namespace platform
