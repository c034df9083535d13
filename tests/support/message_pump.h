// Dispatches every message queued for this thread. A pending quit is taken
// and dropped with the rest, so no test leaves one behind for the next.
#pragma once

#include <windows.h>

namespace ZelmivoTest {

inline void PumpMessages() {
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace ZelmivoTest
