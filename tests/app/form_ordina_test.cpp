#include <windows.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "formordina.h"
#include "gtest/gtest.h"

using MyApp::FormOrdina;

namespace DialogTests {

namespace {

class FormOrdinaTest : public DialogTest {
protected:
    std::unique_ptr<FormOrdina> Open(std::vector<std::int32_t> ids,
                                     std::vector<std::string> texts) {
        auto dialog = std::make_unique<FormOrdina>(owner.get(), "Modifica ordine...");
        dialog->ids = ids;
        dialog->texts = texts;
        WatchClose(*dialog);
        dialog->listKind = MyApp::ReorderList::Apps;
        dialog->FillList();
        Pump();
        return dialog;
    }

    // What the list window shows, in order.
    std::vector<std::wstring> Shown(FormOrdina& dialog) {
        std::vector<std::wstring> shown;
        LRESULT count = SendMessageW(dialog.list->hwnd, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            LRESULT length = SendMessageW(dialog.list->hwnd, LB_GETTEXTLEN, i, 0);
            std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
            SendMessageW(dialog.list->hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
            shown.push_back(buffer.data());
        }
        return shown;
    }

    LRESULT Selected(FormOrdina& dialog) {
        return SendMessageW(dialog.list->hwnd, LB_GETCURSEL, 0, 0);
    }
};

TEST_F(FormOrdinaTest, OpensOverItsDisabledOwnerWithTheExactLayout) {
    auto dialog = Open({1, 2}, {"Uno", "Due"});
    EXPECT_EQ(TextOf(dialog->hwnd), L"Modifica ordine...");
    SIZE client = ClientSizeOf(dialog->hwnd);
    EXPECT_EQ(client.cx, 400);
    EXPECT_EQ(client.cy, 250);
    RECT frame = WindowRectOf(dialog->hwnd);
    RECT ownerFrame = WindowRectOf(owner->hwnd);
    EXPECT_EQ(frame.left, ownerFrame.left + 50);
    EXPECT_EQ(frame.top, ownerFrame.top + 50);
    EXPECT_FALSE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(GetWindowLongW(dialog->hwnd, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);

    std::vector<ControlView> controls = ControlsOf(dialog->hwnd);
    ASSERT_EQ(controls.size(), 6u);
    const RECT expected[] = {{10, 10, 390, 35},  {10, 35, 320, 215},   {330, 35, 390, 60},
                             {330, 70, 390, 95}, {290, 215, 390, 240}, {180, 215, 280, 240}};
    const wchar_t* texts[] = {
        L"Seleziona l'elemento da spostare:", L"", L"Su", L"Giu", L"Annulla", L"OK"};
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(controls[i].text, texts[i]);
        RECT box = controls[i].box;
        // The list is given its box but, as every list box does, shows only
        // whole lines: it may stop short of the bottom by less than a line.
        if (i == 1) {
            LONG line = static_cast<LONG>(SendMessageW(dialog->list->hwnd, LB_GETITEMHEIGHT, 0, 0));
            EXPECT_EQ(dialog->list->height, 180);
            EXPECT_LE(box.bottom, expected[i].bottom);
            EXPECT_GT(box.bottom, expected[i].bottom - line);
            box.bottom = expected[i].bottom;
        }
        EXPECT_TRUE(EqualRect(&box, &expected[i]));
    }
    EXPECT_EQ(Shown(*dialog), (std::vector<std::wstring>{L"Uno", L"Due"}));
    EXPECT_EQ(Selected(*dialog), 0);
    EXPECT_EQ(dialog->list->itemValues, (std::vector<std::wstring>{L"1", L"2"}));
}

TEST_F(FormOrdinaTest, SuAndGiuMoveTheSelectedEntryAndKeepItSelected) {
    auto dialog = Open({10, 20, 30}, {"Alfa", "Beta", "Gamma"});
    SendMessageW(dialog->list->hwnd, LB_SETCURSEL, 1, 0);
    Click(dialog->upButton->hwnd);
    EXPECT_EQ(dialog->ids, (std::vector<std::int32_t>{20, 10, 30}));
    EXPECT_EQ(dialog->texts, (std::vector<std::string>{"Beta", "Alfa", "Gamma"}));
    EXPECT_EQ(Shown(*dialog), (std::vector<std::wstring>{L"Beta", L"Alfa", L"Gamma"}));
    EXPECT_EQ(Selected(*dialog), 0);

    Click(dialog->downButton->hwnd);
    Click(dialog->downButton->hwnd);
    EXPECT_EQ(dialog->ids, (std::vector<std::int32_t>{10, 30, 20}));
    EXPECT_EQ(Shown(*dialog), (std::vector<std::wstring>{L"Alfa", L"Gamma", L"Beta"}));
    EXPECT_EQ(Selected(*dialog), 2);
    EXPECT_EQ(dialog->list->itemValues, (std::vector<std::wstring>{L"10", L"30", L"20"}));

    Click(dialog->okButton->hwnd);
    EXPECT_FALSE(IsWindow(dialog->hwnd));
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_EQ(dialog->listKind, MyApp::ReorderList::Apps);
    EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(closed.resultCode, 1);
}

TEST_F(FormOrdinaTest, NothingMovesPastTheEndsOrWithoutASelection) {
    auto dialog = Open({1, 2, 2}, {"Uno", "Doppio", "Doppio"});
    Click(dialog->upButton->hwnd);
    EXPECT_EQ(dialog->ids, (std::vector<std::int32_t>{1, 2, 2}));
    EXPECT_EQ(Selected(*dialog), 0);

    SendMessageW(dialog->list->hwnd, LB_SETCURSEL, 2, 0);
    Click(dialog->downButton->hwnd);
    EXPECT_EQ(Selected(*dialog), 2);
    EXPECT_EQ(dialog->texts, (std::vector<std::string>{"Uno", "Doppio", "Doppio"}));

    SendMessageW(dialog->list->hwnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(dialog->upButton->hwnd);
    Click(dialog->downButton->hwnd);
    EXPECT_EQ(dialog->ids, (std::vector<std::int32_t>{1, 2, 2}));

    // Equal texts stay apart through their ids.
    SendMessageW(dialog->list->hwnd, LB_SETCURSEL, 0, 0);
    Click(dialog->downButton->hwnd);
    EXPECT_EQ(dialog->ids, (std::vector<std::int32_t>{2, 1, 2}));
    EXPECT_EQ(Selected(*dialog), 1);
}

TEST_F(FormOrdinaTest, AnEmptyListDisablesSuAndGiuAndOkReturnsItEmpty) {
    auto dialog = Open({}, {});
    EXPECT_FALSE(IsWindowEnabled(dialog->upButton->hwnd));
    EXPECT_FALSE(IsWindowEnabled(dialog->downButton->hwnd));
    EXPECT_TRUE(IsWindowEnabled(dialog->okButton->hwnd));
    Click(dialog->okButton->hwnd);
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_TRUE(dialog->ids.empty());
}

TEST_F(FormOrdinaTest, EnterInTheListActsAsOkAndEscKeepsTheOldOrder) {
    {
        auto dialog = Open({1, 2}, {"Uno", "Due"});
        SetFocus(dialog->list->hwnd);
        PressKey(dialog->list->hwnd, VK_RETURN);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 1);
    }
    {
        auto dialog = Open({1, 2}, {"Uno", "Due"});
        Click(dialog->downButton->hwnd);
        PressKey(dialog->list->hwnd, VK_ESCAPE);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 0);
        EXPECT_EQ(closed.resultCode, 0);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    {
        auto dialog = Open({1, 2}, {"Uno", "Due"});
        Click(dialog->cancelButton->hwnd);
        EXPECT_EQ(dialog->resultCode, 2);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    {
        auto dialog = Open({1, 2}, {"Uno", "Due"});
        CloseByBox(dialog->hwnd);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 0);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
        EXPECT_EQ(owner->modalChild, nullptr);
    }
    EXPECT_EQ(closed.count, 4);
}

}  // namespace

}  // namespace DialogTests
