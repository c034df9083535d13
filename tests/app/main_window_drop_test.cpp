// Files dropped from Explorer on a column become its entries, saved at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "command_fixture.h"
#include "dropped_files.h"
#include "panel.h"
#include "user_actions.h"

namespace MainWindowTests {

using MainWindowDrop = CommandTest;

TEST_F(MainWindowDrop, FilesDroppedOnAColumnBecomeItsEntries) {
    SaveSample(SampleCatalogue({1, 0}));
    MyApp::FormMain& main = OpenMainForm();
    const std::string before = ReadCatalogueFile();
    HWND panel = main.tilePanel->hwnd;

    // Between the columns, below a column and right of the last: nothing.
    for (POINT nowhere : {POINT{175, 20}, POINT{20, 150}, POINT{380, 20}}) {
        ZelmivoTest::DropFiles(panel, {L"C:\\Programmi\\Gioco.exe"}, nowhere);
    }
    EXPECT_EQ(ReadCatalogueFile(), before);

    // On the empty column's "+ aggiungi App" cell, the panel's coordinates.
    ZelmivoTest::DropFiles(panel,
                           {L"C:\\Programmi\\Gioco.exe", L"C:\\Menu\\Blocco note.lnk",
                            L"D:\\Foto\\Vacanze 2026\\", L"E:\\"},
                           POINT{200, 70});
    const MyApp::Categoria& second = main.catalogue.categories.at(1);
    std::vector<std::string> descriptions;
    for (const MyApp::App& app : second.apps) descriptions.push_back(app.description);
    EXPECT_EQ(descriptions,
              (std::vector<std::string>{"Gioco", "Blocco note", "Vacanze 2026", "E:\\"}));
    EXPECT_EQ(second.apps.at(1).pathname, "C:\\Menu\\Blocco note.lnk");
    EXPECT_NE(ReadCatalogueFile().find("C:\\Menu\\Blocco note.lnk"), std::string::npos);
    EXPECT_EQ(main.catalogue.categories.at(0).apps.size(), 1u);

    // A path the file cannot hold is refused as the dialogs refuse it.
    auto answer = AnswerNextBox(IDOK);
    ZelmivoTest::DropFiles(panel, {L"C:\\\u0141\u00F3d\u017A.exe"}, POINT{20, 20});
    ASSERT_TRUE(PumpUntil([&answer] { return Ready(answer); }));
    ZelmivoTest::AnsweredDialog box = answer.get();
    EXPECT_EQ(box.caption, L"Errore");
    EXPECT_EQ(box.text,
              L"Il campo \"Pathname o URL\" contiene caratteri che non possono essere salvati.");
    EXPECT_EQ(main.catalogue.categories.at(0).apps.size(), 1u);
}

TEST_F(MainWindowDrop, EditsKeepTheViewAndANewEntryIsScrolledIntoIt) {
    SaveSample(SampleCatalogue({30, 1}));
    MyApp::FormMain& main = OpenMainForm();
    main.tilePanel->ScrollTo(0, 400);
    ASSERT_EQ(main.tilePanel->ScrollPosition().y, 400);
    main.catalogue.RenameCategory(2, "Rinominata");
    main.RefreshAndSave();
    EXPECT_EQ(main.tilePanel->ScrollPosition().y, 400);

    // Dropped on the first column's header, seen at the top: the new 31st
    // entry, far below, is brought into view.
    main.tilePanel->ScrollTo(0, 0);
    ZelmivoTest::DropFiles(main.tilePanel->hwnd, {L"C:\\Programmi\\Nuovo.exe"}, POINT{20, 20});
    const MyApp::App& added = main.catalogue.categories.at(0).apps.at(30);
    ASSERT_NE(added.tile, nullptr);
    RECT tile;
    RECT panel;
    GetWindowRect(added.tile->hwnd, &tile);
    GetClientRect(main.tilePanel->hwnd, &panel);
    MapWindowPoints(main.tilePanel->hwnd, nullptr, reinterpret_cast<POINT*>(&panel), 2);
    EXPECT_GE(tile.top, panel.top);
    EXPECT_LE(tile.bottom, panel.bottom);
}

}  // namespace MainWindowTests
