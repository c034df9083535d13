#include "form.h"

#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"
#include "window_procedure.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

class FormWindow : public WindowTest {};

struct StyleCase {
    const char* name;
    std::function<void(Form&)> configure;
    bool dialog;
    DWORD style;
    DWORD extendedStyle;
};

TEST_F(FormWindow, StylesFollowTheFlags) {
    const DWORD base = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
    const StyleCase cases[] = {
        {"normal", [](Form&) {}, false, base | WS_THICKFRAME | WS_MINIMIZEBOX, 0},
        {"normal fixed size", [](Form& f) { f.resizable = false; }, false,
         (base & ~WS_MAXIMIZEBOX) | WS_MINIMIZEBOX, 0},
        {"normal without minimize box", [](Form& f) { f.minimizeBox = false; }, false,
         base | WS_THICKFRAME, 0},
        {"normal ignores dialog flags",
         [](Form& f) {
             f.modalFrame = true;
             f.topMost = true;
         },
         false, base | WS_THICKFRAME | WS_MINIMIZEBOX, 0},
        {"normal disabled", [](Form& f) { f.enabled = false; }, false,
         base | WS_THICKFRAME | WS_MINIMIZEBOX | WS_DISABLED, 0},
        {"dialog", [](Form&) {}, true, base,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {"dialog modal frame", [](Form& f) { f.modalFrame = true; }, true, base | DS_MODALFRAME,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {"dialog fixed size ignores minimize box",
         [](Form& f) {
             f.resizable = false;
             f.minimizeBox = true;
         },
         true, base & ~WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {"dialog not topmost", [](Form& f) { f.topMost = false; }, true, base,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW},
        {"dialog disabled", [](Form& f) { f.enabled = false; }, true, base | WS_DISABLED,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
    };
    const DWORD styleMask = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX |
                            WS_THICKFRAME | WS_DISABLED | DS_MODALFRAME;
    const DWORD extendedMask = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    for (const StyleCase& styleCase : cases) {
        SCOPED_TRACE(styleCase.name);
        mainWindow = nullptr;
        Form form(Instance(), styleCase.dialog);
        EXPECT_EQ(form.dialog, styleCase.dialog);
        styleCase.configure(form);
        form.Create();
        ASSERT_NE(form.hwnd, nullptr);
        // The first form made becomes the main window, a dialog too.
        EXPECT_EQ(mainWindow, form.hwnd);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(form.hwnd, GWL_STYLE)) & styleMask,
                  styleCase.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(form.hwnd, GWL_EXSTYLE)) & extendedMask,
                  styleCase.extendedStyle);
        PumpMessages();
    }
}

TEST_F(FormWindow, ClientSizeIsExact) {
    Form form(Instance());
    form.SetClientSize(400, 250);
    EXPECT_EQ(form.width, 100);
    form.Create();
    form.SetClientSize(400, 250);
    RECT client;
    GetClientRect(form.hwnd, &client);
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(client.bottom - client.top, 250);
    RECT outer;
    GetWindowRect(form.hwnd, &outer);
    EXPECT_GT(outer.right - outer.left, 400);
    EXPECT_GT(outer.bottom - outer.top, 250);
    EXPECT_EQ(form.width, outer.right - outer.left);
    EXPECT_EQ(form.height, outer.bottom - outer.top);
}

TEST_F(FormWindow, CenterOnScreenBeforeAndAfterCreate) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Form form(Instance());
    form.Resize(301, 201);
    form.CenterOnScreen();
    form.Create();
    RECT outer;
    GetWindowRect(form.hwnd, &outer);
    EXPECT_EQ(outer.left, (screenWidth - 301) / 2);
    EXPECT_EQ(outer.top, (screenHeight - 201) / 2);

    form.MoveTo(0, 0);
    form.Resize(500, 300);
    form.CenterOnScreen();
    GetWindowRect(form.hwnd, &outer);
    EXPECT_EQ(outer.left, (screenWidth - 500) / 2);
    EXPECT_EQ(outer.top, (screenHeight - 300) / 2);
    EXPECT_EQ(outer.right - outer.left, 500);
}

COLORREF ClientPixel(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, 20, 20);
    ReleaseDC(window, dc);
    return pixel;
}

TEST_F(FormWindow, BackgroundBrushFollowsBackColor) {
    Form plain(Instance());
    plain.Create();
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(plain.hwnd, GCLP_HBRBACKGROUND)),
              GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(ClientPixel(plain.hwnd), GetSysColor(COLOR_BTNFACE));

    wchar_t className[64] = L"";
    {
        Form coloured(Instance());
        coloured.backColor = RGB(165, 42, 42);
        coloured.Create();
        HBRUSH brush =
            reinterpret_cast<HBRUSH>(GetClassLongPtrW(coloured.hwnd, GCLP_HBRBACKGROUND));
        LOGBRUSH description{};
        ASSERT_EQ(GetObjectW(brush, sizeof(description), &description),
                  static_cast<int>(sizeof(description)));
        EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(description.lbColor, RGB(165, 42, 42));
        EXPECT_EQ(ClientPixel(coloured.hwnd), RGB(165, 42, 42));
        GetClassNameW(coloured.hwnd, className, 64);
    }
    // The form's own class and brush go with it.
    WNDCLASSW unused;
    EXPECT_FALSE(GetClassInfoW(Instance(), className, &unused));
}

TEST_F(FormWindow, IconWithoutResourceKeepsNone) {
    Form form(Instance());
    form.SetIcon(1005);
    EXPECT_EQ(form.iconId, 1005u);
    form.Create();
    form.SetIcon(1005);
    EXPECT_EQ(form.icon, nullptr);
    EXPECT_EQ(SendMessageW(form.hwnd, WM_GETICON, ICON_SMALL, 0), 0);
}

}  // namespace
}  // namespace ToolkitTests
