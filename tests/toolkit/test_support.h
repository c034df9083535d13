// Shared pieces of the toolkit tests: a message pump, a bitmap whose pixels a
// test reads, and a fixture that checks every test leaves no element behind.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "gui_element.h"

namespace ToolkitTests {

// Dispatches every queued message, a pending quit included.
void PumpMessages();

// Runs the toolkit's message loop; false when a guard had to end it because
// nothing else did within ten seconds.
bool RunMessageLoopGuarded();

HINSTANCE Instance();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A memory context over a top-down 32-bit DIB section whose pixels the test reads.
class Canvas {
public:
    Canvas(int canvasWidth, int canvasHeight, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Repaints the window and copies its client area from the screen.
    void CopyWindow(HWND window);
    COLORREF At(int x, int y) const;
    int Count(COLORREF color) const;
    bool SameAs(const Canvas& other) const;

    int width;
    int height;
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ previous;
    std::uint32_t* pixels;
};

}  // namespace ToolkitTests
