// Shared pieces of the dialog tests: a plain owner form standing in for the
// main window, input sent the way the keyboard and mouse send it, and reading
// back what a window shows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "form.h"

namespace DialogTests {

// A plain top-level form at a known place, owner of the dialogs under test.
class OwnerForm : public OrvoUtility::Form {
public:
    OwnerForm(std::int32_t x, std::int32_t y);
};

// Dispatches every queued message, translating keys into characters as the
// program's message loop does.
void Pump();
// A key pressed and released on the window that has the focus: the key-down
// goes through the loop, which makes the character from it.
void PressKey(HWND window, WORD key);
// Characters as the keyboard delivers them, one WM_CHAR each.
void Type(HWND window, const std::wstring& text);
// A mouse click on a push button.
void Click(HWND button);
// The caption's close box.
void CloseByBox(HWND window);

std::wstring TextOf(HWND window);
// Place and size relative to the parent's client area.
RECT BoxOf(HWND control);
SIZE ClientSizeOf(HWND window);
RECT WindowRectOf(HWND window);

struct ControlView {
    std::wstring className;
    std::wstring text;
    RECT box;
};
// The dialog's child windows in creation order.
std::vector<ControlView> ControlsOf(HWND dialog);

// The tests of a suite share one owner at (130, 90), which never becomes the
// window whose destruction ends the program. Every dialog gives it back
// enabled when it closes, also when a failed test deletes it still open.
class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static std::unique_ptr<OwnerForm> owner;
};

// What the owner learnt from the dialog's onDestroy: the result code then.
struct ClosedRecord {
    int count = 0;
    std::int32_t resultCode = -1;
};
extern ClosedRecord closed;
// Installs the recorder in a dialog's onDestroy, as the main window does.
void WatchClose(OrvoUtility::GUIElement& dialog);

}  // namespace DialogTests
