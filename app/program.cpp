#include "app/program.h"

#include "app/dialog_form.h"
#include "app/main_form.h"
#include "platform/core/os/serial_ports.h"
#include "platform/core/window_system/session_end.h"
#include "platform/core/window_system/system_broadcasts.h"
#include "platform/ui/controls/forms.h"
#include "support/message_pump.h"
#include "widetext/codepage.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_layer.h"
#include "widetext/dialogs/dialogs_unit.h"

namespace app {

void CreateProgramWindows() {
  platform::InitializeApplication();
  // The wide layer's application object: UTF-16 keyboard input and hints.
  widetext::WtxApplication();
  widetext::InitializeWideDialogs();
  // The critical-error mode has no counterpart here: a missing device is
  // reported to the caller that opens it, never in a box of its own.
  platform::Application->SetTitle(kProgramName);
  platform::Application->CreateForm(MainForm);
  platform::Application->CreateForm(DialogForm);
}

void FreeProgramWindows() {
  platform::Free(DialogForm);
  DialogForm = nullptr;
  platform::Free(MainForm);
}

int RunProgramWindows() {
  // Until the very end: a signal while the program closes after the first
  // ends it at once, and one after it closed for another reason changes
  // nothing.
  const platform::SessionEndWatcher session;
  {
    const platform::DeviceChangeWatcher devices(platform::EnsureVirtualPortFolder());
    const platform::PowerWatcher power(kProgramName, "Marks the channel recordings and closes the ports");
    platform::Application->Run();
  }
  support::ProcessPendingMessages(200);
  FreeProgramWindows();
  widetext::FinalizeWideDialogs();
  widetext::FinishWideLayer();
  widetext::FinishCodePages();
  return 0;
}

int RunProgram() {
  CreateProgramWindows();
  return RunProgramWindows();
}

}  // namespace app
