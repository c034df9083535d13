#include "real_input.h"

namespace ZelmivoTest {

namespace {

// One call, so that no other input comes between the events of a gesture,
// then a pause: Wine routes an event to the window in front when it is sent,
// and a click that brings a window forward must be seen before the next keys.
void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(40);
}

INPUT Key(WORD key, wchar_t character, bool up) {
    INPUT input{INPUT_KEYBOARD, {}};
    input.ki.wVk = key;
    // A key carries its scan code, as a real keyboard's does.
    input.ki.wScan = character != 0 ? character : MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = (character != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

}  // namespace

void ClickAt(POINT screenPoint, bool rightButton) {
    // Absolute coordinates run from 0 to 65535 across the screen. Each button
    // event carries the position too: on a virtual desktop a late pointer
    // motion may move the cursor between a bare move and the press.
    INPUT input{INPUT_MOUSE, {}};
    input.mi.dx = MulDiv(screenPoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screenPoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    std::vector<INPUT> inputs(3, input);
    inputs[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    for (INPUT& each : inputs) each.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(inputs);
}

bool Click(HWND window, bool rightButton) {
    RECT rect{};
    if (window == nullptr || !IsWindowVisible(window) || !GetWindowRect(window, &rect)) {
        return false;
    }
    ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, rightButton);
    return true;
}

void PressKeys(const std::vector<WORD>& keys) {
    for (WORD key : keys) Send({Key(key, 0, false), Key(key, 0, true)});
}

void PressChord(const std::vector<WORD>& modifiers, WORD key) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(Key(modifier, 0, false));
    inputs.push_back(Key(key, 0, false));
    inputs.push_back(Key(key, 0, true));
    for (auto at = modifiers.rbegin(); at != modifiers.rend(); ++at) {
        inputs.push_back(Key(*at, 0, true));
    }
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    for (wchar_t character : text) Send({Key(0, character, false), Key(0, character, true)});
}

}  // namespace ZelmivoTest
