// The catalogue is never lost while another program, as a backup tool does,
// holds the file so that nobody else may read or replace it.
#include <memory>

#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class CatalogueSafetyTest : public EndToEndTest {};

TEST_F(CatalogueSafetyTest, AHeldFileIsToldNeverOverwrittenAndSavedAtTheExitOnceFree) {
    const std::string before = CatalogueText({{"Ufficio", 1}}, {{"1", "Paint", "", "C:\\p.exe"}});
    auto hold = [] {
        HANDLE file = CreateFileW(CataloguePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        return std::unique_ptr<void, BOOL (*)(HANDLE)>(file, CloseHandle);
    };
    auto leave = [&] { return ChooseFromMenu(mainWindow, L'E') ? AnswerMessageBox(IDYES) : L""; };
    ASSERT_TRUE(WriteBytes(CataloguePath(), before));
    auto held = hold();
    ASSERT_TRUE(Start());
    std::wstring told = AnswerMessageBox(IDOK);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                        L"Errore: Impossibile leggere il catalogo dal file\r\n" + CataloguePath(),
                        told);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"(codice 32)", told);
    // The window works on; leaving says that the change was not saved.
    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Musica"}, false));
    held.reset();
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"non sono state salvate", leave());
    EXPECT_EQ(ExitCode(15000), 0u);
    EXPECT_EQ(ReadBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(CataloguePath() + L".bak"));

    // A save failing while the file is held is told, and tried again at the exit.
    ASSERT_TRUE(Start());
    held = hold();
    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Musica"}, false));
    told = AnswerMessageBox(IDOK);
    // Held, the file cannot be replaced: the system's reason is given, and no
    // word of the backup, which failed for the same reason.
    EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                        L"Errore: Impossibile salvare il catalogo nel file\r\n" + CataloguePath() +
                            L"\r\n\r\nAccess denied. (codice 5)",
                        told);
    held.reset();
    EXPECT_EQ(leave(), L"Uscita: Vuoi realmente uscire?");
    EXPECT_EQ(ExitCode(15000), 0u);
    EXPECT_EQ(ReadBytes(),
              CatalogueText({{"Ufficio", 1}, {"Musica", 2}}, {{"1", "Paint", "", "C:\\p.exe"}}));
    EXPECT_EQ(ReadBytes(CataloguePath() + L".bak"), before);
}

}  // namespace
}  // namespace ZelmivoE2E
