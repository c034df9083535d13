// The catalogue is never lost: a file held by another program at start, a
// save that fails, a file saved by a text editor, and repeated category ids.
#include "data_folder.h"
#include "end_to_end_test.h"
#include "user_input.h"
#include "window_query.h"

namespace ZelmivoE2E {
namespace {

// Another program's hold on the catalogue file, as a backup tool takes it:
// nobody else may read or replace the file until it lets go.
class HeldFile {
public:
    HeldFile()
        : handle(CreateFileW(CatalogueFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() { Release(); }
    bool Held() const { return handle != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle;
};

bool Contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

// What the folder holds beside app.txt after the run.
bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CatalogueSafetyTest : public EndToEndTest {
protected:
    void SetUp() override {
        DeleteFileW((CatalogueFilePath() + L".bak").c_str());
        DeleteFileW((CatalogueFilePath() + L".tmp").c_str());
    }
    // "Esci" from the menu, the question answered Yes; the question's text.
    std::wstring ExitAnsweringYes() {
        if (!zelmivo.ChooseFromMenuBar('F', 0, 'E')) return L"no menu";
        MessageBoxSeen question = zelmivo.WaitForMessageBox();
        if (question.box == nullptr || !zelmivo.Answer(question, IDYES)) return L"no question";
        return zelmivo.Process().WaitForExit(15000) ? question.text : L"still running";
    }
};

TEST_F(CatalogueSafetyTest, AFileHeldAtStartIsToldAndNeverOverwritten) {
    const std::string catalogue = WorkedExampleText();
    ASSERT_TRUE(WriteCatalogueFile(catalogue));
    HeldFile held;
    ASSERT_TRUE(held.Held());
    ASSERT_TRUE(zelmivo.Start());

    MessageBoxSeen told = zelmivo.WaitForMessageBox();
    ASSERT_NE(told.box, nullptr) << "the unreadable file was not reported";
    EXPECT_EQ(told.caption, L"Errore");
    EXPECT_TRUE(Contains(told.text, L"Impossibile leggere il catalogo")) << told.text;
    EXPECT_TRUE(Contains(told.text, L"Zelmivo\\Dati\\app.txt")) << told.text;
    EXPECT_TRUE(Contains(told.text, L"(codice 32)")) << told.text;
    ASSERT_TRUE(zelmivo.Answer(told, IDOK));

    // The window works on; the change stays unsaved, and leaving says so.
    ASSERT_TRUE(AddCategory(L"Musica", false));
    EXPECT_NE(zelmivo.Cell(L"Musica"), nullptr);
    held.Release();
    std::wstring question = ExitAnsweringYes();
    EXPECT_TRUE(Contains(question, L"non sono state salvate")) << question;
    EXPECT_EQ(ReadCatalogueFile(), catalogue);
    EXPECT_FALSE(Exists(CatalogueFilePath() + L".tmp"));
    EXPECT_FALSE(Exists(CatalogueFilePath() + L".bak"));

    // Once free, the file loads whole.
    ASSERT_TRUE(zelmivo.Start());
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout(WorkedExampleColumns()));
}

TEST_F(CatalogueSafetyTest, AFailedSaveIsToldAndTriedAgainAtTheExit) {
    const std::string catalogue = WorkedExampleText();
    ASSERT_TRUE(StartWith(&catalogue));
    HeldFile held;
    ASSERT_TRUE(held.Held());
    ASSERT_TRUE(AddCategory(L"Musica", false));
    MessageBoxSeen told = zelmivo.WaitForMessageBox();
    ASSERT_NE(told.box, nullptr) << "the failed save was not reported";
    EXPECT_EQ(told.caption, L"Errore");
    EXPECT_TRUE(Contains(told.text, L"Impossibile salvare il catalogo")) << told.text;
    EXPECT_TRUE(Contains(told.text, L"app.txt")) << told.text;
    EXPECT_TRUE(Contains(told.text, L"(codice 32)")) << told.text;
    ASSERT_TRUE(zelmivo.Answer(told, IDOK));
    EXPECT_NE(zelmivo.Cell(L"Musica"), nullptr);

    held.Release();
    EXPECT_EQ(ReadCatalogueFile(), catalogue);
    EXPECT_EQ(ExitAnsweringYes(), L"Vuoi realmente uscire?");
    EXPECT_EQ(ReadCatalogueFile(),
              CatalogueText({{"Ufficio", 1}, {"Giochi", 2}, {"Musica", 3}},
                            {{1, "Blocco note", "C:\\Note\\lista.txt", "C:\\Windows\\notepad.exe"},
                             {2, "Solitario", "", "D:\\Giochi\\sol.exe"}}));
    EXPECT_EQ(ReadFileBytes(CatalogueFilePath() + L".bak"), catalogue);
    EXPECT_FALSE(Exists(CatalogueFilePath() + L".tmp"));
}

TEST_F(CatalogueSafetyTest, AFileSavedAsUtf8ByAnEditorKeepsItsLettersAndColumns) {
    const std::string mark = "\xEF\xBB\xBF";
    auto asUtf8 = [](const std::string& latin1) {
        std::wstring wide(latin1.begin(), latin1.end());
        for (wchar_t& c : wide) c = static_cast<unsigned char>(c);
        std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(
                              CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                          '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()),
                            nullptr, nullptr);
        bytes.pop_back();
        return bytes;
    };
    const ExpectedApp tea{1, "T\xE8 verde", "--tazza=\xE0", "C:\\B\xE8vande\\t\xE8.exe"};
    const std::string notepadText = mark + asUtf8(CatalogueText({{"Caff\xE8", 1}}, {tea}));
    ASSERT_TRUE(StartWith(&notepadText));
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout({{L"Caff\u00E8", {L"T\u00E8 verde"}}}));

    ASSERT_TRUE(AddCategory(L"Musica", false));
    const std::string saved = mark + asUtf8(CatalogueText({{"Caff\xE8", 1}, {"Musica", 2}}, {tea}));
    EXPECT_TRUE(WaitForCatalogue(saved));
    EXPECT_EQ(ReadCatalogueFile(), saved);
}

TEST_F(CatalogueSafetyTest, RepeatedIdsStayApartThroughReorderAndDelete) {
    const std::string handEdited =
        CatalogueText({{"Uno", 5}, {"Due", 5}, {"Tre", 6}},
                      {{5, "Primo", "", "C:\\primo.exe"}, {6, "Terzo", "", "C:\\terzo.exe"}});
    ASSERT_TRUE(StartWith(&handEdited));

    // "Sposta", then "OK" without moving anything, keeps all three.
    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Cell(L"Due"), 'S'));
    HWND order = zelmivo.WaitForWindow(L"Modifica ordine...");
    ASSERT_NE(order, nullptr);
    ASSERT_TRUE(zelmivo.ClickButton(order, L"OK"));
    ASSERT_TRUE(zelmivo.WaitUntilGone(order));
    const std::vector<ExpectedApp> apps = {{5, "Primo", "", "C:\\primo.exe"},
                                           {6, "Terzo", "", "C:\\terzo.exe"}};
    const std::string renumbered = CatalogueText({{"Uno", 5}, {"Due", 1}, {"Tre", 6}}, apps);
    EXPECT_TRUE(WaitForCatalogue(renumbered));
    EXPECT_EQ(ReadCatalogueFile(), renumbered);

    // Deleting through the second header deletes the second column.
    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Cell(L"Due"), 'C'));
    MessageBoxSeen question = zelmivo.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    ASSERT_TRUE(zelmivo.Answer(question, IDYES));
    const std::string withoutDue = CatalogueText({{"Uno", 5}, {"Tre", 6}}, apps);
    EXPECT_TRUE(WaitForCatalogue(withoutDue));
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout({{L"Uno", {L"Primo"}}, {L"Tre", {L"Terzo"}}}));
}

}  // namespace
}  // namespace ZelmivoE2E
