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
#include "window_procedure.h"

namespace ToolkitTests {

using namespace OrvoUtility;

// Dispatches every queued message, a pending quit included.
inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Runs the toolkit's message loop; false when a guard had to end it because
// nothing else did within ten seconds.
inline bool RunMessageLoopGuarded() {
    static bool guardFired;
    guardFired = false;
    UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
        guardFired = true;
        PostQuitMessage(0);
    });
    RunMessageLoop();
    KillTimer(nullptr, guard);
    return !guardFired;
}

inline HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow = nullptr;
        activeForm = nullptr;
    }
    void TearDown() override {
        PumpMessages();
        EXPECT_TRUE(elementRegistry.empty());
        mainWindow = nullptr;
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
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels = static_cast<std::uint32_t*>(bits);
        previous = SelectObject(dc, bitmap);
        std::fill_n(pixels, width * height, Pixel(fill));
        drawing.AttachDeviceContext(dc);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

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
        std::uint32_t p = pixels[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(COLORREF color) const {
        GdiFlush();
        return static_cast<int>(
            std::count_if(pixels, pixels + width * height,
                          [&](std::uint32_t p) { return (p & 0xFFFFFF) == Pixel(color); }));
    }
    bool SameAs(const Canvas& other) const {
        GdiFlush();
        return std::equal(
            pixels, pixels + width * height, other.pixels,
            [](std::uint32_t a, std::uint32_t b) { return ((a ^ b) & 0xFFFFFF) == 0; });
    }

    const int width;
    const int height;
    const HDC dc = CreateCompatibleDC(nullptr);
    Drawing drawing{nullptr};

private:
    static std::uint32_t Pixel(COLORREF c) {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    HBITMAP bitmap;
    HGDIOBJ previous;
    std::uint32_t* pixels;
};

}  // namespace ToolkitTests
