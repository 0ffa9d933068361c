#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {

DWORD SetLayout(HDC DC, DWORD Layout) {
  ui::RequireUi();
  if (!DC) return GDI_ERROR;
  const DWORD previous = DC->Layout;
  DC->Layout = Layout & LAYOUT_RTL;
  return previous;
}

DWORD GetLayout(HDC DC) {
  ui::RequireUi();
  return DC ? DC->Layout : GDI_ERROR;
}

}  // namespace platform
