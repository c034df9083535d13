// The base of every end-to-end test: a fresh catalogue file (or none), one
// run of the program, and the steps a user takes to change the catalogue
// through its dialogs. A run still going when a test ends is terminated.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue_text.h"
#include "gtest/gtest.h"
#include "shown_layout.h"
#include "zelmivo_session.h"

namespace ZelmivoE2E {

// The two-category catalogue the examples are made of, and how it must look.
std::string WorkedExampleText();
std::vector<ExpectedColumn> WorkedExampleColumns();

class EndToEndTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes the catalogue file (or removes it when `catalogue` is null) and starts the program.
    ::testing::AssertionResult StartWith(const std::string* catalogue);
    // "+ aggiungi categoria", the name typed, then Enter or "OK".
    ::testing::AssertionResult AddCategory(const std::wstring& name, bool confirmWithEnter);
    // "+ aggiungi App" of the column (from 0), the three texts typed, then Enter or "OK".
    ::testing::AssertionResult AddApp(int column, const std::wstring& description,
                                      const std::wstring& pathname, const std::wstring& parameters,
                                      bool confirmWithEnter);
    // The "+ aggiungi App" cell of a column, counted from the left.
    HWND AddAppCell(int column) const;
    // Opens a dialog by clicking `item` and waits for its window.
    HWND OpenDialogBy(HWND item, const std::wstring& title);
    // The text boxes of a dialog from top to bottom.
    std::vector<HWND> TextBoxes(HWND dialog) const;
    // Waits until the catalogue file holds exactly `expected`; false when it never did.
    bool WaitForCatalogue(const std::string& expected) const;
    // Saves a picture of `area` (the whole screen by default) into the build folder.
    void Screenshot(const std::wstring& name, const RECT* area = nullptr) const;

    ZelmivoSession zelmivo;
};

}  // namespace ZelmivoE2E
