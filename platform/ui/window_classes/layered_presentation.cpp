#include "platform/ui/window_classes/layered_presentation.h"

#include <QBitmap>
#include <QRegion>

#include "platform/core/window_system/layered_windows.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

// The colour key of a layered window, when it has one.
bool ColorKey(HWND hWnd, QRgb* Key) {
  COLORREF key = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(hWnd, &key, nullptr, &flags) || !(flags & LWA_COLORKEY)) return false;
  *Key = ToQColor(key).rgb();
  return true;
}

}  // namespace

double LayeredOpacity(HWND hWnd) {
  BYTE alpha = 255;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(hWnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return 1.0;
  return alpha / 255.0;
}

void ShowLayeredAttributes(HWND hWnd, QWidget* Widget) {
  if (!Widget || !Widget->isWindow()) return;
  const double opacity = LayeredOpacity(hWnd);
  if (Widget->windowOpacity() != opacity) Widget->setWindowOpacity(opacity);
  QRgb key = 0;
  if (!ColorKey(hWnd, &key) && !Widget->mask().isEmpty()) Widget->clearMask();
  // A new key takes effect as the window is painted again.
  Widget->update();
}

void ApplyColorKey(HWND hWnd, QWidget* Widget, const QImage& Painted) {
  if (!Widget || !Widget->isWindow()) return;
  QRgb key = 0;
  if (!ColorKey(hWnd, &key)) return;
  const QRegion shown(QBitmap::fromImage(Painted.createMaskFromColor(key, Qt::MaskOutColor)));
  if (Widget->mask() != shown) Widget->setMask(shown);
}

QImage KeyedImage(HWND hWnd, QImage Picture) {
  QRgb key = 0;
  if (!ColorKey(hWnd, &key)) return Picture;
  Picture = Picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < Picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(Picture.scanLine(y));
    for (int x = 0; x < Picture.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
    }
  }
  return Picture;
}

}  // namespace platform::ui
