#include "window_procedure.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "accessible_element.h"
#include "brush_cache.h"
#include "gui_element.h"
#include "menu.h"
#include "panel.h"

namespace OrvoUtility {

namespace {

HCURSOR handCursorHandle = nullptr;

std::int32_t MouseX(LPARAM lParam) { return static_cast<std::int16_t>(LOWORD(lParam)); }

std::int32_t MouseY(LPARAM lParam) { return static_cast<std::int16_t>(HIWORD(lParam)); }

void LoadCursors() {
    if (handCursorHandle == nullptr) handCursorHandle = LoadCursorW(nullptr, IDC_HAND);
}

void MoveFocusByTab(GUIElement* element, HWND window) {
    HWND dialogWindow = window;
    if (element != nullptr && element->parent != nullptr) dialogWindow = element->parent->hwnd;
    bool previous = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = GetNextDlgTabItem(dialogWindow, window, previous);
    if (next == nullptr) return;
    GUIElement* target = FindElementByWindow(next);
    if (target != nullptr) target->Focus();
}

void RouteCommand(WPARAM wParam, LPARAM lParam) {
    // Without a control window the command comes from a menu item (code 0) or
    // an accelerator (code 1, which no element handles).
    if (lParam == 0) {
        if (HIWORD(wParam) == 0) RunMenuCommand(LOWORD(wParam));
        return;
    }
    GUIElement* control = FindElementByWindow(reinterpret_cast<HWND>(lParam));
    if (control != nullptr) control->OnControlCommand(HIWORD(wParam));
}

bool DrawItem(LPARAM lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item == nullptr || item->hwndItem == nullptr) return false;
    GUIElement* control = FindElementByWindow(item->hwndItem);
    return control != nullptr && control->OnDrawItem(*item);
}

void Tick(WPARAM wParam) {
    GUIElement* timer = FindElementById(static_cast<std::int32_t>(wParam));
    if (timer != nullptr) timer->OnTimer();
}

// The wheel scrolls the element that receives it when it takes wheels, else
// the panel last clicked or scrolled.
bool ScrollByWheel(GUIElement* element, WPARAM wParam) {
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if (element != nullptr && element->OnWheel(delta)) return true;
    return dispatcher.lastPanel != nullptr && dispatcher.lastPanel->HandleWheel(delta);
}

void EraseInColour(GUIElement& element, HDC dc) {
    RECT client{};
    GetClientRect(element.hwnd, &client);
    HBRUSH brush = element.backColor == noColor ? GetSysColorBrush(COLOR_BTNFACE)
                                                : SolidBrushFor(element.backColor);
    if (brush != nullptr) FillRect(dc, &client, brush);
}

void DeliverDrop(GUIElement& element, HDROP drop) {
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size())));
        if (!path.empty()) paths.push_back(std::move(path));
    }
    POINT point{};
    DragQueryPoint(drop, &point);
    DragFinish(drop);
    element.onDropFiles(paths, point);
}

// The window's own life: made, shown, painted, closed, at another DPI.
bool WindowEvent(GUIElement* element, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                 LRESULT& result) {
    switch (message) {
        case WM_CREATE:
            if (element != nullptr) element->OnCreateMessage(window);
            return false;
        case WM_DESTROY:
            if (element != nullptr) element->OnDestroy();
            if (window == dispatcher.mainWindow) PostQuitMessage(0);
            return false;
        case WM_MOVE:
            if (element != nullptr) element->OnMove();
            return false;
        case WM_SIZE:
            if (element != nullptr) element->OnSize();
            return false;
        case WM_ACTIVATE:
            if (element != nullptr) element->OnActivateMessage(window);
            return false;
        case WM_SETFOCUS:
            if (element != nullptr) element->OnGotFocus();
            return false;
        case WM_PAINT:
            if (element != nullptr) element->OnPaint();
            return false;
        case WM_CLOSE:
            if (element != nullptr && !element->OnClose()) {
                result = 1;
                return true;
            }
            return false;
        case WM_ERASEBKGND:
            // The toolkit's own classes have no brush: each window erases in its colour.
            if (element != nullptr && element->oldWindowProc == nullptr) {
                EraseInColour(*element, reinterpret_cast<HDC>(wParam));
                result = 1;
                return true;
            }
            return false;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            if (element != nullptr) element->OnSettingChange();
            return false;
        case WM_INITMENUPOPUP:
            if (element != nullptr) element->OnMenuOpening();
            return false;
        case WM_QUERYENDSESSION:
            if (element != nullptr && !element->OnQueryEndSession()) {
                result = FALSE;
                return true;
            }
            return false;
        case WM_SHOWWINDOW:
            if (element != nullptr) element->OnSize();
            return false;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && element != nullptr) {
                if (element->GetHandCursor()) {
                    SetCursor(handCursorHandle);
                    result = 1;
                    return true;
                }
            }
            return false;
        case WM_GETOBJECT:
            // lParam holds the object id as a DWORD.
            if (element != nullptr && element->accessibleInfo &&
                static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
                result = AccessibleObjectResult(window, wParam, *element->accessibleInfo);
                return result != 0;
            }
            return false;
        case WM_DPICHANGED:
            if (element != nullptr && lParam != 0 &&
                element->OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam))) {
                result = 0;
                return true;
            }
            return false;
        default:
            // Messages registered with the system lie above the program's own.
            if (element != nullptr && message >= WM_APP) {
                element->OnAppMessage(message, wParam, lParam);
            }
            return false;
    }
}

// Keys, characters, scrolling and the mouse, for the element under them.
bool InputEvent(GUIElement* element, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                LRESULT& result) {
    switch (message) {
        case WM_KEYDOWN:
            if (element != nullptr && element->OnKeyDown(static_cast<std::int32_t>(wParam))) {
                result = 0;
                return true;
            }
            if (wParam == VK_TAB) MoveFocusByTab(element, window);
            return false;
        case WM_SYSKEYDOWN:
            // F10 is a system key; with Shift it asks for the context menu, which
            // a key handler may take before the menu bar opens.
            if (wParam == VK_F10 && element != nullptr && element->OnKeyDown(VK_F10)) {
                result = 0;
                return true;
            }
            return false;
        case WM_CHAR:
            if (element != nullptr) {
                std::int32_t character = static_cast<std::int32_t>(wParam);
                bool passOn = element->OnChar(character);
                if (element->parent != nullptr && element->parent->keyPreview) {
                    element->parent->OnChar(character);
                }
                if (!passOn) {
                    result = 1;
                    return true;
                }
            }
            return false;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (element != nullptr &&
                element->OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam))) {
                result = 0;
                return true;
            }
            return false;
        case WM_DROPFILES:
            if (element != nullptr && element->onDropFiles) {
                DeliverDrop(*element, reinterpret_cast<HDROP>(wParam));
                result = 0;
                return true;
            }
            return false;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            if (element != nullptr) {
                HBRUSH brush = element->OnControlColor(reinterpret_cast<HDC>(wParam));
                if (brush != nullptr) {
                    result = reinterpret_cast<LRESULT>(brush);
                    return true;
                }
            }
            return false;
        case WM_MOUSEMOVE:
            if (element != nullptr) element->OnMouseMove(MouseX(lParam), MouseY(lParam));
            return false;
        case WM_LBUTTONDOWN:
            if (element != nullptr) {
                // Only a panel pressed on stays the wheel's target.
                dispatcher.lastPanel = nullptr;
                element->OnLeftDown(MouseX(lParam), MouseY(lParam));
            }
            return false;
        case WM_RBUTTONUP:
            if (element != nullptr) element->OnRightUp(MouseX(lParam), MouseY(lParam));
            return false;
        case WM_HOTKEY:
            if (element != nullptr) element->OnHotKey(static_cast<std::int32_t>(wParam));
            return false;
        default:
            return false;
    }
}

// What a parent hears for its controls and timers, and the wheel, which finds its panel.
bool ReflectedEvent(GUIElement* element, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT& result) {
    switch (message) {
        case WM_DRAWITEM:
            if (DrawItem(lParam)) {
                result = TRUE;
                return true;
            }
            return false;
        case WM_COMMAND:
            RouteCommand(wParam, lParam);
            return false;
        case WM_TIMER:
            Tick(wParam);
            return false;
        case WM_MOUSEWHEEL:
            if (ScrollByWheel(element, wParam)) {
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The element that makes a window of our classes passes itself along, so
    // the window is its own from the first message on.
    if (message == WM_NCCREATE) {
        auto* maker = static_cast<GUIElement*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (maker != nullptr && maker->hwnd == nullptr) maker->hwnd = window;
    }
    GUIElement* element = FindElementByWindow(window);
    LoadCursors();
    WNDPROC savedProc = element != nullptr ? element->oldWindowProc : nullptr;

    LRESULT result = 0;
    if (WindowEvent(element, window, message, wParam, lParam, result) ||
        InputEvent(element, window, message, wParam, lParam, result) ||
        ReflectedEvent(element, message, wParam, lParam, result)) {
        return result;
    }
    if (savedProc != nullptr) return CallWindowProcW(savedProc, window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void RunMessageLoop() {
    MSG message;
    // GetMessageW answers -1 on failure; that ends the loop rather than spinning.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace OrvoUtility
