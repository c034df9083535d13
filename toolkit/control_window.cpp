#include "control_window.h"

#include "gui_element.h"
#include "win32_failure.h"

namespace OrvoUtility {

void CreateControlWindow(GUIElement& element, const wchar_t* className, DWORD style,
                         DWORD extendedStyle) {
    element.id = dispatcher.NextId();
    HWND parentWindow =
        element.parent != nullptr ? static_cast<HWND>(element.parent->hwnd) : nullptr;
    element.hwnd = CreateWindowExW(
        extendedStyle, className, element.text.c_str(), style, element.left, element.top,
        element.width, element.height, parentWindow,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(element.id)), nullptr, nullptr);
    if (element.hwnd == nullptr) RecordWin32Failure("CreateWindowExW");
}

void FinishControlWindow(GUIElement& element) {
    if (!element.created) return;
    element.ApplyFont();
}

}  // namespace OrvoUtility
