// Menus and message boxes, with real windows and boxes answered as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_answerer.h"
#include "form.h"
#include "menu.h"
#include "shell.h"
#include "test_support.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;
using ZelmivoTest::DialogAnswerer;

class ShellAndMenus : public WindowTest {};

TEST_F(ShellAndMenus, MenuCommandsReachTheirItemAfterTheCheckMarkToggles) {
    Form form(Instance());
    form.Create();
    MenuBar bar(&form);
    Menu view("&Vista", &bar);
    SubMenu grid(&view, "&Griglia");
    grid.checkable = 1;
    std::vector<int> checkStatesSeen;
    grid.onCommand = [&](SubMenu*) { checkStatesSeen.push_back(grid.checkState); };
    bar.Create();
    for (WORD code : {0, 1, 0}) SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(grid.id, code), 0);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(grid.id + 1000, 0), 0);
    // An accelerator (code 1) and an unknown id reach nothing.
    EXPECT_EQ(checkStatesSeen, (std::vector<int>{1, 0}));
    EXPECT_EQ(GetMenuState(view.menuHandle, grid.id, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(ShellAndMenus, BoxesAskTheirOwnerAndOnlyYesCounts) {
    Form form(Instance());
    form.Create();
    for (int answer : {IDYES, IDNO}) {
        DialogAnswerer answerer(answer);
        EXPECT_EQ(AskYesNoFor(&form, "Cancellare \"CAFF\xC8\"?", "Conferma"), answer == IDYES);
        const ZelmivoTest::AnsweredDialog& seen = answerer.Result();
        EXPECT_TRUE(seen.pressed);
        EXPECT_EQ(seen.caption, L"Conferma");
        EXPECT_EQ(seen.text, L"Cancellare \"CAFF\u00C8\"?");
        EXPECT_EQ(seen.owner, form.hwnd);
        EXPECT_FALSE(seen.ownerWasEnabled);
    }
    DialogAnswerer answerer(IDNO);
    EXPECT_FALSE(AskYesNo("Uscire?", "Uscita"));
    EXPECT_EQ(answerer.Result().buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(answerer.Result().owner, nullptr);
}

}  // namespace
}  // namespace ToolkitTests
