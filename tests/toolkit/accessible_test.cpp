// The focus and selection events screen readers follow.
#include <ole2.h>
#include <oleacc.h>

#include "accessible_element.h"
#include "button.h"
#include "panel.h"
#include "test_support.h"

namespace ToolkitTests {

namespace {

std::vector<std::pair<DWORD, HWND>> events;

}  // namespace

using Accessible = WindowTest;

// A hook outside the process's context hears where the owner's pick moved;
// what each element says is the main window's test.
TEST_F(Accessible, TheOwnersPickIsToldAsFocusOrSelection) {
    Form form(Instance());
    form.Create();
    CellControl header(&form);
    Button tile(&form, "Calc");
    header.Create();
    tile.Create();
    PumpMessages();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr,
        [](HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT && child == CHILDID_SELF) events.emplace_back(event, window);
        },
        0, 0, WINEVENT_OUTOFCONTEXT);
    NotifySelection(tile);
    NotifyFocus(header);
    PumpMessages();
    UnhookWinEvent(hook);
    const std::vector<std::pair<DWORD, HWND>> expected{{EVENT_OBJECT_SELECTION, tile.hwnd},
                                                       {EVENT_OBJECT_FOCUS, header.hwnd}};
    EXPECT_EQ(events, expected);
}

}  // namespace ToolkitTests
