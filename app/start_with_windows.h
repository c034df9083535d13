// Zelmivo among the programs Windows starts when the user signs in, and how
// such a start differs: the window opens minimised, out of the user's way.
#pragma once

#include <cstdint>

namespace MyApp {

// Whether the user's Run list names Zelmivo.
bool StartsWithWindows();
// Names this zelmivo.exe in the user's Run list, to be started with /ridotto,
// or takes it off. On failure `error`, when given, receives the system's code.
bool SetStartWithWindows(bool on, std::uint32_t* error);
// Whether the command line (as GetCommandLineW gives it, the program first)
// holds the switch /ridotto, in any case, as an argument of its own.
bool StartMinimised(const wchar_t* commandLine);

}  // namespace MyApp
