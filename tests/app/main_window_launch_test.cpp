// The main window's commands case by case: the questions, the places after a
// deletion, new category ids, the reorder dialog, the context target, the
// menu bar and "&Esci", and the launching of tiles.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "command_fixture.h"
#include "file_system.h"
#include "text.h"
#include "user_actions.h"

namespace MainWindowTests {

namespace {

using MyApp::FormMain;

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
