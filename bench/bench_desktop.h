// The Wine virtual desktop the benchmarks run on: Wine draws frames itself
// there and windows close in milliseconds, where the plain X display takes
// seconds, so what is timed is the program and not the display's bookkeeping.
#pragma once

#include <windows.h>

namespace Bench {

extern const wchar_t* const desktopName;

// Registers the desktop's size, creates it and moves the calling thread onto
// it; must run before the thread owns any window. Programs started with
// desktopName in their start-up record share it.
bool EnterBenchDesktop();

}  // namespace Bench
