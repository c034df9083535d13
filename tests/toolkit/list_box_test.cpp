#include "list_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "control_host.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::GUIElement;
using OrvoUtility::ListBox;

int selectionCount = 0;
GUIElement* selectionSender = nullptr;

void CountSelection(GUIElement* element) {
    ++selectionCount;
    selectionSender = element;
}

std::wstring ItemText(HWND list, int index) {
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return L"<none>";
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&buffer[0]));
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

using ListBoxTest = ControlHost;

TEST_F(ListBoxTest, StylesFollowTheFlags) {
    ListBox* framed = Add<ListBox>(form.get());
    framed->Create();
    ListBox* bare = Add<ListBox>(form.get());
    bare->border = false;
    bare->enabled = false;
    bare->Create();
    // The list hides its scroll bar while everything fits, which takes
    // WS_VSCROLL out of the live style; the rest is as created.
    EXPECT_EQ(GetWindowLongW(framed->hwnd, GWL_STYLE) & ~WS_VSCROLL, 0x50810001);
    EXPECT_EQ(GetWindowLongW(framed->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongW(bare->hwnd, GWL_STYLE) & ~WS_VSCROLL, 0x58010001);
    EXPECT_EQ(GetWindowLongW(bare->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(framed->kind, "listbox");
    EXPECT_EQ(framed->width, 130);
    EXPECT_EQ(framed->height, 130);
}

TEST_F(ListBoxTest, ItemsAddedBeforeCreationAppearInOrder) {
    ListBox* list = Add<ListBox>(form.get());
    list->AddItem("Uffici\xe8", "3");
    list->AddItem("Giochi", "1");
    list->AddItem("Rete", "7");
    EXPECT_EQ(list->ItemCount(), 3);
    list->Create();
    ASSERT_EQ(SendMessageW(list->hwnd, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(list->hwnd, 0), L"Uffici\u00e8");
    EXPECT_EQ(ItemText(list->hwnd, 1), L"Giochi");
    EXPECT_EQ(ItemText(list->hwnd, 2), L"Rete");

    list->AddItem("Grafica", "9");
    EXPECT_EQ(SendMessageW(list->hwnd, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(ItemText(list->hwnd, 3), L"Grafica");
    EXPECT_EQ(list->itemValues[3], L"9");
}

TEST_F(ListBoxTest, RemovingKeepsTextsValuesAndWindowInStep) {
    ListBox* list = Add<ListBox>(form.get());
    list->AddItem("a", "1");
    list->AddItem("b", "2");
    list->AddItem("c", "3");
    list->Create();

    EXPECT_FALSE(list->RemoveItem(-1));
    EXPECT_FALSE(list->RemoveItem(3)) << "the list refuses an index past its end";
    EXPECT_EQ(list->ItemCount(), 3);
    EXPECT_EQ(list->itemValues.size(), 3u);
    EXPECT_EQ(SendMessageW(list->hwnd, LB_GETCOUNT, 0, 0), 3);

    EXPECT_TRUE(list->RemoveItem(1));
    ASSERT_EQ(list->ItemCount(), 2);
    EXPECT_EQ(list->itemTexts[1], L"c");
    EXPECT_EQ(list->itemValues[0], L"1");
    EXPECT_EQ(list->itemValues[1], L"3");
    EXPECT_EQ(SendMessageW(list->hwnd, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ItemText(list->hwnd, 1), L"c");
}

TEST_F(ListBoxTest, WithoutAWindowNothingIsSelectedAndBadIndexesAreRefused) {
    ListBox* list = Add<ListBox>(form.get());
    list->AddItem("a", "1");
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_FALSE(list->SetSelectedIndex(0));
    EXPECT_FALSE(list->RemoveItem(5));
    EXPECT_FALSE(list->RemoveItem(-2));
    EXPECT_EQ(list->ItemCount(), 1);
    EXPECT_TRUE(list->RemoveItem(0));
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_TRUE(list->itemValues.empty());
}

TEST_F(ListBoxTest, SelectionIsSetAndReadThroughTheWindow) {
    ListBox* list = Add<ListBox>(form.get());
    list->AddItem("a", "1");
    list->AddItem("b", "2");
    list->Create();
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_TRUE(list->SetSelectedIndex(1));
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    EXPECT_FALSE(list->SetSelectedIndex(7));
}

TEST_F(ListBoxTest, OnlySelectionChangesReachOnCommand) {
    ListBox* list = Add<ListBox>(form.get());
    list->left = 10;
    list->top = 10;
    list->AddItem("a", "1");
    list->AddItem("b", "2");
    list->onCommand = CountSelection;
    list->Create();
    selectionCount = 0;
    selectionSender = nullptr;

    for (WORD code : {LBN_DBLCLK, LBN_SETFOCUS, LBN_KILLFOCUS, LBN_SELCANCEL}) {
        SendMessageW(form->hwnd, WM_COMMAND, MAKEWPARAM(list->id, code),
                     reinterpret_cast<LPARAM>(static_cast<HWND>(list->hwnd)));
    }
    EXPECT_EQ(selectionCount, 0);

    // A click on the second item: the list itself reports the new selection.
    LRESULT itemHeight = SendMessageW(list->hwnd, LB_GETITEMHEIGHT, 0, 0);
    LPARAM point = MAKELPARAM(5, itemHeight + itemHeight / 2);
    SendMessageW(list->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list->hwnd, WM_LBUTTONUP, 0, point);
    PumpMessages();
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    EXPECT_EQ(selectionCount, 1);
    EXPECT_EQ(selectionSender, static_cast<GUIElement*>(list));
}

}  // namespace
}  // namespace ZelmivoTests
