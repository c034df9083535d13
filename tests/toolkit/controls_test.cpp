// Owner-drawn tiles, the list box, the timer and the message boxes, with real
// windows and boxes answered as a user would.
#include "button.h"
#include "panel.h"
#include "test_support.h"

namespace ToolkitTests {

class Controls : public WindowTest {};

// Tiles as the main window makes them: owner-drawn buttons in a panel that
// hands its children a light grey background and black text.
TEST_F(Controls, TilesDrawTheirFrameAndIconForEachState) {
    const COLORREF black = 0x000000, grey = 0xDCDCDC, green = 0x00C000;
    // A 32 x 32 icon of one colour, fully opaque (the same green as a pixel).
    std::vector<BYTE> opaque(32 * 32 / 8, 0);
    std::vector<std::uint32_t> pixels(32 * 32, green);
    HICON icon = CreateIcon(Instance(), 32, 32, 1, 32, opaque.data(),
                            reinterpret_cast<const BYTE*>(pixels.data()));
    const struct {
        const char* name;
        bool enabled, pressed, withIcon;
        COLORREF frame, text;
    } cases[] = {
        {"plain", true, false, false, black, black},
        {"pressed", true, true, false, 0xFFFFFF, black},
        {"disabled", false, false, false, 0x696969, 0x969696},
        {"with icon", true, false, true, black, black},
    };
    Form form(Instance());
    form.Resize(400, 300);
    form.Create();
    PanelChildren panel(&form);
    panel.MoveTo(0, 0);
    panel.width = 200;
    panel.childBackColor = grey;
    panel.childTextColor = black;
    panel.Create();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Button tile(&panel, "Calcolatrice");
        tile.ownerDrawn = true;
        tile.MoveTo(0, 0);
        tile.Resize(160, 40);
        tile.enabled = c.enabled;
        if (c.withIcon) tile.enabledIcon = icon;
        tile.Create();
        if (c.pressed) SendMessageW(tile.hwnd, BM_SETSTATE, TRUE, 0);
        Canvas canvas(160, 40, 0x123456);
        canvas.CopyWindow(tile.hwnd);
        EXPECT_EQ(canvas.At(0, 0), c.frame);
        EXPECT_EQ(canvas.At(159, 39), c.frame);
        EXPECT_EQ(canvas.At(3, 20), grey);
        EXPECT_EQ(canvas.At(20, 20), c.withIcon ? green : grey);
        EXPECT_GT(canvas.Count(c.text), c.frame == c.text ? 2 * 160 + 2 * 38 : 10);
    }
    DestroyIcon(icon);
}

// A selected cell's frame grows with its font, which follows the DPI: 3
// pixels at 96 DPI, 5 at 144.
TEST_F(Controls, ASelectedCellsFrameGrowsWithItsFont) {
    const COLORREF red = 0x2A2AA5, white = 0xFFFFFF;
    Form form(Instance());
    form.Create();
    for (auto [font, thick] : {std::pair<int, int>{14, 3}, {21, 5}}) {
        CellControl cell(&form);
        cell.MoveTo(0, 0);
        cell.Resize(160, 38);
        cell.fontSize = font;
        cell.textColor = white;
        cell.SetBackColor(red);
        cell.selected = true;
        cell.Create();
        Canvas canvas(160, 38, 0x123456);
        canvas.CopyWindow(cell.hwnd);
        EXPECT_EQ(canvas.At(thick - 1, 19), white) << font;
        EXPECT_EQ(canvas.At(thick, 19), red) << font;
    }
}

}  // namespace ToolkitTests
