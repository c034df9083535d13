// An element's tooltip: a tooltip control over the element's window that
// shows its toolTipText.
// windows.h comes first: commctrl.h builds on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "gui_element.h"
#include "text.h"
#include "win32_failure.h"

namespace OrvoUtility {

namespace {

// Tooltip texts are copied into a buffer of this many characters, the last one
// reserved for the terminator.
constexpr std::size_t toolTipBufferLength = 2024;
constexpr LPARAM maxToolTipWidth = 600;

}  // namespace

void GUIElement::FillToolInfo(HWND host, TOOLINFOW& info, std::wstring& buffer) {
    buffer = Common::NarrowToWide(toolTipText);
    if (buffer.size() > toolTipBufferLength - 1) buffer.resize(toolTipBufferLength - 1);
    info = TOOLINFOW();
    // The size of the record without its reserved tail, as every common-controls
    // version accepts it, measured for this build rather than a fixed byte count.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = host;
    info.uId = reinterpret_cast<UINT_PTR>(host);
    GetClientRect(host, &info.rect);
    info.hinst = nullptr;
    info.lpszText = &buffer[0];
}

void GUIElement::CreateToolTip(HWND host) {
    if (toolTipText.empty() || host == nullptr) return;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
    toolTipWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, host,
                                    nullptr, nullptr, nullptr);
    if (toolTipWindow == nullptr) {
        RecordWin32Failure("CreateWindowExW");
        return;
    }
    SetWindowPos(toolTipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A width of its own makes the control break the text at its line breaks.
    SendMessageW(toolTipWindow, TTM_SETMAXTIPWIDTH, 0, maxToolTipWidth);
    TOOLINFOW info;
    std::wstring buffer;
    FillToolInfo(host, info, buffer);
    SendMessageW(toolTipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void GUIElement::RefreshToolTip() {
    if (toolTipWindow == nullptr) {
        CreateToolTip(hwnd);
        return;
    }
    TOOLINFOW info;
    std::wstring buffer;
    FillToolInfo(hwnd, info, buffer);
    SendMessageW(toolTipWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(toolTipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace OrvoUtility
