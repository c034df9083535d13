#include "real_input.h"

namespace ZelmivoTest {

namespace {

INPUT KeyInput(WORD key, wchar_t character, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = character;
    input.ki.dwFlags = (character != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

}  // namespace

void ClickAt(POINT screenPoint, bool rightButton) {
    // Absolute coordinates run from 0 to 65535 across the screen. Each button
    // event carries the position too: on a virtual desktop a late pointer
    // motion may move the cursor between a bare move and the press.
    LONG x = MulDiv(screenPoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    LONG y = MulDiv(screenPoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const DWORD flags[3] = {at, at | (rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                            at | (rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
    INPUT inputs[3] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi = MOUSEINPUT{x, y, 0, flags[i], 0, 0};
    }
    SendInput(3, inputs, sizeof(INPUT));
}

void Click(HWND window, bool rightButton) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, rightButton);
}

void PressKeys(const std::vector<WORD>& keys) {
    for (WORD key : keys) {
        INPUT inputs[2] = {KeyInput(key, 0, false), KeyInput(key, 0, true)};
        SendInput(2, inputs, sizeof(INPUT));
    }
}

void PressChord(WORD modifier, WORD key) {
    INPUT inputs[4] = {KeyInput(modifier, 0, false), KeyInput(key, 0, false),
                       KeyInput(key, 0, true), KeyInput(modifier, 0, true)};
    SendInput(4, inputs, sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
    for (wchar_t character : text) {
        INPUT inputs[2] = {KeyInput(0, character, false), KeyInput(0, character, true)};
        SendInput(2, inputs, sizeof(INPUT));
    }
}

}  // namespace ZelmivoTest
