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

// Frees the windows CreateProgramWindows made, the message dialog first.
void FreeProgramWindows();

}  // namespace app
