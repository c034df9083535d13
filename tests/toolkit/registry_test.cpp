// Its first test must run before any other element exists (see CMakeLists.txt).
#include <gtest/gtest.h>

#include "form.h"
#include "gui_element.h"
#include "test_support.h"
#include "window_procedure.h"

namespace ToolkitTests {
namespace {

using namespace OrvoUtility;

class Registry : public WindowTest {};

TEST_F(Registry, FirstFormTakesClassWindow0AndIdsStayUniqueFromOne) {
    ASSERT_EQ(elementCounter, 0) << "must run first in a fresh process";
    Form* first = new Form(Instance());
    first->Create();
    wchar_t className[64] = L"";
    GetClassNameW(first->hwnd, className, 64);
    EXPECT_STREQ(className, L"Window0");
    EXPECT_EQ(first->id, 1);
    EXPECT_EQ(mainWindow, first->hwnd);

    HWND firstWindow = first->hwnd;
    first->Create();
    EXPECT_EQ(first->hwnd, firstWindow);
    EXPECT_EQ(first->id, 1);

    NativeControl edit(first, L"edit", WS_TABSTOP);
    NativeControl button(first, L"button", WS_TABSTOP);
    edit.Create();
    button.Create();
    EXPECT_EQ(edit.id, 2);
    EXPECT_EQ(button.id, 3);
    EXPECT_EQ(GetDlgCtrlID(button.hwnd), 3);

    Form* second = new Form(Instance(), true);
    second->Create();
    GetClassNameW(second->hwnd, className, 64);
    EXPECT_STREQ(className, L"Window3");
    EXPECT_EQ(second->id, 4);
    EXPECT_EQ(mainWindow, firstWindow);

    delete second;
    delete first;
    WNDCLASSW unused;
    EXPECT_FALSE(GetClassInfoW(Instance(), L"Window0", &unused));
}

TEST_F(Registry, LookupsFollowRegistryOrder) {
    Form form(Instance());
    form.Create();
    EXPECT_EQ(FindElementByWindow(form.hwnd), &form);

    // Two elements on one window: the later one answers.
    PlainElement alias;
    alias.hwnd = form.hwnd;
    EXPECT_EQ(FindElementByWindow(form.hwnd), &alias);

    // Two elements with one id: the earlier one answers.
    alias.id = form.id;
    EXPECT_EQ(FindElementById(form.id), &form);
    EXPECT_EQ(FindElementById(-5), nullptr);

    // A window nobody has is unknown while the newest element has a window ...
    HWND stranger = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4321));
    EXPECT_EQ(FindElementByWindow(stranger), nullptr);
    {
        // ... and belongs to the newest element while that one has none yet.
        PlainElement pending;
        EXPECT_EQ(FindElementByWindow(stranger), &pending);
        pending.id = -5;
        EXPECT_EQ(FindElementById(-5), &pending);
    }
    EXPECT_EQ(FindElementById(-5), nullptr);
    EXPECT_EQ(FindElementByWindow(stranger), nullptr);
    EXPECT_EQ(elementRegistry.size(), 2u);
    alias.hwnd = nullptr;
}

TEST_F(Registry, PropertiesSetBeforeCreateReachTheWindow) {
    Form form(Instance());
    form.Create();
    NativeControl edit(&form, L"edit", 0);
    edit.SetTextNarrow("caf\xe9");
    edit.SetEnabled(false);
    EXPECT_EQ(edit.text, L"caf\u00e9");
    edit.Create();
    EXPECT_NE(GetWindowLongW(edit.hwnd, GWL_STYLE) & WS_DISABLED, 0);
    EXPECT_EQ(edit.GetTextNarrow(), "caf\xe9");

    SetWindowTextW(edit.hwnd, L"");
    edit.text = L"stale";
    EXPECT_EQ(edit.GetText(), L"");
    EXPECT_EQ(edit.text, L"");

    edit.MoveTo(12, 34);
    POINT corner = edit.GetPosition();
    EXPECT_EQ(corner.x, 12);
    EXPECT_EQ(corner.y, 34);
}

TEST_F(Registry, ToolTipOnlyWithText) {
    Form form(Instance());
    form.Create();
    NativeControl edit(&form, L"edit", 0);
    edit.Create();
    EXPECT_EQ(edit.toolTipWindow, nullptr);

    edit.toolTipText = "Descrizione dell'elemento";
    edit.RefreshToolTip();
    ASSERT_NE(edit.toolTipWindow, nullptr);
    TOOLINFOW info{};
    wchar_t buffer[128] = L"";
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = edit.hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(static_cast<HWND>(edit.hwnd));
    info.lpszText = buffer;
    SendMessageW(edit.toolTipWindow, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(buffer, L"Descrizione dell'elemento");

    edit.toolTipText = "Altro";
    edit.RefreshToolTip();
    SendMessageW(edit.toolTipWindow, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(buffer, L"Altro");
}

}  // namespace
}  // namespace ToolkitTests
