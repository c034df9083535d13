#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "form.h"
#include "gtest/gtest.h"
#include "menu.h"

using OrvoUtility::Form;
using OrvoUtility::GUIElement;
using OrvoUtility::Menu;
using OrvoUtility::MenuBar;
using OrvoUtility::SubMenu;

namespace {

constexpr DWORD waitMs = 10000;

std::vector<GUIElement*> commandsSeen;
std::vector<int> checkStatesSeen;

void RecordCommand(GUIElement* element) {
    commandsSeen.push_back(element);
    SubMenu* item = dynamic_cast<SubMenu*>(element);
    checkStatesSeen.push_back(item != nullptr ? item->checkState : -1);
}

std::wstring MenuString(HMENU menu, UINT item, UINT flags) {
    wchar_t buffer[128] = {};
    int length = GetMenuStringW(menu, item, buffer, 128, flags);
    return std::wstring(buffer, length > 0 ? length : 0);
}

bool IsChecked(HMENU menu, int id) {
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool IsGrayed(HMENU menu, int id) {
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// Dispatches what is queued; a WM_QUIT left by a destroyed first form is
// taken out too, so that it cannot end a later modal loop.
void DispatchPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT SendCommand(HWND window, int id, WORD code) {
    return SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), 0);
}

class MenuTest : public testing::Test {
protected:
    void SetUp() override {
        commandsSeen.clear();
        checkStatesSeen.clear();
        form = new Form(GetModuleHandleW(nullptr));
        form->Create();
        ASSERT_NE(nullptr, form->hwnd);
    }

    void TearDown() override {
        delete form;
        DispatchPending();
    }

    Form* form = nullptr;
};

TEST_F(MenuTest, TheBarShowsItsMenusAndItemsWithTheirCaptions) {
    MenuBar bar(form);
    Menu file("&File", &bar);
    SubMenu exit(&file, "&Esci");
    Menu help("&?", &bar);
    SubMenu guide(&help, "&Guida");
    SubMenu separator(&help, "");
    separator.appendFlags = MF_SEPARATOR;
    SubMenu more(&help, "&Altro");
    SubMenu home(&more, "&Home");
    bar.Create();

    HMENU shown = GetMenu(form->hwnd);
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ(bar.menuHandle, shown);
    ASSERT_EQ(2, GetMenuItemCount(shown));
    EXPECT_EQ(L"&File", MenuString(shown, 0, MF_BYPOSITION));
    EXPECT_EQ(L"&?", MenuString(shown, 1, MF_BYPOSITION));
    EXPECT_EQ(file.menuHandle, GetSubMenu(shown, 0));
    EXPECT_EQ(help.menuHandle, GetSubMenu(shown, 1));

    EXPECT_EQ(L"&Esci", MenuString(file.menuHandle, exit.id, MF_BYCOMMAND));
    ASSERT_EQ(3, GetMenuItemCount(help.menuHandle));
    EXPECT_EQ(guide.id, static_cast<int>(GetMenuItemID(help.menuHandle, 0)));
    EXPECT_NE(0u, GetMenuState(help.menuHandle, 1, MF_BYPOSITION) & MF_SEPARATOR);
    // An item with items of its own is a nested pop-up holding them.
    EXPECT_EQ(L"&Altro", MenuString(help.menuHandle, 2, MF_BYPOSITION));
    EXPECT_EQ(more.popupHandle, GetSubMenu(help.menuHandle, 2));
    EXPECT_EQ(L"&Home", MenuString(more.popupHandle, home.id, MF_BYCOMMAND));

    // Items and menus added to a live bar appear at once.
    SubMenu late(&file, "&Tardi");
    Menu extra("&Extra", &bar);
    EXPECT_EQ(L"&Tardi", MenuString(file.menuHandle, 1, MF_BYPOSITION));
    EXPECT_EQ(L"&Extra", MenuString(shown, 2, MF_BYPOSITION));

    // Ids come from the shared counter at construction, distinct and in order.
    EXPECT_LT(exit.id, guide.id);
    EXPECT_EQ(&exit, OrvoUtility::FindSubMenuById(exit.id));
    EXPECT_EQ(&late, OrvoUtility::FindSubMenuById(late.id));
}

TEST_F(MenuTest, ACommandReachesItsItemButAnAcceleratorReachesNothing) {
    MenuBar bar(form);
    Menu file("&File", &bar);
    SubMenu open(&file, "&Apri");
    SubMenu exit(&file, "&Esci");
    open.onCommand = RecordCommand;
    exit.onCommand = RecordCommand;
    bar.Create();

    SendCommand(form->hwnd, exit.id, 0);
    ASSERT_EQ(1u, commandsSeen.size());
    EXPECT_EQ(&exit, commandsSeen[0]);

    SendCommand(form->hwnd, open.id, 1);
    EXPECT_EQ(1u, commandsSeen.size());

    // An id that names no item is ignored.
    SendCommand(form->hwnd, exit.id + 1000, 0);
    EXPECT_EQ(1u, commandsSeen.size());
}

TEST_F(MenuTest, ACheckableItemTogglesItsMarkBeforeItsHandlerRuns) {
    MenuBar bar(form);
    Menu view("&Vista", &bar);
    SubMenu grid(&view, "&Griglia");
    grid.checkable = 1;
    grid.onCommand = RecordCommand;
    SubMenu ruler(&view, "&Righello");
    ruler.checkable = 1;
    ruler.checkState = 1;
    bar.Create();
    EXPECT_FALSE(IsChecked(view.menuHandle, grid.id));
    EXPECT_TRUE(IsChecked(view.menuHandle, ruler.id));

    SendCommand(form->hwnd, grid.id, 0);
    EXPECT_TRUE(IsChecked(view.menuHandle, grid.id));
    EXPECT_EQ(1, grid.checkState);
    ASSERT_EQ(1u, checkStatesSeen.size());
    EXPECT_EQ(1, checkStatesSeen[0]);

    SendCommand(form->hwnd, grid.id, 0);
    EXPECT_FALSE(IsChecked(view.menuHandle, grid.id));
    EXPECT_EQ(0, grid.checkState);

    // The live mark counts, also when someone else set it and the item is greyed.
    CheckMenuItem(view.menuHandle, grid.id, MF_BYCOMMAND | MF_CHECKED);
    grid.SetEnabled(false);
    SendCommand(form->hwnd, grid.id, 0);
    EXPECT_FALSE(IsChecked(view.menuHandle, grid.id));
    EXPECT_EQ(0, grid.checkState);
}

TEST_F(MenuTest, ADisabledItemIsGreyedInTheBar) {
    MenuBar bar(form);
    Menu edit("&Modifica", &bar);
    SubMenu cut(&edit, "&Taglia");
    cut.SetEnabled(false);
    SubMenu copy(&edit, "&Copia");
    EXPECT_EQ(nullptr, edit.menuHandle);
    bar.Create();

    EXPECT_TRUE(IsGrayed(edit.menuHandle, cut.id));
    EXPECT_FALSE(IsGrayed(edit.menuHandle, copy.id));
    cut.SetEnabled(true);
    copy.SetEnabled(false);
    EXPECT_FALSE(IsGrayed(edit.menuHandle, cut.id));
    EXPECT_TRUE(IsGrayed(edit.menuHandle, copy.id));
}

TEST_F(MenuTest, MenusWithoutALiveParentStayUncreated) {
    MenuBar bar(form);
    Menu file("&File", &bar);
    SubMenu exit(&file, "&Esci");
    Menu popup("", nullptr);
    SubMenu rename(&popup, "&Rinomina");
    popup.Create();
    rename.Create();
    EXPECT_FALSE(file.created);
    EXPECT_FALSE(popup.created);
    EXPECT_FALSE(rename.created);
    EXPECT_EQ(nullptr, GetMenu(form->hwnd));
}

// What the user saw in an open context menu, read while it was up.
struct PopupSeen {
    bool found = false;
    std::vector<std::wstring> captions;
    std::vector<UINT> states;
};

HWND FindOpenPopup() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32768", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Waits for the context menu, reads it, then picks an item with the keyboard
// as a user would: Down once per item to go down to it, then Enter.
void PickFromPopup(PopupSeen* seen, int position) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    HWND window = nullptr;
    while ((window = FindOpenPopup()) == nullptr && GetTickCount64() < deadline) Sleep(20);
    if (window == nullptr) return;
    seen->found = true;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    HMENU menu = reinterpret_cast<HMENU>(result);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        seen->captions.push_back(MenuString(menu, i, MF_BYPOSITION));
        seen->states.push_back(GetMenuState(menu, i, MF_BYPOSITION));
    }
    for (int i = 0; i <= position; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    while (FindOpenPopup() != nullptr && GetTickCount64() < deadline) Sleep(20);
    // Never leave the test blocked in the menu's loop.
    if (FindOpenPopup() != nullptr) EndMenu();
}

// Alt+V opens "&Vista", G picks "&Griglia", as a user types them.
void PickFromBarByKeyboard() {
    INPUT input[4] = {};
    for (INPUT& key : input) key.type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_MENU;
    input[1].ki.wVk = 'V';
    input[2].ki.wVk = 'V';
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_MENU;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    while (FindOpenPopup() == nullptr && GetTickCount64() < deadline) Sleep(20);
    PressKey('G');
    while (FindOpenPopup() != nullptr && GetTickCount64() < deadline) Sleep(20);
    if (FindOpenPopup() != nullptr) EndMenu();
}

TEST_F(MenuTest, AnItemPickedFromTheBarWithTheKeyboardTogglesEachTime) {
    MenuBar bar(form);
    Menu view("&Vista", &bar);
    SubMenu grid(&view, "&Griglia");
    grid.checkable = 1;
    grid.onCommand = RecordCommand;
    bar.Create();
    SetForegroundWindow(form->hwnd);

    for (size_t pick = 1; pick <= 2; ++pick) {
        std::thread user(PickFromBarByKeyboard);
        const ULONGLONG deadline = GetTickCount64() + waitMs;
        while (commandsSeen.size() < pick && GetTickCount64() < deadline) {
            DispatchPending();
            Sleep(10);
        }
        user.join();
        ASSERT_EQ(pick, commandsSeen.size());
        EXPECT_EQ(&grid, commandsSeen.back());
        EXPECT_EQ(pick == 1, IsChecked(view.menuHandle, grid.id));
    }
}

TEST_F(MenuTest, ACommandPickedFromAContextMenuArrivesAfterItCloses) {
    Menu popup("", nullptr);
    SubMenu rename(&popup, "&Rinomina");
    SubMenu remove(&popup, "&Cancella");
    SubMenu move(&popup, "&Sposta...");
    rename.onCommand = RecordCommand;
    remove.onCommand = RecordCommand;
    move.onCommand = RecordCommand;
    remove.checkable = 1;
    move.SetEnabled(false);

    SetForegroundWindow(form->hwnd);
    DispatchPending();
    PopupSeen seen;
    std::thread picker(PickFromPopup, &seen, 1);
    OrvoUtility::ShowPopup(&popup, form, form->left + 20, form->top + 20);
    picker.join();
    EXPECT_TRUE(commandsSeen.empty());

    ASSERT_TRUE(seen.found);
    ASSERT_EQ(3u, seen.captions.size());
    EXPECT_EQ(L"&Rinomina", seen.captions[0]);
    EXPECT_EQ(L"&Cancella", seen.captions[1]);
    EXPECT_EQ(L"&Sposta...", seen.captions[2]);
    // The enabled flag of an item is not carried into a context menu.
    EXPECT_EQ(0u, seen.states[2] & MF_GRAYED);

    DispatchPending();
    ASSERT_EQ(1u, commandsSeen.size());
    EXPECT_EQ(&remove, commandsSeen[0]);
    // A context menu's check state lives in the item alone.
    EXPECT_EQ(1, remove.checkState);
    EXPECT_FALSE(rename.created);
}

}  // namespace
