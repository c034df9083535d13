#include "window_query.h"

namespace ZelmivoE2E {

namespace {

constexpr UINT sendTimeoutMs = 3000;

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok = nullptr) {
    DWORD_PTR result = 0;
    bool sent = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                    sendTimeoutMs, &result) != 0;
    if (ok != nullptr) *ok = sent;
    return static_cast<LRESULT>(result);
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring TextOf(HWND window) {
    bool ok = false;
    LRESULT length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0, &ok);
    if (!ok) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied =
        SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), &ok);
    if (!ok) return std::wstring();
    text.resize(static_cast<size_t>(copied));
    return text;
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

POINT CenterOf(HWND window) {
    RECT rect = ScreenRect(window);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> windows;
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) windows.push_back(window);
    }
    return windows;
}

HWND FindTopLevel(DWORD processId, const std::wstring& className, const std::wstring& titlePrefix) {
    for (HWND window : TopLevelWindows(processId)) {
        if (!className.empty() && ClassOf(window) != className) continue;
        if (StartsWith(TextOf(window), titlePrefix)) return window;
    }
    return nullptr;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindDescendant(HWND parent, const std::wstring& className, const wchar_t* text,
                    bool classIsPrefix) {
    for (HWND window : Descendants(parent)) {
        std::wstring name = ClassOf(window);
        if (classIsPrefix ? !StartsWith(name, className) : name != className) continue;
        if (text == nullptr || TextOf(window) == text) return window;
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> visible;
    for (HWND window : all) {
        if (IsWindowVisible(window)) visible.push_back(window);
    }
    return visible;
}

std::vector<HWND> DescendantsOfClass(HWND parent, const std::wstring& className) {
    std::vector<HWND> found;
    for (HWND window : Descendants(parent)) {
        if (ClassOf(window) == className) found.push_back(window);
    }
    return found;
}

HWND FocusedWindowOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

RECT RectIn(HWND container, HWND child) {
    RECT rect = ScreenRect(child);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::wstring> ListBoxItems(HWND list) {
    std::vector<std::wstring> items;
    LRESULT count = SendBounded(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendBounded(list, LB_GETTEXTLEN, i, 0);
        if (length < 0) length = 0;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = SendBounded(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        items.push_back(text);
    }
    return items;
}

int ListBoxSelection(HWND list) { return static_cast<int>(SendBounded(list, LB_GETCURSEL, 0, 0)); }

}  // namespace ZelmivoE2E
