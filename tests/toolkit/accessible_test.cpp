// What a screen reader hears of elements: the name, role and description
// their owner gave, asked of real windows through oleacc as a client asks,
// and the focus and selection events. Under Wine an object is reachable only
// from the window's own process.
#include <ole2.h>
#include <oleacc.h>

#include "accessible_element.h"
#include "button.h"
#include "panel.h"
#include "test_support.h"

namespace ToolkitTests {

namespace {

struct Heard {
    std::wstring name;
    long role = 0;
    std::wstring description;
};

using TextQuestion = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::wstring AskText(IAccessible& object, TextQuestion question, VARIANT self) {
    BSTR text = nullptr;
    HRESULT answered = (object.*question)(self, &text);
    std::wstring taken = SUCCEEDED(answered) && text != nullptr ? text : L"";
    SysFreeString(text);
    return taken;
}

Heard Ask(IAccessible& object) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Heard heard;
    heard.name = AskText(object, &IAccessible::get_accName, self);
    heard.description = AskText(object, &IAccessible::get_accDescription, self);
    VARIANT role{};
    if (SUCCEEDED(object.get_accRole(self, &role)) && role.vt == VT_I4) heard.role = role.lVal;
    return heard;
}

std::vector<std::pair<DWORD, HWND>> events;

}  // namespace

class Accessible : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override {
        CoUninitialize();
        WindowTest::TearDown();
    }
};

// Each field the owner gave replaces the system's answer; the rest is the
// system's, as it is for an element that gave none.
TEST_F(Accessible, ElementsSayWhatTheirOwnerGaveAndTheSystemTheRest) {
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
        IAccessible* standard = nullptr;
        IAccessible* object = nullptr;
        ASSERT_EQ(CreateStdAccessibleObject(element->hwnd, OBJID_CLIENT, IID_PPV_ARGS(&standard)),
                  S_OK);
        ASSERT_EQ(AccessibleObjectFromWindow(element->hwnd, OBJID_CLIENT, IID_PPV_ARGS(&object)),
                  S_OK);
        const Heard system = Ask(*standard), heard = Ask(*object);
        const AccessibleInfo given = element->accessibleInfo.value_or(AccessibleInfo{});
        SCOPED_TRACE(element->GetTextNarrow());
        EXPECT_EQ(heard.name, given.name.empty() ? system.name : given.name);
        EXPECT_EQ(heard.role, given.role == 0 ? system.role : given.role);
        EXPECT_EQ(heard.description,
                  given.description.empty() ? system.description : given.description);
        EXPECT_FALSE(heard.name.empty());
        EXPECT_NE(heard.role, 0);
        HWND told = nullptr;
        EXPECT_EQ(WindowFromAccessibleObject(object, &told), S_OK);
        EXPECT_EQ(told, element->hwnd);
        object->Release();
        standard->Release();
    }
}

// A hook outside the process's context hears each event once the loop runs.
TEST_F(Accessible, FocusAndSelectionEventsReachAHook) {
    Form form(Instance());
    form.Create();
    CellControl cell(&form);
    cell.Create();
    Button tile(&form, "Calcolatrice");
    tile.Create();
    PumpMessages();
    events.clear();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr,
        [](HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT && child == CHILDID_SELF) events.emplace_back(event, window);
        },
        0, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    NotifySelection(tile);
    NotifyFocus(cell);
    PumpMessages();
    UnhookWinEvent(hook);
    const std::vector<std::pair<DWORD, HWND>> expected{{EVENT_OBJECT_SELECTION, tile.hwnd},
                                                       {EVENT_OBJECT_FOCUS, cell.hwnd}};
    EXPECT_EQ(events, expected);
}

}  // namespace ToolkitTests
