// The painting primitives, pixel by pixel against what the system itself
// draws on a canvas of the same size, and what they leave behind.
#include "font_description.h"
#include "test_support.h"

namespace ToolkitTests {

const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
const COLORREF red = RGB(165, 42, 42), blue = RGB(0, 0, 255);

// What the system draws for the text with the font; an empty box's corner
// asks for TextOutW at that point instead of DrawTextW.
void SystemText(Canvas& canvas, const std::wstring& text, FontDescription* font, RECT box,
                UINT format = 0) {
    SetBkMode(canvas.dc, TRANSPARENT);
    HGDIOBJ previous =
        SelectObject(canvas.dc, font ? font->GetHandle() : GetStockObject(SYSTEM_FONT));
    if (box.right == 0) {
        TextOutW(canvas.dc, box.left, box.top, text.c_str(), static_cast<int>(text.size()));
    } else {
        DrawTextW(canvas.dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    }
    SelectObject(canvas.dc, previous);
}

TEST(DrawingTest, FillAndFrameCoverExactlyTheirBox) {
    Canvas canvas(64, 64, white);
    canvas.drawing.FillRectangle(10, 10, 20, 15, red);
    EXPECT_EQ(canvas.Count(red), 20 * 15);
    EXPECT_EQ(canvas.At(29, 24), red);
    canvas.drawing.FrameRectangle(5, 5, 20, 10, blue);
    EXPECT_EQ(canvas.Count(blue), 2 * 20 + 2 * (10 - 2));
    EXPECT_EQ(canvas.At(24, 14), blue);
    EXPECT_EQ(canvas.At(10, 10), red);  // inside stays untouched
}

TEST(DrawingTest, TextEndsInAnEllipsisWhenItDoesNotFit) {
    FontDescription font("Tahoma", 16);
    const std::wstring text = L"Tom & Jerry, una descrizione che non entra";
    Canvas drawn(120, 30, white), ended(120, 30, white);
    drawn.drawing.DrawText(0, 5, 120, 20, text, black, &font, TextAlignment::Left);
    SystemText(ended, text, &font, RECT{0, 5, 120, 25}, DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_TRUE(drawn.SameAs(ended));
}

// GetGuiResources reads 0 under Wine, so a leak is proved by exhaustion: every
// round below makes and drops several GDI objects, more rounds than the process
// handle table holds, and creating an object still works at the end.
TEST(DrawingTest, PrimitivesAndFontsReleaseEveryGdiObject) {
    Canvas canvas(64, 64, white);
    HBITMAP sprite = CreateBitmap(8, 8, 1, 32, nullptr);
    FontDescription shared("Tahoma", 12);
    for (int round = 0; round < 70000; ++round) {
        canvas.drawing.FillRectangle(0, 0, 10, 10, RGB(round & 0xFF, 0, 0));
        canvas.drawing.FrameRectangle(0, 0, 10, 10, RGB(0, round & 0xFF, 0));
        canvas.drawing.DrawText(0, 0, 40, 20, L"x", black, &shared, TextAlignment::Center);
        canvas.drawing.DrawTransparentBitmap(20, 20, 0, 0, sprite);
        FontDescription font("Arial", 10 + round % 7);
        canvas.drawing.GetFontHeight(&font);
    }
    EXPECT_TRUE(DeleteObject(CreateSolidBrush(RGB(1, 2, 3))));
    DeleteObject(sprite);
}

}  // namespace ToolkitTests
