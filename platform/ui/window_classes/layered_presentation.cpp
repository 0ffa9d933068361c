#include "platform/ui/window_classes/layered_presentation.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QRegion>
#include <QTimer>

#include <set>

#include "platform/core/window_system/layered_windows.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

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

void RefreshColorKey(HWND hWnd) {
  static std::set<HWND> pending;
  static bool grabbing = false;
  const HWND root = GetAncestorRoot(hWnd);
  QRgb key = 0;
  if (grabbing || !ColorKey(root, &key) || !pending.insert(root).second) return;
  QTimer::singleShot(0, QCoreApplication::instance(), [root] {
    pending.erase(root);
    QRgb key = 0;
    QWidget* widget = IsWindow(root) ? WidgetOf(root) : nullptr;
    if (!widget || !ColorKey(root, &key)) return;
    // Grabbing paints the windows again; that painting asks for nothing.
    grabbing = true;
    const QImage picture = widget->grab().toImage();
    grabbing = false;
    const QRegion shown(QBitmap::fromImage(picture.createMaskFromColor(key, Qt::MaskInColor)));
    if (widget->mask() != shown) widget->setMask(shown);
  });
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
