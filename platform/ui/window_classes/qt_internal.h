#pragma once
// What the Qt-backed files of the presentation share. Nothing outside
// platform/ui includes this header.

#include <QColor>
#include <QFont>
#include <QIcon>
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
  QImage* Surface = nullptr;
  std::shared_ptr<QImage> Held;  // keeps a selected bitmap or own surface alive
  std::unique_ptr<QPainter> Painter;
  HFONT Font = 0;
  HBRUSH Brush = 0;
  HPEN Pen = 0;
  HBITMAP Bitmap = 0;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  POINT Position;
  POINT Origin;
  RECT Clip;
  bool Clipped = false;
  bool Smooth = false;
  DWORD Layout = 0;
  HWND Window = nullptr;
  bool FromGetDc = false;
};

}  // namespace platform

namespace platform::ui {

// The Qt side of the user-interface thread's rule: in builds with thread
// checks, a call made off that thread, or before the start of the user
// interface made the Qt application there, stops the program naming the
// call.
void CheckUi(const char* Call);
inline void RequireUi([[maybe_unused]] const char* Call = __builtin_FUNCTION()) {
#ifdef VELTROSA_CHECK_THREADS
  CheckUi(Call);
#endif
}

// Stops the signals of a widget and its parts: they would reach a peer that
// is going.
void SilenceWidget(QWidget* Widget);
// Deletes the widget of a window that went, at once or (while a window
// procedure runs) at the next message retrieval outside every procedure.
void DisposeWidget(QWidget* Widget);
// Deletes the widgets left for later, unless a window procedure runs.
void DeleteDisposedWidgets();

// Where a picture of the screen is saved: a relative name beside the
// running program (see SaveWindowImage).
QString PictureFile(const std::string& FileName);

// Lets the user-interface queue run inside Qt's own modal loops.
void ServeQueueInModalLoops();
// Has Qt's own texts follow the platform's language.
void FollowUiLanguage();
// Has the keyboard layout follow the desktop's input language: takes it at
// once and again at each change (however often called).
void FollowInputLanguage();
// Announces the desktop session's end to the windows.
void FollowDesktopSession();

QColor ToQColor(COLORREF C);
COLORREF FromQColor(const QColor& C);
QFont ToQFont(const LOGFONT& Lf);
LOGFONT FontOf(HFONT Font);
QString ToQString(std::u16string_view S);
std::u16string FromQString(const QString& S);

// The painter of a device context at its origin and within its clip, as
// its drawing calls find it; null for a context with nothing to draw on.
QPainter* PainterOf(HDC DC);

// A device context that draws on image (not owned) until destroyed.
HDC CreateImageDC(QImage* Image);
// The DC a window's paint message draws through while the presentation
// paints it; null outside painting.
void SetPaintDC(HWND hWnd, HDC DC);
// The image behind a bitmap handle; null for another handle.
std::shared_ptr<QImage> BitmapImage(HBITMAP Bitmap);
// A bitmap handle over an image the caller made.
HBITMAP CreateBitmapFromImage(QImage Image);
// A bitmap as an icon in which the pixels of the transparent colour do not
// draw; an empty icon for another handle.
QIcon MaskedIcon(HBITMAP Bitmap, COLORREF Transparent);

}  // namespace platform::ui
