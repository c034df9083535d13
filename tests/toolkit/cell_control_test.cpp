#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "control_host.h"
#include "panel.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::CellControl;
using OrvoUtility::GUIElement;

constexpr COLORREF headerRed = 0x2A2AA5;
constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF green = 0x00FF00;
constexpr RECT whole{0, 0, 160, 40};

int paintCalls = 0;
bool backgroundDuringPaint = true;

void RecordPaint(GUIElement* element) {
    ++paintCalls;
    backgroundDuringPaint = element->paintBackground;
}

// A green 8 x 8 bitmap whose four left columns are black (transparent).
HBITMAP MakeHalfBlackBitmap() {
    HBITMAP bitmap = MakeSolidBitmap(8, 8, green);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT left{0, 0, 4, 8};
    FillRect(memory, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(memory, old);
    DeleteDC(memory);
    return bitmap;
}

// Header cells as the main window makes them: white text on dark red.
class CellControlTest : public ControlHost {
protected:
    CellControl* MakeCell(const char* caption) {
        CellControl* cell = Add<CellControl>(form.get());
        cell->left = 10;
        cell->top = 10;
        cell->width = 160;
        cell->height = 40;
        cell->backColor = headerRed;
        cell->textColor = white;
        cell->SetTextNarrow(caption);
        return cell;
    }
};

TEST_F(CellControlTest, CaptionIsCentredOnTheTileColour) {
    CellControl* cell = MakeCell("Giochi");
    cell->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(cell->hwnd);

    EXPECT_EQ(canvas.At(1, 1), headerRed);
    EXPECT_EQ(canvas.At(158, 38), headerRed);
    RECT text = canvas.BoundsExcept(headerRed, whole);
    ASSERT_LE(text.left, text.right) << "no caption drawn";
    EXPECT_GT(canvas.Count(white, whole), 10);
    EXPECT_LE(std::abs(text.left - (159 - text.right)), 2);
    EXPECT_LE(std::abs(text.top - (39 - text.bottom)), 4);
    EXPECT_GT(text.left, 40);
}

TEST_F(CellControlTest, TextAlignmentLeft) {
    CellControl* cell = MakeCell("Giochi");
    cell->textAlignment = 0;
    cell->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(cell->hwnd);
    RECT text = canvas.BoundsExcept(headerRed, whole);
    ASSERT_LE(text.left, text.right);
    EXPECT_LE(text.left, 3);
}

TEST_F(CellControlTest, EmptyTextDrawsNothingButTheMarker) {
    CellControl* plain = MakeCell("");
    plain->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(plain->hwnd);
    EXPECT_EQ(canvas.Count(headerRed, whole), 160 * 40);

    CellControl* marked = MakeCell("");
    marked->marker = true;
    marked->Create();
    canvas.CopyWindow(marked->hwnd);
    RECT star = canvas.BoundsExcept(headerRed, whole);
    ASSERT_LE(star.left, star.right) << "no marker drawn";
    // The marker sits in the font-high square at the bottom-right corner.
    EXPECT_GE(star.left, 160 - 20);
    EXPECT_GE(star.top, 40 - 20);
}

TEST_F(CellControlTest, BitmapAlignmentAndTransparency) {
    HBITMAP bitmap = MakeHalfBlackBitmap();
    CellControl* cell = MakeCell("");
    cell->SetBitmap(bitmap);
    EXPECT_EQ(cell->bitmapWidth, 8);
    EXPECT_EQ(cell->bitmapHeight, 8);
    cell->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(cell->hwnd);
    // Right: 3 pixels from the right edge, centred vertically; black shows the tile.
    RECT image = canvas.BoundsOf(green, whole);
    EXPECT_EQ(image.left, 160 - 8 - 3 + 4);
    EXPECT_EQ(image.right, 160 - 3 - 1);
    EXPECT_EQ(image.top, 16);
    EXPECT_EQ(image.bottom, 23);
    EXPECT_EQ(canvas.At(160 - 8 - 3, 20), headerRed);

    cell->bitmapAlignment = 2;
    canvas.CopyWindow(cell->hwnd);
    EXPECT_EQ(canvas.BoundsOf(green, whole).left, 76 + 4);
    cell->bitmapAlignment = 0;
    canvas.CopyWindow(cell->hwnd);
    EXPECT_EQ(canvas.BoundsOf(green, whole).left, 3 + 4);
    DeleteObject(bitmap);
}

TEST_F(CellControlTest, NewTextRepaintsTheLiveTile) {
    CellControl* cell = MakeCell("Giochi");
    cell->Create();
    UpdateWindow(cell->hwnd);
    ASSERT_FALSE(GetUpdateRect(cell->hwnd, nullptr, FALSE));
    cell->SetTextNarrow("Ufficio");
    EXPECT_TRUE(GetUpdateRect(cell->hwnd, nullptr, FALSE));
    EXPECT_EQ(cell->GetTextNarrow(), "Ufficio");
}

TEST_F(CellControlTest, PaintHandlerRunsWithoutTheBackgroundFlag) {
    CellControl* cell = MakeCell("");
    cell->onPaint = RecordPaint;
    cell->Create();
    cell->SetBackColor(green);
    ASSERT_TRUE(cell->paintBackground);
    paintCalls = 0;
    backgroundDuringPaint = true;
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(cell->hwnd);
    EXPECT_GE(paintCalls, 1);
    EXPECT_FALSE(backgroundDuringPaint);
    EXPECT_TRUE(cell->paintBackground);
    EXPECT_EQ(canvas.At(80, 20), green) << "the tile fills its own colour";
}

}  // namespace
}  // namespace ZelmivoTests
