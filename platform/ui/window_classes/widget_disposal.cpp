// Freeing the Qt widget of a window that goes. Outside every window
// procedure nothing of the widget can be on the stack, so it is deleted at
// once. Inside one, the toolkit code that led there (a button's click, a
// list's selection signal) may still be running on it: the widget is then
// hidden and deleted at the next message retrieval made outside every window
// procedure.

#include <QPointer>
#include <QWidget>

#include <utility>
#include <vector>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

std::vector<QPointer<QWidget>>& Pending() {
  static std::vector<QPointer<QWidget>> pending;
  return pending;
}

}  // namespace

void SilenceWidget(QWidget* Widget) {
  if (!Widget) return;
  Widget->blockSignals(true);
  for (QObject* part : Widget->findChildren<QObject*>()) part->blockSignals(true);
}

void DisposeWidget(QWidget* Widget) {
  if (!Widget) return;
  SilenceWidget(Widget);
  if (!InsideWindowProcedure()) {
    delete Widget;
    return;
  }
  Widget->hide();
  Pending().emplace_back(Widget);
}

void DeleteDisposedWidgets() {
  if (InsideWindowProcedure() || Pending().empty()) return;
  // A parent deleted first takes its children along; their pointers go null.
  for (const QPointer<QWidget>& widget : std::exchange(Pending(), {})) delete widget.data();
}

}  // namespace platform::ui
