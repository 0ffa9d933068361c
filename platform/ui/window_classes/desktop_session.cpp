// The desktop session's end: when the session manager tells the program to
// go (Qt hands its "die" to the application as a quit event), the windows
// get the window system's end-of-session messages, and the program closes
// as the user would close it.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/session_end.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

class SessionEndFilter : public QObject {
 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched != QCoreApplication::instance() || Event->type() != QEvent::Quit) return false;
    AnnounceEndSession(ENDSESSION_LOGOFF | ENDSESSION_CRITICAL);
    return true;
  }
};

}  // namespace

void FollowDesktopSession() {
  static SessionEndFilter filter;
  QCoreApplication::instance()->installEventFilter(&filter);
}

}  // namespace platform::ui
