// Drives the real main window inside a benchmark's process, over the
// catalogue saved in the data folder, so that what is timed is the program's
// own code under a real user32 and gdi32.
#pragma once

#include <windows.h>

#include <memory>

#include "formmain.h"

namespace Bench {

// Dispatches every message waiting, as the program's loop would.
void PumpMessages();
// Pumps until no message has come for a moment (at most two seconds), so
// that a measure starts with nothing left from the one before.
void Settle();
// The resize timer a refresh or a start starts belongs to the scroll bars,
// half a second later: it is let run between measures, never inside one.
void WaitPastResizeTimer();
// Paints what is left to paint in the window and its children, to the screen.
void FinishPainting(HWND window);
// Windows hidden under another one are not painted: the timed one is brought
// in front first.
void BringToFront(HWND frame);
// The main window over app.txt, its scroll bars set and nothing pending.
std::unique_ptr<MyApp::FormMain> OpenMainWindow();
// Lets the window go and handles what its going posts.
void CloseMainWindow(std::unique_ptr<MyApp::FormMain>& form);
// The process's private bytes; under Wine only PagefileUsage holds them.
SIZE_T PrivateBytes();

}  // namespace Bench
