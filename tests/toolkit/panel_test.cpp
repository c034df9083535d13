// The scrolling panel: its ranges, and what each scroll request and the wheel
// do to its children.
#include "panel.h"

#include "label.h"
#include "test_support.h"

namespace ToolkitTests {

LRESULT Send(const GUIElement& element, UINT message, WPARAM wParam) {
    return SendMessageW(element.hwnd, message, wParam, 0);
}

// A 300 x 200 panel scrolling over content 500 high, with a label at (10, 100).
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        panel.Resize(300, 200);
        panel.verticalScrollBar = true;
        auto record = [](std::vector<int>& calls) {
            return [&calls](PanelChildren*, std::int32_t delta) { calls.push_back(delta); };
        };
        panel.onVerticalScroll = record(verticalCalls);
        panel.onHorizontalScroll = record(horizontalCalls);
        panel.Create();
        panel.SetVerticalRange(500);
        content.MoveTo(10, 100);
        content.Create();
    }

    SCROLLINFO Bar(int bar) {
        SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(panel.hwnd, bar, &info);
        return info;
    }

    Form form{Instance()};
    PanelChildren panel{&form};
    Label content{&panel, "contenuto"};
    std::vector<int> verticalCalls, horizontalCalls;
};

TEST_F(PanelTest, ScrollRequestsMoveTheContentAndTellTheHandlerWhatWasAsked) {
    // The range leaves a tenth to spare, and a page is that tenth.
    EXPECT_EQ(Bar(SB_VERT).nMax, 550);
    EXPECT_EQ(Bar(SB_VERT).nPage, 50u);
    const struct {
        int request;
        int position;
        int handlerDelta;  // 0: the handler is not called; it hears what was asked
    } steps[] = {
        {SB_LINEDOWN, 1, -1},   {SB_PAGEDOWN, 51, -50},     {SB_PAGEUP, 1, 50},
        {SB_LINEUP, 0, 1},      {SB_LINEUP, 0, 1},          {SB_BOTTOM, 501, -550},
        {SB_LINEDOWN, 501, -1}, {SB_THUMBPOSITION, 501, 0}, {SB_ENDSCROLL, 501, 0},
        {SB_TOP, 0, 501},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.request);
        verticalCalls.clear();
        EXPECT_EQ(Send(panel, WM_VSCROLL, step.request), 0);
        EXPECT_EQ(Bar(SB_VERT).nPos, step.position);
        EXPECT_EQ(content.GetPosition().y, 100 - step.position);
        EXPECT_EQ(verticalCalls, step.handlerDelta == 0 ? std::vector<int>{}
                                                        : std::vector<int>{step.handlerDelta});
    }
    EXPECT_EQ(dispatcher.lastPanel, &panel) << "a vertical scroll makes the wheel target";

    // Without its bar a horizontal request is not the panel's; with it, it moves.
    Send(panel, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_TRUE(horizontalCalls.empty());
    panel.SetHorizontalScrollBar(true);
    panel.SetHorizontalRange(900);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 990);
    EXPECT_EQ(Bar(SB_VERT).nMax, 550) << "the other bar is left alone";
    Send(panel, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(content.GetPosition().x, 9);
    EXPECT_EQ(horizontalCalls, std::vector<int>{-1});

    // A bar taken away leaves the window and gives its room back.
    RECT withBar{}, withoutBar{};
    GetClientRect(panel.hwnd, &withBar);
    panel.SetHorizontalScrollBar(false);
    GetClientRect(panel.hwnd, &withoutBar);
    EXPECT_EQ(GetWindowLongW(panel.hwnd, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_EQ(withoutBar.bottom - withBar.bottom, GetSystemMetrics(SM_CYHSCROLL));
}

TEST_F(PanelTest, TheWheelScrollsAPageOfItsPanelOrOfTheLastOneUsed) {
    Label outside(&form, "fuori");
    outside.MoveTo(400, 0);
    outside.Create();
    CellControl tile(&form);
    tile.MoveTo(400, 200);
    tile.Create();
    auto wheel = [](const GUIElement& element, short delta) {
        return Send(element, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)));
    };

    Send(outside, WM_LBUTTONDOWN, MK_LBUTTON);
    wheel(outside, -WHEEL_DELTA);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0) << "no wheel target, nothing scrolls";
    EXPECT_EQ(wheel(panel, -WHEEL_DELTA), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 50);
    EXPECT_EQ(content.GetPosition().y, 50);
    wheel(panel, WHEEL_DELTA);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);
    EXPECT_EQ(verticalCalls, (std::vector<int>{-50, 50}));

    Send(panel, WM_LBUTTONDOWN, MK_LBUTTON);
    wheel(outside, -WHEEL_DELTA);
    EXPECT_EQ(Bar(SB_VERT).nPos, 50) << "the panel last clicked scrolls";
    // A tile is a panel without a bar: it keeps the wheel and nothing moves.
    wheel(tile, -WHEEL_DELTA);
    EXPECT_EQ(Bar(SB_VERT).nPos, 50);
}

// Each cell erases in its own colour.
TEST_F(PanelTest, CellsEraseInTheirOwnColour) {
    CellControl red(&form), blue(&form);
    red.SetBackColor(RGB(200, 0, 0));
    blue.SetBackColor(RGB(0, 0, 200));
    red.Create();
    blue.Create();
    for (const CellControl* cell : {&red, &blue}) {
        Canvas canvas(20, 20, 0x123456);
        SendMessageW(cell->hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc), 0);
        EXPECT_EQ(canvas.At(2, 2), cell->backColor);
    }
}

}  // namespace ToolkitTests
