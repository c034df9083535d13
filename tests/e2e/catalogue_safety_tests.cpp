// The catalogue is never lost while another program, as a backup tool does,
// holds the file so that nobody else may read or replace it.
#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class CatalogueSafetyTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        ASSERT_TRUE(WriteBytes(CataloguePath(), before));
    }
    void TearDown() override {
        CloseHandle(held);
        EndToEndTest::TearDown();
    }
    void Hold() {
        held = CreateFileW(CataloguePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    // Lets the file go and leaves through "Esci", answering Yes; the question asked.
    std::wstring ReleaseAndLeave() {
        CloseHandle(held);
        held = nullptr;
        std::wstring question = ChooseFromMenu(mainWindow, L'E') ? AnswerMessageBox(IDYES) : L"";
        return ExitCode(15000) == 0 ? question : L"still running";
    }

    HANDLE held = nullptr;
    const std::string before = CatalogueText({{"Ufficio", 1}}, {{"1", "Paint", "", "C:\\p.exe"}});
};

TEST_F(CatalogueSafetyTest, AFileHeldAtStartIsToldAndLeftUntouched) {
    Hold();
    ASSERT_TRUE(Start());
    std::wstring told = AnswerMessageBox(IDOK);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"Errore: ", told);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"Zelmivo\\Dati\\app.txt", told);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"(codice 32)", told);

    // The window works on; leaving says that the change was not saved.
    ASSERT_TRUE(AddCategory(L"Musica", false));
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"non sono state salvate", ReleaseAndLeave());
    EXPECT_EQ(ReadBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(CataloguePath() + L".tmp"));
    EXPECT_FALSE(std::filesystem::exists(CataloguePath() + L".bak"));
}

TEST_F(CatalogueSafetyTest, AFailedSaveIsToldAndTriedAgainAtTheExit) {
    ASSERT_TRUE(Start());
    Hold();
    ASSERT_TRUE(AddCategory(L"Musica", false));
    std::wstring told = AnswerMessageBox(IDOK);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"Errore: Impossibile salvare il catalogo", told);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"(codice 32)", told);

    EXPECT_EQ(ReleaseAndLeave(), L"Uscita: Vuoi realmente uscire?");
    EXPECT_EQ(ReadBytes(),
              CatalogueText({{"Ufficio", 1}, {"Musica", 2}}, {{"1", "Paint", "", "C:\\p.exe"}}));
    EXPECT_EQ(ReadBytes(CataloguePath() + L".bak"), before);
    EXPECT_FALSE(std::filesystem::exists(CataloguePath() + L".tmp"));
}

}  // namespace
}  // namespace ZelmivoE2E
