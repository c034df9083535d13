// Leaving the program and coming back: the exit question, the exit code and
// the catalogue kept across runs.
#include "data_folder.h"
#include "end_to_end_test.h"
#include "wait.h"
#include "window_query.h"

namespace ZelmivoE2E {
namespace {

class ExitTest : public EndToEndTest {};

TEST_F(ExitTest, TheCloseBoxAsksAndEsciWithYesEndsTheProgram) {
    const std::string catalogue = WorkedExampleText();
    ASSERT_TRUE(StartWith(&catalogue));

    ASSERT_TRUE(zelmivo.ClickCloseBox(zelmivo.MainWindow())) << "no close box found";
    MessageBoxSeen question = zelmivo.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr) << "closing did not ask";
    EXPECT_EQ(question.caption, L"Uscita");
    EXPECT_EQ(question.text, L"Vuoi realmente uscire?");
    ASSERT_TRUE(zelmivo.Answer(question, IDNO));
    EXPECT_FALSE(zelmivo.Process().WaitForExit(1000));
    EXPECT_TRUE(IsWindowVisible(zelmivo.MainWindow()));
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout(WorkedExampleColumns()));

    // The window still takes commands after the refusal.
    ASSERT_TRUE(AddCategory(L"Musica", false));
    const std::string withMusic =
        CatalogueText({{"Ufficio", 1}, {"Giochi", 2}, {"Musica", 3}},
                      {{1, "Blocco note", "C:\\Note\\lista.txt", "C:\\Windows\\notepad.exe"},
                       {2, "Solitario", "", "D:\\Giochi\\sol.exe"}});
    EXPECT_TRUE(WaitForCatalogue(withMusic));

    ASSERT_TRUE(zelmivo.ChooseFromMenuBar('F', 0, 'E'));
    MessageBoxSeen again = zelmivo.WaitForMessageBox();
    ASSERT_NE(again.box, nullptr) << "\"Esci\" did not ask";
    EXPECT_EQ(again.text, L"Vuoi realmente uscire?");
    ASSERT_TRUE(zelmivo.Answer(again, IDYES));
    ASSERT_TRUE(zelmivo.Process().WaitForExit(15000)) << "the program did not end";
    EXPECT_EQ(zelmivo.Process().ExitCode(), 0u);
    EXPECT_EQ(ReadCatalogueFile(), withMusic);

    ASSERT_TRUE(zelmivo.Start());
    EXPECT_EQ(zelmivo.Layout(),
              ExpectedLayout(
                  {{L"Ufficio", {L"Blocco note"}}, {L"Giochi", {L"Solitario"}}, {L"Musica", {}}}));
    EXPECT_EQ(ReadCatalogueFile(), withMusic);
}

}  // namespace
}  // namespace ZelmivoE2E
