// The shared window procedure: who ends the loop, who hears a close, a
// command or a hot key, and which element a window maps to.
#include "button.h"
#include "hot_key.h"
#include "label.h"
#include "list_box.h"
#include "menu.h"
#include "real_input.h"
#include "test_support.h"

namespace ToolkitTests {

class Dispatch : public WindowTest {};

TEST_F(Dispatch, AWindowIsItsMakersFromTheFirstMessageAndOnlyTheMainWindowEndsTheLoop) {
    std::vector<std::string> events;
    Form mainForm(Instance());
    // The window is its maker's from its first messages on, a size among them
    // while it is made; an element made meanwhile, with no window yet, takes none.
    Label pending(nullptr, "");
    int sizesWhileMade = 0;
    mainForm.onSize = [&](GUIElement* element) { sizesWhileMade += element->created ? 0 : 1; };
    int closeRequests = 0;
    mainForm.onClose = [&](GUIElement* element) {
        events.push_back(IsWindow(element->hwnd) ? "close asked" : "close of no window");
        return ++closeRequests >= 2;
    };
    mainForm.onDestroy = [&](GUIElement*) { events.push_back("main gone"); };
    mainForm.Create();
    EXPECT_GT(sizesWhileMade, 0);
    EXPECT_EQ(FindElementByWindow(mainForm.hwnd), &mainForm);

    Form dialog(Instance(), true);
    // The dialog's end asks the main window to close twice, from a timer: a
    // quit posted meanwhile would end the loop first (timers come last).
    dialog.onDestroy = [&](GUIElement*) {
        events.push_back("dialog gone");
        SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            PostMessageW(dispatcher.mainWindow, WM_CLOSE, 0, 0);
            PostMessageW(dispatcher.mainWindow, WM_CLOSE, 0, 0);
        });
    };
    dialog.Create();
    ASSERT_EQ(dispatcher.mainWindow, mainForm.hwnd);
    PostMessageW(dialog.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(RunMessageLoopGuarded());
    EXPECT_EQ(events,
              (std::vector<std::string>{"dialog gone", "close asked", "close asked", "main gone"}));
}

// The combination pressed anywhere reaches the element of the window that
// registered it; while it is held nobody else gets it, and it is free again
// once its holder is gone.
TEST_F(Dispatch, AHotKeyReachesItsWindowAndIsHeldByOneRegistrationAtATime) {
    const UINT modifiers = MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, key = 'Z';
    Form form(Instance());
    form.Create();
    std::vector<std::int32_t> heard;
    form.onHotKey = [&heard](GUIElement*, std::int32_t id) {
        heard.push_back(id);
        PostQuitMessage(0);
    };
    {
        HotKey holder(form.hwnd, 7, modifiers, key);
        HotKey another(form.hwnd, 8, modifiers, key);
        ASSERT_TRUE(holder.Registered());
        EXPECT_FALSE(another.Registered());
        EXPECT_EQ(another.Error(), static_cast<std::uint32_t>(ERROR_HOTKEY_ALREADY_REGISTERED));
        ZelmivoTest::PressChord({VK_CONTROL, VK_MENU}, key);
        EXPECT_TRUE(RunMessageLoopGuarded());
        EXPECT_EQ(heard, std::vector<std::int32_t>{7});
    }
    EXPECT_TRUE(HotKey(form.hwnd, 8, modifiers, key).Registered());
}

}  // namespace ToolkitTests
