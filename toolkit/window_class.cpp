#include "window_class.h"

#include "win32_failure.h"
#include "window_procedure.h"

namespace OrvoUtility {

namespace {

bool Register(const wchar_t* name, UINT style, HINSTANCE instance) {
    WNDCLASSW windowClass = WNDCLASSW();
    windowClass.style = style;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    // No brush: each window erases in its own colour.
    windowClass.lpszClassName = name;
    if (RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        return true;
    }
    RecordWin32Failure("RegisterClassW");
    return false;
}

}  // namespace

const wchar_t* WindowClassFor(WindowKind kind, HINSTANCE instance) {
    if (kind == WindowKind::Form) {
        static const bool form = Register(L"Window", CS_VREDRAW | CS_HREDRAW, instance);
        return form ? L"Window" : nullptr;
    }
    static const bool panel = Register(L"PanelChildren", 0, instance);
    return panel ? L"PanelChildren" : nullptr;
}

}  // namespace OrvoUtility
