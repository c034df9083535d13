// What a screen reader hears of elements, asked through oleacc as a client
// asks (under Wine only from the window's own process), and the focus and
// selection events.
#include <ole2.h>
#include <oleacc.h>

#include "accessible_element.h"
#include "button.h"
#include "panel.h"
#include "test_support.h"

namespace ToolkitTests {

namespace {

// Asks for the window itself, then lets the object go.
AccessibleInfo Ask(IAccessible& object) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    AccessibleInfo heard;
    BSTR name = nullptr, description = nullptr;
    VARIANT role{};
    if (object.get_accName(self, &name) == S_OK) heard.name = name;
    if (object.get_accDescription(self, &description) == S_OK) heard.description = description;
    if (object.get_accRole(self, &role) == S_OK) heard.role = role.lVal;
    SysFreeString(name);
    SysFreeString(description);
    object.Release();
    return heard;
}

std::vector<std::pair<DWORD, HWND>> events;

}  // namespace

using Accessible = WindowTest;

// Each field the owner gave replaces the system's answer; the rest is the
// system's, as everything is for an element that gave none. A hook outside
// the process's context hears where the owner's pick moved.
TEST_F(Accessible, ElementsSayWhatTheirOwnerGaveAndWhereThePickMoved) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    Form form(Instance());
    form.Create();
    CellControl header(&form);
    header.SetTextNarrow("Giochi");
    header.accessibleInfo = AccessibleInfo{L"Categoria Giochi", ROLE_SYSTEM_COLUMNHEADER, L""};
    Button tile(&form, "Calc");
    tile.ownerDrawn = true;
    tile.accessibleInfo = AccessibleInfo{L"Calcolatrice", ROLE_SYSTEM_PUSHBUTTON, L"C:\\calc.exe"};
    Button plain(&form, "Esci");
    for (GUIElement* element : std::initializer_list<GUIElement*>{&header, &tile, &plain}) {
        element->Create();
        IAccessible *standard = nullptr, *object = nullptr;
        HWND told = nullptr;
        ASSERT_EQ(CreateStdAccessibleObject(element->hwnd, OBJID_CLIENT, IID_PPV_ARGS(&standard)),
                  S_OK);
        ASSERT_EQ(AccessibleObjectFromWindow(element->hwnd, OBJID_CLIENT, IID_PPV_ARGS(&object)),
                  S_OK);
        EXPECT_EQ(WindowFromAccessibleObject(object, &told), S_OK);
        EXPECT_EQ(told, element->hwnd);
        const AccessibleInfo system = Ask(*standard), heard = Ask(*object);
        const AccessibleInfo given = element->accessibleInfo.value_or(AccessibleInfo{});
        SCOPED_TRACE(element->GetTextNarrow());
        EXPECT_FALSE(heard.name.empty());
        EXPECT_EQ(heard.name, given.name.empty() ? system.name : given.name);
        EXPECT_EQ(heard.role, given.role == 0 ? system.role : given.role);
        EXPECT_EQ(heard.description,
                  given.description.empty() ? system.description : given.description);
    }
    CoUninitialize();
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
