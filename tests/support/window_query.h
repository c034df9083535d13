// Reading windows the test does not run: those of a thread blocked in a modal
// call or of another process. Every read is a bounded send and every wait has
// a time-out, so that a hung program fails the test instead of hanging it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ZelmivoTest {

// SendMessage bounded to three seconds; 0 when the window did not answer.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// Visible children of `parent` (of the desktop when null: the top-level
// windows) whose class starts so, in the order the system lists them.
std::vector<HWND> Children(HWND parent, const std::wstring& classPrefix = L"");
// The process's visible top-level windows.
std::vector<HWND> VisibleTopWindows(DWORD processId);
// The first of them of this class ("#32770" a dialog box, "#32768" a menu); null when none.
HWND FindTopWindow(DWORD processId, const std::wstring& className);

// Polls until `condition` holds or the time is up; answers whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 15000) {
    for (ULONGLONG deadline = GetTickCount64() + timeoutMs; !condition(); Sleep(20)) {
        if (GetTickCount64() >= deadline) return false;
    }
    return true;
}

}  // namespace ZelmivoTest
