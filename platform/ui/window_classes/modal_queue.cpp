// Keeps the user-interface queue running while Qt runs a modal loop of its
// own (a message box, a file dialog, a popup menu). The program's message
// loop waits inside Qt without an event loop of Qt's; a modal loop is one,
// and each time it is about to wait, the queue's messages (posted work,
// timers, window messages) are handled, and a timer wakes it for the
// queue's next timer. Another thread's post wakes it as it wakes any wait.
// A quit request ends the modal loop and stays queued.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

constexpr std::uint32_t kNoTimer = 0xFFFFFFFFu;

// The level of the modal loop whose queue is being served; 0 when none is.
// Work run from the queue may open a modal loop of its own, one level up,
// which is served in turn.
int g_servedLevel = 0;

QTimer& TimerWake() {
  static QTimer* timer = [] {
    auto* t = new QTimer;
    t->setSingleShot(true);
    return t;
  }();
  return *timer;
}

// A quit request ends a modal loop, as it ends the window system's own:
// the innermost popup or dialog closes as if cancelled (a message box by
// the button Escape presses).
void EndModalLoop() {
  if (QWidget* popup = QApplication::activePopupWidget()) {
    popup->close();
    return;
  }
  // A message box refuses to close when no button answers Escape.
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); dialog && !dialog->close()) {
    dialog->reject();
  }
}

void ServeQueue() {
  const int level = static_cast<int>(QThread::currentThread()->loopLevel());
  if (level == 0 || level <= g_servedLevel) return;
  const int outer = std::exchange(g_servedLevel, level);
  MSG msg;
  bool handled = false;
  bool quit = false;
  // A quit request stays queued for the program's own loop.
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      break;
    }
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      quit = true;
      break;
    }
    handled = true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  g_servedLevel = outer;
  if (quit) {
    EndModalLoop();
    handled = true;
  }
  // The handlers may have ended the modal loop; the retrievals after them
  // took the wake-up that tells it so. The loop must look again before it
  // waits.
  if (handled) QAbstractEventDispatcher::instance()->wakeUp();
  const std::uint32_t due = NextTimerDue();
  if (due != kNoTimer) TimerWake().start(static_cast<int>(std::min<std::uint32_t>(due, 0x7FFFFFFF)));
}

}  // namespace

void ServeQueueInModalLoops() {
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &ServeQueue);
}

}  // namespace platform::ui
