// The shared window procedure: who ends the loop, who hears a close, a
// character, a command or a changed text, and which element a window maps to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button.h"
#include "form.h"
#include "label.h"
#include "list_box.h"
#include "test_support.h"
#include "text_box.h"
#include "window_procedure.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

class Dispatch : public WindowTest {};

TEST_F(Dispatch, ARefusedCloseKeepsTheWindowAndOnlyTheMainWindowEndsTheLoop) {
    std::vector<std::string> events;
    Form mainForm(Instance());
    int closeRequests = 0;
    mainForm.onClose = [&](GUIElement* element) {
        events.push_back(IsWindow(element->hwnd) ? "close asked" : "close of no window");
        return ++closeRequests >= 2;
    };
    mainForm.onDestroy = [&](GUIElement*) { events.push_back("main gone"); };
    mainForm.Create();
    Form dialog(Instance(), true);
    // The dialog's end asks the main window to close twice: had it ended the
    // loop, those requests would never be served.
    dialog.onDestroy = [&](GUIElement*) {
        events.push_back("dialog gone");
        PostMessageW(mainForm.hwnd, WM_CLOSE, 0, 0);
        PostMessageW(mainForm.hwnd, WM_CLOSE, 0, 0);
    };
    dialog.Create();
    ASSERT_EQ(mainWindow, mainForm.hwnd);
    PostMessageW(dialog.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(RunMessageLoopGuarded());
    EXPECT_EQ(events,
              (std::vector<std::string>{"dialog gone", "close asked", "close asked", "main gone"}));
}

TEST_F(Dispatch, KeyPreviewOffersCharactersToTheFormButTheChildDecides) {
    Form form(Instance());
    std::vector<int> formChars;
    std::vector<int> childChars;
    form.onChar = [&](GUIElement*, std::int32_t character) {
        formChars.push_back(character);
        return false;
    };
    form.Create();
    TextBox edit(&form, "");
    edit.onChar = [&](GUIElement*, std::int32_t character) {
        childChars.push_back(character);
        return character != 'x';
    };
    edit.Create();

    SendMessageW(edit.hwnd, WM_CHAR, 'a', 1);
    EXPECT_TRUE(formChars.empty());
    form.keyPreview = true;
    EXPECT_EQ(SendMessageW(edit.hwnd, WM_CHAR, 'x', 1), 1);
    SendMessageW(edit.hwnd, WM_CHAR, 'y', 1);
    EXPECT_EQ(childChars, (std::vector<int>{'a', 'x', 'y'}));
    EXPECT_EQ(formChars, (std::vector<int>{'x', 'y'}));
    // x swallowed, y typed although the form said no.
    EXPECT_EQ(edit.GetText(), L"ay");
}

TEST_F(Dispatch, TextChangedOnlyAfterARealEdit) {
    Form form(Instance());
    form.Create();
    TextBox edit(&form, "");
    edit.text = L"abc";
    TextBox other(&form, "");
    other.MoveTo(10, 100);
    edit.Create();
    other.Create();
    int changes = 0;
    edit.onTextChanged = [&](GUIElement*) { ++changes; };
    const struct {
        bool typed;
        int changes;
    } visits[] = {{false, 0}, {true, 1}, {false, 1}};
    for (const auto& visit : visits) {
        edit.Focus();
        if (visit.typed) SendMessageW(edit.hwnd, WM_CHAR, 'd', 1);
        other.Focus();
        EXPECT_EQ(changes, visit.changes);
    }
}

TEST_F(Dispatch, ControlCommandsReachTheirElement) {
    Form form(Instance());
    form.Create();
    std::vector<GUIElement*> senders;
    Button button(&form, "OK");
    ListBox list(&form);
    button.onCommand = list.onCommand = [&](GUIElement* element) { senders.push_back(element); };
    button.Create();
    list.Create();
    auto command = [&form](GUIElement& control, WORD code, bool withWindow) {
        SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(control.id, code),
                     withWindow ? reinterpret_cast<LPARAM>(static_cast<HWND>(control.hwnd)) : 0);
    };
    SendMessageW(button.hwnd, BM_CLICK, 0, 0);
    PumpMessages();
    // Every notification of a button counts, only a change of selection of a
    // list; a command without a control window reaches no control.
    command(button, BN_SETFOCUS, true);
    command(list, LBN_SETFOCUS, true);
    command(button, 0, false);
    command(list, LBN_SELCHANGE, true);
    EXPECT_EQ(senders, (std::vector<GUIElement*>{&button, &button, &list}));
}

TEST_F(Dispatch, AWindowBelongsToTheElementThatMadeItFromItsFirstMessage) {
    // An element made meanwhile, with no window yet, must not take the new
    // window's first messages.
    Form form(Instance());
    Label pending(nullptr, "");
    GUIElement* createdFor = nullptr;
    form.onCreate = [&](GUIElement* element, HWND) { createdFor = element; };
    form.Create();
    EXPECT_EQ(createdFor, &form);
    EXPECT_EQ(FindElementByWindow(form.hwnd), &form);
    EXPECT_EQ(FindElementByWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4321))), nullptr);
    // Two elements on one window: the later one answers; with one id, the earlier.
    Label alias(nullptr, "");
    alias.hwnd = form.hwnd;
    alias.id = form.id;
    EXPECT_EQ(FindElementByWindow(form.hwnd), &alias);
    EXPECT_EQ(FindElementById(form.id), &form);
    alias.hwnd = nullptr;
}

}  // namespace
}  // namespace ToolkitTests
