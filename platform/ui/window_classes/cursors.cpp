#include "platform/ui/window_classes/cursors.h"

#include <QAbstractScrollArea>
#include <QVariant>

#include <utility>

#include "platform/ui/window_classes/qt_peer.h"

namespace platform {
namespace {

constexpr std::pair<UINT, Qt::CursorShape> kShapes[] = {
    {IDC_ARROW, Qt::ArrowCursor},        {IDC_IBEAM, Qt::IBeamCursor},     {IDC_WAIT, Qt::WaitCursor},
    {IDC_CROSS, Qt::CrossCursor},        {IDC_UPARROW, Qt::UpArrowCursor}, {IDC_SIZENWSE, Qt::SizeFDiagCursor},
    {IDC_SIZENESW, Qt::SizeBDiagCursor}, {IDC_SIZEWE, Qt::SizeHorCursor},  {IDC_SIZENS, Qt::SizeVerCursor},
    {IDC_SIZEALL, Qt::SizeAllCursor},    {IDC_NO, Qt::ForbiddenCursor},    {IDC_HAND, Qt::PointingHandCursor},
    {IDC_APPSTARTING, Qt::BusyCursor},   {IDC_HELP, Qt::WhatsThisCursor},
};

// The pointer a widget had before the window system changed it: its
// class's own, given back for shape 0.
constexpr const char* kOwnShape = "windowSystemOwnCursor";

void Apply(QWidget* W, UINT Shape) {
  if (!W->property(kOwnShape).isValid()) {
    W->setProperty(kOwnShape, W->testAttribute(Qt::WA_SetCursor) ? static_cast<int>(W->cursor().shape()) : -1);
  }
  for (const auto& [id, qt] : kShapes) {
    if (id == Shape) {
      W->setCursor(qt);
      return;
    }
  }
  const int own = W->property(kOwnShape).toInt();
  if (own < 0) {
    W->unsetCursor();
  } else {
    W->setCursor(static_cast<Qt::CursorShape>(own));
  }
}

}  // namespace

bool SetWindowCursor(HWND hWnd, UINT Shape) {
  QWidget* w = ui::WidgetOf(hWnd);
  if (!w) return false;
  Apply(w, Shape);
  // A scrolled widget shows its content, and that content's pointer, in
  // its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) Apply(area->viewport(), Shape);
  return true;
}

}  // namespace platform
