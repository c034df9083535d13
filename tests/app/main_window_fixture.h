// Shared pieces of the main window tests: the catalogue file in the private
// data folder, a message pump, element positions as the panel sees them, and a
// fixture that leaves no window, quit message or app.txt behind.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "catalogue.h"
#include "formmain.h"

namespace MainWindowTests {

std::string CatalogueFilePath();
// The file's bytes; empty when it does not exist.
std::string ReadCatalogueFile();
void WriteCatalogueFile(const std::string& bytes);
void RemoveCatalogueFile();
// The file as the program writes it for this catalogue.
void SaveSample(const MyApp::Catalogue& catalogue);

// A catalogue of categories 1..n holding the given numbers of entries named
// "<category name> <n>" with the pathname C:\missing\<name>.exe.
MyApp::Catalogue SampleCatalogue(std::initializer_list<int> entriesPerCategory);

// Dispatches every queued message; a quit message is dropped.
void PumpMessages();
// Pumps until the condition holds; false when it still does not after a
// generous bound (a guard against hanging, not a measure of speed).
bool PumpUntil(const std::function<bool()>& condition);

// The element's window rectangle in the panel's client coordinates.
RECT RectInPanel(const OrvoUtility::GUIElement& panel, const OrvoUtility::GUIElement& element);
// The number of child windows directly inside the window.
int DirectChildCount(HWND window);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The main form over the current app.txt, waited for until the timer of
    // its construction has set the scroll bars.
    MyApp::FormMain& OpenMainForm();

    std::unique_ptr<MyApp::FormMain> form;
};

}  // namespace MainWindowTests
