// Finding a tile by typing and moving through the tiles with the keyboard:
// the choices on their own, then typed into the real main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "button.h"
#include "command_fixture.h"
#include "formmain_keyboard.h"
#include "panel.h"
#include "text.h"
#include "user_actions.h"

namespace MainWindowTests {

namespace {

using MyApp::ColumnLengths;
using MyApp::Direction;
using MyApp::TilePlace;

// Characters typed as a keyboard layout would produce them, accented ones too.
void TypeText(const std::wstring& text) {
    for (wchar_t character : text) {
        INPUT inputs[2] = {};
        for (int i = 0; i < 2; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wScan = character;
            inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, inputs, sizeof(INPUT));
    }
}

}  // namespace

TEST(TileChoice, TheTypedTextFindsAWordStartBeforeAMatchInsideAWord) {
    const std::vector<std::string> descriptions = {"Telefonero", "Blocco note", "Caff\xE8 Nero",
                                                   "Nerone", "Posta-elettronica"};
    const struct {
        std::string typed;
        std::int32_t expected;
    } cases[] = {
        {"nero", 2},      // "Telefonero" holds it first, but not at a word's start
        {"NERO", 2},      // case ignored
        {"CAFF\xC8", 2},  // accented capitals fold too
        {"efo", 0},       // only inside a word: the first that holds it
        {"elettr", 4},    // a hyphen starts a word
        {"note", 1},     {"xyz", -1}, {"", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MyApp::FindMatch(descriptions, c.typed), c.expected) << c.typed;
    }
}

TEST(TileChoice, ArrowsAndTabMoveToTheNearestPlace) {
    // Columns of 3, 0 and 1 tiles.
    const ColumnLengths columns = {3, 0, 1};
    const struct {
        TilePlace from;
        Direction direction;
        TilePlace expected;
    } arrows[] = {
        {{0, 0}, Direction::Up, {0, -1}},   // the first tile goes up to its header
        {{0, -1}, Direction::Up, {0, -1}},  // and no further
        {{0, 2}, Direction::Down, {0, 2}},  // the last tile stays
        {{0, -1}, Direction::Down, {0, 0}},
        {{0, 2}, Direction::Right, {1, -1}},  // an empty column: its header
        {{1, -1}, Direction::Right, {2, -1}},
        {{2, 0}, Direction::Left, {1, -1}},
        {{0, 2}, Direction::Left, {0, 2}},   // the left edge
        {{2, 0}, Direction::Right, {2, 0}},  // the right edge
    };
    for (const auto& c : arrows) {
        TilePlace got = MyApp::Neighbour(columns, c.from, c.direction);
        EXPECT_EQ(got.column, c.expected.column) << c.from.column << "," << c.from.row;
        EXPECT_EQ(got.row, c.expected.row) << c.from.column << "," << c.from.row;
    }
    // A longer column to the left: the nearest row is its same row.
    TilePlace across = MyApp::Neighbour({1, 4}, {1, 3}, Direction::Left);
    EXPECT_EQ(across.row, 0);
    EXPECT_EQ(MyApp::Neighbour({4, 4}, {1, 2}, Direction::Left).row, 2);

    const struct {
        TilePlace from;
        bool backwards;
        TilePlace expected;
    } tabs[] = {
        {{0, 2}, false, {2, 0}},                            // past the empty column
        {{2, 0}, false, {0, 0}},                            // round the end
        {{0, 0}, true, {2, 0}},                             // and back round the start
        {{1, -1}, true, {0, 2}}, {{2, -1}, false, {2, 0}},  // from a header, its first tile
    };
    for (const auto& c : tabs) {
        TilePlace got = MyApp::NextInOrder(columns, c.from, c.backwards);
        EXPECT_EQ(got.column, c.expected.column);
        EXPECT_EQ(got.row, c.expected.row);
    }
}

using MainWindowKeyboard = CommandTest;

TEST_F(MainWindowKeyboard, TypingSelectsShowsTheTextAndEnterLaunches) {
    const std::wstring folder = OwnFolder();
    const std::wstring report = folder + L"\\keyboard_report.txt";
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    MyApp::Catalogue sample;
    sample.AddCategory("Lavoro");
    sample.AddApp(1, "Telefono", "C:\\missing\\telefono.exe", "");
    sample.AddApp(1, "Caff\xE8 Nero", "C:\\missing\\caffe.exe", "");
    sample.AddCategory("Prove");
    sample.AddApp(2, "Sonda", Common::WideToNarrow(folder) + "\\launch_probe.exe", "");
    SaveSample(sample);
    MyApp::FormMain& main = OpenMainForm();
    const std::string title = main.GetTextNarrow();
    SetForegroundWindow(main.hwnd);
    PumpMessages();
    auto& apps0 = main.catalogue.categories.at(0).apps;
    auto& apps1 = main.catalogue.categories.at(1).apps;
    auto selected = [](MyApp::App& app) {
        return static_cast<OrvoUtility::Button*>(app.tile)->selected;
    };

    TypeText(L"\xC8");
    ASSERT_TRUE(PumpUntil([&] { return selected(apps0.at(1)); }));
    EXPECT_EQ(main.GetTextNarrow(), title + "   -   Trova: \xC8");
    EXPECT_EQ(GetFocus(), apps0.at(1).tile->hwnd);

    // The keys now reach the focused tile and go on to the form.
    PressKeys({VK_BACK});
    ASSERT_TRUE(PumpUntil([&] { return main.GetTextNarrow() == title; }));
    TypeText(L"so");
    ASSERT_TRUE(PumpUntil([&] { return selected(apps1.at(0)); }));
    EXPECT_FALSE(selected(apps0.at(1)));
    EXPECT_EQ(main.GetTextNarrow(), title + "   -   Trova: so");
    TypeText(L"q");
    ASSERT_TRUE(
        PumpUntil([&] { return main.GetTextNarrow().find("nessuna") != std::string::npos; }));
    EXPECT_TRUE(selected(apps1.at(0)));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpUntil([&] { return main.GetTextNarrow() == title; }));

    // Left goes to the nearest row of the first column, Tab on in catalogue order.
    PressKeys({VK_LEFT});
    ASSERT_TRUE(PumpUntil([&] { return selected(apps0.at(0)); }));
    PressKeys({VK_TAB, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return selected(apps1.at(0)); }));

    // The context-menu key opens the selected tile's menu.
    {
        MenuPicker picker(VK_ESCAPE);
        PressKeys({VK_APPS});
        ASSERT_TRUE(PumpUntil([&picker] { return picker.Done(); }));
        EXPECT_TRUE(picker.Found());
        EXPECT_EQ(picker.Captions().size(), 3u);
        PumpMessages();
        EXPECT_EQ(main.contextTarget, apps1.at(0).tile);
    }

    SetForegroundWindow(main.hwnd);
    PumpMessages();
    PressKeys({VK_RETURN});
    EXPECT_TRUE(PumpUntil(
        [&report] { return GetFileAttributesW(report.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", nullptr);
}

TEST_F(MainWindowKeyboard, AFoundTileBelowTheViewIsMadeAndScrolledIntoIt) {
    MyApp::Catalogue sample;
    sample.AddCategory("Lunga");
    for (int i = 0; i < 40; ++i) sample.AddApp(1, "Voce " + std::to_string(i), "C:\\x.exe", "");
    sample.AddApp(1, "Ultima", "C:\\x.exe", "");
    SaveSample(sample);
    MyApp::FormMain& main = OpenMainForm();
    MyApp::App& last = main.catalogue.categories.at(0).apps.back();
    ASSERT_EQ(last.tile, nullptr);
    SetForegroundWindow(main.hwnd);
    PumpMessages();
    TypeText(L"ult");
    ASSERT_TRUE(PumpUntil([&] { return last.tile != nullptr && GetFocus() == last.tile->hwnd; }));
    RECT shown{};
    GetClientRect(main.tilePanel->hwnd, &shown);
    RECT tile = RectInPanel(*main.tilePanel, *last.tile);
    EXPECT_GE(tile.top, shown.top);
    EXPECT_LE(tile.bottom, shown.bottom);
    EXPECT_TRUE(static_cast<OrvoUtility::Button*>(last.tile)->selected);
}

}  // namespace MainWindowTests
