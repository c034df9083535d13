// The main window's life: where it opens, how the scroll bars follow its size,
// and the question that guards its closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "button.h"
#include "dialog_answerer.h"
#include "font_description.h"
#include "main_window_fixture.h"
#include "panel.h"
#include "timer.h"
#include "window_procedure.h"

namespace MainWindowTests {

namespace {

using MyApp::FormMain;
using ZelmivoTest::DialogAnswerer;

// Counts the ticks that reach the scroll-bar update.
class CountingMainForm : public FormMain {
public:
    CountingMainForm() : FormMain(GetModuleHandleW(nullptr), "Orvo Zelmivo") {}
    void HandleTimer() override {
        ++timerCalls;
        FormMain::HandleTimer();
    }
    int timerCalls = 0;
};

bool HasStyle(HWND window, DWORD style) {
    return (static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & style) == style;
}

SCROLLINFO ScrollInfoOf(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

void ResizeWindow(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

std::vector<std::string> Describe(const MyApp::Catalogue& catalogue) {
    std::vector<std::string> lines;
    for (const MyApp::Categoria& category : catalogue.categories) {
        lines.push_back(category.name);
        for (const MyApp::App& app : category.apps) lines.push_back("  " + app.description);
    }
    return lines;
}

bool QuitQueued() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

}  // namespace

using MainWindowLife = MainWindowTest;

TEST_F(MainWindowLife, OpensTopLeftOnNinetyPercentOfTheScreen) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1366);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    FormMain& main = OpenMainForm();

    RECT frame{};
    ASSERT_TRUE(GetWindowRect(main.hwnd, &frame));
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right - frame.left, 1229);
    EXPECT_EQ(frame.bottom - frame.top, 691);
    EXPECT_TRUE(IsWindowVisible(main.hwnd));
    EXPECT_TRUE(HasStyle(main.hwnd, WS_MINIMIZEBOX | WS_THICKFRAME));

    wchar_t title[128] = {};
    GetWindowTextW(main.hwnd, title, 128);
    EXPECT_STREQ(title, L"Orvo Zelmivo Copyright (C) 2026 Orvo Software");
    EXPECT_NE(SendMessageW(main.hwnd, WM_GETICON, ICON_SMALL, 0), 0);
    ASSERT_NE(main.font, nullptr);
    EXPECT_EQ(main.font->faceName, L"Lucida Console");
    EXPECT_EQ(main.font->height, 14);

    // The panel fills the client area but for a margin of 10.
    RECT client{};
    GetClientRect(main.hwnd, &client);
    RECT panel{};
    GetWindowRect(main.tilePanel->hwnd, &panel);
    MapWindowPoints(nullptr, main.hwnd, reinterpret_cast<POINT*>(&panel), 2);
    EXPECT_EQ(panel.left, 10);
    EXPECT_EQ(panel.top, 10);
    EXPECT_EQ(panel.right, client.right - 10);
    EXPECT_EQ(panel.bottom, client.bottom - 10);
    EXPECT_TRUE((GetWindowLongW(main.tilePanel->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);

    // The first main form is where pop-up menu commands go; a second does not take its place.
    EXPECT_EQ(MyApp::theMainForm, &main);
    {
        FormMain second(GetModuleHandleW(nullptr), "Orvo Zelmivo");
        EXPECT_EQ(MyApp::theMainForm, &main);
    }
    EXPECT_EQ(MyApp::theMainForm, &main);
}

TEST_F(MainWindowLife, ControlColourHandsOutOneLightGreyBrush) {
    FormMain& main = OpenMainForm();
    HDC dc = GetDC(main.hwnd);
    HBRUSH first = main.OnControlColor(dc);
    HBRUSH second = main.OnControlColor(dc);
    ASSERT_NE(second, nullptr);
    // The earlier brush is deleted when the next is handed out: no GDI object piles up.
    EXPECT_EQ(GetObjectType(first), 0u);
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectW(second, sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, 0xDCDCDCu);
    EXPECT_EQ(GetBkColor(dc), 0xDCDCDCu);
    EXPECT_EQ(GetTextColor(dc), 0u);
    ReleaseDC(main.hwnd, dc);
}

TEST_F(MainWindowLife, BurstOfResizesSetsTheScrollBarsOnce) {
    // Four categories and a column of nine entries: 900 wide and 560 high.
    SaveSample(SampleCatalogue({9, 0, 0, 0}));
    auto counting = std::make_unique<CountingMainForm>();
    CountingMainForm& main = *counting;
    form = std::move(counting);
    ASSERT_TRUE(PumpUntil([&main] { return !main.resizeTimer->running; }));
    ASSERT_EQ(main.contentWidth, 900);
    ASSERT_EQ(main.contentHeight, 560);
    HWND panel = main.tilePanel->hwnd;
    EXPECT_FALSE(HasStyle(panel, WS_HSCROLL));
    EXPECT_FALSE(HasStyle(panel, WS_VSCROLL));

    main.timerCalls = 0;
    for (int step = 0; step < 5; ++step) ResizeWindow(main.hwnd, 800 - 40 * step, 500 - 20 * step);
    EXPECT_TRUE(main.resizeTimer->running);
    EXPECT_EQ(main.timerCalls, 0);
    ASSERT_TRUE(PumpUntil([&main] { return !main.resizeTimer->running; }));
    EXPECT_EQ(main.timerCalls, 1);

    // The last size counts: the panel is now smaller than the content both ways.
    EXPECT_TRUE(HasStyle(panel, WS_HSCROLL));
    EXPECT_TRUE(HasStyle(panel, WS_VSCROLL));
    SCROLLINFO across = ScrollInfoOf(panel, SB_HORZ);
    EXPECT_EQ(across.nMin, 0);
    EXPECT_EQ(across.nMax, 900 + 90);
    EXPECT_EQ(across.nPage, 90u);
    SCROLLINFO down = ScrollInfoOf(panel, SB_VERT);
    EXPECT_EQ(down.nMax, 560 + 56);
    EXPECT_EQ(down.nPage, 56u);

    // Scrolled away, then made large again: the bars go and the content is back at its origin.
    SendMessageW(panel, WM_HSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(panel, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(ScrollInfoOf(panel, SB_HORZ).nPos, 0);
    ResizeWindow(main.hwnd, 1300, 760);
    ResizeWindow(main.hwnd, 1310, 765);
    ASSERT_TRUE(PumpUntil([&main] { return !main.resizeTimer->running; }));
    EXPECT_EQ(main.timerCalls, 2);
    EXPECT_FALSE(HasStyle(panel, WS_HSCROLL));
    EXPECT_FALSE(HasStyle(panel, WS_VSCROLL));
    RECT first = RectInPanel(*main.tilePanel, *main.catalogue.categories[0].cell);
    EXPECT_EQ(first.left, 10);
    EXPECT_EQ(first.top, 10);
}

TEST_F(MainWindowLife, AnsweringNoToTheExitQuestionChangesNothing) {
    SaveSample(SampleCatalogue({2, 1}));
    const std::string fileBefore = ReadCatalogueFile();
    FormMain& main = OpenMainForm();
    const std::vector<std::string> catalogueBefore = Describe(main.catalogue);
    std::vector<HWND> tilesBefore;
    for (OrvoUtility::Button* tile : main.tiles) tilesBefore.push_back(tile->hwnd);
    ASSERT_EQ(tilesBefore.size(), 3u);

    DialogAnswerer answerer(IDNO);
    LRESULT result = SendMessageW(main.hwnd, WM_CLOSE, 0, 0);
    const ZelmivoTest::AnsweredDialog& box = answerer.Result();
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(box.pressed);
    EXPECT_EQ(box.text, L"Vuoi realmente uscire?");
    EXPECT_EQ(box.caption, L"Uscita");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_NE(result, 0);

    PumpMessages();
    EXPECT_FALSE(QuitQueued());
    EXPECT_TRUE(IsWindow(main.hwnd));
    EXPECT_TRUE(IsWindowVisible(main.hwnd));
    ASSERT_EQ(main.tiles.size(), tilesBefore.size());
    for (std::size_t i = 0; i < tilesBefore.size(); ++i) {
        EXPECT_EQ(main.tiles[i]->hwnd, tilesBefore[i]);
        EXPECT_TRUE(IsWindow(tilesBefore[i]));
    }
    EXPECT_FALSE(main.resizeTimer->running);
    EXPECT_EQ(Describe(main.catalogue), catalogueBefore);
    EXPECT_EQ(ReadCatalogueFile(), fileBefore);

    // Still fully working: a later resize starts the timer and fits the panel.
    ResizeWindow(main.hwnd, 700, 500);
    EXPECT_TRUE(main.resizeTimer->running);
    RECT client{};
    GetClientRect(main.hwnd, &client);
    EXPECT_EQ(main.tilePanel->width, client.right - 20);
}

TEST_F(MainWindowLife, AnsweringYesClosesTheWindowAndEndsTheLoop) {
    SaveSample(SampleCatalogue({1}));
    const std::string fileBefore = ReadCatalogueFile();
    FormMain& main = OpenMainForm();
    ASSERT_EQ(OrvoUtility::mainWindow, main.hwnd);
    ResizeWindow(main.hwnd, 900, 600);
    ASSERT_TRUE(main.resizeTimer->running);

    DialogAnswerer answerer(IDYES);
    SendMessageW(main.hwnd, WM_CLOSE, 0, 0);
    const ZelmivoTest::AnsweredDialog& box = answerer.Result();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, L"Vuoi realmente uscire?");

    EXPECT_FALSE(IsWindow(main.hwnd));
    EXPECT_FALSE(main.resizeTimer->running);
    EXPECT_TRUE(QuitQueued());
    // Closing saves nothing: the file is only written after changes.
    EXPECT_EQ(ReadCatalogueFile(), fileBefore);
}

}  // namespace MainWindowTests
