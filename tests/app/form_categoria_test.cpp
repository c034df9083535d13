#include <windows.h>

#include <string>

#include "dialog_answerer.h"
#include "dialog_test_support.h"
#include "formcategoria.h"
#include "gtest/gtest.h"

using MyApp::FormCategoria;
using ZelmivoTest::DialogAnswerer;

namespace DialogTests {

namespace {

class FormCategoriaTest : public DialogTest {
protected:
    std::unique_ptr<FormCategoria> Open() {
        auto dialog = std::make_unique<FormCategoria>(owner.get(), "Aggiungi Categoria");
        WatchClose(*dialog);
        Pump();
        return dialog;
    }
};

TEST_F(FormCategoriaTest, OpensOverItsDisabledOwnerWithTheExactLayout) {
    auto dialog = Open();
    EXPECT_EQ(TextOf(dialog->hwnd), L"Aggiungi Categoria");
    SIZE client = ClientSizeOf(dialog->hwnd);
    EXPECT_EQ(client.cx, 400);
    EXPECT_EQ(client.cy, 120);
    RECT frame = WindowRectOf(dialog->hwnd);
    RECT ownerFrame = WindowRectOf(owner->hwnd);
    EXPECT_EQ(frame.left, ownerFrame.left + 50);
    EXPECT_EQ(frame.top, ownerFrame.top + 50);
    EXPECT_FALSE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(GetFocus(), dialog->nameBox->hwnd);

    std::vector<ControlView> controls = ControlsOf(dialog->hwnd);
    ASSERT_EQ(controls.size(), 4u);
    const RECT expected[] = {
        {10, 30, 90, 55}, {100, 28, 350, 53}, {290, 85, 390, 110}, {180, 85, 280, 110}};
    const wchar_t* texts[] = {L"Categoria:", L"", L"Annulla", L"OK"};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(controls[i].text, texts[i]);
        EXPECT_TRUE(EqualRect(&controls[i].box, &expected[i]));
    }
}

TEST_F(FormCategoriaTest, TheNameIsKeptAsTypedAndEnterActsAsOk) {
    auto dialog = Open();
    Type(dialog->nameBox->hwnd, L"  Giochi \x00E0 ");
    PressKey(dialog->nameBox->hwnd, VK_RETURN);
    EXPECT_FALSE(IsWindow(dialog->hwnd));
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_EQ(dialog->name, "  Giochi \xE0 ");
    EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(owner->modalChild, nullptr);
    EXPECT_EQ(closed.resultCode, 1);
}

TEST_F(FormCategoriaTest, AnEmptyNameIsRefusedAndABlankOneAccepted) {
    auto dialog = Open();
    {
        DialogAnswerer answer(IDOK);
        Click(dialog->okButton->hwnd);
        EXPECT_EQ(answer.Result().caption, L"Errore");
        EXPECT_EQ(answer.Result().text, L"E' necessario impostare la categoria.");
    }
    Pump();
    EXPECT_TRUE(IsWindow(dialog->hwnd));
    EXPECT_EQ(GetFocus(), dialog->nameBox->hwnd);
    EXPECT_EQ(dialog->resultCode, 0);
    EXPECT_FALSE(IsWindowEnabled(owner->hwnd));

    Type(dialog->nameBox->hwnd, L"   ");
    Click(dialog->okButton->hwnd);
    EXPECT_FALSE(IsWindow(dialog->hwnd));
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_EQ(dialog->name, "   ");
}

TEST_F(FormCategoriaTest, EscAfterARefusedOkAndTheOtherClosesLeaveNoName) {
    {
        auto dialog = Open();
        DialogAnswerer answer(IDOK);
        PressKey(dialog->nameBox->hwnd, VK_RETURN);
        EXPECT_TRUE(answer.Result().found);
        Pump();
        PressKey(dialog->nameBox->hwnd, VK_ESCAPE);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 0);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    {
        auto dialog = Open();
        Type(dialog->nameBox->hwnd, L"Lavoro");
        Click(dialog->cancelButton->hwnd);
        EXPECT_EQ(dialog->resultCode, 2);
        EXPECT_TRUE(dialog->name.empty());
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    {
        auto dialog = Open();
        Type(dialog->nameBox->hwnd, L"Lavoro");
        CloseByBox(dialog->hwnd);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 0);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    EXPECT_EQ(closed.count, 3);
}

TEST_F(FormCategoriaTest, TheNameStopsAtFiftyAndRefusesWhatCannotBeStored) {
    auto dialog = Open();
    Type(dialog->nameBox->hwnd, std::wstring(70, L'c'));
    EXPECT_EQ(TextOf(dialog->nameBox->hwnd).size(), 50u);
    EXPECT_FALSE(dialog->nameBox->OnChar(VK_TAB));

    SetWindowTextW(dialog->nameBox->hwnd, L"Spese \x20AC");
    {
        DialogAnswerer answer(IDOK);
        Click(dialog->okButton->hwnd);
        EXPECT_EQ(answer.Result().caption, L"Errore");
        EXPECT_NE(answer.Result().text.find(L"Categoria"), std::wstring::npos);
    }
    Pump();
    EXPECT_TRUE(IsWindow(dialog->hwnd));
    EXPECT_EQ(GetFocus(), dialog->nameBox->hwnd);
    EXPECT_EQ(dialog->resultCode, 0);
    EXPECT_TRUE(dialog->name.empty());
}

}  // namespace

}  // namespace DialogTests
