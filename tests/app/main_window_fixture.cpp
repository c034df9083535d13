#include "main_window_fixture.h"

#include "catalogue_file.h"
#include "file_system.h"
#include "panel.h"
#include "text.h"
#include "timer.h"
#include "window_procedure.h"

namespace MainWindowTests {

namespace {

constexpr ULONGLONG pumpBoundMs = 20000;

std::string CatalogueFilePath() { return MyApp::DataFolder("Zelmivo") + "app.txt"; }

// The file and the backup and new file a save leaves beside it.
void RemoveCatalogueFile() {
    MyApp::SystemError ignored = 0;
    for (const char* suffix : {"", ".bak", ".tmp"}) {
        MyApp::RemoveFile(CatalogueFilePath() + suffix, ignored);
    }
}

HWND OpenMenu() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32768", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

}  // namespace

std::string ReadCatalogueFile() {
    std::string bytes;
    MyApp::SystemError error = 0;
    MyApp::ReadWholeFile(CatalogueFilePath(), bytes, error);
    return bytes;
}

MyApp::Catalogue SampleCatalogue(const std::vector<int>& entriesPerCategory) {
    MyApp::Catalogue catalogue;
    for (int entries : entriesPerCategory) {
        std::string name = "Categoria " + Common::FormatInt64(catalogue.categories.size() + 1);
        catalogue.AddCategory(name);
        for (int entry = 1; entry <= entries; ++entry) {
            std::string description = name + " " + Common::FormatInt64(entry);
            catalogue.AddApp(catalogue.categories.back().id, description,
                             "C:\\missing\\" + description + ".exe", "");
        }
    }
    return catalogue;
}

bool PumpUntil(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + pumpBoundMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

RECT RectInPanel(const MyApp::FormMain& main, const OrvoUtility::GUIElement* element) {
    RECT rect{};
    GetWindowRect(element->hwnd, &rect);
    MapWindowPoints(nullptr, main.tilePanel->hwnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsInView(const MyApp::FormMain& main, const OrvoUtility::GUIElement* element) {
    RECT shown{};
    GetClientRect(main.tilePanel->hwnd, &shown);
    RECT rect = RectInPanel(main, element);
    return rect.top >= shown.top && rect.bottom <= shown.bottom;
}

std::future<ZelmivoTest::AnsweredDialog> AnswerNextBox(int buttonId) {
    return std::async(std::launch::async, [buttonId] {
        ZelmivoTest::DialogAnswerer answerer(buttonId);
        return answerer.Result();
    });
}

std::future<int> CloseNextMenu() {
    return std::async(std::launch::async, [] {
        const ULONGLONG deadline = GetTickCount64() + pumpBoundMs;
        HWND window = nullptr;
        while ((window = OpenMenu()) == nullptr && GetTickCount64() < deadline) Sleep(20);
        if (window == nullptr) return -1;
        DWORD_PTR menu = 0;
        SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &menu);
        int items = GetMenuItemCount(reinterpret_cast<HMENU>(menu));
        ZelmivoTest::PressKeys({VK_ESCAPE});
        while (OpenMenu() != nullptr && GetTickCount64() < deadline) Sleep(20);
        // Never leave the test blocked in the menu's loop.
        if (OpenMenu() != nullptr) EndMenu();
        return items;
    });
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    std::wstring own(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of(L'\\'));
}

std::vector<std::string> TakeProbeReport(const std::wstring& report) {
    // The probe renames its report into place whole.
    const std::string path = Common::WideToNarrow(report);
    std::string text;
    MyApp::SystemError error = 0;
    if (!PumpUntil([&] { return MyApp::ReadWholeFile(path, text, error); })) return {};
    MyApp::RemoveFile(path, error);
    return Common::Split(text, "\n");
}

void MainWindowTest::SetUp() {
    // Every test's first form is the main window, as in a fresh program.
    OrvoUtility::mainWindow = nullptr;
    RemoveCatalogueFile();
}

void MainWindowTest::TearDown() {
    form.reset();
    EXPECT_EQ(MyApp::theMainForm, nullptr);
    PumpMessages();
    RemoveCatalogueFile();
}

MyApp::FormMain& MainWindowTest::Open(const MyApp::Catalogue& catalogue) {
    form.reset();
    MyApp::CatalogueFile file;
    EXPECT_TRUE(MyApp::SaveCatalogue(catalogue, file).saved);
    form = std::make_unique<MyApp::FormMain>(GetModuleHandleW(nullptr),
                                             "Orvo Zelmivo Copyright (C) 2026 Orvo Software");
    EXPECT_TRUE(PumpUntil([this] { return !form->resizeTimer->running; }));
    return *form;
}

}  // namespace MainWindowTests
