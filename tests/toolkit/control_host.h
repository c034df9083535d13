// A live form for the control tests to put their elements in, and a bitmap
// the tests paint into or copy windows into and read back pixel by pixel.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "form.h"
#include "gui_element.h"

namespace ZelmivoTests {

// One form serves a whole suite: under Wine, taking down an active top-level
// window waits two seconds for the focus to move.
class ControlHost : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    // Destroys the child windows first, so that they are gone before their
    // elements (a panel can only give back its window class then).
    void TearDown() override;

    // The element lives until the end of the test.
    template <typename Element, typename... Arguments>
    Element* Add(Arguments&&... arguments) {
        auto element = std::make_unique<Element>(std::forward<Arguments>(arguments)...);
        Element* raw = element.get();
        elements.push_back(std::move(element));
        return raw;
    }

    // Runs every message waiting in the queue.
    static void PumpMessages();

    static std::unique_ptr<OrvoUtility::Form> form;
    std::vector<std::unique_ptr<OrvoUtility::GUIElement>> elements;
};

// A top-down 32-bit DIB section selected into a memory context.
class PixelCanvas {
public:
    PixelCanvas(int canvasWidth, int canvasHeight);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // Repaints the window and copies its client area from the screen.
    void CopyWindow(HWND window);
    COLORREF At(int x, int y) const;
    // The smallest box holding every pixel of this colour inside the area
    // (right and bottom inclusive); empty (left > right) when there is none.
    RECT BoundsOf(COLORREF color, RECT area) const;
    // The same for every pixel of another colour (smoothed text has many).
    RECT BoundsExcept(COLORREF background, RECT area) const;
    int Count(COLORREF color, RECT area) const;

    int width;
    int height;
    HDC dc;

private:
    RECT Bounds(COLORREF color, bool matching, RECT area) const;

    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    const std::uint32_t* bits;
};

// A 32 x 32 icon of one colour, fully opaque; the caller destroys it.
HICON MakeSolidIcon(COLORREF color);
// A bitmap of one colour; the caller deletes it.
HBITMAP MakeSolidBitmap(int bitmapWidth, int bitmapHeight, COLORREF color);

}  // namespace ZelmivoTests
