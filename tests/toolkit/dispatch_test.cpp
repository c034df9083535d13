#include <gtest/gtest.h>

#include <vector>

#include "button.h"
#include "form.h"
#include "gui_element.h"
#include "label.h"
#include "list_box.h"
#include "test_support.h"
#include "text_box.h"
#include "window_procedure.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

class Dispatch : public WindowTest {};

int closeRequests = 0;
bool windowAliveAtSecondRequest = false;

bool RefuseFirstClose(GUIElement* element) {
    ++closeRequests;
    if (closeRequests == 2) windowAliveAtSecondRequest = IsWindow(element->hwnd) != FALSE;
    return closeRequests >= 2;
}

TEST_F(Dispatch, RefusedCloseKeepsWindowAndLoop) {
    Form form(Instance());
    form.onClose = RefuseFirstClose;
    form.Create();
    closeRequests = 0;
    windowAliveAtSecondRequest = false;
    PostMessageW(form.hwnd, WM_CLOSE, 0, 0);
    PostMessageW(form.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(RunMessageLoopGuarded());
    EXPECT_EQ(closeRequests, 2);
    EXPECT_TRUE(windowAliveAtSecondRequest);
    EXPECT_FALSE(IsWindow(form.hwnd));
}

HWND mainToClose = nullptr;
std::vector<std::string> destroyed;

void CALLBACK CloseMain(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageW(mainToClose, WM_CLOSE, 0, 0);
}

void RecordDestroy(GUIElement* element) { destroyed.push_back(element->GetTextNarrow()); }

void RecordDestroyAndCloseMainLater(GUIElement* element) {
    RecordDestroy(element);
    SetTimer(nullptr, 0, 50, CloseMain);
}

TEST_F(Dispatch, OnlyTheMainWindowEndsTheLoop) {
    Form mainForm(Instance());
    mainForm.text = L"main";
    mainForm.onDestroy = RecordDestroy;
    mainForm.Create();
    Form dialog(Instance(), true);
    dialog.text = L"dialog";
    dialog.onDestroy = RecordDestroyAndCloseMainLater;
    dialog.Create();
    ASSERT_EQ(mainWindow, mainForm.hwnd);

    destroyed.clear();
    mainToClose = mainForm.hwnd;
    // The dialog's destruction asks the main window to close a moment later;
    // had it ended the loop, that request would never be served.
    PostMessageW(dialog.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(RunMessageLoopGuarded());
    EXPECT_EQ(destroyed, (std::vector<std::string>{"dialog", "main"}));
    EXPECT_FALSE(IsWindow(mainForm.hwnd));
}

std::vector<int> formChars;
std::vector<int> childChars;

bool FormCharSwallows(GUIElement*, std::int32_t character) {
    formChars.push_back(character);
    return false;
}

bool ChildSwallowsX(GUIElement*, std::int32_t character) {
    childChars.push_back(character);
    return character != 'x';
}

TEST_F(Dispatch, KeyPreviewOffersCharactersToTheForm) {
    Form form(Instance());
    form.onChar = FormCharSwallows;
    form.Create();
    TextBox edit(&form, "");
    edit.onChar = ChildSwallowsX;
    edit.Create();
    formChars.clear();
    childChars.clear();

    SendMessageW(edit.hwnd, WM_CHAR, 'a', 1);
    EXPECT_TRUE(formChars.empty());

    form.keyPreview = true;
    EXPECT_EQ(SendMessageW(edit.hwnd, WM_CHAR, 'x', 1), 1);
    SendMessageW(edit.hwnd, WM_CHAR, 'y', 1);
    EXPECT_EQ(childChars, (std::vector<int>{'a', 'x', 'y'}));
    EXPECT_EQ(formChars, (std::vector<int>{'x', 'y'}));
    // The child's answer alone decides: x swallowed, y typed although the form said no.
    EXPECT_EQ(edit.GetText(), L"ay");
}

int textChanges = 0;

void CountTextChange(GUIElement*) { ++textChanges; }

TEST_F(Dispatch, TextChangedOnlyAfterARealEdit) {
    Form form(Instance());
    form.Create();
    TextBox edit(&form, "");
    edit.text = L"abc";
    TextBox other(&form, "");
    other.MoveTo(10, 100);
    edit.Create();
    other.Create();
    edit.onTextChanged = CountTextChange;
    textChanges = 0;

    edit.Focus();
    other.Focus();
    EXPECT_EQ(textChanges, 0);

    edit.Focus();
    SendMessageW(edit.hwnd, WM_CHAR, 'd', 1);
    other.Focus();
    EXPECT_EQ(textChanges, 1);
    EXPECT_EQ(edit.textAtFocus, L"abc");

    edit.Focus();
    other.Focus();
    EXPECT_EQ(textChanges, 1);
}

std::vector<GUIElement*> commandSenders;

void RecordCommand(GUIElement* element) { commandSenders.push_back(element); }

TEST_F(Dispatch, ControlCommandsReachTheirElement) {
    Form form(Instance());
    form.Create();
    Button button(&form, "OK");
    button.onCommand = RecordCommand;
    ListBox list(&form);
    list.onCommand = RecordCommand;
    button.Create();
    list.Create();
    commandSenders.clear();

    SendMessageW(button.hwnd, BM_CLICK, 0, 0);
    PumpMessages();
    ASSERT_EQ(commandSenders.size(), 1u);
    EXPECT_EQ(commandSenders[0], &button);

    // Every notification of a button counts, only a change of selection of a
    // list; a command without a control window reaches no control.
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(button.id, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(static_cast<HWND>(button.hwnd)));
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(list.id, LBN_SETFOCUS),
                 reinterpret_cast<LPARAM>(static_cast<HWND>(list.hwnd)));
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(button.id, 0), 0);
    EXPECT_EQ(commandSenders, (std::vector<GUIElement*>{&button, &button}));
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(list.id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(static_cast<HWND>(list.hwnd)));
    EXPECT_EQ(commandSenders, (std::vector<GUIElement*>{&button, &button, &list}));
}

TEST_F(Dispatch, LookupsFollowRegistryOrder) {
    Form form(Instance());
    form.Create();
    EXPECT_EQ(FindElementByWindow(form.hwnd), &form);
    // Two elements on one window: the later one answers; with one id, the earlier.
    Label alias(nullptr, "");
    alias.hwnd = form.hwnd;
    alias.id = form.id;
    EXPECT_EQ(FindElementByWindow(form.hwnd), &alias);
    EXPECT_EQ(FindElementById(form.id), &form);

    // A window nobody has is unknown while the newest element has a window,
    // and belongs to the newest element while that one has none yet.
    HWND stranger = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4321));
    EXPECT_EQ(FindElementByWindow(stranger), nullptr);
    {
        Label pending(nullptr, "");
        EXPECT_EQ(FindElementByWindow(stranger), &pending);
    }
    EXPECT_EQ(FindElementByWindow(stranger), nullptr);
    alias.hwnd = nullptr;
}

std::vector<std::string> activations;

void RecordActivate(GUIElement* element) { activations.push_back("+" + element->GetTextNarrow()); }

void RecordDeactivate(GUIElement* element) {
    activations.push_back("-" + element->GetTextNarrow());
}

TEST_F(Dispatch, ActivationTracksTheActiveFormAndLiftsItsDialog) {
    Form owner(Instance());
    owner.text = L"owner";
    owner.onActivate = RecordActivate;
    owner.onDeactivate = RecordDeactivate;
    owner.Create();
    Form dialog(Instance(), true);
    dialog.text = L"dialog";
    dialog.topMost = false;
    dialog.onActivate = RecordActivate;
    dialog.onDeactivate = RecordDeactivate;
    dialog.Create();
    PumpMessages();
    ASSERT_EQ(activeForm, &dialog);

    activations.clear();
    SetForegroundWindow(owner.hwnd);
    PumpMessages();
    EXPECT_EQ(activeForm, &owner);
    ASSERT_FALSE(activations.empty());
    EXPECT_EQ(activations.back(), "+owner");
    // On a Wine virtual desktop the system raises the activated window a moment
    // after WM_ACTIVATE; the lift is then checked on an activation of its own.
    auto isAbove = [](HWND upper, HWND lower) {
        HWND above = GetWindow(lower, GW_HWNDPREV);
        while (above != nullptr && above != upper) above = GetWindow(above, GW_HWNDPREV);
        return above == upper;
    };
    for (int tries = 0; tries < 200 && !isAbove(owner.hwnd, dialog.hwnd); ++tries) {
        Sleep(10);
        PumpMessages();
    }
    ASSERT_TRUE(isAbove(owner.hwnd, dialog.hwnd));
    owner.modalChild = &dialog;
    SendMessageW(owner.hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(isAbove(dialog.hwnd, owner.hwnd));
    owner.modalChild = nullptr;
}

}  // namespace
}  // namespace ToolkitTests
