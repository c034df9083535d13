#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_answerer.h"
#include "form.h"
#include "gtest/gtest.h"
#include "shell.h"
#include "text.h"

using OrvoUtility::AskYesNo;
using OrvoUtility::ChooseFile;
using OrvoUtility::LaunchTarget;
using OrvoUtility::OpenWithShell;
using OrvoUtility::ShowError;
using ZelmivoTest::DialogAnswerer;

namespace {

constexpr DWORD reportWaitMs = 20000;

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring TemporaryFolder(const std::wstring& name) {
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    std::wstring folder =
        std::wstring(buffer) + name + L" " + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The long, canonical spelling, so that folders compare whatever way they were written.
std::wstring Canonical(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    std::wstring result = length > 0 && length < MAX_PATH ? buffer : path;
    while (result.size() > 3 && result.back() == L'\\') result.pop_back();
    CharLowerW(&result[0]);
    return result;
}

std::wstring FromUtf8(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Starts every launch test with a copy of the probe in a folder of its own,
// so that its folder differs from the test's working folder.
class LaunchTargetTest : public testing::Test {
protected:
    void SetUp() override {
        base = TemporaryFolder(L"zelmivo launch");
        toolsFolder = base + L"\\tools";
        otherFolder = base + L"\\altrove";
        CreateDirectoryW(toolsFolder.c_str(), nullptr);
        CreateDirectoryW(otherFolder.c_str(), nullptr);
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        probe = toolsFolder + L"\\launch_probe.exe";
        ASSERT_TRUE(
            CopyFileW((Folder(self) + L"\\launch_probe.exe").c_str(), probe.c_str(), FALSE));
        report = base + L"\\report.txt";
        DeleteFileW(report.c_str());
        SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        savedFolder = current;
    }

    void TearDown() override {
        SetCurrentDirectoryW(savedFolder.c_str());
        SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", nullptr);
        DeleteFileW(report.c_str());
    }

    // The probe's report: working folder first, then its arguments. Empty
    // when the probe did not report in time.
    std::vector<std::wstring> WaitForReport() {
        const ULONGLONG deadline = GetTickCount64() + reportWaitMs;
        while (GetFileAttributesW(report.c_str()) == INVALID_FILE_ATTRIBUTES &&
               GetTickCount64() < deadline) {
            Sleep(50);
        }
        std::wstring text = FromUtf8(ReadFileBytes(report));
        std::vector<std::wstring> lines;
        for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
             start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    std::wstring base, toolsFolder, otherFolder, probe, report, savedFolder;
};

TEST_F(LaunchTargetTest, StartsInTheTargetsFolderWithItsParameters) {
    ASSERT_TRUE(SetCurrentDirectoryW(otherFolder.c_str()));
    EXPECT_TRUE(LaunchTarget(Common::WideToNarrow(probe), "alfa \"beta gamma\"", true));
    std::vector<std::wstring> lines = WaitForReport();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(Canonical(toolsFolder), Canonical(lines[0]));
    EXPECT_EQ(L"alfa", lines[1]);
    EXPECT_EQ(L"beta gamma", lines[2]);
}

TEST_F(LaunchTargetTest, WithoutTheFlagKeepsTheCallersFolderAndPassesNoParameters) {
    ASSERT_TRUE(SetCurrentDirectoryW(otherFolder.c_str()));
    EXPECT_TRUE(LaunchTarget(Common::WideToNarrow(probe), "", false));
    std::vector<std::wstring> lines = WaitForReport();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(Canonical(otherFolder), Canonical(lines[0]));
}

TEST_F(LaunchTargetTest, MissingTargetsAreRefused) {
    std::string missing = Common::WideToNarrow(toolsFolder) + "\\manca.exe";
    EXPECT_FALSE(LaunchTarget(missing, "alfa", true));
    EXPECT_FALSE(OpenWithShell(missing));
    EXPECT_FALSE(OpenWithShell(Common::WideToNarrow(base) + "\\manca.txt"));
}

TEST_F(LaunchTargetTest, OpenWithShellStartsAProgramWithoutParameters) {
    ASSERT_TRUE(SetCurrentDirectoryW(otherFolder.c_str()));
    EXPECT_TRUE(OpenWithShell(Common::WideToNarrow(probe)));
    std::vector<std::wstring> lines = WaitForReport();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(Canonical(otherFolder), Canonical(lines[0]));
}

std::vector<int> Sorted(std::vector<int> values) {
    std::sort(values.begin(), values.end());
    return values;
}

TEST(MessageBoxes, AskYesNoIsTrueOnlyForYes) {
    {
        DialogAnswerer answerer(IDYES);
        EXPECT_TRUE(AskYesNo("Vuoi realmente uscire?", "Uscita"));
        const ZelmivoTest::AnsweredDialog& seen = answerer.Result();
        ASSERT_TRUE(seen.found);
        EXPECT_TRUE(seen.pressed);
        EXPECT_EQ(L"Uscita", seen.caption);
        EXPECT_EQ(L"Vuoi realmente uscire?", seen.text);
        EXPECT_EQ(Sorted({IDYES, IDNO}), Sorted(seen.buttons));
        EXPECT_EQ(nullptr, seen.owner);
    }
    {
        DialogAnswerer answerer(IDNO);
        EXPECT_FALSE(AskYesNo("Vuoi realmente uscire?", "Uscita"));
        EXPECT_TRUE(answerer.Result().pressed);
    }
}

TEST(MessageBoxes, ShowErrorShowsItsTextWithEveryAccentedLetter) {
    DialogAnswerer answerer(IDOK);
    ShowError(nullptr, "La descrizione \xE8 vuota: perch\xE9?", "Errore");
    const ZelmivoTest::AnsweredDialog& seen = answerer.Result();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.pressed);
    EXPECT_EQ(L"Errore", seen.caption);
    EXPECT_EQ(L"La descrizione \u00E8 vuota: perch\u00E9?", seen.text);
    EXPECT_EQ(std::vector<int>{IDOK}, seen.buttons);
}

// A live form as the owner of the boxes; a WM_QUIT its destruction may leave
// is taken out so that it cannot end a later modal loop.
class OwnedBoxTest : public testing::Test {
protected:
    void SetUp() override {
        form = new OrvoUtility::Form(GetModuleHandleW(nullptr));
        form->Create();
        ASSERT_NE(nullptr, form->hwnd);
    }

    void TearDown() override {
        delete form;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    OrvoUtility::Form* form = nullptr;
};

TEST_F(OwnedBoxTest, BoxesBelongToTheirOwnerAndBlockIt) {
    {
        DialogAnswerer answerer(IDOK);
        ShowError(form, "Manca il nome.", "Errore");
        const ZelmivoTest::AnsweredDialog& seen = answerer.Result();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(form->hwnd, seen.owner);
        EXPECT_FALSE(seen.ownerWasEnabled);
        EXPECT_EQ(L"Manca il nome.", seen.text);
    }
    {
        DialogAnswerer answerer(IDYES);
        EXPECT_TRUE(OrvoUtility::AskYesNoFor(form, "Cancellare la categoria?", "Conferma"));
        const ZelmivoTest::AnsweredDialog& seen = answerer.Result();
        EXPECT_EQ(form->hwnd, seen.owner);
        EXPECT_EQ(L"Conferma", seen.caption);
        EXPECT_EQ(Sorted({IDYES, IDNO}), Sorted(seen.buttons));
    }
    {
        DialogAnswerer answerer(IDNO);
        EXPECT_FALSE(OrvoUtility::AskYesNoFor(form, "Cancellare la categoria?", "Conferma"));
        EXPECT_TRUE(answerer.Result().pressed);
    }
    {
        DialogAnswerer answerer(IDCANCEL);
        EXPECT_EQ("", ChooseFile(form));
        EXPECT_EQ(form->hwnd, answerer.Result().owner);
    }
    EXPECT_TRUE(IsWindowEnabled(form->hwnd));
}

TEST(ChooseFileDialog, CancelGivesTheEmptyText) {
    DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ("", ChooseFile(nullptr));
    EXPECT_TRUE(answerer.Result().found);
    EXPECT_TRUE(answerer.Result().pressed);
}

TEST(ChooseFileDialog, ATypedFileComesBackAsItsFullPath) {
    std::wstring folder = TemporaryFolder(L"zelmivo scelta");
    std::wstring path = folder + L"\\programma.exe";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);

    DialogAnswerer answerer(path);
    std::string chosen = ChooseFile(nullptr);
    EXPECT_TRUE(answerer.Result().pressed);
    EXPECT_EQ(Canonical(path), Canonical(Common::NarrowToWide(chosen)));

    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
