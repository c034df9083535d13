#include "window_query.h"

namespace ZelmivoTest {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    return std::wstring(name, GetClassNameW(window, name, 64));
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 3000, &result);
    return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
    wchar_t text[4096] = {};
    return std::wstring(text,
                        SendBounded(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text)));
}

std::vector<HWND> Children(HWND parent, const std::wstring& classPrefix) {
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(parent, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExW(parent, child, nullptr, nullptr)) {
        if (IsWindowVisible(child) && ClassOf(child).rfind(classPrefix, 0) == 0) {
            found.push_back(child);
        }
    }
    return found;
}

std::vector<HWND> VisibleTopWindows(DWORD processId) {
    std::vector<HWND> found;
    for (HWND window : Children(nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) found.push_back(window);
    }
    return found;
}

HWND FindTopWindow(DWORD processId, const std::wstring& className) {
    for (HWND window : VisibleTopWindows(processId)) {
        if (ClassOf(window) == className) return window;
    }
    return nullptr;
}

}  // namespace ZelmivoTest
