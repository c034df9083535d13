// Menus, message boxes and launching, with real windows, boxes answered as a
// user would, and the probe program standing in for a launched target.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_answerer.h"
#include "form.h"
#include "menu.h"
#include "shell.h"
#include "test_support.h"
#include "text.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;
using ZelmivoTest::DialogAnswerer;

class ShellAndMenus : public WindowTest {};

std::vector<int> checkStatesSeen;

void RecordCheckState(SubMenu* item) { checkStatesSeen.push_back(item->checkState); }

TEST_F(ShellAndMenus, MenuCommandsReachTheirItemAfterTheCheckMarkToggles) {
    Form form(Instance());
    form.Create();
    MenuBar bar(&form);
    Menu view("&Vista", &bar);
    SubMenu grid(&view, "&Griglia");
    grid.checkable = 1;
    grid.onCommand = RecordCheckState;
    bar.Create();
    checkStatesSeen.clear();
    for (WORD code : {0, 1, 0}) SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(grid.id, code), 0);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(grid.id + 1000, 0), 0);
    // An accelerator (code 1) and an unknown id reach nothing.
    EXPECT_EQ(checkStatesSeen, (std::vector<int>{1, 0}));
    EXPECT_EQ(GetMenuState(view.menuHandle, grid.id, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(ShellAndMenus, BoxesAskTheirOwnerAndOnlyYesCounts) {
    Form form(Instance());
    form.Create();
    for (int answer : {IDYES, IDNO}) {
        DialogAnswerer answerer(answer);
        EXPECT_EQ(AskYesNoFor(&form, "Cancellare \"CAFF\xC8\"?", "Conferma"), answer == IDYES);
        const ZelmivoTest::AnsweredDialog& seen = answerer.Result();
        EXPECT_TRUE(seen.pressed);
        EXPECT_EQ(seen.caption, L"Conferma");
        EXPECT_EQ(seen.text, L"Cancellare \"CAFF\u00C8\"?");
        EXPECT_EQ(seen.owner, form.hwnd);
        EXPECT_FALSE(seen.ownerWasEnabled);
    }
    DialogAnswerer answerer(IDOK);
    ShowError(nullptr, "Manca il nome.", "Errore");
    EXPECT_EQ(answerer.Result().buttons, std::vector<int>{IDOK});
    EXPECT_EQ(answerer.Result().owner, nullptr);
}

// The long, lower-case spelling, so that folders compare whatever way they were written.
std::wstring Canonical(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    std::wstring result = length > 0 && length < MAX_PATH ? buffer : path;
    while (result.size() > 3 && result.back() == L'\\') result.pop_back();
    CharLowerW(&result[0]);
    return result;
}

// The probe's report, one line each: its working folder, then its arguments.
std::vector<std::string> WaitForReport(const std::wstring& report) {
    for (int tries = 0;
         tries < 400 && GetFileAttributesW(report.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) {
        Sleep(50);
    }
    std::vector<std::string> lines;
    HANDLE file = CreateFileW(report.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    DeleteFileW(report.c_str());
    return Common::Split(std::string(buffer, read), "\n");
}

TEST_F(ShellAndMenus, LaunchTargetStartsInTheTargetsFolderOnlyWhenAsked) {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring base = std::wstring(temporary) + L"zelmivo launch";
    const std::wstring tools = base + L"\\tools";
    CreateDirectoryW(base.c_str(), nullptr);
    CreateDirectoryW(tools.c_str(), nullptr);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring selfPath = self;
    const std::wstring probe = tools + L"\\launch_probe.exe";
    ASSERT_TRUE(
        CopyFileW((selfPath.substr(0, selfPath.rfind(L'\\')) + L"\\launch_probe.exe").c_str(),
                  probe.c_str(), FALSE));
    const std::wstring report = base + L"\\report.txt";
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    ASSERT_TRUE(SetCurrentDirectoryW(base.c_str()));

    EXPECT_TRUE(LaunchTarget(Common::WideToNarrow(probe), "alfa \"beta gamma\"", true));
    std::vector<std::string> lines = WaitForReport(report);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Canonical(Common::NarrowToWide(lines[0])), Canonical(tools));
    EXPECT_EQ(lines[1], "alfa");
    EXPECT_EQ(lines[2], "beta gamma");

    EXPECT_TRUE(LaunchTarget(Common::WideToNarrow(probe), "", false));
    lines = WaitForReport(report);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Canonical(Common::NarrowToWide(lines[0])), Canonical(base));
    EXPECT_FALSE(LaunchTarget(Common::WideToNarrow(tools) + "\\manca.exe", "", true));
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", nullptr);
}

}  // namespace
}  // namespace ToolkitTests
