#include "main_window_fixture.h"

#include <sstream>

#include "catalogue_file.h"
#include "file_system.h"
#include "panel.h"
#include "text.h"
#include "timer.h"
#include "window_procedure.h"
#include "window_query.h"

namespace MainWindowTests {

namespace {

constexpr ULONGLONG pumpBoundMs = 20000;

HWND OpenMenu() { return ZelmivoTest::FindTopWindow(GetCurrentProcessId(), L"#32768"); }

}  // namespace

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
    return ZelmivoTest::WaitUntil(
        [&condition] {
            PumpMessages();
            return condition();
        },
        pumpBoundMs);
}

RECT RectInPanel(const MyApp::FormMain& main, const OrvoUtility::GUIElement* element) {
    RECT rect{};
    GetWindowRect(element->hwnd, &rect);
    MapWindowPoints(nullptr, main.View().Panel().hwnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsInView(const MyApp::FormMain& main, const OrvoUtility::GUIElement* element) {
    RECT shown{};
    GetClientRect(main.View().Panel().hwnd, &shown);
    RECT rect = RectInPanel(main, element);
    return rect.top >= shown.top && rect.bottom <= shown.bottom;
}

std::future<std::wstring> AnswerNextMenu(WORD key) {
    return std::async(std::launch::async, [key] {
        HWND window = nullptr;
        if (!ZelmivoTest::WaitUntil([&] { return (window = OpenMenu()) != nullptr; }))
            return std::wstring();
        wchar_t first[64] = {};
        GetMenuStringW(reinterpret_cast<HMENU>(ZelmivoTest::SendBounded(window, MN_GETHMENU)), 0,
                       first, 64, MF_BYPOSITION);
        ZelmivoTest::PressKeys({key});
        // Never leave the test blocked in the menu's loop.
        if (!ZelmivoTest::WaitUntil([] { return OpenMenu() == nullptr; })) EndMenu();
        return std::wstring(first);
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
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void MainWindowTest::SetUp() {
    // Every test's first form is the main window, as in a fresh program.
    OrvoUtility::dispatcher.mainWindow = nullptr;
    ZelmivoTest::RemoveCatalogue();
}

void MainWindowTest::TearDown() {
    form.reset();
    PumpMessages();
    ZelmivoTest::RemoveCatalogue();
}

MyApp::FormMain& MainWindowTest::Open(const MyApp::Catalogue& catalogue) {
    form.reset();
    MyApp::LoadResult where = MyApp::LoadCatalogue();
    EXPECT_TRUE(MyApp::SaveCatalogue(catalogue, where.file).saved);
    form = std::make_unique<MyApp::FormMain>(GetModuleHandleW(nullptr),
                                             "Orvo Zelmivo Copyright (C) 2026 Orvo Software");
    return *form;
}

}  // namespace MainWindowTests
