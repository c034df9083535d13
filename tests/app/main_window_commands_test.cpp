// The main window's commands case by case: the questions, the places after a
// deletion, new category ids, the reorder dialog, the context target, the
// menu bar and "&Esci", and the launching of tiles.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "button.h"
#include "command_fixture.h"
#include "file_system.h"
#include "form_about.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formordina.h"
#include "menu.h"
#include "panel.h"
#include "text.h"
#include "timer.h"
#include "user_actions.h"

namespace MainWindowTests {

namespace {

using MyApp::FormMain;
using OrvoUtility::Button;

std::wstring MenuCaption(HMENU menu, UINT position) {
    wchar_t caption[64] = {};
    GetMenuStringW(menu, position, caption, 64, MF_BYPOSITION);
    return caption;
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring own(path, length);
    return own.substr(0, own.find_last_of(L'\\'));
}

// The probe's report: its working folder, then one argument a line.
std::vector<std::string> ReadProbeReport(const std::wstring& path) {
    std::vector<std::string> lines;
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return lines;
    std::string text;
    char buffer[512];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    std::fclose(file);
    return Common::Split(text, "\n");
}

}  // namespace

using MainWindowCommands = CommandTest;

TEST_F(MainWindowCommands, TheDeleteQuestionNamesTheCategoryInCapitals) {
    MyApp::Catalogue sample;
    sample.AddCategory("caff\xE8 e t\xE8");
    SaveSample(sample);
    const std::string file = ReadCatalogueFile();
    FormMain& main = OpenMainForm();

    auto answer = AnswerNextBox(IDNO);
    ChooseFromContextMenu(*main.catalogue.categories.at(0).cell, 'C');
    ASSERT_TRUE(PumpUntil([&answer] { return Ready(answer); }));
    ZelmivoTest::AnsweredDialog box = answer.get();
    EXPECT_EQ(box.caption, L"Conferma");
    EXPECT_EQ(box.text, L"Si desidera realmente cancellare la categoria \"CAFF\xC8 E T\xC8\"?");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(ReadCatalogueFile(), file);
    EXPECT_EQ(main.catalogue.categories.size(), 1u);
}

TEST_F(MainWindowCommands, DeletingTheOnlyEntryKeepsTheColumnAndNothingShrinks) {
    SaveSample(SampleCatalogue({2, 1}));
    FormMain& main = OpenMainForm();
    ASSERT_EQ(main.contentWidth, 640);

    auto answer = AnswerNextBox(IDYES);
    ChooseFromContextMenu(*main.catalogue.categories.at(1).apps.at(0).tile, 'C');
    ASSERT_TRUE(PumpUntil([&answer] { return Ready(answer); }));
    EXPECT_EQ(answer.get().text,
              L"Si desidera realmente cancellare il pulsante \"CATEGORIA 2 1\"?");

    const MyApp::Categoria& emptied = main.catalogue.categories.at(1);
    EXPECT_TRUE(emptied.apps.empty());
    EXPECT_TRUE(IsWindow(emptied.cell->hwnd));
    RECT addCell = RectInPanel(*main.tilePanel, *emptied.addCell);
    EXPECT_EQ(addCell.left, 190);
    EXPECT_EQ(addCell.top, 60);
    EXPECT_EQ(ReadCatalogueFile(),
              FileText({CategoryLine("Categoria 1", 1), CategoryLine("Categoria 2", 2)},
                       {AppLine(1, "Categoria 1 1", "", "C:\\missing\\Categoria 1 1.exe"),
                        AppLine(1, "Categoria 1 2", "", "C:\\missing\\Categoria 1 2.exe")}));

    // Four columns widen the content; deleting one does not narrow it again.
    AddCategory("Terza");
    AddCategory("Quarta");
    ASSERT_EQ(main.contentWidth, 900);
    auto again = AnswerNextBox(IDYES);
    ChooseFromContextMenu(*main.catalogue.categories.at(3).cell, 'C');
    ASSERT_TRUE(PumpUntil([&again] { return Ready(again); }));
    EXPECT_EQ(main.catalogue.categories.size(), 3u);
    EXPECT_EQ(main.contentWidth, 900);
    EXPECT_EQ(RectInPanel(*main.tilePanel, *main.addCategoryCell).left, 550);
}

TEST_F(MainWindowCommands, ANewCategoryTakesTheNextIdAfterTheLargest) {
    WriteCatalogueFile(
        FileText({CategoryLine("Uno", 1), CategoryLine("Cinque", 5), CategoryLine("Due", 2)}, {}));
    FormMain& main = OpenMainForm();
    AddCategory("Nuova");
    EXPECT_EQ(ReadCatalogueFile(), FileText({CategoryLine("Uno", 1), CategoryLine("Cinque", 5),
                                             CategoryLine("Due", 2), CategoryLine("Nuova", 6)},
                                            {}));
    EXPECT_EQ(RectInPanel(*main.tilePanel, *main.catalogue.categories.at(3).cell).left, 550);
    EXPECT_EQ(static_cast<OrvoUtility::CellControl*>(main.catalogue.categories[3].cell)->tag, "6");
}

TEST_F(MainWindowCommands, CancelledDialogsAndUnchangedOrdersKeepTheCatalogue) {
    SaveSample(SampleCatalogue({1}));
    const std::string file = ReadCatalogueFile();
    FormMain& main = OpenMainForm();

    // "Annulla" after typing: nothing is added.
    Click(main.addCategoryCell->hwnd);
    ASSERT_TRUE(PumpUntil([&main] { return OpenDialogWindow(main.categoryDialog) != nullptr; }));
    TypeInto(main.categoryDialog->nameBox->hwnd, "Scartata");
    FinishDialog(*main.categoryDialog, *main.categoryDialog->cancelButton);
    EXPECT_EQ(main.catalogue.categories.size(), 1u);
    EXPECT_EQ(ReadCatalogueFile(), file);

    // "&Sposta..." on the only entry: "OK" writes the same order again. The
    // file is changed behind the program's back first, to see that it is written.
    ChooseFromContextMenu(*main.catalogue.categories[0].apps.at(0).tile, 'S');
    ASSERT_NE(OpenDialogWindow(main.orderDialog), nullptr);
    EXPECT_EQ(main.orderDialog->list->itemTexts, (std::vector<std::wstring>{L"Categoria 1 1"}));
    EXPECT_EQ(main.orderDialog->listKind, MyApp::ReorderList::Apps);
    WriteCatalogueFile(FileText({CategoryLine("Altro", 9)}, {}));
    FinishDialog(*main.orderDialog, *main.orderDialog->okButton);
    EXPECT_EQ(ReadCatalogueFile(), file);
}

TEST_F(MainWindowCommands, TheContextTargetFollowsTheLatestRightClick) {
    SaveSample(SampleCatalogue({2}));
    FormMain& main = OpenMainForm();
    const std::vector<MyApp::App>& apps = main.catalogue.categories.at(0).apps;

    ChooseFromContextMenu(*apps.at(0).tile, VK_ESCAPE);
    EXPECT_EQ(OpenDialogWindow(main.appDialog), nullptr);
    ChooseFromContextMenu(*apps.at(1).tile, 'M');
    ASSERT_NE(OpenDialogWindow(main.appDialog), nullptr);
    EXPECT_EQ(main.appDialog->descriptionBox->GetTextNarrow(), "Categoria 1 2");
    EXPECT_TRUE(main.appDialog->editMode);
    TypeInto(main.appDialog->descriptionBox->hwnd, "Seconda");
    FinishDialog(*main.appDialog, *main.appDialog->okButton);
    EXPECT_EQ(apps[0].description, "Categoria 1 1");
    EXPECT_EQ(apps[1].description, "Seconda");
}

TEST_F(MainWindowCommands, TheMenuBarOffersItsCommands) {
    FormMain& main = OpenMainForm();
    HMENU bar = GetMenu(main.hwnd);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuCaption(bar, 0), L"&File");
    EXPECT_EQ(MenuCaption(bar, 1), L"&?");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    EXPECT_EQ(MenuCaption(file, 0), L"&Esci");
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(help), 3);
    EXPECT_EQ(MenuCaption(help, 0), L"&Guida");
    EXPECT_EQ(MenuCaption(help, 1), L"&Home");
    EXPECT_EQ(MenuCaption(help, 2), L"&Info...");

    // "&Info..." twice: each time a new box over the disabled main window.
    for (int time = 0; time < 2; ++time) {
        HWND before = OpenDialogWindow(main.aboutBox);
        PostMessageW(main.hwnd, WM_COMMAND, static_cast<WPARAM>(GetMenuItemID(help, 2)), 0);
        ASSERT_TRUE(PumpUntil([&main, before] {
            HWND open = OpenDialogWindow(main.aboutBox);
            return open != nullptr && open != before;
        }));
        EXPECT_EQ(main.aboutBox->GetTextNarrow(), "Info...");
        EXPECT_EQ(main.aboutBox->secondText, "Copyright (C) 2026 Orvo Software");
        EXPECT_EQ(main.aboutBox->webAddress, "http://www.zelmivo.it");
        EXPECT_FALSE(IsWindowEnabled(main.hwnd));
        FinishDialog(*main.aboutBox, *main.aboutBox->okButton);
    }
}

TEST_F(MainWindowCommands, ExitAnsweredNoLeavesTheWindowWorking) {
    SaveSample(SampleCatalogue({1}));
    FormMain& main = OpenMainForm();
    SetForegroundWindow(main.hwnd);
    PumpMessages();

    auto answer = AnswerNextBox(IDNO);
    MenuPicker picker('E');
    PressAltWith('F');
    ASSERT_TRUE(PumpUntil([&answer] { return Ready(answer); }));
    EXPECT_EQ(picker.Captions(), (std::vector<std::wstring>{L"&Esci"}));
    ZelmivoTest::AnsweredDialog box = answer.get();
    EXPECT_EQ(box.text, L"Vuoi realmente uscire?");
    EXPECT_EQ(box.caption, L"Uscita");

    PumpMessages();
    ASSERT_TRUE(IsWindow(main.hwnd));
    EXPECT_TRUE(IsWindowEnabled(main.hwnd));
    SetWindowPos(main.hwnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(main.resizeTimer->running);
    ASSERT_TRUE(PumpUntil([&main] { return !main.resizeTimer->running; }));
    EXPECT_TRUE((GetWindowLongW(main.tilePanel->hwnd, GWL_STYLE) & WS_HSCROLL) != 0);
}

using MainWindowLaunch = CommandTest;

TEST_F(MainWindowLaunch, ATileStartsItsProgramInItsOwnFolder) {
    const std::wstring folder = OwnFolder();
    const std::wstring report = folder + L"\\launch_report.txt";
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    // The pathname and the parameters name environment variables, expanded
    // at the launch only: the file keeps them as typed.
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_DIR", folder.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_WORDS", L"due tre");
    // A working folder other than the probe's, so that the start folder shows.
    SetCurrentDirectoryW(L"C:\\");

    MyApp::Catalogue sample;
    sample.AddCategory("Prove");
    sample.AddApp(1, "Sonda", "%ZELMIVO_PROBE_DIR%\\launch_probe.exe", "uno \"%ZELMIVO_WORDS%\"");
    SaveSample(sample);
    const std::string file = ReadCatalogueFile();
    FormMain& main = OpenMainForm();
    Click(main.catalogue.categories.at(0).apps.at(0).tile->hwnd);
    ASSERT_TRUE(PumpUntil(
        [&report] { return GetFileAttributesW(report.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    std::vector<std::string> lines = ReadProbeReport(report);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Common::ToLower(lines[0]), Common::ToLower(Common::WideToNarrow(folder)));
    EXPECT_EQ(lines[1], "uno");
    EXPECT_EQ(lines[2], "due tre");
    EXPECT_EQ(ReadCatalogueFile(), file);
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", nullptr);
}

TEST_F(MainWindowLaunch, ATargetThatCannotStartIsToldInItalian) {
    MyApp::Catalogue sample;
    sample.AddCategory("Prove");
    sample.AddApp(1, "Assente", "C:\\nessuna\\cartella\\programma.exe", "");
    SaveSample(sample);
    FormMain& main = OpenMainForm();

    auto answer = AnswerNextBox(IDOK);
    Click(main.catalogue.categories.at(0).apps.at(0).tile->hwnd);
    ASSERT_TRUE(PumpUntil([&answer] { return Ready(answer); }));
    ZelmivoTest::AnsweredDialog box = answer.get();
    EXPECT_EQ(box.caption, L"Errore");
    EXPECT_EQ(
        box.text.rfind(L"Impossibile aprire\r\nC:\\nessuna\\cartella\\programma.exe\r\n\r\n", 0),
        0u)
        << Common::WideToNarrow(box.text);
    EXPECT_NE(box.text.find(L"(codice "), std::wstring::npos);
}

TEST_F(MainWindowLaunch, APathnameBeginningWithHttpGetsNoStartFolder) {
    const std::wstring folder = OwnFolder();
    const std::wstring report = folder + L"\\launch_report_http.txt";
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    // A relative pathname whose folder begins with "HtTp": started from the
    // current folder, the probe must find itself there and keep that folder.
    const std::wstring probeFolder = folder + L"\\HtTp_sonda";
    CreateDirectoryW(probeFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((folder + L"\\launch_probe.exe").c_str(),
                          (probeFolder + L"\\launch_probe.exe").c_str(), FALSE));
    SetCurrentDirectoryW(folder.c_str());

    MyApp::Catalogue sample;
    sample.AddCategory("Prove");
    sample.AddApp(1, "Sonda", "HtTp_sonda\\launch_probe.exe", "");
    SaveSample(sample);
    FormMain& main = OpenMainForm();
    Click(main.catalogue.categories.at(0).apps.at(0).tile->hwnd);
    ASSERT_TRUE(PumpUntil(
        [&report] { return GetFileAttributesW(report.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    std::vector<std::string> lines = ReadProbeReport(report);
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(Common::ToLower(lines[0]), Common::ToLower(Common::WideToNarrow(folder)));
    DeleteFileW(report.c_str());
    DeleteFileW((probeFolder + L"\\launch_probe.exe").c_str());
    RemoveDirectoryW(probeFolder.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", nullptr);
}

}  // namespace MainWindowTests
