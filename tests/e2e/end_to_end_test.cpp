#include "end_to_end_test.h"

#include <algorithm>

#include "data_folder.h"
#include "screenshot.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

namespace ZelmivoE2E {

std::string WorkedExampleText() {
    return CatalogueText({{"Ufficio", 1}, {"Giochi", 2}},
                         {{1, "Blocco note", "C:\\Note\\lista.txt", "C:\\Windows\\notepad.exe"},
                          {2, "Solitario", "", "D:\\Giochi\\sol.exe"}});
}

std::vector<ExpectedColumn> WorkedExampleColumns() {
    return {{L"Ufficio", {L"Blocco note"}}, {L"Giochi", {L"Solitario"}}};
}

void EndToEndTest::TearDown() {
    // What the screen showed when the test failed, to see why.
    if (HasFailure()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("failed_") + test->test_suite_name() + "_" + test->name();
        Screenshot(std::wstring(name.begin(), name.end()));
    }
    zelmivo.Process().Stop();
    RemoveCatalogueFile();
}

::testing::AssertionResult EndToEndTest::StartWith(const std::string* catalogue) {
    RemoveCatalogueFile();
    if (catalogue != nullptr && !WriteCatalogueFile(*catalogue)) {
        return ::testing::AssertionFailure() << "cannot write the catalogue file";
    }
    if (!zelmivo.Start()) {
        return ::testing::AssertionFailure() << "the main window of zelmivo.exe did not appear";
    }
    return ::testing::AssertionSuccess();
}

HWND EndToEndTest::OpenDialogBy(HWND item, const std::wstring& title) {
    if (!zelmivo.ClickItem(item)) return nullptr;
    return zelmivo.WaitForWindow(title);
}

std::vector<HWND> EndToEndTest::TextBoxes(HWND dialog) const {
    std::vector<HWND> boxes = zelmivo.EditBoxes(dialog);
    std::sort(boxes.begin(), boxes.end(),
              [](HWND a, HWND b) { return ScreenRect(a).top < ScreenRect(b).top; });
    return boxes;
}

::testing::AssertionResult EndToEndTest::AddCategory(const std::wstring& name,
                                                     bool confirmWithEnter) {
    HWND dialog = OpenDialogBy(zelmivo.Cell(L"+ aggiungi categoria"), L"Aggiungi Categoria");
    if (dialog == nullptr) {
        return ::testing::AssertionFailure() << "no \"Aggiungi Categoria\" dialog appeared";
    }
    std::vector<HWND> boxes = TextBoxes(dialog);
    if (boxes.size() != 1 || !zelmivo.TypeInto(boxes[0], name)) {
        return ::testing::AssertionFailure() << "the category name could not be typed";
    }
    if (confirmWithEnter) {
        PressKey(VK_RETURN);
    } else if (!zelmivo.ClickButton(dialog, L"OK")) {
        return ::testing::AssertionFailure() << "the dialog has no \"OK\" button";
    }
    if (!zelmivo.WaitUntilGone(dialog)) {
        return ::testing::AssertionFailure() << "the category dialog stayed open";
    }
    if (!WaitUntil([&] { return zelmivo.Cell(name) != nullptr; })) {
        return ::testing::AssertionFailure() << "no header cell shows " << Utf8(name);
    }
    return ::testing::AssertionSuccess();
}

HWND EndToEndTest::AddAppCell(int column) const {
    std::vector<HWND> cells;
    for (HWND child : ChildWindows(zelmivo.TilePanel())) {
        if (IsWindowVisible(child) && ClassOf(child) != L"Button" &&
            TextOf(child) == L"+ aggiungi App") {
            cells.push_back(child);
        }
    }
    std::sort(cells.begin(), cells.end(),
              [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
    return column < static_cast<int>(cells.size()) ? cells[column] : nullptr;
}

::testing::AssertionResult EndToEndTest::AddApp(int column, const std::wstring& description,
                                                const std::wstring& pathname,
                                                const std::wstring& parameters,
                                                bool confirmWithEnter) {
    HWND dialog = OpenDialogBy(AddAppCell(column), L"Aggiungi Applicazione");
    if (dialog == nullptr) {
        return ::testing::AssertionFailure() << "no \"Aggiungi Applicazione\" dialog appeared";
    }
    std::vector<HWND> boxes = TextBoxes(dialog);
    if (boxes.size() != 3) {
        return ::testing::AssertionFailure()
               << "the dialog shows " << boxes.size() << " text boxes instead of 3";
    }
    if (!zelmivo.TypeInto(boxes[0], description) || !zelmivo.TypeInto(boxes[1], pathname) ||
        !zelmivo.TypeInto(boxes[2], parameters)) {
        return ::testing::AssertionFailure() << "the entry's texts could not be typed";
    }
    if (confirmWithEnter) {
        PressKey(VK_RETURN);
    } else if (!zelmivo.ClickButton(dialog, L"OK")) {
        return ::testing::AssertionFailure() << "the dialog has no \"OK\" button";
    }
    if (!zelmivo.WaitUntilGone(dialog)) {
        return ::testing::AssertionFailure() << "the application dialog stayed open";
    }
    if (!WaitUntil([&] { return zelmivo.Tile(description) != nullptr; })) {
        return ::testing::AssertionFailure() << "no tile shows " << Utf8(description);
    }
    return ::testing::AssertionSuccess();
}

bool EndToEndTest::WaitForCatalogue(const std::string& expected) const {
    return WaitUntil([&] { return ReadCatalogueFile() == expected; }, 5000);
}

void EndToEndTest::Screenshot(const std::wstring& name, const RECT* area) const {
    std::wstring folder = ZelmivoSession::OutputFolder() + L"\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    // Give the program a moment to finish painting what the picture shows.
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(folder + L"\\" + name + L".bmp", area ? *area : WholeScreen()))
        << Utf8(name);
}

}  // namespace ZelmivoE2E
