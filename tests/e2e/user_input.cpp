#include "user_input.h"

#include <vector>

namespace ZelmivoE2E {

namespace {

// Time for the program to take one gesture before the next one starts, so
// that presses and releases are not merged into one another.
constexpr DWORD gesturePauseMs = 40;

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(gesturePauseMs);
}

INPUT Mouse(DWORD flags, POINT point = POINT{}) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute coordinates run from 0 to 65535 over the screen.
        int width = GetSystemMetrics(SM_CXSCREEN);
        int height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((point.x * 65536LL + width / 2) / width);
        input.mi.dy = static_cast<LONG>((point.y * 65536LL + height / 2) / height);
    }
    return input;
}

INPUT Key(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Each button event carries its own position: a press that relied on an
// earlier move could land wherever a late pointer motion left the cursor.
void Click(POINT point, DWORD down, DWORD up) {
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    MoveMouse(point);
    Send({Mouse(at | down, point)});
    Send({Mouse(at | up, point)});
}

}  // namespace

void MoveMouse(POINT point) { Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, point)}); }

void LeftClick(POINT point) { Click(point, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void RightClick(POINT point) { Click(point, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

void TypeText(const std::wstring& text) {
    for (wchar_t character : text) {
        INPUT stroke[2] = {};
        for (INPUT& input : stroke) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = character;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        stroke[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        Send({stroke[0], stroke[1]});
    }
}

void PressKey(WORD virtualKey) { Send({Key(virtualKey, false), Key(virtualKey, true)}); }

void PressChord(WORD modifier, WORD virtualKey) {
    Send(
        {Key(modifier, false), Key(virtualKey, false), Key(virtualKey, true), Key(modifier, true)});
}

}  // namespace ZelmivoE2E
