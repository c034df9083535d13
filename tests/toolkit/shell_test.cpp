// The shell services against the real shell: a target shown in its folder's
// window. The clipboard and the launch with a verb are the end-to-end story's,
// through the main window.
#include "shell.h"

// windows.h comes first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <filesystem>
#include <fstream>

#include "shortcut_maker.h"
#include "test_support.h"
#include "text.h"
#include "window_query.h"

namespace ToolkitTests {

using Common::WideToNarrow;
using ZelmivoTest::WaitUntil;

// Works in the folder of the test program, where the launch probe stands.
class Shell : public WindowTest {
protected:
    std::wstring folder = std::filesystem::path(Module()).parent_path().wstring();

private:
    static std::wstring Module() {
        wchar_t path[MAX_PATH] = {};
        return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    }
};

// The file, a shortcut to it from another folder and the file named through
// a variable each open the file's folder with the file, its only item, selected.
TEST_F(Shell, ATargetOrItsShortcutIsShownSelectedInItsFolder) {
    const std::wstring shown = folder + L"\\Cartella di prova", target = shown + L"\\nota.txt",
                       shortcut = folder + L"\\nota.lnk";
    CreateDirectoryW(shown.c_str(), nullptr);
    std::ofstream{std::filesystem::path(target)} << "prova";
    ASSERT_TRUE(ZelmivoTest::MakeShortcut(shortcut, target));
    SetEnvironmentVariableW(L"ZELMIVO_CARTELLA", shown.c_str());

    for (const std::wstring& each :
         {target, shortcut, std::wstring(L"%ZELMIVO_CARTELLA%\\nota.txt")}) {
        ASSERT_TRUE(OpenFolderAndSelect(WideToNarrow(each))) << WideToNarrow(each);
        HWND window = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            window = FindWindowW(L"ExplorerWClass", L"Cartella di prova");
            HWND list = FindWindowExW(
                FindWindowExW(FindWindowExW(window, nullptr, L"ExplorerBrowserControl", nullptr),
                              nullptr, L"SHELLDLL_DefView", nullptr),
                nullptr, WC_LISTVIEWW, nullptr);
            return list != nullptr && ZelmivoTest::SendBounded(list, LVM_GETSELECTEDCOUNT) == 1;
        })) << WideToNarrow(each);
        PostMessageW(window, WM_CLOSE, 0, 0);
        WaitUntil([&] { return !IsWindow(window); });
    }
    std::uint32_t error = 0;
    EXPECT_FALSE(OpenFolderAndSelect(WideToNarrow(shown + L"\\persa.txt"), &error));
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    std::filesystem::remove_all(shown);
    DeleteFileW(shortcut.c_str());
}

}  // namespace ToolkitTests
