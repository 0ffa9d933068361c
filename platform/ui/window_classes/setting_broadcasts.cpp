#include "platform/ui/window_classes/setting_broadcasts.h"

#include <QApplication>
#include <QEvent>

#include "platform/core/window_system/window.h"

namespace platform::ui {
namespace {

constexpr WPARAM kSpiSetNonClientMetrics = 0x002A;
constexpr char16_t kLocaleSection[] = u"intl";

void Broadcast(WPARAM wParam, LPARAM lParam) {
  for (HWND h : GetThreadWindows()) {
    if (IsWindow(h)) SendMessageW(h, WM_SETTINGCHANGE, wParam, lParam);
  }
}

class SettingWatcher : public QObject {
 public:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched != QCoreApplication::instance()) return false;
    switch (Event->type()) {
      case QEvent::ApplicationFontChange:
      case QEvent::ApplicationPaletteChange:
        Broadcast(kSpiSetNonClientMetrics, 0);
        break;
      case QEvent::LocaleChange:
        Broadcast(0, reinterpret_cast<LPARAM>(kLocaleSection));
        break;
      default:
        break;
    }
    return false;
  }
};

}  // namespace

void WatchSettingChanges() {
  static SettingWatcher watcher;
  QCoreApplication::instance()->installEventFilter(&watcher);
}

}  // namespace platform::ui
