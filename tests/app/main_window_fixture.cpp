#include "main_window_fixture.h"

#include "catalogue_file.h"
#include "file_system.h"
#include "text.h"
#include "timer.h"
#include "window_procedure.h"

namespace MainWindowTests {

namespace {

constexpr ULONGLONG pumpBoundMs = 20000;

}  // namespace

std::string CatalogueFilePath() { return MyApp::DataFolder("Zelmivo") + "app.txt"; }

std::string ReadCatalogueFile() {
    std::string bytes;
    MyApp::SystemError error = 0;
    MyApp::ReadWholeFile(CatalogueFilePath(), bytes, error);
    return bytes;
}

void WriteCatalogueFile(const std::string& bytes) {
    MyApp::FileWriter file;
    ASSERT_TRUE(file.Open(CatalogueFilePath()));
    ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
    ASSERT_TRUE(file.Close());
}

// The file and the backup and new file a save leaves beside it.
void RemoveCatalogueFile() {
    MyApp::SystemError ignored = 0;
    for (const char* suffix : {"", ".bak", ".tmp"}) {
        MyApp::RemoveFile(CatalogueFilePath() + suffix, ignored);
    }
}

void SaveSample(const MyApp::Catalogue& catalogue) {
    MyApp::CatalogueFile file;
    ASSERT_TRUE(MyApp::SaveCatalogue(catalogue, file).saved);
}

MyApp::Catalogue SampleCatalogue(std::initializer_list<int> entriesPerCategory) {
    MyApp::Catalogue catalogue;
    int category = 0;
    for (int entries : entriesPerCategory) {
        ++category;
        std::string name = "Categoria " + Common::FormatInt64(category);
        catalogue.AddCategory(name);
        for (int entry = 1; entry <= entries; ++entry) {
            std::string description = name + " " + Common::FormatInt64(entry);
            catalogue.AddApp(category, description, "C:\\missing\\" + description + ".exe", "");
        }
    }
    return catalogue;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
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

RECT RectInPanel(const OrvoUtility::GUIElement& panel, const OrvoUtility::GUIElement& element) {
    RECT rect{};
    GetWindowRect(element.hwnd, &rect);
    MapWindowPoints(nullptr, panel.hwnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int DirectChildCount(HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
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

MyApp::FormMain& MainWindowTest::OpenMainForm() {
    form = std::make_unique<MyApp::FormMain>(GetModuleHandleW(nullptr),
                                             "Orvo Zelmivo Copyright (C) 2026 Orvo Software");
    EXPECT_TRUE(PumpUntil([this] { return !form->resizeTimer->running; }));
    return *form;
}

}  // namespace MainWindowTests
