#pragma once
// What the Qt-backed files of the presentation share. Nothing outside
// platform/ui includes this header.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>

#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/gdi.h"

namespace platform {

struct HDC__ {
  QImage* surface = nullptr;
  std::shared_ptr<QImage> held;  // keeps a selected bitmap or own surface alive
  std::unique_ptr<QPainter> painter;
  HFONT font = 0;
  HBRUSH brush = 0;
  HPEN pen = 0;
  HBITMAP bitmap = 0;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  POINT position;
  POINT origin;
  RECT clip;
  bool clipped = false;
  bool smooth = false;
  HWND window = nullptr;
  bool fromGetDC = false;
};

}  // namespace platform

namespace platform::ui {

// The Qt side of the user-interface thread's rule: in builds with thread
// checks, a call made off that thread, or before the start of the user
// interface made the Qt application there, stops the program naming the
// call.
void CheckUi(const char* call);
inline void RequireUi([[maybe_unused]] const char* call = __builtin_FUNCTION()) {
#ifdef VELTROSA_CHECK_THREADS
  CheckUi(call);
#endif
}

// Stops the signals of a widget and its parts: they would reach a peer that
// is going.
void SilenceWidget(QWidget* widget);
// Deletes the widget of a window that went, at once or (while a window
// procedure runs) at the next message retrieval outside every procedure.
void DisposeWidget(QWidget* widget);
// Deletes the widgets left for later, unless a window procedure runs.
void DeleteDisposedWidgets();

// Lets the user-interface queue run inside Qt's own modal loops.
void ServeQueueInModalLoops();

QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);
QFont ToQFont(const LOGFONT& lf);
LOGFONT FontOf(HFONT font);
QString ToQString(std::u16string_view s);
std::u16string FromQString(const QString& s);

// The painter of a device context at its origin and within its clip, as
// its drawing calls find it; null for a context with nothing to draw on.
QPainter* PainterOf(HDC dc);

// A device context that draws on image (not owned) until destroyed.
HDC CreateImageDC(QImage* image);
// The DC a window's paint message draws through while the presentation
// paints it; null outside painting.
void SetPaintDC(HWND hWnd, HDC dc);
// The image behind a bitmap handle; null for another handle.
std::shared_ptr<QImage> BitmapImage(HBITMAP bitmap);
// A bitmap handle over an image the caller made.
HBITMAP CreateBitmapFromImage(QImage image);

}  // namespace platform::ui
