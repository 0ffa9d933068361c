#include "platform/ui/window_classes/gdi.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/core/window_system/system_settings.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

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
    case SM_DBCSENABLED:
      return FarEastEnabled() ? 1 : 0;
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

}  // namespace platform
