// A top-level window of a window class of its own; the first form whose window
// is created is the main window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "gui_element.h"

namespace OrvoUtility {

class Form;

// A message of the program's own (WM_APP and above) posted to the form's
// window: how work done on another thread reports back to the window's thread.
using AppMessageHandler =
    std::function<void(Form* form, UINT message, WPARAM wParam, LPARAM lParam)>;
// The window now shows at another DPI (moved to another monitor, or the scale
// changed): the new DPI and the window rectangle the system suggests for it.
using DpiChangedHandler = std::function<void(Form* form, std::int32_t dpi, const RECT& suggested)>;
// Windows asks whether the session may end; false holds it.
using EndSessionHandler = std::function<bool(Form* form)>;

class Form : public GUIElement {
public:
    // The standard frame; `dialog` true gives the dialog frame.
    explicit Form(HINSTANCE instance, bool dialogStyle = false);
    ~Form() override;

    // Made hidden when `visible` is false, for its maker to fill in first and
    // show once with ShowNow: every window shown is painted once, not again
    // after each step.
    void Create() override;
    // Shows the window in front and paints it and its children at once.
    void ShowNow();
    // The form reports its window's creation and keeps track of activation.
    void OnCreateMessage(HWND window) override;
    void OnActivateMessage(HWND window) override;
    void OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnDpiChanged(std::int32_t dpi, const RECT& suggested) override;
    bool OnQueryEndSession() override;
    void OnMenuOpening() override;
    void OnSettingChange() override;
    void SetClientSize(std::int32_t clientWidth, std::int32_t clientHeight);
    void CenterOnScreen();
    void SetIcon(std::uint32_t resourceId);

    Form* modalChild;  // not owned
    bool topMost;
    bool minimizeBox;
    bool resizable;
    bool dialog;
    bool modalFrame;
    HICON icon;
    std::uint32_t iconId;
    // The DPI the form's contents are laid out for, 96 being 100%: the
    // system's until whoever lays them out takes another. Its dialogs open at it.
    std::int32_t dpi;
    AppMessageHandler onAppMessage;
    DpiChangedHandler onDpiChanged;
    EndSessionHandler onQueryEndSession;
    // A menu of the bar is about to open: the moment to set its checks.
    std::function<void(Form* form)> onMenuOpening;
    // The system's settings or colours changed (high contrast among them).
    std::function<void(Form* form)> onSettingChange;
};

}  // namespace OrvoUtility
