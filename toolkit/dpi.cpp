#include "dpi.h"

namespace OrvoUtility {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: older systems have no GetDpiForWindow to link against.
GetDpiForWindowFunction DpiForWindowFunction() {
    static const GetDpiForWindowFunction function = [] {
        HMODULE user = GetModuleHandleW(L"user32.dll");
        FARPROC found = user != nullptr ? GetProcAddress(user, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(found));
    }();
    return function;
}

}  // namespace

std::int32_t WindowDpi(HWND window) {
    GetDpiForWindowFunction dpiForWindow = DpiForWindowFunction();
    if (dpiForWindow != nullptr && window != nullptr) {
        UINT dpi = dpiForWindow(window);
        if (dpi != 0) return static_cast<std::int32_t>(dpi);
    }
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return defaultDpi;
    std::int32_t dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : defaultDpi;
}

std::int32_t ScaleForDpi(std::int32_t value, std::int32_t dpi) {
    return MulDiv(value, dpi, defaultDpi);
}

std::unique_ptr<FontDescription> SystemFontAt(std::int32_t dpi) {
    auto description = std::make_unique<FontDescription>();
    LOGFONTW system{};
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system) == 0) {
        description->height = ScaleForDpi(16, dpi);
        description->bold = true;
        return description;
    }
    description->faceName = system.lfFaceName;
    description->height = MulDiv(system.lfHeight, dpi, WindowDpi(nullptr));
    description->bold = system.lfWeight >= FW_BOLD;
    return description;
}

std::unique_ptr<FontDescription> ControlFontAt(std::int32_t dpi) {
    LOGFONTW system{};
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system) == 0) return nullptr;
    std::unique_ptr<FontDescription> description = SystemFontAt(dpi);
    // Its width does not follow the system's DPI (Wine keeps 7 pixels at 96
    // and at 144): a 96-DPI measure. Rounded down, so that a text never
    // outgrows the box scaled for it.
    description->width = system.lfWidth * dpi / defaultDpi;
    if (description->height == system.lfHeight && description->width == system.lfWidth) {
        return nullptr;
    }
    return description;
}

}  // namespace OrvoUtility
