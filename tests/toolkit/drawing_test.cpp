#include "drawing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "font_description.h"
#include "form.h"
#include "test_support.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

const COLORREF white = RGB(255, 255, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF red = RGB(165, 42, 42);
const COLORREF blue = RGB(0, 0, 255);
const COLORREF green = RGB(0, 200, 0);

TEST(DrawingTest, FillAndFrameCoverExactlyTheirBox) {
    Canvas canvas(64, 64, white);
    Drawing drawing(nullptr);
    drawing.FillRectangle(10, 10, 20, 15, red);
    EXPECT_EQ(canvas.Count(red), 0);  // no pass yet

    drawing.AttachDeviceContext(canvas.dc);
    drawing.FillRectangle(10, 10, 20, 15, red);
    EXPECT_EQ(canvas.Count(red), 20 * 15);
    EXPECT_EQ(canvas.At(10, 10), red);
    EXPECT_EQ(canvas.At(29, 24), red);
    EXPECT_EQ(canvas.At(30, 24), white);
    EXPECT_EQ(canvas.At(29, 25), white);

    canvas.Fill(white);
    drawing.FrameRectangle(5, 5, 20, 10, blue);
    EXPECT_EQ(canvas.Count(blue), 2 * 20 + 2 * (10 - 2));
    EXPECT_EQ(canvas.At(5, 5), blue);
    EXPECT_EQ(canvas.At(24, 14), blue);
    EXPECT_EQ(canvas.At(25, 14), white);
    EXPECT_EQ(canvas.At(10, 10), white);  // inside stays untouched
    drawing.EndDrawing();
}

// A 8 x 8 bitmap: left half black, right half green.
HBITMAP MakeHalfBlackBitmap(HDC compatible) {
    HBITMAP bitmap = CreateCompatibleBitmap(compatible, 8, 8);
    HDC dc = CreateCompatibleDC(compatible);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, x < 4 ? black : green);
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return bitmap;
}

TEST(DrawingTest, TransparentBitmapLeavesTargetUnderBlack) {
    Canvas canvas(64, 64, red);
    HBITMAP bitmap = MakeHalfBlackBitmap(canvas.dc);
    // Colours of the target context must not leak into the result.
    SetBkColor(canvas.dc, RGB(128, 128, 128));
    SetTextColor(canvas.dc, RGB(10, 20, 30));
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(canvas.dc);

    drawing.DrawTransparentBitmap(2, 3, 0, 0, bitmap);
    EXPECT_EQ(canvas.Count(green), 4 * 8);
    EXPECT_EQ(canvas.At(2, 3), red);
    EXPECT_EQ(canvas.At(5, 10), red);
    EXPECT_EQ(canvas.At(6, 3), green);
    EXPECT_EQ(canvas.At(9, 10), green);
    EXPECT_EQ(canvas.At(10, 3), red);

    Canvas ownSize(64, 64, red);
    Drawing same(nullptr);
    same.AttachDeviceContext(ownSize.dc);
    same.DrawTransparentBitmap(2, 3, 8, 8, bitmap);
    EXPECT_TRUE(ownSize.SameAs(canvas));

    canvas.Fill(red);
    drawing.DrawTransparentBitmap(20, 20, 16, 16, bitmap);
    EXPECT_EQ(canvas.Count(green), 8 * 16);
    EXPECT_EQ(canvas.At(27, 35), red);
    EXPECT_EQ(canvas.At(28, 20), green);
    EXPECT_EQ(canvas.At(35, 35), green);
    EXPECT_EQ(GetBkColor(canvas.dc), RGB(128, 128, 128));
    EXPECT_EQ(GetTextColor(canvas.dc), RGB(10, 20, 30));
    DeleteObject(bitmap);
}

TEST(DrawingTest, TextIsCutAt1023Characters) {
    std::wstring longText;
    for (int i = 0; i < 2000; ++i) longText += static_cast<wchar_t>(L'A' + i % 26);
    const int wide = 1024 * 40;
    Canvas drawn(wide, 24, white);
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(drawn.dc);
    drawing.DrawText(0, 0, 0, 0, longText, black, nullptr, TextAlignment::Left);

    Canvas cut(wide, 24, white);
    SetBkMode(cut.dc, TRANSPARENT);
    TextOutW(cut.dc, 0, 0, longText.c_str(), 1023);
    EXPECT_TRUE(drawn.SameAs(cut));
    Canvas longer(wide, 24, white);
    SetBkMode(longer.dc, TRANSPARENT);
    TextOutW(longer.dc, 0, 0, longText.c_str(), 1024);
    EXPECT_FALSE(drawn.SameAs(longer));

    // The boxed path cuts the same way.
    Canvas boxed(wide, 24, white);
    Drawing boxDrawing(nullptr);
    boxDrawing.AttachDeviceContext(boxed.dc);
    boxDrawing.DrawText(0, 0, wide, 24, longText, black, nullptr, TextAlignment::Left);
    EXPECT_TRUE(boxed.SameAs(cut));
}

TEST(DrawingTest, TextTooLongForItsBoxEndsInAnEllipsis) {
    FontDescription font("Tahoma", 16);
    const std::wstring text = L"Tom & Jerry, una descrizione che non entra";
    Canvas drawn(120, 30, white);
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(drawn.dc);
    drawing.DrawText(0, 5, 120, 20, text, black, &font, TextAlignment::Left);

    auto systemDrawn = [&](Canvas& canvas, UINT format) {
        SetBkMode(canvas.dc, TRANSPARENT);
        HGDIOBJ previous = SelectObject(canvas.dc, font.GetHandle());
        RECT box{0, 5, 120, 25};
        DrawTextW(canvas.dc, text.c_str(), static_cast<int>(text.size()), &box, format);
        SelectObject(canvas.dc, previous);
    };
    Canvas ended(120, 30, white);
    systemDrawn(ended, DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    Canvas cut(120, 30, white);
    systemDrawn(cut, DT_LEFT | DT_NOPREFIX);
    EXPECT_TRUE(drawn.SameAs(ended));
    EXPECT_FALSE(drawn.SameAs(cut));
}

int LeftmostInk(const Canvas& canvas) {
    for (int x = 0; x < canvas.width; ++x) {
        for (int y = 0; y < canvas.height; ++y) {
            if (canvas.At(x, y) != white) return x;
        }
    }
    return -1;
}

TEST(DrawingTest, TextAlignmentAndItsAbsenceWithoutABox) {
    FontDescription font("Tahoma", 16);
    Canvas plain(300, 40, white);
    SetBkMode(plain.dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(plain.dc, font.GetHandle());
    TextOutW(plain.dc, 100, 5, L"Zelmivo", 7);
    SelectObject(plain.dc, previous);

    for (TextAlignment alignment :
         {TextAlignment::Left, TextAlignment::Right, TextAlignment::Center}) {
        SCOPED_TRACE(static_cast<int>(alignment));
        Canvas noWidth(300, 40, white);
        Drawing drawing(nullptr);
        drawing.AttachDeviceContext(noWidth.dc);
        drawing.DrawText(100, 5, 0, 30, L"Zelmivo", black, &font, alignment);
        EXPECT_TRUE(noWidth.SameAs(plain));
        Canvas noHeight(300, 40, white);
        drawing.AttachDeviceContext(noHeight.dc);
        drawing.DrawText(100, 5, 150, 0, L"Zelmivo", black, &font, alignment);
        EXPECT_TRUE(noHeight.SameAs(plain));
    }

    Canvas left(300, 40, white);
    Canvas right(300, 40, white);
    Drawing drawing(nullptr);
    drawing.AttachDeviceContext(left.dc);
    drawing.DrawText(0, 5, 300, 30, L"Zelmivo", blue, &font, TextAlignment::Left);
    drawing.AttachDeviceContext(right.dc);
    drawing.DrawText(0, 5, 300, 30, L"Zelmivo", blue, &font, TextAlignment::Right);
    EXPECT_LT(LeftmostInk(left), 5);
    EXPECT_GT(LeftmostInk(right), 200);
    EXPECT_GT(right.Count(blue), 0);
    // The colour and font of the context come back afterwards.
    EXPECT_EQ(GetTextColor(right.dc), black);
    EXPECT_NE(GetCurrentObject(right.dc, OBJ_FONT), font.GetHandle());
}

TEST(DrawingTest, FontHeightNeedsAFontAndAPass) {
    FontDescription font("Tahoma", 20);
    Canvas canvas(8, 8, white);
    Drawing drawing(nullptr);
    EXPECT_EQ(drawing.GetFontHeight(&font), -1);
    drawing.AttachDeviceContext(canvas.dc);
    EXPECT_EQ(drawing.GetFontHeight(nullptr), -1);
    EXPECT_EQ(drawing.GetFontHeight(&font), 20);
    EXPECT_NE(GetCurrentObject(canvas.dc, OBJ_FONT), font.GetHandle());
}

class DrawingPass : public WindowTest {};

TEST_F(DrawingPass, AttachedContextIsNotReleased) {
    Canvas canvas(8, 8, white);
    {
        Drawing drawing(nullptr);
        drawing.AttachDeviceContext(canvas.dc);
        drawing.EndDrawing();
        EXPECT_EQ(drawing.dc, nullptr);
        EXPECT_FALSE(drawing.attached);
        drawing.AttachDeviceContext(canvas.dc);
    }
    EXPECT_EQ(GetObjectType(canvas.dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(SetPixel(canvas.dc, 1, 1, blue), blue);

    // A pass of its own validates the window when it ends.
    Form form(Instance());
    form.Create();
    InvalidateRect(form.hwnd, nullptr, FALSE);
    Drawing drawing(&form);
    drawing.BeginDrawing();
    EXPECT_NE(drawing.dc, nullptr);
    drawing.EndDrawing();
    EXPECT_EQ(drawing.dc, nullptr);
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE));
}

}  // namespace
}  // namespace ToolkitTests
