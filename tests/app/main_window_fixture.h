// What the main window tests share: a bounded message pump, real input
// through SendInput, answers to boxes and menus, and a fixture that opens the
// main form over a catalogue and leaves no window, quit message or app.txt
// behind.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "catalogue.h"
#include "catalogue_change.h"
#include "catalogue_on_disk.h"
#include "column_view.h"
#include "dialog_answerer.h"
#include "font_description.h"
#include "formmain.h"
#include "message_pump.h"
#include "real_input.h"
#include "tile_icons.h"

namespace MainWindowTests {

using ZelmivoTest::ReadBytes;
// Categories 1..n holding the given numbers of entries named "<category> <n>".
MyApp::Catalogue SampleCatalogue(const std::vector<int>& entriesPerCategory);

using ZelmivoTest::PumpMessages;
// Pumps until the condition holds; false when it still does not after a
// generous bound (a guard against hanging, not a measure of speed).
bool PumpUntil(const std::function<bool()>& condition);

// The element's window rectangle in the tile panel's client coordinates.
RECT RectInPanel(const MyApp::FormMain& main, const OrvoUtility::GUIElement* element);
bool IsInView(const MyApp::FormMain& main, const OrvoUtility::GUIElement* element);

using ZelmivoTest::Click;
using ZelmivoTest::PressKeys;
using ZelmivoTest::TypeText;

// Answers the next menu of this process with the key (Esc closes it, an
// access key picks its item); the menu's first caption.
std::future<std::wstring> AnswerNextMenu(WORD key);

// The folder of the test program, where the launch probe stands.
std::wstring OwnFolder();
// Pumps until the probe has written its report, then its lines (working
// folder, then one argument each) and removes it; empty when none came.
std::vector<std::string> TakeProbeReport(const std::wstring& report);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Saves the catalogue and opens the main form over it.
    MyApp::FormMain& Open(const MyApp::Catalogue& catalogue);

    std::unique_ptr<MyApp::FormMain> form;
};

}  // namespace MainWindowTests
