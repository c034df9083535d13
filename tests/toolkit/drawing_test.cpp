// The painting primitives, pixel by pixel against what the system itself
// draws on a canvas of the same size.
#include "drawing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "font_description.h"
#include "test_support.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

const COLORREF white = RGB(255, 255, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF red = RGB(165, 42, 42);
const COLORREF blue = RGB(0, 0, 255);
const COLORREF green = RGB(0, 200, 0);

// The format that asks for TextOutW at the box's corner instead of DrawTextW.
constexpr UINT unboxed = ~0u;

// What the system draws for the text with the font on a fresh canvas.
void SystemText(Canvas& canvas, const std::wstring& text, FontDescription* font, RECT box,
                UINT format) {
    SetBkMode(canvas.dc, TRANSPARENT);
    HGDIOBJ previous =
        SelectObject(canvas.dc, font ? font->GetHandle() : GetStockObject(SYSTEM_FONT));
    if (format == unboxed) {
        TextOutW(canvas.dc, box.left, box.top, text.c_str(), static_cast<int>(text.size()));
    } else {
        DrawTextW(canvas.dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    }
    SelectObject(canvas.dc, previous);
}

int LeftmostInk(const Canvas& canvas) {
    for (int x = 0; x < canvas.width; ++x) {
        for (int y = 0; y < canvas.height; ++y) {
            if (canvas.At(x, y) != white) return x;
        }
    }
    return -1;
}

TEST(DrawingTest, FillAndFrameCoverExactlyTheirBox) {
    Canvas canvas(64, 64, white);
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(canvas.dc);
    drawing.FillRectangle(10, 10, 20, 15, red);
    EXPECT_EQ(canvas.Count(red), 20 * 15);
    EXPECT_EQ(canvas.At(29, 24), red);
    drawing.FrameRectangle(5, 5, 20, 10, blue);
    EXPECT_EQ(canvas.Count(blue), 2 * 20 + 2 * (10 - 2));
    EXPECT_EQ(canvas.At(24, 14), blue);
    EXPECT_EQ(canvas.At(10, 10), red);  // inside stays untouched
    drawing.EndDrawing();
}

TEST(DrawingTest, TransparentBitmapLeavesTheTargetUnderBlack) {
    Canvas canvas(64, 64, red);
    // An 8 x 8 picture: left half black, right half green.
    std::uint32_t pixels[8 * 8];
    for (int i = 0; i < 8 * 8; ++i) pixels[i] = i % 8 < 4 ? 0 : GetGValue(green) << 8;
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, pixels);
    // Colours of the target context must not leak into the result.
    SetBkColor(canvas.dc, RGB(128, 128, 128));
    SetTextColor(canvas.dc, RGB(10, 20, 30));
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(canvas.dc);
    drawing.DrawTransparentBitmap(2, 3, 0, 0, bitmap);
    EXPECT_EQ(canvas.Count(green), 4 * 8);
    EXPECT_EQ(canvas.At(5, 10), red);
    EXPECT_EQ(canvas.At(6, 3), green);
    EXPECT_EQ(canvas.At(10, 3), red);
    // Stretched to twice its size.
    drawing.DrawTransparentBitmap(20, 20, 16, 16, bitmap);
    EXPECT_EQ(canvas.Count(green), 4 * 8 + 8 * 16);
    EXPECT_EQ(canvas.At(27, 35), red);
    EXPECT_EQ(canvas.At(28, 20), green);
    EXPECT_EQ(GetBkColor(canvas.dc), RGB(128, 128, 128));
    EXPECT_EQ(GetTextColor(canvas.dc), RGB(10, 20, 30));
    DeleteObject(bitmap);
}

TEST(DrawingTest, TextIsCutAt1023CharactersAndEndsInAnEllipsisWhenItDoesNotFit) {
    std::wstring longText;
    for (int i = 0; i < 2000; ++i) longText += static_cast<wchar_t>(L'A' + i % 26);
    const int wide = 1024 * 40;
    Canvas cut(wide, 24, white);
    SystemText(cut, longText.substr(0, 1023), nullptr, RECT{0, 0, 0, 0}, unboxed);
    Canvas longer(wide, 24, white);
    SystemText(longer, longText.substr(0, 1024), nullptr, RECT{0, 0, 0, 0}, unboxed);
    // Unboxed and boxed alike.
    for (int boxWidth : {0, wide}) {
        Canvas drawn(wide, 24, white);
        Drawing drawing(nullptr);
        drawing.AttachDeviceContext(drawn.dc);
        drawing.DrawText(0, 0, boxWidth, 24, longText, black, nullptr, TextAlignment::Left);
        EXPECT_TRUE(drawn.SameAs(cut)) << boxWidth;
        EXPECT_FALSE(drawn.SameAs(longer)) << boxWidth;
    }

    FontDescription font("Tahoma", 16);
    const std::wstring text = L"Tom & Jerry, una descrizione che non entra";
    Canvas drawn(120, 30, white);
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(drawn.dc);
    drawing.DrawText(0, 5, 120, 20, text, black, &font, TextAlignment::Left);
    Canvas ended(120, 30, white);
    SystemText(ended, text, &font, RECT{0, 5, 120, 25}, DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_TRUE(drawn.SameAs(ended));
}

TEST(DrawingTest, TextAlignsInItsBoxAndWithoutABoxStandsAtItsPoint) {
    FontDescription font("Tahoma", 16);
    Canvas plain(300, 40, white);
    SystemText(plain, L"Zelmivo", &font, RECT{100, 5, 0, 0}, unboxed);
    for (TextAlignment alignment :
         {TextAlignment::Left, TextAlignment::Right, TextAlignment::Center}) {
        for (SIZE box : {SIZE{0, 30}, SIZE{150, 0}}) {
            Canvas unboxed(300, 40, white);
            Drawing drawing(nullptr);
            drawing.AttachDeviceContext(unboxed.dc);
            drawing.DrawText(100, 5, box.cx, box.cy, L"Zelmivo", black, &font, alignment);
            EXPECT_TRUE(unboxed.SameAs(plain)) << static_cast<int>(alignment);
        }
    }
    const struct {
        TextAlignment alignment;
        int leftmostFrom;
        int leftmostTo;
    } cases[] = {{TextAlignment::Left, 0, 4},
                 {TextAlignment::Right, 201, 299},
                 {TextAlignment::Center, 100, 140}};
    for (const auto& c : cases) {
        Canvas canvas(300, 40, white);
        Drawing drawing(nullptr);
        drawing.AttachDeviceContext(canvas.dc);
        drawing.DrawText(0, 5, 300, 30, L"Zelmivo", blue, &font, c.alignment);
        EXPECT_GE(LeftmostInk(canvas), c.leftmostFrom) << c.leftmostFrom;
        EXPECT_LE(LeftmostInk(canvas), c.leftmostTo) << c.leftmostFrom;
        // The colour and font of the context come back afterwards.
        EXPECT_EQ(GetTextColor(canvas.dc), black);
        EXPECT_NE(GetCurrentObject(canvas.dc, OBJ_FONT), font.GetHandle());
    }
    Drawing measuring(nullptr);
    measuring.AttachDeviceContext(plain.dc);
    EXPECT_EQ(measuring.GetFontHeight(&font), 16);
}

}  // namespace
}  // namespace ToolkitTests
