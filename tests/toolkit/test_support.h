// Shared pieces of the toolkit tests: a native control element built the way
// the controls build theirs, a message pump, a guarded message loop, and a
// fixture that checks every test leaves no element or window behind.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui_element.h"

namespace ToolkitTests {

// A system control ("edit", "button" ...) inside its parent element's window,
// subclassed onto the toolkit's window procedure.
class NativeControl : public OrvoUtility::Child, public OrvoUtility::CommandElement {
public:
    NativeControl(OrvoUtility::GUIElement* parentElement, std::wstring systemClass, DWORD style);
    void Create() override;

private:
    std::wstring systemClass;
    DWORD style;
};

// An element that never makes a window, for registry checks.
class PlainElement : public OrvoUtility::GUIElement {
public:
    PlainElement();
    void Create() override;
};

// Dispatches every queued message, a pending quit included.
void PumpMessages();

// Runs the toolkit's message loop; false when a guard had to end it because
// nothing else did within ten seconds.
bool RunMessageLoopGuarded();

// The top-level windows of this thread made by the toolkit: forms and tooltips.
int CountToolkitWindows();

HINSTANCE Instance();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace ToolkitTests
