#include "platform/ui/window_classes/message_beep.h"

#include <QApplication>

#include <atomic>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

std::atomic<std::uint32_t> g_beeps{0};

}  // namespace

bool MessageBeep(UINT) {
  ++g_beeps;
  ui::RequireUi();
  QApplication::beep();
  return true;
}

std::uint32_t MessageBeepCount() { return g_beeps; }

}  // namespace platform
