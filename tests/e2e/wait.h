// Bounded waiting for something the user would see happen. Every wait has an
// upper limit, so a program that never reacts fails the test instead of
// hanging it.
#pragma once

#include <windows.h>

namespace ZelmivoE2E {

constexpr DWORD defaultWaitMs = 15000;

// Polls until `condition` holds or the time is up; answers whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = defaultWaitMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(25);
    }
}

}  // namespace ZelmivoE2E
