// The floor of the start-up benchmark: the least a Win32 program can do to
// show the same number of controls as the launcher has tiles. One window of
// the main window's size holding that many plain push buttons where the tiles
// stand. Usage: floor_window <buttons>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "sample_catalogue.h"

namespace {

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    int buttons = std::max(0, _wtoi(commandLine));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FloorProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"ZelmivoFloor";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN) * 9 / 10,
                                  GetSystemMetrics(SM_CYSCREEN) * 9 / 10, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) return 1;
    for (int button = 0; button < buttons; ++button) {
        int column = button / Bench::entriesPerCategory;
        int row = button % Bench::entriesPerCategory;
        std::wstring caption = L"Applicazione " + std::to_wstring(button + 1);
        CreateWindowExW(0, L"Button", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                        20 + 180 * column, 70 + 50 * row, 160, 40, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(button + 1)), instance,
                        nullptr);
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
