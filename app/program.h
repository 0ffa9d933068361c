#pragma once
// The program's entry: the application and its windows, the system's
// broadcasts, the message loop until the main window closes, and the way
// out.

namespace app {

// Runs the program; returns its exit code.
int RunProgram();

}  // namespace app
