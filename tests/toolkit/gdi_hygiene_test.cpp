#include <gtest/gtest.h>
#include <windows.h>

#include "drawing.h"
#include "font_description.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

// GetGuiResources reads 0 under Wine, so a leak is proved by exhaustion: every
// round below makes and drops several GDI objects, more rounds than the process
// handle table holds, and creating an object still works at the end.
TEST(GdiHygiene, PrimitivesAndFontsReleaseEverything) {
    const int rounds = 70000;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 64, 64);
    HBITMAP sprite = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(target, surface);
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(target);
    FontDescription shared("Tahoma", 12);
    for (int round = 0; round < rounds; ++round) {
        drawing.FillRectangle(0, 0, 10, 10, RGB(round & 0xFF, 0, 0));
        drawing.FrameRectangle(0, 0, 10, 10, RGB(0, round & 0xFF, 0));
        drawing.DrawText(0, 0, 40, 20, L"x", RGB(0, 0, 0), &shared, TextAlignment::Center);
        drawing.DrawTransparentBitmap(20, 20, 0, 0, sprite);
        FontDescription font("Arial", 10 + round % 7);
        drawing.GetFontHeight(&font);
    }
    drawing.EndDrawing();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(brush, nullptr);
    DeleteObject(brush);
    SelectObject(target, previous);
    DeleteObject(sprite);
    DeleteObject(surface);
    DeleteDC(target);
}

}  // namespace
}  // namespace ToolkitTests
