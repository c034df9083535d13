#include "window_procedure.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "button.h"
#include "form.h"
#include "gui_element.h"
#include "list_box.h"
#include "menu.h"
#include "panel.h"
#include "timer.h"

namespace OrvoUtility {

HWND mainWindow = nullptr;
Form* activeForm = nullptr;
PanelChildren* lastPanel = nullptr;
bool trackingArmed = false;

namespace {

HCURSOR waitCursorHandle = nullptr;
HCURSOR handCursorHandle = nullptr;

std::int32_t MouseX(LPARAM lParam) { return static_cast<std::int16_t>(LOWORD(lParam)); }

std::int32_t MouseY(LPARAM lParam) { return static_cast<std::int16_t>(HIWORD(lParam)); }

void LoadCursors() {
    if (waitCursorHandle == nullptr) waitCursorHandle = LoadCursorW(nullptr, IDC_WAIT);
    if (handCursorHandle == nullptr) handCursorHandle = LoadCursorW(nullptr, IDC_HAND);
}

void Activate(GUIElement* element, HWND window) {
    Form* form = dynamic_cast<Form*>(element);
    if (form == nullptr) return;
    lastPanel = nullptr;
    if (GetForegroundWindow() != window) {
        form->OnDeactivate();
        return;
    }
    if (activeForm != nullptr) activeForm->OnDeactivate();
    form->OnActivate();
    activeForm = form;
    // The owner of an open dialog is disabled, so the dialog is lifted above it:
    // it must stay where the user can reach it.
    Form* dialog = form->modalChild;
    if (dialog != nullptr && dialog->created && form->hwnd != nullptr) {
        SetWindowPos(dialog->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void MoveFocusByTab(GUIElement* element, HWND window) {
    HWND dialogWindow = window;
    Child* child = dynamic_cast<Child*>(element);
    if (child != nullptr && child->parent != nullptr) dialogWindow = child->parent->hwnd;
    bool previous = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = GetNextDlgTabItem(dialogWindow, window, previous);
    if (next == nullptr) return;
    GUIElement* target = FindElementByWindow(next);
    if (target != nullptr) target->Focus();
}

// A notification from a control window: buttons report every one, list boxes
// only a change of selection.
void RouteControlCommand(WPARAM wParam, LPARAM lParam) {
    GUIElement* element = FindElementByWindow(reinterpret_cast<HWND>(lParam));
    CommandElement* command = dynamic_cast<CommandElement*>(element);
    if (command == nullptr) return;
    if (dynamic_cast<ListBox*>(element) != nullptr && HIWORD(wParam) != LBN_SELCHANGE) return;
    if (command->onCommand != nullptr) command->onCommand(element);
}

void RouteCommand(WPARAM wParam, LPARAM lParam) {
    // Without a control window the command comes from a menu item (code 0) or
    // an accelerator (code 1, which no element handles).
    if (lParam == 0) {
        if (HIWORD(wParam) == 0) RunMenuCommand(LOWORD(wParam));
        return;
    }
    RouteControlCommand(wParam, lParam);
}

bool DrawOwnerButton(WPARAM wParam, LPARAM lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    Button* button = dynamic_cast<Button*>(FindElementById(static_cast<std::int32_t>(wParam)));
    if (button == nullptr || item == nullptr || item->CtlType != ODT_BUTTON) return false;
    button->DrawItem(*item);
    return true;
}

void Tick(WPARAM wParam) {
    Timer* timer = dynamic_cast<Timer*>(FindElementById(static_cast<std::int32_t>(wParam)));
    if (timer != nullptr && timer->onTick != nullptr) timer->onTick(timer);
}

bool Scroll(GUIElement* element, UINT message, WPARAM wParam) {
    PanelChildren* panel = dynamic_cast<PanelChildren*>(element);
    if (panel == nullptr) return false;
    bool vertical = message == WM_VSCROLL;
    if (!panel->HandleScroll(vertical ? SB_VERT : SB_HORZ, LOWORD(wParam))) return false;
    if (vertical) lastPanel = panel;
    return true;
}

// The wheel scrolls the panel that receives it, else the panel last clicked or
// scrolled. A panel keeps the message even when it has no vertical bar, so
// the wheel over such a tile never scrolls some other panel.
bool ScrollByWheel(GUIElement* element, WPARAM wParam) {
    PanelChildren* panel = dynamic_cast<PanelChildren*>(element);
    if (panel != nullptr) {
        panel->HandleWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    }
    return lastPanel != nullptr && lastPanel->HandleWheel(GET_WHEEL_DELTA_WPARAM(wParam));
}

void RouteNotification(LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr) return;
    GUIElement* source = FindElementByWindow(header->hwndFrom);
    if (source == nullptr) return;
    switch (static_cast<int>(header->code)) {
        case static_cast<int>(HDN_ITEMCHANGEDW): {
            const NMHEADERW* change = reinterpret_cast<const NMHEADERW*>(lParam);
            std::int32_t itemWidth = 0;
            if (change->pitem != nullptr && (change->pitem->mask & HDI_WIDTH) != 0) {
                itemWidth = change->pitem->cxy;
            }
            source->OnItemNotify(ItemNotification::Resized, {change->iItem, itemWidth}, {});
            break;
        }
        case static_cast<int>(HDN_ITEMCLICKW): {
            const NMHEADERW* click = reinterpret_cast<const NMHEADERW*>(lParam);
            source->OnItemNotify(ItemNotification::Clicked, {click->iItem}, {});
            break;
        }
        case static_cast<int>(NM_RCLICK):
            source->OnItemNotify(ItemNotification::RightClicked, {}, {});
            break;
        default:
            break;
    }
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

void RouteAppMessage(GUIElement* element, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = dynamic_cast<Form*>(element);
    if (form != nullptr && form->onAppMessage != nullptr) {
        form->onAppMessage(form, message, wParam, lParam);
    }
}

// True when the form took the new DPI; otherwise the window keeps its size.
bool ChangeDpi(GUIElement* element, WPARAM wParam, LPARAM lParam) {
    Form* form = dynamic_cast<Form*>(element);
    if (form == nullptr || form->onDpiChanged == nullptr || lParam == 0) return false;
    form->onDpiChanged(form, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return true;
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GUIElement* element = FindElementByWindow(window);
    LoadCursors();
    WNDPROC savedProc = element != nullptr ? element->oldWindowProc : nullptr;

    switch (message) {
        case WM_CREATE:
            if (dynamic_cast<Form*>(element) != nullptr) element->OnCreate(window);
            break;
        case WM_DESTROY:
            if (element != nullptr) element->OnDestroy();
            if (window == mainWindow) PostQuitMessage(0);
            break;
        case WM_MOVE:
            if (element != nullptr) element->OnMove();
            break;
        case WM_SIZE:
            if (element != nullptr) element->OnSize();
            break;
        case WM_ACTIVATE:
            Activate(element, window);
            break;
        case WM_SETFOCUS:
            if (element != nullptr) element->OnGotFocus();
            break;
        case WM_KILLFOCUS:
            if (element != nullptr) element->OnLostFocus();
            break;
        case WM_PAINT:
            if (element != nullptr) element->OnPaint();
            break;
        case WM_CLOSE:
            if (element != nullptr && !element->OnClose()) return 1;
            break;
        case WM_SHOWWINDOW:
            if (element != nullptr) {
                element->OnShow();
                element->OnSize();
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && element != nullptr) {
                if (element->GetHandCursor()) {
                    SetCursor(handCursorHandle);
                    return 1;
                }
                if (element->GetWaitCursor()) {
                    SetCursor(waitCursorHandle);
                    return 1;
                }
            }
            break;
        case WM_NOTIFY:
            RouteNotification(lParam);
            break;
        case WM_KEYDOWN:
            if (element != nullptr && element->OnKeyDown(static_cast<std::int32_t>(wParam))) {
                return 0;
            }
            if (wParam == VK_TAB) MoveFocusByTab(element, window);
            break;
        case WM_SYSKEYDOWN:
            // F10 is a system key; with Shift it asks for the context menu, which
            // a key handler may take before the menu bar opens.
            if (wParam == VK_F10 && element != nullptr && element->OnKeyDown(VK_F10)) return 0;
            break;
        case WM_KEYUP:
            if (element != nullptr) element->OnKeyUp(static_cast<std::int32_t>(wParam));
            break;
        case WM_CHAR:
            if (element != nullptr) {
                std::int32_t character = static_cast<std::int32_t>(wParam);
                bool passOn = element->OnChar(character);
                Child* child = dynamic_cast<Child*>(element);
                if (child != nullptr && child->parent != nullptr && child->parent->keyPreview) {
                    child->parent->OnChar(character);
                }
                if (!passOn) return 1;
            }
            break;
        case WM_DRAWITEM:
            if (DrawOwnerButton(wParam, lParam)) return TRUE;
            break;
        case WM_COMMAND:
            RouteCommand(wParam, lParam);
            break;
        case WM_TIMER:
            Tick(wParam);
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (Scroll(element, message, wParam)) return 0;
            break;
        case WM_DROPFILES:
            if (element != nullptr && element->onDropFiles) {
                DeliverDrop(*element, reinterpret_cast<HDROP>(wParam));
                return 0;
            }
            break;
        case WM_DPICHANGED:
            if (ChangeDpi(element, wParam, lParam)) return 0;
            break;
        case WM_MOUSEWHEEL:
            if (ScrollByWheel(element, wParam)) return 0;
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            if (element != nullptr) {
                HBRUSH brush = element->OnControlColor(reinterpret_cast<HDC>(wParam));
                if (brush != nullptr) return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_MOUSEMOVE:
            if (element != nullptr) {
                element->OnMouseMove(MouseX(lParam), MouseY(lParam));
                if (!trackingArmed) {
                    TRACKMOUSEEVENT tracking{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, window,
                                             HOVER_DEFAULT};
                    trackingArmed = TrackMouseEvent(&tracking) != FALSE;
                }
            }
            break;
        case WM_LBUTTONDOWN:
            if (element != nullptr) {
                element->OnLeftDown(MouseX(lParam), MouseY(lParam));
                lastPanel = dynamic_cast<PanelChildren*>(element);
            }
            break;
        case WM_LBUTTONUP:
            if (element != nullptr) element->OnLeftUp(MouseX(lParam), MouseY(lParam));
            break;
        case WM_LBUTTONDBLCLK:
            if (element != nullptr) element->OnLeftDoubleClick(MouseX(lParam), MouseY(lParam));
            break;
        case WM_RBUTTONDOWN:
            if (element != nullptr) element->OnRightDown(MouseX(lParam), MouseY(lParam));
            break;
        case WM_RBUTTONUP:
            if (element != nullptr) element->OnRightUp(MouseX(lParam), MouseY(lParam));
            break;
        case WM_RBUTTONDBLCLK:
            if (element != nullptr) element->OnRightDoubleClick(MouseX(lParam), MouseY(lParam));
            break;
        case WM_MOUSEHOVER:
            if (element != nullptr) element->OnMouseHover();
            break;
        case WM_MOUSELEAVE:
            trackingArmed = false;
            if (element != nullptr) element->OnMouseLeave();
            break;
        default:
            if (message >= WM_APP && message <= 0xBFFF) {
                RouteAppMessage(element, message, wParam, lParam);
            }
            break;
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
