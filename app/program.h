#pragma once
// The program's entry: the application and its windows, the system's
// broadcasts, the message loop until the main window closes, and the way
// out.

namespace app {

// Runs the program; returns its exit code.
int RunProgram();

// The application and its two windows, made as the program starts them
// (the benchmarks start the program through it too).
void CreateProgramWindows();

// Runs the windows CreateProgramWindows made until the main window closes
// or the session ends (SIGTERM, SIGINT, SIGHUP or the desktop session's
// end), then frees them; returns the exit code.
int RunProgramWindows();

// Frees the windows CreateProgramWindows made, the message dialog first.
void FreeProgramWindows();

}  // namespace app
