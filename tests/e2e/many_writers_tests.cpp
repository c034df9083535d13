// One catalogue, other writers: a second start of the program, another
// program changing app.txt while the window is open, and a file with lines
// the program cannot read. Nothing is lost and the user is told what matters.
#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class ManyWritersTest : public EndToEndTest {
protected:
    // Starts another copy of the program and waits for it to end; its exit code.
    static DWORD RunSecondCopy() {
        PROCESS_INFORMATION second = {};
        if (!Launch(second)) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(second.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(second.hProcess, 1);
        }
        GetExitCodeProcess(second.hProcess, &code);
        CloseHandle(second.hThread);
        CloseHandle(second.hProcess);
        return code;
    }
    bool Showing(const std::wstring& expected) const {
        return WaitUntil([&] { return Shown() == expected; }, 5000);
    }
};

TEST_F(ManyWritersTest, ASecondStartBringsTheFirstForwardAndLeavesTheFileAlone) {
    ASSERT_TRUE(WriteBytes(CataloguePath(), CatalogueText({{"Ufficio", 1}}, {})));
    ASSERT_TRUE(Start());
    // As the caption's button does it.
    PostMessageW(mainWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(mainWindow) != FALSE; }));
    // Held so that no one may read it: a second copy that tried would say so and stay.
    HANDLE held = CreateFileW(CataloguePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(RunSecondCopy(), 0u);
    CloseHandle(held);
    EXPECT_TRUE(WaitUntil(
        [&] { return !IsIconic(mainWindow) && GetForegroundWindow() == mainWindow; }, 5000));
    TypeText(L"uff");
    EXPECT_TRUE(
        WaitUntil([&] { return TextOf(mainWindow).find(L"Trova: uff") != std::wstring::npos; }));
    EXPECT_EQ(FindTopWindow(process.dwProcessId, L"#32770"), nullptr);
}

TEST_F(ManyWritersTest, AnotherProgramsEditIsShownAndTheUsersChangeGoesOntoIt) {
    ASSERT_TRUE(WriteBytes(CataloguePath(),
                           CatalogueText({{"Ufficio", 1}}, {{"1", "Paint", "", "C:\\p.exe"}})));
    ASSERT_TRUE(Start());
    // Written while the window is idle: it shows within moments.
    ASSERT_TRUE(WriteBytes(CataloguePath(), CatalogueText({{"Ufficio", 1}, {"Giochi", 2}},
                                                          {{"1", "Paint", "", "C:\\p.exe"},
                                                           {"1", "Calc", "", "c.exe"}})));
    ASSERT_TRUE(Showing(L"Ufficio, Paint, Calc | Giochi"));

    // Paint deleted by the other program while its dialog is open: the window
    // waits for the dialog, and the edit of an entry now gone is dropped and told.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Paint"), L'M'));
    HWND dialog = WaitForWindow(L"", L"Modifica Applicazione");
    ASSERT_NE(dialog, nullptr);
    const std::string edited =
        CatalogueText({{"Ufficio", 1}, {"Giochi", 2}}, {{"1", "Calc", "", "c.exe"}});
    ASSERT_TRUE(WriteBytes(CataloguePath(), edited));
    Sleep(1500);
    EXPECT_EQ(Shown(), L"Ufficio, Paint, Calc | Giochi");
    ASSERT_TRUE(Fill(dialog, {L"Disegno", L"C:\\p.exe", L""}, true));
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"modifica di \"Paint\"", AnswerMessageBox(IDOK));
    EXPECT_TRUE(Showing(L"Ufficio, Calc | Giochi"));
    EXPECT_EQ(ReadBytes(), edited);

    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Musica"}, true));
    EXPECT_TRUE(Saved(CatalogueText({{"Ufficio", 1}, {"Giochi", 2}, {"Musica", 3}},
                                    {{"1", "Calc", "", "c.exe"}})));
}

TEST_F(ManyWritersTest, LinesItCannotReadAreToldAndTheFileIsKeptAsideBeforeItChanges) {
    // Keywords retyped by hand: nothing in the file is read.
    const std::string retyped = "Categorie\r\nUfficio   1\r\nApp\r\n1         Paint\r\n\r\n";
    ASSERT_TRUE(WriteBytes(CataloguePath(), retyped));
    ASSERT_TRUE(Start());
    EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                        L"contiene 4 righe che Zelmivo non ha potuto leggere",
                        AnswerMessageBox(IDOK));
    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Musica"}, true));
    EXPECT_TRUE(Saved(CatalogueText({{"Musica", 1}}, {})));
    EXPECT_EQ(ReadBytes(CataloguePath() + L".non-letto"), retyped);
}

}  // namespace
}  // namespace ZelmivoE2E
