// The shell services against the real shell: launching with a verb, showing a
// target selected in its folder's window, and the clipboard.
#include "shell.h"

// windows.h comes first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include <filesystem>
#include <fstream>

#include "clipboard.h"
#include "test_support.h"
#include "text.h"
#include "window_query.h"

namespace ToolkitTests {

using ZelmivoTest::Children;

class Shell : public WindowTest {};

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    std::wstring own(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of(L'\\'));
}

// The lines the launch probe wrote (its working folder, then its arguments),
// once it has; the report goes.
std::vector<std::string> ProbeReport(const std::wstring& report) {
    std::vector<std::string> lines;
    ZelmivoTest::WaitUntil([&] { return std::filesystem::exists(report); });
    {
        std::ifstream in{std::filesystem::path(report)};
        for (std::string line; std::getline(in, line);) lines.push_back(Common::ToLower(line));
    }
    DeleteFileW(report.c_str());
    return lines;
}

// The name selected in the list of the shell's window, read from the shell's
// process, where the list keeps it.
std::wstring SelectedName(HWND shellWindow) {
    std::vector<HWND> list;
    for (HWND browser : Children(shellWindow, L"ExplorerBrowserControl")) {
        for (HWND view : Children(browser, L"SHELLDLL_DefView")) {
            list = Children(view, WC_LISTVIEWW);
        }
    }
    if (list.empty()) return L"nothing";
    DWORD processId = 0;
    GetWindowThreadProcessId(list[0], &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    struct Item {
        LVITEMW item;
        wchar_t text[MAX_PATH];
    } local = {};
    auto* remote = static_cast<Item*>(
        VirtualAllocEx(process, nullptr, sizeof(Item), MEM_COMMIT, PAGE_READWRITE));
    local.item.pszText = remote->text;
    local.item.cchTextMax = MAX_PATH;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    LRESULT selected =
        ZelmivoTest::SendBounded(list[0], LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    ZelmivoTest::SendBounded(list[0], LVM_GETITEMTEXTW, selected,
                             reinterpret_cast<LPARAM>(&remote->item));
    ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return selected < 0 ? L"nothing" : local.text;
}

// "runas" starts a program as "open" does; a verb a document lacks fails
// where "open" would have found its program.
TEST_F(Shell, AVerbStartsTheTargetInItsFolderWithItsParametersOrFails) {
    const std::wstring folder = OwnFolder(), report = folder + L"\\verb_report.txt";
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    const std::string probe = Common::WideToNarrow(folder) + "\\launch_probe.exe";
    for (const char* verb : {"open", "runas"}) {
        DeleteFileW(report.c_str());
        ASSERT_TRUE(LaunchTarget(probe, "uno \"due tre\"", true, nullptr, verb)) << verb;
        EXPECT_EQ(ProbeReport(report),
                  (std::vector<std::string>{Common::ToLower(Common::WideToNarrow(folder)), "uno",
                                            "due tre"}))
            << verb;
    }
    const std::wstring document = folder + L"\\documento.txt";
    std::ofstream{std::filesystem::path(document)} << "prova";
    std::uint32_t error = 0;
    EXPECT_FALSE(LaunchTarget(Common::WideToNarrow(document), "", true, &error, "nessunverbo"));
    EXPECT_NE(error, 0u);
    DeleteFileW(document.c_str());
}

TEST_F(Shell, ATargetOrItsShortcutIsShownSelectedInItsFolder) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = OwnFolder() + L"\\Cartella di prova",
                       target = folder + L"\\nota.txt";
    const std::wstring links = OwnFolder() + L"\\collegamenti", shortcut = links + L"\\nota.lnk";
    for (const std::wstring& made : {folder, links}) CreateDirectoryW(made.c_str(), nullptr);
    for (const wchar_t* name : {L"\\altra.txt", L"\\nota.txt", L"\\zeta.txt"}) {
        std::ofstream(std::filesystem::path(folder + name)) << "prova";
    }
    IShellLinkW* link = nullptr;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     reinterpret_cast<void**>(&link));
    IPersistFile* file = nullptr;
    ASSERT_NE(link, nullptr);
    link->SetPath(target.c_str());
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    ASSERT_EQ(file->Save(shortcut.c_str(), TRUE), S_OK);
    file->Release();
    link->Release();
    SetEnvironmentVariableW(L"ZELMIVO_CARTELLA", folder.c_str());

    for (const std::wstring& shown :
         {target, shortcut, std::wstring(L"%ZELMIVO_CARTELLA%\\nota.txt")}) {
        SCOPED_TRACE(Common::WideToNarrow(shown));
        ASSERT_TRUE(OpenFolderAndSelect(Common::WideToNarrow(shown)));
        HWND window = nullptr;
        ZelmivoTest::WaitUntil([&] {
            for (HWND each : Children(nullptr, L"ExplorerWClass")) {
                if (ZelmivoTest::TextOf(each) == L"Cartella di prova") window = each;
            }
            return window != nullptr && SelectedName(window) != L"nothing";
        });
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(SelectedName(window), L"nota.txt");
        PostMessageW(window, WM_CLOSE, 0, 0);
        ZelmivoTest::WaitUntil([&] { return !IsWindow(window); });
    }
    std::uint32_t error = 0;
    EXPECT_FALSE(OpenFolderAndSelect(Common::WideToNarrow(folder + L"\\persa.txt"), &error));
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(links);
    CoUninitialize();
}

TEST_F(Shell, CopiedTextIsWhatThePasteGets) {
    Form form(Instance());
    form.Create();
    // The second copy replaces the first.
    for (const std::wstring& text : {std::wstring(L"\"C:\\Program Files\\nota.txt\""),
                                     std::wstring(L"C:\\Журнал\\\U0001F600.txt")}) {
        ASSERT_TRUE(CopyTextToClipboard(&form, text));
        ASSERT_TRUE(OpenClipboard(nullptr));
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const wchar_t* pasted = static_cast<const wchar_t*>(GlobalLock(data));
        EXPECT_EQ(pasted != nullptr ? std::wstring(pasted) : L"nothing", text);
        EXPECT_EQ(GetClipboardOwner(), form.hwnd);
        GlobalUnlock(data);
        CloseClipboard();
    }
}

}  // namespace ToolkitTests
