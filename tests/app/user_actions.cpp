#include "user_actions.h"

#include "text.h"

namespace MainWindowTests {

namespace {

constexpr ULONGLONG waitMs = 15000;

HWND FindOpenMenu() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32768", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void Click(HWND window, bool rightButton) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, rightButton);
}

void ClickAt(POINT screenPoint, bool rightButton) {
    // Absolute coordinates run from 0 to 65535 across the screen. Each button
    // event carries the position too: on a virtual desktop a late pointer
    // motion may move the cursor between a bare move and the press.
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    LONG absoluteX = MulDiv(screenPoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    LONG absoluteY = MulDiv(screenPoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT inputs[3] = {MouseInput(at, absoluteX, absoluteY),
                       MouseInput(at | (rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                                  absoluteX, absoluteY),
                       MouseInput(at | (rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP),
                                  absoluteX, absoluteY)};
    SendInput(3, inputs, sizeof(INPUT));
}

void PressKeys(const std::vector<WORD>& keys) {
    for (WORD key : keys) {
        INPUT inputs[2] = {KeyInput(key, false), KeyInput(key, true)};
        SendInput(2, inputs, sizeof(INPUT));
    }
}

void PressAltWith(WORD letter) {
    INPUT inputs[4] = {KeyInput(VK_MENU, false), KeyInput(letter, false), KeyInput(letter, true),
                       KeyInput(VK_MENU, true)};
    SendInput(4, inputs, sizeof(INPUT));
}

void TypeInto(HWND box, const std::string& latin1Text) {
    std::wstring text = Common::NarrowToWide(latin1Text);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

MenuPicker::MenuPicker(WORD key) : worker(&MenuPicker::Run, this, key) {}

MenuPicker::~MenuPicker() {
    if (worker.joinable()) worker.join();
}

const std::vector<std::wstring>& MenuPicker::Captions() {
    if (worker.joinable()) worker.join();
    return captions;
}

bool MenuPicker::Found() {
    if (worker.joinable()) worker.join();
    return found;
}

void MenuPicker::Run(WORD key) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    HWND window = nullptr;
    while ((window = FindOpenMenu()) == nullptr && GetTickCount64() < deadline) Sleep(20);
    if (window != nullptr) {
        found = true;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        HMENU menu = reinterpret_cast<HMENU>(result);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t caption[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
            captions.push_back(caption);
        }
        PressKeys({key});
        while (FindOpenMenu() != nullptr && GetTickCount64() < deadline) Sleep(20);
        // Never leave the test blocked in the menu's loop.
        if (FindOpenMenu() != nullptr) EndMenu();
    }
    done = true;
}

std::future<ZelmivoTest::AnsweredDialog> AnswerNextBox(int buttonId) {
    return std::async(std::launch::async, [buttonId] {
        ZelmivoTest::DialogAnswerer answerer(buttonId);
        return answerer.Result();
    });
}

}  // namespace MainWindowTests
