#include "form.h"

#include <algorithm>

#include "dpi.h"
#include "win32_failure.h"
#include "window_class.h"
#include "window_procedure.h"

namespace OrvoUtility {

Form::Form(HINSTANCE moduleInstance, bool dialogStyle)
    : GUIElement(moduleInstance),
      modalChild(nullptr),
      topMost(true),
      minimizeBox(true),
      resizable(true),
      dialog(dialogStyle),
      modalFrame(false),
      icon(nullptr),
      iconId(0),
      dpi(WindowDpi(nullptr)),
      onAppMessage(nullptr),
      onDpiChanged(nullptr) {}

Form::~Form() {
    // `icon` comes from LoadIconW: a shared icon the system owns, never destroyed.
    if (created && hwnd != nullptr) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        created = false;
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    if (dispatcher.activeForm == this) dispatcher.activeForm = nullptr;
}

void Form::Create() {
    if (created) return;
    std::wstring windowName = text;
    id = dispatcher.NextId();
    const wchar_t* className = WindowClassFor(WindowKind::Form, instance);
    if (className == nullptr) return;

    DWORD style = WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
    if (visible) style |= WS_VISIBLE;
    DWORD extendedStyle = 0;
    if (dialog) {
        if (modalFrame) style |= DS_MODALFRAME;
        extendedStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
        if (topMost) extendedStyle |= WS_EX_TOPMOST;
    } else {
        if (resizable) style |= WS_THICKFRAME;
        if (minimizeBox) style |= WS_MINIMIZEBOX;
    }
    if (!resizable) style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    if (!enabled) style |= WS_DISABLED;

    hwnd = CreateWindowExW(extendedStyle, className, windowName.c_str(), style, left, top, width,
                           height, nullptr, nullptr, instance, this);
    // Left uncreated, so that its maker can tell.
    if (hwnd == nullptr) {
        RecordWin32Failure("CreateWindowExW");
        return;
    }
    if (dispatcher.mainWindow == nullptr) dispatcher.mainWindow = hwnd;
    OnCreate(hwnd);
    created = true;
    if (iconId != 0) SetIcon(iconId);
    ApplyFont();
    if (visible) ShowNow();
}

void Form::ShowNow() {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    visible = true;
}

void Form::OnCreateMessage(HWND window) { OnCreate(window); }

void Form::OnActivateMessage(HWND window) {
    dispatcher.lastPanel = nullptr;
    if (GetForegroundWindow() != window) return;
    dispatcher.activeForm = this;
    // The owner of an open dialog is disabled, so the dialog is lifted above it:
    // it must stay where the user can reach it.
    if (modalChild != nullptr && modalChild->created && hwnd != nullptr) {
        SetWindowPos(modalChild->hwnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void Form::OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (onAppMessage != nullptr) onAppMessage(this, message, wParam, lParam);
}

bool Form::OnQueryEndSession() { return onQueryEndSession == nullptr || onQueryEndSession(this); }

void Form::OnSettingChange() {
    if (onSettingChange != nullptr) onSettingChange(this);
}

void Form::OnMenuOpening() {
    if (onMenuOpening != nullptr) onMenuOpening(this);
}

bool Form::OnDpiChanged(std::int32_t dpi, const RECT& suggested) {
    if (onDpiChanged == nullptr) return false;
    onDpiChanged(this, dpi, suggested);
    return true;
}

void Form::SetClientSize(std::int32_t clientWidth, std::int32_t clientHeight) {
    if (!created) return;
    RECT outer;
    RECT client;
    if (!GetWindowRect(hwnd, &outer) || !GetClientRect(hwnd, &client)) {
        RecordWin32Failure("GetWindowRect");
        return;
    }
    std::int32_t frameWidth =
        std::max<std::int32_t>(0, (outer.right - outer.left) - (client.right - client.left));
    std::int32_t frameHeight =
        std::max<std::int32_t>(0, (outer.bottom - outer.top) - (client.bottom - client.top));
    GetPosition();
    width = frameWidth + clientWidth;
    height = frameHeight + clientHeight;
    SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOMOVE);
    Redraw();
}

void Form::CenterOnScreen() {
    std::int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN);
    std::int32_t screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT outer;
    if (created && GetWindowRect(hwnd, &outer)) {
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
    }
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
    if (!created) return;
    SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOSIZE);
    Redraw();
}

void Form::SetIcon(std::uint32_t resourceId) {
    iconId = resourceId;
    if (!created) return;
    icon = LoadIconW(instance, MAKEINTRESOURCEW(resourceId));
    if (icon == nullptr) {
        RecordWin32Failure("LoadIconW");
        return;
    }
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace OrvoUtility
