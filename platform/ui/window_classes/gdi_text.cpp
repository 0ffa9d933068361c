#include "platform/ui/window_classes/gdi.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/text/cp1252.h"
#include "platform/ui/window_classes/gdi_objects.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

using ui::kStockFont;

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

}  // namespace

bool ExtTextOutW(HDC DC, int X, int Y, UINT Options, const RECT* Rect, const char16_t* Text, int Count, const int*) {
  ui::RequireUi();
  QPainter* p = ui::PainterOf(DC);
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
  QPainter* p = ui::PainterOf(DC);
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
