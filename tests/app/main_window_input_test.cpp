// Tiles launched by a click, found by typing and moved through with the
// keyboard: the choices on their own, then through the real main window, with
// the probe program standing in for a launched target.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "button.h"
#include "locale_text.h"
#include "main_window_fixture.h"
#include "panel.h"
#include "text.h"
#include "tile_navigation.h"
#include "typed_finder.h"

namespace MainWindowTests {

namespace {

using MyApp::Direction;
using MyApp::TilePlace;

bool IsSelected(const MyApp::FormMain& main, const MyApp::App& app) {
    auto* tile = static_cast<OrvoUtility::Button*>(main.View().TileOf(app));
    return tile != nullptr && tile->selected;
}

}  // namespace

// Folded as the window folds them: case and accents ignored, in any script.
TEST(TileChoice, TheTypedTextFindsAWordStartBeforeAMatchInsideAWord) {
    std::vector<std::wstring> descriptions;
    for (const wchar_t* description :
         {L"Telefonero", L"Blocco note", L"Caffè Nero", L"Nerone", L"Posta-elettronica",
          L"Penultima", L"Документы", L"Fattura – L’ultima €"}) {
        descriptions.push_back(OrvoUtility::FoldedForFinding(description));
    }
    const std::pair<std::wstring, std::int32_t> cases[] = {
        {L"nero", 2},        // "Telefonero" holds it first, but not at a word's start
        {L"NERO", 2},        // case ignored
        {L"CAFFÈ", 2},       // accented capitals fold too
        {L"caffe nero", 2},  // and so do accents
        {L"efo", 0},         // only inside a word: the first that holds it
        {L"elettr", 4},      // a hyphen starts a word
        {L"ДОК", 6},        {L"ultima", 7},  // an apostrophe too
        {L"xyz", -1},       {L"", -1},
    };
    for (const auto& [typed, expected] : cases) {
        EXPECT_EQ(MyApp::FindMatch(descriptions, OrvoUtility::FoldedForFinding(typed)), expected)
            << Common::WideToNarrow(typed);
    }
}

TEST(TileChoice, ArrowsAndTabMoveToTheNearestPlace) {
    // Columns of 3, 0 and 1 tiles; row -1 is a column's header.
    const MyApp::ColumnLengths columns = {3, 0, 1};
    const std::tuple<TilePlace, Direction, TilePlace> arrows[] = {
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
    for (const auto& [from, direction, expected] : arrows) {
        TilePlace got = MyApp::Neighbour(columns, from, direction);
        EXPECT_EQ(got.column * 100 + got.row, expected.column * 100 + expected.row)
            << from.column << "," << from.row;
    }
    // Across to a shorter or a longer column: the nearest row.
    EXPECT_EQ(MyApp::Neighbour({1, 4}, {1, 3}, Direction::Left).row, 0);
    EXPECT_EQ(MyApp::Neighbour({4, 4}, {1, 2}, Direction::Left).row, 2);

    const std::tuple<TilePlace, bool, TilePlace> tabs[] = {
        {{0, 2}, false, {2, 0}},                            // past the empty column
        {{2, 0}, false, {0, 0}},                            // round the end
        {{0, 0}, true, {2, 0}},                             // and back round the start
        {{1, -1}, true, {0, 2}}, {{2, -1}, false, {2, 0}},  // from a header, its first tile
    };
    for (const auto& [from, backwards, expected] : tabs) {
        TilePlace got = MyApp::NextInOrder(columns, from, backwards);
        EXPECT_EQ(got.column * 100 + got.row, expected.column * 100 + expected.row);
    }
}

using MainWindowInput = MainWindowTest;

TEST_F(MainWindowInput, AClickedTileStartsItsTargetOrSaysWhyNot) {
    const std::wstring folder = OwnFolder();
    const std::wstring report = folder + L"\\launch_report.txt";
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    // A probe in a folder of its own, started from the test's folder.
    const std::wstring probeFolder = folder + L"\\sonda";
    CreateDirectoryW(probeFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((folder + L"\\launch_probe.exe").c_str(),
                          (probeFolder + L"\\launch_probe.exe").c_str(), FALSE));
    SetCurrentDirectoryW(folder.c_str());
    // Variables are expanded at the launch only: the file keeps them as typed.
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_DIR", probeFolder.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_WORDS", L"due tre");
    const std::string missing = "C:\\nessuna\\cartella\\programma.exe";
    MyApp::Catalogue sample;
    sample.AddCategory("Prove");
    sample.AddApp(1, "Sonda", "%ZELMIVO_PROBE_DIR%\\launch_probe.exe", "uno \"%ZELMIVO_WORDS%\"");
    sample.AddApp(1, "Persa", missing, "");
    MyApp::FormMain& main = Open(sample);
    const std::vector<MyApp::App>& apps = main.CatalogueShown().categories.at(0).apps;
    const std::string file = ReadBytes();
    SetForegroundWindow(main.hwnd);
    PumpMessages();

    // The probe starts in its own folder with its arguments.
    Click(main.View().TileOf(apps.at(0))->hwnd);
    std::vector<std::string> lines = TakeProbeReport(report);
    if (!lines.empty()) lines[0] = Common::ToLower(lines[0]);
    EXPECT_EQ(lines, (std::vector<std::string>{Common::ToLower(Common::WideToNarrow(probeFolder)),
                                               "uno", "due tre"}));
    EXPECT_EQ(ReadBytes(), file);

    // The started program may have taken the foreground, or shown a window
    // over the tile for a moment.
    SetForegroundWindow(main.hwnd);
    HWND lost = main.View().TileOf(apps.at(1))->hwnd;
    RECT place{};
    GetWindowRect(lost, &place);
    PumpUntil([&] {
        return WindowFromPoint({(place.left + place.right) / 2, (place.top + place.bottom) / 2}) ==
               lost;
    });
    ZelmivoTest::DialogAnswerer answer(IDOK);
    Click(lost);
    ASSERT_TRUE(PumpUntil([&answer] { return answer.Answered(); }));
    const ZelmivoTest::AnsweredDialog& box = answer.Result();
    EXPECT_EQ(box.caption, L"Errore");
    EXPECT_EQ(
        box.text.rfind(L"Impossibile aprire\r\n" + Common::NarrowToWide(missing) + L"\r\n\r\n", 0),
        0u)
        << Common::WideToNarrow(box.text);
    EXPECT_NE(box.text.find(L"(codice "), std::wstring::npos);
    DeleteFileW((probeFolder + L"\\launch_probe.exe").c_str());
    RemoveDirectoryW(probeFolder.c_str());
}

TEST_F(MainWindowInput, TypingSelectsShowsTheTextAndTheKeysMoveAndLaunch) {
    const std::wstring report = OwnFolder() + L"\\keyboard_report.txt";
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    MyApp::Catalogue sample;
    sample.AddCategory("Lavoro");
    sample.AddApp(1, "Telefono", "C:\\missing\\telefono.exe", "");
    sample.AddApp(1, "Журнал", "C:\\missing\\zhurnal.exe", "");
    for (int i = 0; i < 40; ++i) sample.AddApp(1, "Voce " + std::to_string(i), "C:\\x.exe", "");
    sample.AddApp(1, "Ultima", "C:\\x.exe", "");
    sample.AddCategory("Prove");
    sample.AddApp(2, "Sonda", Common::WideToNarrow(OwnFolder()) + "\\launch_probe.exe", "");
    MyApp::FormMain& main = Open(sample);
    const std::string title = main.GetTextNarrow();
    auto& work = main.CatalogueShown().categories.at(0).apps;
    const MyApp::App& probe = main.CatalogueShown().categories.at(1).apps.at(0);
    // The keys go to the window in front: the last test's started program may be.
    ASSERT_TRUE(PumpUntil([&main] {
        SetForegroundWindow(main.hwnd);
        return GetForegroundWindow() == main.hwnd;
    }));

    TypeText(L"ж");
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, work.at(1)); }));
    EXPECT_EQ(main.GetTextNarrow(), title + "   -   Trova: ж");
    EXPECT_EQ(GetFocus(), main.View().TileOf(work.at(1))->hwnd);
    // The keys now reach the focused tile and go on to the form.
    PressKeys({VK_BACK});
    ASSERT_TRUE(PumpUntil([&] { return main.GetTextNarrow() == title; }));
    // A blank is part of the text, not a key for the tile.
    TypeText(L"voce 3");
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, work.at(5)); }));
    PressKeys({VK_ESCAPE});
    TypeText(L"so");
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, probe); }));
    TypeText(L"q");
    ASSERT_TRUE(
        PumpUntil([&] { return main.GetTextNarrow().find("nessuna") != std::string::npos; }));
    EXPECT_TRUE(IsSelected(main, probe));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpUntil([&] { return main.GetTextNarrow() == title; }));

    // Left goes to the nearest row of the first column, Tab on in catalogue order.
    PressKeys({VK_LEFT});
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, work.at(0)); }));
    PressKeys({VK_TAB, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, work.at(2)); }));

    // A found tile far below the view is made and scrolled into it.
    ASSERT_EQ(main.View().TileOf(work.back()), nullptr);
    TypeText(L"ult");
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, work.back()); }));
    EXPECT_TRUE(IsInView(main, main.View().TileOf(work.back())));
    PressKeys({VK_ESCAPE});

    // The context-menu key opens the selected tile's menu.
    PressKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return IsSelected(main, probe); }));
    auto menu = AnswerNextMenu(VK_ESCAPE);
    PressKeys({VK_APPS});
    ASSERT_TRUE(PumpUntil(
        [&menu] { return menu.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(menu.get(), L"&Modifica");
    PumpMessages();

    SetForegroundWindow(main.hwnd);
    PumpMessages();
    PressKeys({VK_RETURN});
    EXPECT_EQ(TakeProbeReport(report).size(), 1u);
}

}  // namespace MainWindowTests
