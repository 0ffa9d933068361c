// The half-duplex exchange with the DST module: the command queue and the
// main timer's tick that drives it.

#include "app/main_form.h"
#include "platform/core/os/clock.h"

namespace app {

void TMainForm::QueueCommand(std::int32_t) {}

void TMainForm::ClearCommandQueue() {
  CommandQueue.clear();
  CurrentCommand = 0;
  ReplyTimeout = 0;
  CommandTick = 0;
  LastTableTick = 0;
}

void TMainForm::ResetDstState() {
  DstReady = false;
  DeviceStatus = 0;
  if (DstLink) {
    auto lock = DstLink->Lock();
    DstLink->NMEAData.Products.clear();
  }
  FirmwareVersion = 0;
}

void TMainForm::MainTimerTick(platform::TObject*) {
  if (Closing || (!DstLink && !GpsLink)) return;
  NowTicks = platform::GetTickCount();
}

}  // namespace app
