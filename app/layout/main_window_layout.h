#pragma once
// The layout of the main window, registered under its class name.

namespace app {

// Registers it once; later calls do nothing.
void RegisterMainWindowLayout();

}  // namespace app
