#include "button.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "control_host.h"
#include "label.h"
#include "panel.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::Button;
using OrvoUtility::GUIElement;
using OrvoUtility::PanelChildren;

constexpr COLORREF tileBack = 0xDCDCDC;
constexpr COLORREF black = 0x000000;
constexpr COLORREF red = 0x0000FF;
constexpr COLORREF green = 0x00FF00;
constexpr COLORREF blue = 0xFF0000;

int commandCount = 0;
GUIElement* commandSender = nullptr;

void CountCommand(GUIElement* element) {
    ++commandCount;
    commandSender = element;
}

// Tiles as the main window makes them: owner-drawn buttons in a panel that
// hands its children a light grey background and black text.
class ButtonTest : public ControlHost {
protected:
    void SetUp() override {
        ControlHost::SetUp();
        panel = Add<PanelChildren>(form.get());
        panel->left = 10;
        panel->top = 10;
        panel->width = 400;
        panel->height = 300;
        panel->childBackColor = tileBack;
        panel->childTextColor = black;
        panel->Create();
    }

    Button* AddTile(const char* caption) {
        Button* tile = Add<Button>(panel, caption);
        tile->ownerDrawn = true;
        tile->left = 10;
        tile->top = 10;
        tile->width = 160;
        tile->height = 40;
        return tile;
    }

    static constexpr RECT inside{1, 1, 159, 39};
    PanelChildren* panel = nullptr;
};

TEST_F(ButtonTest, StylesFollowTheFlags) {
    Button* plain = Add<Button>(form.get(), "OK");
    plain->Create();
    Button* drawn = Add<Button>(form.get(), "Tile");
    drawn->ownerDrawn = true;
    drawn->Create();
    Button* disabled = Add<Button>(form.get(), "Off");
    disabled->ownerDrawn = true;
    disabled->enabled = false;
    disabled->Create();

    EXPECT_EQ(GetWindowLongW(plain->hwnd, GWL_STYLE), 0x50010000);
    EXPECT_EQ(GetWindowLongW(drawn->hwnd, GWL_STYLE), 0x5001000B);
    EXPECT_EQ(GetWindowLongW(disabled->hwnd, GWL_STYLE), 0x5801000B);
    EXPECT_EQ(GetWindowLongW(plain->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(plain->kind, "button");
    EXPECT_EQ(plain->width, 80);
    EXPECT_EQ(plain->height, 30);
    EXPECT_NE(plain->id, drawn->id);
    EXPECT_EQ(GetDlgCtrlID(drawn->hwnd), drawn->id);
    wchar_t caption[16] = {};
    GetWindowTextW(drawn->hwnd, caption, 16);
    EXPECT_STREQ(caption, L"Tile");
}

TEST_F(ButtonTest, CaptionIsCentredWithoutAnImage) {
    Button* tile = AddTile("Calcolatrice");
    tile->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(tile->hwnd);

    EXPECT_EQ(canvas.At(0, 0), black);
    EXPECT_EQ(canvas.At(159, 39), black);
    EXPECT_EQ(canvas.At(80, 0), black);
    EXPECT_EQ(canvas.At(2, 2), tileBack);
    RECT text = canvas.BoundsOf(black, inside);
    ASSERT_LE(text.left, text.right) << "no caption drawn";
    int leftGap = text.left - inside.left;
    int rightGap = inside.right - 1 - text.right;
    EXPECT_LE(std::abs(leftGap - rightGap), 2) << text.left << ".." << text.right;
    EXPECT_GT(leftGap, 20);
}

TEST_F(ButtonTest, IconSitsLeftAndCaptionStartsFortyPixelsIn) {
    HICON icon = MakeSolidIcon(red);
    Button* tile = AddTile("Calcolatrice");
    tile->enabledIcon = icon;
    tile->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(tile->hwnd);

    RECT image = canvas.BoundsOf(red, inside);
    EXPECT_EQ(image.left, 5);
    EXPECT_EQ(image.top, 4);
    EXPECT_EQ(image.right, 36);
    EXPECT_EQ(image.bottom, 35);
    RECT text = canvas.BoundsOf(black, inside);
    ASSERT_LE(text.left, text.right) << "no caption drawn";
    EXPECT_GE(text.left, 40);
    EXPECT_LE(text.left, 43);
    DestroyIcon(icon);
}

TEST_F(ButtonTest, BitmapTakesThePlaceOfTheIconAndMovesTheCaption) {
    HBITMAP bitmap = MakeSolidBitmap(16, 16, blue);
    HICON icon = MakeSolidIcon(red);
    Button* tile = AddTile("Posta");
    tile->enabledBitmap = bitmap;
    tile->enabledIcon = icon;
    tile->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(tile->hwnd);

    RECT image = canvas.BoundsOf(blue, inside);
    EXPECT_EQ(image.left, 5);
    EXPECT_EQ(image.top, 12);
    EXPECT_EQ(image.right, 20);
    EXPECT_EQ(canvas.Count(red, inside), 0);
    RECT text = canvas.BoundsOf(black, inside);
    ASSERT_LE(text.left, text.right) << "no caption drawn";
    EXPECT_GE(text.left, 24);
    EXPECT_LE(text.left, 27);
    DestroyIcon(icon);
    DeleteObject(bitmap);
}

TEST_F(ButtonTest, DisabledTileIsGreyAndShowsItsDisabledImage) {
    HICON enabledIcon = MakeSolidIcon(red);
    HICON disabledIcon = MakeSolidIcon(green);
    Button* tile = AddTile("Calcolatrice");
    tile->enabledIcon = enabledIcon;
    tile->disabledIcon = disabledIcon;
    tile->enabled = false;
    tile->Create();
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(tile->hwnd);

    EXPECT_EQ(canvas.At(0, 0), 0x696969u);
    EXPECT_EQ(canvas.At(159, 20), 0x696969u);
    EXPECT_GT(canvas.Count(0x969696, inside), 10);
    EXPECT_EQ(canvas.Count(black, inside), 0);
    EXPECT_EQ(canvas.At(20, 20), green);
    EXPECT_EQ(canvas.Count(red, inside), 0);
    DestroyIcon(disabledIcon);
    DestroyIcon(enabledIcon);
}

TEST_F(ButtonTest, PressedTileHasTheInvertedFrame) {
    Button* tile = AddTile("Calcolatrice");
    tile->Create();
    SendMessageW(tile->hwnd, BM_SETSTATE, TRUE, 0);
    PixelCanvas canvas(160, 40);
    canvas.CopyWindow(tile->hwnd);

    EXPECT_EQ(canvas.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(80, 39), 0xFFFFFFu);
    EXPECT_GT(canvas.Count(black, inside), 10);
}

TEST_F(ButtonTest, DrawItemIsAnsweredOnlyForButtons) {
    Button* tile = AddTile("Calcolatrice");
    tile->Create();
    OrvoUtility::Label* label = Add<OrvoUtility::Label>(panel, "x");
    label->Create();
    PixelCanvas canvas(160, 40);
    RECT all{0, 0, 160, 40};
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkColor(canvas.dc, 0x00FFFF);
    SetTextColor(canvas.dc, black);

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(label->id);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = label->hwnd;
    item.hDC = canvas.dc;
    item.rcItem = all;
    EXPECT_EQ(SendMessageW(panel->hwnd, WM_DRAWITEM, label->id, reinterpret_cast<LPARAM>(&item)),
              0);
    item.CtlType = ODT_LISTBOX;
    item.CtlID = static_cast<UINT>(tile->id);
    item.hwndItem = tile->hwnd;
    EXPECT_EQ(SendMessageW(panel->hwnd, WM_DRAWITEM, tile->id, reinterpret_cast<LPARAM>(&item)), 0);
    GdiFlush();
    EXPECT_EQ(canvas.Count(0xFFFFFF, all), 160 * 40);

    item.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageW(panel->hwnd, WM_DRAWITEM, tile->id, reinterpret_cast<LPARAM>(&item)),
              TRUE);
    GdiFlush();
    EXPECT_EQ(canvas.At(0, 0), black);
    EXPECT_EQ(canvas.At(2, 2), 0x00FFFFu);
}

TEST_F(ButtonTest, EveryNotificationReachesOnCommand) {
    Button* tile = AddTile("Calcolatrice");
    tile->Create();
    commandCount = 0;
    commandSender = nullptr;
    SendMessageW(tile->hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(commandCount, 0) << "no handler yet";

    tile->onCommand = CountCommand;
    SendMessageW(tile->hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(commandCount, 1);
    EXPECT_EQ(commandSender, static_cast<GUIElement*>(tile));
    SendMessageW(panel->hwnd, WM_COMMAND, MAKEWPARAM(tile->id, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(static_cast<HWND>(tile->hwnd)));
    SendMessageW(panel->hwnd, WM_COMMAND, MAKEWPARAM(tile->id, BN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(static_cast<HWND>(tile->hwnd)));
    EXPECT_EQ(commandCount, 3);
}

}  // namespace
}  // namespace ZelmivoTests
