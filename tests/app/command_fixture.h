// The main window tests that act as a user: the expected app.txt text, the
// steps of adding, picking from menus and closing dialogs, and the check that
// a main window opened anew over the file shows the same columns.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace OrvoUtility {
class Button;
class Form;
class ListBox;
}  // namespace OrvoUtility

namespace MainWindowTests {

std::string CategoryLine(const std::string& name, int id);
std::string AppLine(int categoryId, const std::string& description, const std::string& parameters,
                    const std::string& pathname);
// The whole file: the two keywords, the lines, CR LF after each.
std::string FileText(const std::vector<std::string>& categoryLines,
                     const std::vector<std::string>& appLines);

// The window of a dialog that is open; null for none. A replaced dialog may
// be allocated where its predecessor was, so windows tell them apart.
HWND OpenDialogWindow(OrvoUtility::Form* dialog);
// The folder of the test program, where the launch probe stands.
std::wstring OwnFolder();

template <typename Value>
bool Ready(std::future<Value>& future) {
    return future.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

class CommandTest : public MainWindowTest {
protected:
    // "+ aggiungi categoria", the name, "OK".
    void AddCategory(const std::string& name);
    // "+ aggiungi App" of the column, the three texts, "OK".
    void AddApp(std::size_t column, const std::string& description, const std::string& pathname,
                const std::string& parameters);
    // Right-clicks the cell or tile, picks the item with the access key from
    // the context menu and lets the command run; answers what the menu showed.
    std::vector<std::wstring> ChooseFromContextMenu(OrvoUtility::GUIElement& target, WORD key);
    // Clicks the button and waits until its window is gone and the main
    // window is usable again.
    void FinishDialog(OrvoUtility::Form& dialog, OrvoUtility::Button& button);
    void PressAndPump(OrvoUtility::Button& button, const std::function<bool()>& until);
    void SelectListItem(OrvoUtility::ListBox& list, int index);
    // A second main window over the same file shows the same columns.
    void ExpectReopenedAlike();
};

}  // namespace MainWindowTests
