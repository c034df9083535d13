#include <windows.h>

#include <string>

#include "dialog_answerer.h"
#include "dialog_test_support.h"
#include "formapp.h"
#include "gtest/gtest.h"
#include "text.h"

using MyApp::FormApp;
using ZelmivoTest::DialogAnswerer;

namespace DialogTests {

namespace {

struct Expected {
    const wchar_t* className;
    const wchar_t* text;
    LONG x, y, w, h;
};

void ExpectLayout(HWND dialog, const std::vector<Expected>& expected) {
    std::vector<ControlView> controls = ControlsOf(dialog);
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(0, _wcsicmp(controls[i].className.c_str(), expected[i].className));
        EXPECT_EQ(controls[i].text, expected[i].text);
        EXPECT_EQ(controls[i].box.left, expected[i].x);
        EXPECT_EQ(controls[i].box.top, expected[i].y);
        EXPECT_EQ(controls[i].box.right - controls[i].box.left, expected[i].w);
        EXPECT_EQ(controls[i].box.bottom - controls[i].box.top, expected[i].h);
    }
}

// A file that exists, for the open-file dialog to accept.
std::wstring MakeFile(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return path;
}

class FormAppTest : public DialogTest {
protected:
    std::unique_ptr<FormApp> Open() {
        auto dialog = std::make_unique<FormApp>(owner.get(), "Aggiungi Applicazione");
        WatchClose(*dialog);
        Pump();
        return dialog;
    }

    void Fill(FormApp& dialog, const std::wstring& description, const std::wstring& pathname,
              const std::wstring& parameters) {
        Type(dialog.descriptionBox->hwnd, description);
        Type(dialog.pathnameBox->hwnd, pathname);
        Type(dialog.parametersBox->hwnd, parameters);
    }
};

TEST_F(FormAppTest, OpensOverItsDisabledOwnerWithTheExactLayout) {
    auto dialog = Open();
    ASSERT_TRUE(IsWindow(dialog->hwnd));
    EXPECT_EQ(TextOf(dialog->hwnd), L"Aggiungi Applicazione");
    SIZE client = ClientSizeOf(dialog->hwnd);
    EXPECT_EQ(client.cx, 400);
    EXPECT_EQ(client.cy, 250);
    RECT frame = WindowRectOf(dialog->hwnd);
    RECT ownerFrame = WindowRectOf(owner->hwnd);
    EXPECT_EQ(frame.left, ownerFrame.left + 50);
    EXPECT_EQ(frame.top, ownerFrame.top + 50);
    EXPECT_FALSE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(owner->modalChild, dialog.get());
    EXPECT_EQ(GetWindowLongW(dialog->hwnd, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(GetFocus(), dialog->descriptionBox->hwnd);
    ExpectLayout(dialog->hwnd, {{L"Static", L"Descrizione:", 10, 30, 105, 25},
                                {L"Edit", L"", 120, 28, 230, 25},
                                {L"Static", L"Pathname o URL:", 10, 70, 380, 25},
                                {L"Edit", L"", 10, 97, 300, 25},
                                {L"Button", L"Sfoglia", 310, 97, 70, 25},
                                {L"Static", L"Parametri:", 10, 124, 380, 25},
                                {L"Edit", L"", 10, 151, 300, 25},
                                {L"Button", L"Annulla", 290, 215, 100, 25},
                                {L"Button", L"OK", 180, 215, 100, 25}});
    // Every label shows its whole text in its own font.
    for (HWND label = GetWindow(dialog->hwnd, GW_CHILD); label != nullptr;
         label = GetWindow(label, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(label, className, 16);
        if (std::wstring(className) != L"Static") continue;
        std::wstring text = TextOf(label);
        HDC dc = GetDC(label);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        EXPECT_LE(extent.cx, ClientSizeOf(label).cx) << Common::WideToNarrow(text);
    }
}

TEST_F(FormAppTest, OkStoresTheTrimmedTextsAndGivesTheOwnerBack) {
    auto dialog = Open();
    Fill(*dialog, L"  Blocco note  ", L"  C:\\windows\\notepad.exe ", L" /a b ");
    Click(dialog->okButton->hwnd);
    EXPECT_FALSE(IsWindow(dialog->hwnd));
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_EQ(dialog->description, "Blocco note");
    EXPECT_EQ(dialog->pathname, "C:\\windows\\notepad.exe");
    EXPECT_EQ(dialog->parameters, "/a b");
    EXPECT_FALSE(dialog->editMode);
    EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(owner->modalChild, nullptr);
    EXPECT_EQ(closed.count, 1);
    EXPECT_EQ(closed.resultCode, 1);
}

TEST_F(FormAppTest, AnnullaEscAndTheCloseBoxGiveTheOwnerBackWithoutAResult) {
    {
        auto dialog = Open();
        Fill(*dialog, L"Gioco", L"C:\\gioco.exe", L"");
        Click(dialog->cancelButton->hwnd);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 2);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
        EXPECT_EQ(closed.resultCode, 2);
    }
    {
        auto dialog = Open();
        Fill(*dialog, L"Gioco", L"C:\\gioco.exe", L"");
        PressKey(dialog->pathnameBox->hwnd, VK_ESCAPE);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 0);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
        EXPECT_EQ(closed.resultCode, 0);
    }
    {
        auto dialog = Open();
        Fill(*dialog, L"Gioco", L"C:\\gioco.exe", L"");
        CloseByBox(dialog->hwnd);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 0);
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
        EXPECT_EQ(owner->modalChild, nullptr);
    }
    EXPECT_EQ(closed.count, 3);
}

TEST_F(FormAppTest, BlankDescriptionIsRefusedBeforeThePathnameAndEscThenLeavesNoResult) {
    auto dialog = Open();
    Type(dialog->descriptionBox->hwnd, L"   ");
    DialogAnswerer answer(IDOK);
    Click(dialog->okButton->hwnd);
    const auto& seen = answer.Result();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, L"Errore");
    EXPECT_EQ(seen.text, L"E' necessario impostare la Descrizione.");
    EXPECT_EQ(seen.owner, dialog->hwnd);
    Pump();
    EXPECT_TRUE(IsWindow(dialog->hwnd));
    EXPECT_EQ(GetFocus(), dialog->descriptionBox->hwnd);
    EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), L"   ");
    EXPECT_FALSE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(dialog->resultCode, 0);

    PressKey(dialog->descriptionBox->hwnd, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(dialog->hwnd));
    EXPECT_EQ(dialog->resultCode, 0);
    EXPECT_EQ(closed.resultCode, 0);
    EXPECT_TRUE(dialog->description.empty());
}

TEST_F(FormAppTest, EmptyPathnameIsRefusedWithTheFocusOnIt) {
    auto dialog = Open();
    Fill(*dialog, L"Gioco", L"  ", L"-x");
    DialogAnswerer answer(IDOK);
    Click(dialog->okButton->hwnd);
    EXPECT_EQ(answer.Result().caption, L"Errore");
    EXPECT_EQ(answer.Result().text, L"E' necessario impostare il pathname o l'URL.");
    Pump();
    EXPECT_TRUE(IsWindow(dialog->hwnd));
    EXPECT_EQ(GetFocus(), dialog->pathnameBox->hwnd);
    EXPECT_EQ(dialog->resultCode, 0);
    EXPECT_TRUE(dialog->description.empty());
}

TEST_F(FormAppTest, EnterInAnyBoxActsAsOk) {
    for (int box = 0; box < 3; ++box) {
        SCOPED_TRACE(box);
        auto dialog = Open();
        Fill(*dialog, L"Gioco", L"C:\\gioco.exe", L"-x");
        HWND target = box == 0   ? dialog->descriptionBox->hwnd
                      : box == 1 ? dialog->pathnameBox->hwnd
                                 : dialog->parametersBox->hwnd;
        PressKey(target, VK_RETURN);
        EXPECT_FALSE(IsWindow(dialog->hwnd));
        EXPECT_EQ(dialog->resultCode, 1);
        EXPECT_EQ(dialog->parameters, "-x");
    }
}

TEST_F(FormAppTest, TabMovesOnWithoutEnteringTheBox) {
    auto dialog = Open();
    Type(dialog->descriptionBox->hwnd, L"ab");
    PressKey(dialog->descriptionBox->hwnd, VK_TAB);
    EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), L"ab");
    EXPECT_EQ(GetFocus(), dialog->pathnameBox->hwnd);
    // The boxes refuse the tab character itself; everything else goes in.
    for (OrvoUtility::TextBox* box :
         {dialog->descriptionBox, dialog->pathnameBox, dialog->parametersBox}) {
        EXPECT_FALSE(box->OnChar(VK_TAB));
        EXPECT_TRUE(box->OnChar('x'));
    }
}

TEST_F(FormAppTest, TypingStopsAtTheColumnWidthsButNotForThePathname) {
    auto dialog = Open();
    Type(dialog->descriptionBox->hwnd, std::wstring(60, L'd'));
    Type(dialog->pathnameBox->hwnd, std::wstring(300, L'p'));
    Type(dialog->parametersBox->hwnd, std::wstring(140, L'q'));
    EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd).size(), 50u);
    EXPECT_EQ(TextOf(dialog->pathnameBox->hwnd).size(), 300u);
    EXPECT_EQ(TextOf(dialog->parametersBox->hwnd).size(), 128u);
}

TEST_F(FormAppTest, LoadAppFillsTheBoxesForEditing) {
    auto dialog = Open();
    dialog->LoadApp("Calcolatrice", "C:\\windows\\calc.exe", "-s");
    EXPECT_TRUE(dialog->editMode);
    EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), L"Calcolatrice");
    EXPECT_EQ(TextOf(dialog->pathnameBox->hwnd), L"C:\\windows\\calc.exe");
    EXPECT_EQ(TextOf(dialog->parametersBox->hwnd), L"-s");
    EXPECT_EQ(GetFocus(), dialog->descriptionBox->hwnd);
    PressKey(dialog->parametersBox->hwnd, VK_RETURN);
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_EQ(dialog->description, "Calcolatrice");
}

TEST_F(FormAppTest, SfogliaFillsThePathnameAndOnlyAnEmptyDescription) {
    std::wstring shortFile = MakeFile(L"sol.exe");
    std::wstring longName(58, L'n');
    std::wstring longFile = MakeFile(longName + L".exe");
    {
        auto dialog = Open();
        DialogAnswerer answer(shortFile);
        Click(dialog->browseButton->hwnd);
        ASSERT_TRUE(answer.Result().pressed);
        Pump();
        EXPECT_EQ(0, _wcsicmp(TextOf(dialog->pathnameBox->hwnd).c_str(), shortFile.c_str()));
        EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), L"sol.exe");
    }
    {
        auto dialog = Open();
        Type(dialog->descriptionBox->hwnd, L"Solitario");
        Type(dialog->pathnameBox->hwnd, L"vecchio");
        DialogAnswerer answer(shortFile);
        Click(dialog->browseButton->hwnd);
        ASSERT_TRUE(answer.Result().pressed);
        Pump();
        EXPECT_EQ(0, _wcsicmp(TextOf(dialog->pathnameBox->hwnd).c_str(), shortFile.c_str()));
        EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), L"Solitario");
    }
    {
        // Cut as it is filled: the box shows what the catalogue will keep.
        auto dialog = Open();
        DialogAnswerer answer(longFile);
        Click(dialog->browseButton->hwnd);
        ASSERT_TRUE(answer.Result().pressed);
        Pump();
        EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), (longName + L".exe").substr(0, 50));
        PressKey(dialog->descriptionBox->hwnd, VK_RETURN);
        EXPECT_EQ(dialog->resultCode, 1);
        EXPECT_EQ(dialog->description.size(), 50u);
    }
    {
        auto dialog = Open();
        Type(dialog->pathnameBox->hwnd, L"resta");
        DialogAnswerer answer(IDCANCEL);
        Click(dialog->browseButton->hwnd);
        EXPECT_TRUE(answer.Result().found);
        Pump();
        EXPECT_EQ(TextOf(dialog->pathnameBox->hwnd), L"resta");
        EXPECT_EQ(TextOf(dialog->descriptionBox->hwnd), L"");
    }
    DeleteFileW(shortFile.c_str());
    DeleteFileW(longFile.c_str());
}

TEST_F(FormAppTest, TextTheCatalogueCannotHoldIsRefusedNamingTheField) {
    auto dialog = Open();
    Fill(*dialog, L"Prezzi in \x20AC", L"C:\\prezzi.exe", L"");
    {
        DialogAnswerer answer(IDOK);
        Click(dialog->okButton->hwnd);
        EXPECT_EQ(answer.Result().caption, L"Errore");
        EXPECT_NE(answer.Result().text.find(L"Descrizione"), std::wstring::npos);
    }
    Pump();
    EXPECT_TRUE(IsWindow(dialog->hwnd));
    EXPECT_EQ(GetFocus(), dialog->descriptionBox->hwnd);
    EXPECT_EQ(dialog->resultCode, 0);
    EXPECT_TRUE(dialog->description.empty());

    // Latin-1 letters are storable; a chosen file whose name is not stays as
    // chosen in the box, and is refused rather than turned into another name.
    SetWindowTextW(dialog->descriptionBox->hwnd, L"Prezzi in lire \x00E8 \x00E0");
    SetWindowTextW(dialog->pathnameBox->hwnd, L"");
    std::wstring euroFile = MakeFile(L"prezzi\x20AC.exe");
    {
        DialogAnswerer answer(euroFile);
        Click(dialog->browseButton->hwnd);
        ASSERT_TRUE(answer.Result().pressed);
    }
    Pump();
    EXPECT_NE(TextOf(dialog->pathnameBox->hwnd).find(L"prezzi\x20AC.exe"), std::wstring::npos);
    {
        DialogAnswerer answer(IDOK);
        PressKey(dialog->pathnameBox->hwnd, VK_RETURN);
        EXPECT_EQ(answer.Result().caption, L"Errore");
        EXPECT_NE(answer.Result().text.find(L"Pathname o URL"), std::wstring::npos);
    }
    Pump();
    EXPECT_EQ(GetFocus(), dialog->pathnameBox->hwnd);
    EXPECT_EQ(dialog->resultCode, 0);

    SetWindowTextW(dialog->pathnameBox->hwnd, L"C:\\prezzi.exe");
    SetWindowTextW(dialog->parametersBox->hwnd, L"\x0141");
    {
        DialogAnswerer answer(IDOK);
        Click(dialog->okButton->hwnd);
        EXPECT_NE(answer.Result().text.find(L"Parametri"), std::wstring::npos);
    }
    Pump();
    EXPECT_EQ(GetFocus(), dialog->parametersBox->hwnd);

    SetWindowTextW(dialog->parametersBox->hwnd, L"");
    Click(dialog->okButton->hwnd);
    EXPECT_EQ(dialog->resultCode, 1);
    EXPECT_EQ(dialog->description, "Prezzi in lire \xE8 \xE0");
    DeleteFileW(euroFile.c_str());
}

}  // namespace

}  // namespace DialogTests
