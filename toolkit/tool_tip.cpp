#include "tool_tip.h"

// windows.h comes first: commctrl.h builds on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "win32_failure.h"

namespace OrvoUtility {

namespace {

// A tool named by its window: the control follows its mouse by subclassing it.
TOOLINFOW ToolInfo(HWND tool, std::wstring* text) {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text != nullptr ? &(*text)[0] : nullptr;
    return info;
}

}  // namespace

ToolTip::~ToolTip() {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
}

void ToolTip::SetText(HWND owner, HWND tool, const std::wstring& text, std::int32_t maxWidth) {
    if (tool == nullptr) return;
    if (window == nullptr || !IsWindow(window)) {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        window =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
        if (window == nullptr) {
            RecordWin32Failure("CreateWindowExW");
            return;
        }
        texts.clear();
    }
    // A width of its own makes the control break the text at its line breaks.
    SendMessageW(window, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    auto known = texts.find(tool);
    if (known != texts.end() && known->second == text) return;
    // The control keeps a copy of the text.
    std::wstring buffer = text;
    TOOLINFOW info = ToolInfo(tool, &buffer);
    if (known == texts.end()) {
        if (SendMessageW(window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) == FALSE) {
            RecordWin32Failure("TTM_ADDTOOLW");
            return;
        }
    } else {
        SendMessageW(window, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    texts[tool] = text;
}

void ToolTip::Remove(HWND tool) {
    auto known = texts.find(tool);
    if (known == texts.end()) return;
    texts.erase(known);
    if (window == nullptr || !IsWindow(window)) return;
    TOOLINFOW info = ToolInfo(tool, nullptr);
    SendMessageW(window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace OrvoUtility
