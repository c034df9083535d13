#include "panel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "control_host.h"
#include "dropped_files.h"
#include "font_description.h"
#include "label.h"
#include "text.h"
#include "window_procedure.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::CellControl;
using OrvoUtility::Label;
using OrvoUtility::PanelChildren;

std::vector<std::pair<PanelChildren*, int>> verticalCalls;
std::vector<std::pair<PanelChildren*, int>> horizontalCalls;

void RecordVertical(PanelChildren* panel, std::int32_t delta) {
    verticalCalls.emplace_back(panel, delta);
}

void RecordHorizontal(PanelChildren* panel, std::int32_t delta) {
    horizontalCalls.emplace_back(panel, delta);
}

SCROLLINFO BarOf(const PanelChildren* panel, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(panel->hwnd, bar, &info);
    return info;
}

int PositionOf(const PanelChildren* panel, int bar) { return BarOf(panel, bar).nPos; }

LRESULT Send(OrvoUtility::GUIElement* element, UINT message, WPARAM wParam) {
    return SendMessageW(element->hwnd, message, wParam, 0);
}

LRESULT Wheel(OrvoUtility::GUIElement* element, short delta) {
    return Send(element, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)));
}

class PanelTest : public ControlHost {
protected:
    void SetUp() override {
        ControlHost::SetUp();
        verticalCalls.clear();
        horizontalCalls.clear();
    }

    // A 300 x 200 panel scrolling over content 500 high, with a label at (10, 100).
    PanelChildren* MakeScrollingPanel() {
        PanelChildren* panel = Add<PanelChildren>(form.get());
        panel->left = 10;
        panel->top = 10;
        panel->width = 300;
        panel->height = 200;
        panel->verticalScrollBar = true;
        panel->onVerticalScroll = RecordVertical;
        panel->onHorizontalScroll = RecordHorizontal;
        panel->Create();
        panel->SetVerticalRange(500);
        content = Add<Label>(panel, "contenuto");
        content->left = 10;
        content->top = 100;
        content->Create();
        return panel;
    }

    int ContentTop() { return content->GetPosition().y; }

    Label* content = nullptr;
};

TEST_F(PanelTest, OwnWindowClassAndStyleRule) {
    std::int32_t counter = OrvoUtility::elementCounter;
    PanelChildren* panel = Add<PanelChildren>(form.get());
    panel->backColor = 0xC0C0C0;
    panel->Create();
    ASSERT_NE(panel->hwnd, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(panel->hwnd, className, 64);
    EXPECT_EQ(std::wstring(className), L"PanelChildren" + Common::FormatInt64Wide(counter));
    EXPECT_EQ(panel->id, counter + 1);
    EXPECT_EQ(GetDlgCtrlID(panel->hwnd), panel->id);
    EXPECT_EQ(panel->kind, "panel");
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_STYLE), 0x50010000);
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_TRUE(IsWindowVisible(panel->hwnd));

    PanelChildren* framed = Add<PanelChildren>(form.get());
    framed->border = true;
    framed->verticalScrollBar = true;
    framed->horizontalScrollBar = true;
    framed->enabled = false;
    framed->Create();
    EXPECT_EQ(GetWindowLongW(framed->hwnd, GWL_STYLE), 0x58B10000);
    EXPECT_EQ(GetWindowLongW(framed->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);

    PanelChildren* thin = Add<PanelChildren>(form.get());
    thin->border = true;
    thin->thinBorder = true;
    thin->Create();
    EXPECT_EQ(GetWindowLongW(thin->hwnd, GWL_STYLE), 0x50810000);
    EXPECT_EQ(GetWindowLongW(thin->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

    CellControl* cell = Add<CellControl>(form.get());
    cell->Create();
    EXPECT_EQ(GetWindowLongW(cell->hwnd, GWL_STYLE), 0x50000000) << "tiles take no tab stop";
    EXPECT_EQ(cell->kind, "panel");
}

TEST_F(PanelTest, SettersReapplyTheStyleToALivePanel) {
    PanelChildren* panel = Add<PanelChildren>(form.get());
    panel->Create();
    panel->SetVerticalScrollBar(true);
    panel->SetVerticalRange(500);
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_STYLE) & WS_VSCROLL, WS_VSCROLL);
    panel->SetHorizontalScrollBar(true);
    panel->SetHorizontalRange(900);
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_STYLE) & WS_HSCROLL, WS_HSCROLL);
    panel->SetBorder(true);
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_STYLE) & WS_BORDER, WS_BORDER);
    panel->SetVerticalScrollBar(false);
    panel->SetHorizontalScrollBar(false);
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_TRUE(panel->border);
    EXPECT_FALSE(panel->verticalScrollBar);
}

TEST_F(PanelTest, ClassAndItsBrushGoWithThePanel) {
    PanelChildren* panel = Add<PanelChildren>(form.get());
    panel->backColor = 0x2A2AA5;
    panel->Create();
    wchar_t className[64] = {};
    GetClassNameW(panel->hwnd, className, 64);
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(panel->hwnd, GCLP_HBRBACKGROUND));
    LOGBRUSH colour{};
    ASSERT_NE(GetObjectW(brush, sizeof(colour), &colour), 0);
    EXPECT_EQ(colour.lbColor, 0x2A2AA5u);

    DestroyWindow(panel->hwnd);
    elements.pop_back();
    WNDCLASSW unused{};
    EXPECT_FALSE(GetClassInfoW(nullptr, className, &unused));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST_F(PanelTest, RangesAndPages) {
    PanelChildren* panel = Add<PanelChildren>(form.get());
    panel->width = 300;
    panel->height = 200;
    panel->verticalScrollBar = true;
    panel->horizontalScrollBar = true;
    panel->scrollMaximum = 300;
    panel->Create();
    SCROLLINFO initial = BarOf(panel, SB_VERT);
    EXPECT_EQ(initial.nMax, 300) << "the stored range is applied at creation";
    EXPECT_EQ(initial.nPage, 30u);

    panel->SetVerticalRange(500);
    SCROLLINFO vertical = BarOf(panel, SB_VERT);
    EXPECT_EQ(vertical.nMin, 0);
    EXPECT_EQ(vertical.nMax, 550);
    EXPECT_EQ(vertical.nPage, 50u);
    EXPECT_EQ(panel->scrollMaximum, 500);

    panel->SetScrollRange(0, 500);
    for (int bar : {SB_VERT, SB_HORZ}) {
        SCROLLINFO info = BarOf(panel, bar);
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, 500);
        EXPECT_EQ(info.nPage, 50u);
    }

    panel->SetHorizontalRange(1000);
    EXPECT_EQ(BarOf(panel, SB_HORZ).nMax, 1100);
    EXPECT_EQ(BarOf(panel, SB_HORZ).nPage, 100u);
    EXPECT_EQ(BarOf(panel, SB_VERT).nMax, 500) << "the other bar is left alone";

    PanelChildren* upright = Add<PanelChildren>(form.get());
    upright->verticalScrollBar = true;
    upright->Create();
    upright->SetScrollRange(0, 200);
    EXPECT_EQ(BarOf(upright, SB_VERT).nMax, 200);
    EXPECT_NE(BarOf(upright, SB_HORZ).nMax, 200) << "a bar whose flag is off is not set";
}

TEST_F(PanelTest, ScrollRequestsMoveTheContentAndTellTheHandler) {
    PanelChildren* panel = MakeScrollingPanel();
    EXPECT_EQ(Send(panel, WM_VSCROLL, SB_LINEDOWN), 0);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 1);
    EXPECT_EQ(ContentTop(), 99);
    Send(panel, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 51);
    EXPECT_EQ(ContentTop(), 49);
    Send(panel, WM_VSCROLL, SB_PAGEUP);
    Send(panel, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 0);
    EXPECT_EQ(ContentTop(), 100);
    std::vector<std::pair<PanelChildren*, int>> expected{
        {panel, -1}, {panel, -50}, {panel, 50}, {panel, 1}};
    EXPECT_EQ(verticalCalls, expected);
    EXPECT_EQ(OrvoUtility::lastPanel, panel) << "a vertical scroll makes the wheel target";

    // At the end the bar stays put, yet the handler hears the request.
    verticalCalls.clear();
    Send(panel, WM_VSCROLL, SB_BOTTOM);
    int end = PositionOf(panel, SB_VERT);
    EXPECT_EQ(end, 550 - 50 + 1);
    EXPECT_EQ(ContentTop(), 100 - end);
    Send(panel, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(PositionOf(panel, SB_VERT), end);
    EXPECT_EQ(ContentTop(), 100 - end);
    expected = {{panel, -550}, {panel, -1}};
    EXPECT_EQ(verticalCalls, expected);

    verticalCalls.clear();
    EXPECT_EQ(Send(panel, WM_VSCROLL, SB_THUMBPOSITION), 0);
    Send(panel, WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(PositionOf(panel, SB_VERT), end);
    EXPECT_TRUE(verticalCalls.empty());
    Send(panel, WM_VSCROLL, SB_TOP);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 0);
    EXPECT_EQ(ContentTop(), 100);
    expected = {{panel, end}};
    EXPECT_EQ(verticalCalls, expected);
}

TEST_F(PanelTest, HorizontalRequestsNeedTheHorizontalBar) {
    PanelChildren* panel = MakeScrollingPanel();
    OrvoUtility::lastPanel = nullptr;
    Send(panel, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_TRUE(horizontalCalls.empty());

    panel->SetHorizontalScrollBar(true);
    panel->SetHorizontalRange(900);
    EXPECT_EQ(Send(panel, WM_HSCROLL, SB_LINERIGHT), 0);
    EXPECT_EQ(PositionOf(panel, SB_HORZ), 1);
    EXPECT_EQ(content->GetPosition().x, 9);
    Send(panel, WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(PositionOf(panel, SB_HORZ), 1) << "the horizontal bar has no jump to the end";
    std::vector<std::pair<PanelChildren*, int>> expected{{panel, -1}};
    EXPECT_EQ(horizontalCalls, expected);
    EXPECT_TRUE(verticalCalls.empty());
    EXPECT_EQ(OrvoUtility::lastPanel, nullptr);

    horizontalCalls.clear();
    panel->ScrollToLeft();
    EXPECT_EQ(PositionOf(panel, SB_HORZ), 0);
    EXPECT_EQ(content->GetPosition().x, 10);
    EXPECT_TRUE(horizontalCalls.empty());
}

TEST_F(PanelTest, ScrollToTopBringsTheContentBackQuietly) {
    PanelChildren* panel = MakeScrollingPanel();
    Send(panel, WM_VSCROLL, SB_PAGEDOWN);
    Send(panel, WM_VSCROLL, SB_PAGEDOWN);
    ASSERT_EQ(ContentTop(), 0);
    verticalCalls.clear();
    panel->ScrollToTop();
    EXPECT_EQ(PositionOf(panel, SB_VERT), 0);
    EXPECT_EQ(ContentTop(), 100);
    panel->ScrollToTop();
    EXPECT_EQ(ContentTop(), 100);
    EXPECT_TRUE(verticalCalls.empty());
}

TEST_F(PanelTest, TheWheelMovesOnePagePerMessage) {
    PanelChildren* panel = MakeScrollingPanel();
    EXPECT_EQ(Wheel(panel, -WHEEL_DELTA), 0);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 50);
    EXPECT_EQ(ContentTop(), 50);
    Wheel(panel, -3 * WHEEL_DELTA);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 100);
    Wheel(panel, WHEEL_DELTA);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 50);
    std::vector<std::pair<PanelChildren*, int>> expected{{panel, -50}, {panel, -50}, {panel, 50}};
    EXPECT_EQ(verticalCalls, expected);
}

TEST_F(PanelTest, WheelTargetFollowsClicksAndScrolls) {
    PanelChildren* panel = MakeScrollingPanel();
    Label* label = Add<Label>(form.get(), "fuori");
    label->left = 400;
    label->Create();
    CellControl* tile = Add<CellControl>(form.get());
    tile->left = 400;
    tile->top = 200;
    tile->Create();

    Send(label, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(OrvoUtility::lastPanel, nullptr);
    Wheel(label, -WHEEL_DELTA);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 0) << "no wheel target, nothing scrolls";

    Send(panel, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(OrvoUtility::lastPanel, panel);
    EXPECT_EQ(Wheel(label, -WHEEL_DELTA), 0);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 50) << "the wheel target scrolls";

    verticalCalls.clear();
    EXPECT_EQ(Wheel(tile, -WHEEL_DELTA), 0);
    EXPECT_EQ(PositionOf(panel, SB_VERT), 50) << "a tile without a bar keeps the wheel";
    EXPECT_TRUE(verticalCalls.empty());

    Send(tile, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(OrvoUtility::lastPanel, tile);
    Send(panel, WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(OrvoUtility::lastPanel, panel);
    SendMessageW(form->hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(OrvoUtility::lastPanel, nullptr);

    Send(tile, WM_LBUTTONDOWN, MK_LBUTTON);
    DestroyWindow(tile->hwnd);
    elements.pop_back();
    EXPECT_EQ(OrvoUtility::lastPanel, nullptr) << "a deleted panel is no wheel target";
}

TEST_F(PanelTest, ChildrenGetOneBrushAtATime) {
    OrvoUtility::FontDescription font("Tahoma", 16);
    PanelChildren* panel = Add<PanelChildren>(form.get());
    panel->backColor = 0xC0C0C0;
    panel->childBackColor = 0xDCDCDC;
    panel->childTextColor = 0x123456;
    panel->font = &font;
    panel->Create();
    HDC dc = CreateCompatibleDC(nullptr);

    HBRUSH first = reinterpret_cast<HBRUSH>(
        SendMessageW(panel->hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0));
    LOGBRUSH colour{};
    ASSERT_NE(GetObjectW(first, sizeof(colour), &colour), 0);
    EXPECT_EQ(colour.lbColor, 0xDCDCDCu);
    EXPECT_EQ(GetBkColor(dc), 0xDCDCDCu);
    EXPECT_EQ(GetTextColor(dc), 0x123456u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.GetHandle());

    panel->childBackColor = OrvoUtility::noColor;
    HBRUSH second = reinterpret_cast<HBRUSH>(
        SendMessageW(panel->hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObjectType(first), 0u) << "the earlier brush is deleted";
    ASSERT_NE(GetObjectW(second, sizeof(colour), &colour), 0);
    EXPECT_EQ(colour.lbColor, 0xC0C0C0u) << "the panel's own colour";
    EXPECT_EQ(GetBkColor(dc), 0xC0C0C0u);

    panel->backColor = OrvoUtility::noColor;
    SetBkColor(dc, 0x0000FF);
    HBRUSH system = reinterpret_cast<HBRUSH>(
        SendMessageW(panel->hwnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_EQ(system, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetBkColor(dc), 0x0000FFu) << "the background colour is left alone";
    EXPECT_EQ(GetObjectType(second), 0u);
    SendMessageW(panel->hwnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(GetObjectType(system), static_cast<DWORD>(OBJ_BRUSH)) << "never deleted";

    panel->childBackColor = 0xDCDCDC;
    HBRUSH last = reinterpret_cast<HBRUSH>(
        SendMessageW(panel->hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
    DestroyWindow(panel->hwnd);
    elements.pop_back();
    EXPECT_EQ(GetObjectType(last), 0u) << "the panel deletes its last brush";
}

TEST_F(PanelTest, LabelsInAPanelPaintWithTheChildColour) {
    PanelChildren* panel = Add<PanelChildren>(form.get());
    panel->width = 300;
    panel->height = 200;
    panel->childBackColor = 0xDCDCDC;
    panel->Create();
    Label* label = Add<Label>(panel, "");
    label->left = 10;
    label->top = 10;
    label->Create();
    PixelCanvas canvas(80, 30);
    canvas.CopyWindow(label->hwnd);
    EXPECT_EQ(canvas.At(40, 15), 0xDCDCDCu);
}

TEST_F(PanelTest, FilesDroppedOnAChildReachThePanelThatTakesThem) {
    PanelChildren* panel = MakeScrollingPanel();
    std::vector<std::wstring> received;
    POINT where{-1, -1};
    panel->onDropFiles = [&](const std::vector<std::wstring>& paths, POINT point) {
        received = paths;
        where = point;
    };
    EXPECT_EQ(GetWindowLongW(panel->hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    panel->AcceptDroppedFiles();
    EXPECT_NE(GetWindowLongW(panel->hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

    const std::vector<std::wstring> paths = {L"C:\\Programmi\\Caff\u00E8.exe",
                                             L"D:\\Documenti\\\u0141\u00F3d\u017A.txt"};
    ZelmivoTest::DropFiles(panel->hwnd, paths, POINT{25, 130});
    EXPECT_EQ(received, paths);
    EXPECT_EQ(where.x, 25);
    EXPECT_EQ(where.y, 130);
}

}  // namespace
}  // namespace ZelmivoTests
