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
QPainter* P(HDC dc) {
  if (!dc || !dc->painter) return nullptr;
  QPainter* p = dc->painter.get();
  p->resetTransform();
  p->translate(dc->origin.x, dc->origin.y);
  if (dc->clipped) {
    p->setClipRect(QRect(dc->clip.left, dc->clip.top, dc->clip.Width(), dc->clip.Height()));
  } else {
    p->setClipping(false);
  }
  p->setRenderHint(QPainter::Antialiasing, dc->smooth);
  return p;
}

void ApplyPen(HDC dc, QPainter* p) {
  const PenObj pen = PenOf(dc->pen);
  if (pen.style == PS_NULL) {
    p->setPen(Qt::NoPen);
    return;
  }
  QPen qp(ui::ToQColor(pen.color));
  qp.setWidth(pen.width <= 1 ? 0 : pen.width);
  qp.setStyle(pen.style == PS_DASH ? Qt::DashLine : pen.style == PS_DOT ? Qt::DotLine : Qt::SolidLine);
  qp.setCapStyle(Qt::RoundCap);
  qp.setJoinStyle(Qt::RoundJoin);
  p->setPen(qp);
}

void ApplyBrush(HDC dc, QPainter* p) {
  const BrushObj b = BrushOf(dc->brush);
  if (b.hollow) {
    p->setBrush(Qt::NoBrush);
  } else {
    p->setBrush(ui::ToQColor(b.color));
  }
}

void Attach(HDC dc, std::shared_ptr<QImage> image) {
  dc->painter.reset();
  dc->held = std::move(image);
  dc->surface = dc->held.get();
  if (dc->surface && !dc->surface->isNull()) dc->painter = std::make_unique<QPainter>(dc->surface);
}

QFont FontFor(HDC dc) { return ui::ToQFont(ui::FontOf(dc ? dc->font : kStockFont)); }

// One laid-out line of DrawText: its text and the accelerator's position.
struct TextLine {
  QString text;
  int underline = -1;
};

QString StripPrefix(const QString& s, int* underline) {
  QString out;
  *underline = -1;
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != u'&') *underline = static_cast<int>(out.size());
    } else if (s[i] == u'&') {
      continue;
    }
    out += s[i];
  }
  return out;
}

std::vector<TextLine> Layout(const QFontMetrics& fm, QString text, UINT format, int width) {
  if (format & DT_EXPANDTABS) text.replace(u'\t', QString(8, u' '));
  std::vector<QString> paragraphs;
  if (format & DT_SINGLELINE) {
    paragraphs.push_back(text);
  } else {
    QString cur;
    for (int i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (c == u'\r' || c == u'\n') {
        paragraphs.push_back(cur);
        cur.clear();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      } else {
        cur += c;
      }
    }
    paragraphs.push_back(cur);
  }
  std::vector<TextLine> lines;
  for (const QString& para : paragraphs) {
    int underline = -1;
    const QString plain = (format & DT_NOPREFIX) ? para : StripPrefix(para, &underline);
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || fm.horizontalAdvance(plain) <= width) {
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
        if (fm.horizontalAdvance(plain.mid(start, next - start)) > width && lastFit >= 0) break;
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

COLORREF SysColor(int index) {
  switch (index) {
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

QPainter* PainterOf(HDC dc) { return P(dc); }

QColor ToQColor(COLORREF c) {
  if (c & 0x80000000u) c = GetSysColor(static_cast<int>(c & 0xFF));
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQColor(const QColor& c) {
  return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}

QFont ToQFont(const LOGFONT& lf) {
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
  std::string key = lf.lfFaceName;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto it = families.find(key);
  QFont f(it != families.end() ? it->second : QString::fromLatin1(lf.lfFaceName.c_str()));
  int px = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? std::max(1, lf.lfHeight * 4 / 5) : 11;
  f.setPixelSize(std::max(px, 1));
  f.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
  f.setItalic(lf.lfItalic);
  f.setUnderline(lf.lfUnderline);
  f.setStrikeOut(lf.lfStrikeOut);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string FromQString(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

HDC CreateImageDC(QImage* image) {
  RequireUi();
  auto* dc = new HDC__;
  dc->font = kStockFont;
  dc->brush = kStockBrush;
  dc->pen = kStockPen;
  dc->surface = image;
  if (image && !image->isNull()) dc->painter = std::make_unique<QPainter>(image);
  return dc;
}

void SetPaintDC(HWND hWnd, HDC dc) {
  RequireUi();
  if (dc) {
    PaintDCs()[hWnd] = dc;
  } else {
    PaintDCs().erase(hWnd);
  }
}

}  // namespace ui

COLORREF GetSysColor(int index) { return SysColor(index); }

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
      ui::RequireUi();
      const QScreen* s = QGuiApplication::primaryScreen();
      const QRect g = s ? s->geometry() : QRect(0, 0, 1024, 768);
      return index == SM_CXSCREEN ? g.width() : g.height();
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

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t num = static_cast<std::int64_t>(a) * b;
  std::int64_t den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const std::int64_t q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  return static_cast<int>(q);
}

HBITMAP CreateBitmap(int width, int height) {
  ui::RequireUi();
  auto image = std::make_shared<QImage>(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  image->fill(Qt::white);
  return ui::AddObject(image);
}

SIZE GetBitmapSize(HBITMAP bitmap) {
  ui::RequireUi();
  auto image = ui::BitmapImage(bitmap);
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
  dc->window = hWnd;
  dc->fromGetDC = true;
  return dc;
}

int ReleaseDC(HWND, HDC dc) {
  ui::RequireUi();
  if (dc && dc->fromGetDC) {
    delete dc;
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

bool DeleteDC(HDC dc) {
  ui::RequireUi();
  delete dc;
  return dc != nullptr;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  ui::RequireUi();
  const std::optional<ui::GdiObject> o = ui::LookupObject(object);
  if (!dc || !o) return 0;
  if (std::holds_alternative<LOGFONT>(*o)) return std::exchange(dc->font, object);
  if (std::holds_alternative<BrushObj>(*o)) return std::exchange(dc->brush, object);
  if (std::holds_alternative<PenObj>(*o)) return std::exchange(dc->pen, object);
  Attach(dc, std::get<std::shared_ptr<QImage>>(*o));
  return std::exchange(dc->bitmap, object);
}

HGDIOBJ GetCurrentObject(HDC dc, int kind) {
  ui::RequireUi();
  if (!dc) return 0;
  switch (kind) {
    case OBJ_PEN:
      return dc->pen;
    case OBJ_BRUSH:
      return dc->brush;
    case OBJ_FONT:
      return dc->font;
    case OBJ_BITMAP:
      return dc->bitmap;
    default:
      return 0;
  }
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* ps) {
  ui::RequireUi();
  HDC dc = GetDC(hWnd);
  if (ps) {
    ps->hdc = dc;
    ps->fErase = true;
    GetClientRect(hWnd, &ps->rcPaint);
  }
  return dc;
}

bool EndPaint(HWND hWnd, const PAINTSTRUCT* ps) {
  ui::RequireUi();
  if (ps) ReleaseDC(hWnd, ps->hdc);
  return true;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  ui::RequireUi();
  return dc ? std::exchange(dc->textColor, color) : CLR_INVALID;
}
COLORREF GetTextColor(HDC dc) {
  ui::RequireUi();
  return dc ? dc->textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  ui::RequireUi();
  return dc ? std::exchange(dc->bkColor, color) : CLR_INVALID;
}
COLORREF GetBkColor(HDC dc) {
  ui::RequireUi();
  return dc ? dc->bkColor : CLR_INVALID;
}
int SetBkMode(HDC dc, int mode) {
  ui::RequireUi();
  return dc ? std::exchange(dc->bkMode, mode) : 0;
}
int GetBkMode(HDC dc) {
  ui::RequireUi();
  return dc ? dc->bkMode : 0;
}

POINT SetViewportOrg(HDC dc, int x, int y) {
  ui::RequireUi();
  if (!dc) return {};
  return std::exchange(dc->origin, POINT{x, y});
}

void SetClipRect(HDC dc, const RECT& rect) {
  ui::RequireUi();
  if (!dc) return;
  dc->clipped = rect.Width() > 0 || rect.Height() > 0;
  dc->clip = rect;
}

RECT GetClipRect(HDC dc) {
  ui::RequireUi();
  if (!dc) return {};
  if (dc->clipped) return dc->clip;
  if (!dc->surface) return {};
  return RECT{-dc->origin.x, -dc->origin.y, dc->surface->width() - dc->origin.x, dc->surface->height() - dc->origin.y};
}

bool SetSmoothing(HDC dc, bool smooth) {
  ui::RequireUi();
  return dc ? std::exchange(dc->smooth, smooth) : false;
}

bool MoveToEx(HDC dc, int x, int y, POINT* previous) {
  ui::RequireUi();
  if (!dc) return false;
  if (previous) *previous = dc->position;
  dc->position = POINT{x, y};
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return false;
  const POINT from = dc->position;
  dc->position = POINT{x, y};
  const PenObj pen = PenOf(dc->pen);
  if (pen.style == PS_NULL) return true;
  ApplyPen(dc, p);
  if (pen.width <= 1) {
    // The end point is not drawn: stop one step short along the major axis.
    const int dx = x - from.x, dy = y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return true;
    const double t = static_cast<double>(steps - 1) / steps;
    const QPoint end(static_cast<int>(std::lround(from.x + dx * t)), static_cast<int>(std::lround(from.y + dy * t)));
    p->drawLine(QPoint(from.x, from.y), end);
  } else {
    p->drawLine(QPoint(from.x, from.y), QPoint(x, y));
  }
  return true;
}

bool Polyline(HDC dc, const POINT* points, int count) {
  ui::RequireUi();
  if (!dc || !points || count < 2) return false;
  const POINT saved = dc->position;
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  // Each segment leaves out its end point, which the next one starts on.
  for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
  dc->position = saved;
  return true;
}

bool Polygon(HDC dc, const POINT* points, int count) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p || !points || count < 2) return false;
  ApplyPen(dc, p);
  ApplyBrush(dc, p);
  QPolygon poly;
  for (int i = 0; i < count; ++i) poly << QPoint(points[i].x, points[i].y);
  p->drawPolygon(poly);
  return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return false;
  if (right <= left || bottom <= top) return true;
  const BrushObj b = BrushOf(dc->brush);
  if (!b.hollow) p->fillRect(QRect(left, top, right - left, bottom - top), ui::ToQColor(b.color));
  const PenObj pen = PenOf(dc->pen);
  if (pen.style != PS_NULL) {
    ApplyPen(dc, p);
    p->setBrush(Qt::NoBrush);
    if (pen.width <= 1) {
      p->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    } else {
      const int inset = pen.width / 2;
      p->drawRect(QRect(left + inset, top + inset, right - left - 1 - 2 * inset + (pen.width % 2 ? 0 : 1),
                        bottom - top - 1 - 2 * inset + (pen.width % 2 ? 0 : 1)));
    }
  }
  return true;
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return false;
  ApplyPen(dc, p);
  ApplyBrush(dc, p);
  p->drawRoundedRect(QRectF(left, top, right - left - 1, bottom - top - 1), width / 2.0, height / 2.0);
  return true;
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return false;
  ApplyPen(dc, p);
  ApplyBrush(dc, p);
  p->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
  return true;
}

int FillRect(HDC dc, const RECT& rect, HBRUSH brush) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return 0;
  const BrushObj b = BrushOf(brush);
  if (!b.hollow && rect.Width() > 0 && rect.Height() > 0) {
    p->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ui::ToQColor(b.color));
  }
  return 1;
}

int FrameRect(HDC dc, const RECT& rect, HBRUSH brush) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return 0;
  const BrushObj b = BrushOf(brush);
  if (b.hollow || rect.Width() <= 0 || rect.Height() <= 0) return 1;
  const QColor c = ui::ToQColor(b.color);
  p->fillRect(QRect(rect.left, rect.top, rect.Width(), 1), c);
  p->fillRect(QRect(rect.left, rect.bottom - 1, rect.Width(), 1), c);
  p->fillRect(QRect(rect.left, rect.top, 1, rect.Height()), c);
  p->fillRect(QRect(rect.right - 1, rect.top, 1, rect.Height()), c);
  return 1;
}

bool DrawFocusRect(HDC dc, const RECT& rect) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return false;
  QPen pen(Qt::black);
  pen.setStyle(Qt::DotLine);
  pen.setWidth(0);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
  return true;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  ui::RequireUi();
  if (!dc || !dc->surface) return CLR_INVALID;
  const int px = x + dc->origin.x, py = y + dc->origin.y;
  if (px < 0 || py < 0 || px >= dc->surface->width() || py >= dc->surface->height()) return CLR_INVALID;
  if (dc->clipped && (x < dc->clip.left || x >= dc->clip.right || y < dc->clip.top || y >= dc->clip.bottom)) {
    return CLR_INVALID;
  }
  dc->surface->setPixelColor(px, py, ui::ToQColor(color));
  return color & 0xFFFFFF;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  ui::RequireUi();
  if (!dc || !dc->surface) return CLR_INVALID;
  const int px = x + dc->origin.x, py = y + dc->origin.y;
  if (px < 0 || py < 0 || px >= dc->surface->width() || py >= dc->surface->height()) return CLR_INVALID;
  return ui::FromQColor(dc->surface->pixelColor(px, py));
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY) {
  ui::RequireUi();
  return StretchBlt(dest, x, y, width, height, src, srcX, srcY, width, height);
}

bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight) {
  ui::RequireUi();
  QPainter* p = P(dest);
  if (!p || !src || !src->surface || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return false;
  const QImage part = src->surface->copy(srcX + src->origin.x, srcY + src->origin.y, srcWidth, srcHeight);
  p->setRenderHint(QPainter::SmoothPixmapTransform, false);
  p->drawImage(QRect(x, y, width, height), part);
  return true;
}

bool DrawEdge(HDC dc, RECT* rect, UINT edge, UINT) {
  ui::RequireUi();
  if (!dc || !rect) return false;
  const auto line = [&](COLORREF topLeft, COLORREF bottomRight) {
    QPainter* p = P(dc);
    if (!p) return;
    const RECT& r = *rect;
    p->fillRect(QRect(r.left, r.top, r.Width(), 1), ui::ToQColor(topLeft));
    p->fillRect(QRect(r.left, r.top, 1, r.Height()), ui::ToQColor(topLeft));
    p->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), ui::ToQColor(bottomRight));
    p->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), ui::ToQColor(bottomRight));
    rect->left += 1;
    rect->top += 1;
    rect->right -= 1;
    rect->bottom -= 1;
  };
  if (edge & BDR_RAISEDOUTER) line(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  if (edge & BDR_SUNKENOUTER) line(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  if (edge & BDR_RAISEDINNER) line(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  if (edge & BDR_SUNKENINNER) line(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  return true;
}

bool ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const char16_t* text, int count, const int*) {
  ui::RequireUi();
  QPainter* p = P(dc);
  if (!p) return false;
  if (rect && (options & ETO_OPAQUE)) {
    p->fillRect(QRect(rect->left, rect->top, rect->Width(), rect->Height()), ui::ToQColor(dc->bkColor));
  }
  if (!text || count <= 0) return true;
  const QString s = QString(reinterpret_cast<const QChar*>(text), count);
  const QFont font = FontFor(dc);
  const QFontMetrics fm(font);
  if (rect && (options & ETO_CLIPPED)) {
    QRect clip(rect->left, rect->top, rect->Width(), rect->Height());
    if (p->hasClipping()) {
      p->setClipRect(clip, Qt::IntersectClip);
    } else {
      p->setClipRect(clip);
    }
  }
  if (dc->bkMode == OPAQUE && !(rect && (options & ETO_OPAQUE))) {
    p->fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ui::ToQColor(dc->bkColor));
  }
  p->setFont(font);
  p->setPen(ui::ToQColor(dc->textColor));
  p->drawText(QPoint(x, y + fm.ascent()), s);
  dc->position = POINT{x + fm.horizontalAdvance(s), y};
  return true;
}

bool ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, int count, const int* dx) {
  ui::RequireUi();
  const std::u16string w = Cp1252ToUtf16(std::string_view(text ? text : "", text && count > 0 ? count : 0));
  return ExtTextOutW(dc, x, y, options, rect, w.c_str(), static_cast<int>(w.size()), dx);
}

bool TextOutW(HDC dc, int x, int y, const char16_t* text, int count) {
  ui::RequireUi();
  return ExtTextOutW(dc, x, y, 0, nullptr, text, count, nullptr);
}

bool TextOutA(HDC dc, int x, int y, const char* text, int count) {
  ui::RequireUi();
  return ExtTextOutA(dc, x, y, 0, nullptr, text, count, nullptr);
}

bool GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size) {
  ui::RequireUi();
  if (!dc || !size) return false;
  const QFontMetrics fm(FontFor(dc));
  const QString s = text && count > 0 ? QString(reinterpret_cast<const QChar*>(text), count) : QString();
  *size = SIZE{fm.horizontalAdvance(s), fm.height()};
  return true;
}

bool GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size) {
  ui::RequireUi();
  const std::u16string w = Cp1252ToUtf16(std::string_view(text ? text : "", text && count > 0 ? count : 0));
  return GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), size);
}

bool GetTextMetrics(HDC dc, TEXTMETRIC* tm) {
  ui::RequireUi();
  if (!dc || !tm) return false;
  const QFontMetrics fm(FontFor(dc));
  tm->tmHeight = fm.height();
  tm->tmAscent = fm.ascent();
  tm->tmDescent = fm.descent();
  tm->tmInternalLeading = std::max(0, fm.height() - FontFor(dc).pixelSize());
  tm->tmExternalLeading = fm.leading();
  tm->tmAveCharWidth = fm.averageCharWidth();
  tm->tmMaxCharWidth = fm.maxWidth();
  return true;
}

int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format) {
  ui::RequireUi();
  if (!dc || !rect) return 0;
  QString s;
  if (text) s = count < 0 ? QString::fromUtf16(text) : QString(reinterpret_cast<const QChar*>(text), count);
  const QFont font = FontFor(dc);
  const QFontMetrics fm(font);
  const std::vector<TextLine> lines = Layout(fm, s, format, rect->Width());
  const int lineHeight = fm.height();
  const int height = static_cast<int>(lines.size()) * lineHeight;
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, fm.horizontalAdvance(l.text));
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  QPainter* p = P(dc);
  if (!p) return height;
  if (!(format & DT_NOCLIP)) {
    QRect clip(rect->left, rect->top, rect->Width(), rect->Height());
    if (p->hasClipping()) {
      p->setClipRect(clip, Qt::IntersectClip);
    } else {
      p->setClipRect(clip);
    }
  }
  int y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y = rect->top + (rect->Height() - lineHeight) / 2;
    if (format & DT_BOTTOM) y = rect->bottom - lineHeight;
  }
  p->setPen(ui::ToQColor(dc->textColor));
  for (const auto& line : lines) {
    const int w = fm.horizontalAdvance(line.text);
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (rect->Width() - w) / 2;
    if (format & DT_RIGHT) x = rect->right - w;
    if (dc->bkMode == OPAQUE) p->fillRect(QRect(x, y, w, lineHeight), ui::ToQColor(dc->bkColor));
    p->setFont(font);
    p->drawText(QPoint(x, y + fm.ascent()), line.text);
    if (line.underline >= 0 && line.underline < line.text.size()) {
      const int ux = x + fm.horizontalAdvance(line.text.left(line.underline));
      const int uw = fm.horizontalAdvance(line.text.mid(line.underline, 1));
      p->fillRect(QRect(ux, y + fm.ascent() + 1, uw, 1), ui::ToQColor(dc->textColor));
    }
    y += lineHeight;
  }
  return height;
}

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format) {
  ui::RequireUi();
  std::string_view s = text ? (count < 0 ? std::string_view(text) : std::string_view(text, count)) : std::string_view();
  const std::u16string w = Cp1252ToUtf16(s);
  return DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), rect, format);
}

}  // namespace platform
