#pragma once
// The program's start routine and the one thing that differs between the real
// program and its simulated twin: where system libraries come from.
#include "drives/system_functions.h"

namespace voranel {

// Defined once per executable: the real Win32 loader, or a simulated one.
LibraryLoader& ProgramLibraryLoader();

// Sets up the system function table, builds and opens the main window, runs the
// message loop until the window is closed, releases the table; returns 0.
int StartProgram();

}  // namespace voranel
