// Shared pieces of the toolkit tests: a message pump, a guarded loop, a
// fixture that checks every test leaves no element behind, and a bitmap whose
// pixels a test reads.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing.h"
#include "form.h"
#include "message_pump.h"
#include "window_procedure.h"

namespace ToolkitTests {

using namespace OrvoUtility;

using ZelmivoTest::PumpMessages;

// Runs the toolkit's message loop; false when a guard had to end it because
// nothing else did within ten seconds. The guard stops its own timer, so the
// timer is still there to stop afterwards only when the guard never fired.
inline bool RunMessageLoopGuarded() {
    UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostQuitMessage(0);
    });
    RunMessageLoop();
    return KillTimer(nullptr, guard) != FALSE;
}

inline HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// Every test starts with no main window and leaves no element behind.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { dispatcher.mainWindow = nullptr; }
    void TearDown() override {
        PumpMessages();
        EXPECT_TRUE(dispatcher.elements.empty());
    }
};

// A memory context over a top-down 32-bit DIB section whose pixels the test
// reads, with a painting pass attached to it.
class Canvas {
public:
    Canvas(int canvasWidth, int canvasHeight, COLORREF fill)
        : width(canvasWidth), height(canvasHeight) {
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                        {}};
        SelectObject(dc, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&pixels), nullptr, 0));
        std::fill_n(pixels, width * height, Swapped(fill));
        drawing.AttachDeviceContext(dc);
    }
    // Deleting a memory context deselects its bitmap, which can go then.
    ~Canvas() {
        HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }

    // Repaints the window and copies its client area from the screen.
    void CopyWindow(HWND window) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC screen = GetDC(window);
        BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        return Swapped(pixels[y * width + x]);
    }
    int Count(COLORREF color) const {
        GdiFlush();
        return static_cast<int>(std::count_if(pixels, pixels + width * height,
                                              [&](COLORREF p) { return Swapped(p) == color; }));
    }
    bool SameAs(const Canvas& other) const {
        GdiFlush();
        return std::equal(pixels, pixels + width * height, other.pixels,
                          [](COLORREF a, COLORREF b) { return Swapped(a) == Swapped(b); });
    }

    const int width, height;
    const HDC dc = CreateCompatibleDC(nullptr);
    Drawing drawing{nullptr};  // non-copyable, and so is the canvas

private:
    // A pixel holds 0x00RRGGBB and a COLORREF 0x00BBGGRR: one swap turns
    // either into the other.
    static COLORREF Swapped(COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); }
    std::uint32_t* pixels;
};

}  // namespace ToolkitTests
