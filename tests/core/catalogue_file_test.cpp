#include "catalogue_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "file_faults.h"
#include "file_system.h"
#include "text.h"

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

using namespace MyApp;
using namespace std::string_literals;

// Natively the local application-data folder is a fresh temporary folder;
// under Wine it is the one of the test's private prefix.
class LocalAppDataEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
#ifndef _WIN32
        char folder[] = "/tmp/zelmivo-core-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        base = folder;
        setenv("LOCALAPPDATA", folder, 1);
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        rmdir(base.c_str());
#endif
    }

private:
    std::string base;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new LocalAppDataEnvironment);

bool RemoveFolder(const std::string& path) {
#ifdef _WIN32
    return _wrmdir(Common::NarrowToWide(path).c_str()) == 0;
#else
    return rmdir(Common::ReplaceChar(path, '\\', '/').c_str()) == 0;
#endif
}

void RemoveAnything(const std::string& path) {
    SystemError ignored = 0;
    if (!RemoveFile(path, ignored)) {
        RemoveFolder(path);
    }
}

std::string ReadBytes(const std::string& path) {
    std::string content;
    SystemError ignored = 0;
    ReadWholeFile(path, content, ignored);
    return content;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FileWriter file;
    ASSERT_TRUE(file.Open(path)) << path;
    ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
    ASSERT_TRUE(file.Close());
}

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

Catalogue WorkedExample() {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(1, "Ufficio"), Categoria(2, "Giochi")});
    catalogue.AddApp(1, "Blocco note", "C:\\Windows\\notepad.exe", "C:\\Note\\lista.txt");
    catalogue.AddApp(2, "Solitario", "D:\\Giochi\\sol.exe", "");
    return catalogue;
}

const std::string kUfficioLine = "Ufficio" + Blanks(43) + "1";
const std::string kGiochiLine = "Giochi" + Blanks(44) + "2";
const std::string kBloccoLine = "1" + Blanks(9) + "Blocco note" + Blanks(39) +
                                "C:\\Note\\lista.txt" + Blanks(111) + "C:\\Windows\\notepad.exe";
const std::string kSolitarioLine =
    "2" + Blanks(9) + "Solitario" + Blanks(41) + Blanks(128) + "D:\\Giochi\\sol.exe";

// Two catalogues are the same when they make the same file, every field and
// id included.
std::string AsText(const Catalogue& catalogue) {
    return FormatCatalogueText(catalogue, TextEncoding::Latin1);
}

class CatalogueFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = AppDataFolder();
        ASSERT_FALSE(base.empty());
        product = WithTrailingSeparator(base) + "Zelmivo";
        dati = product + "\\Dati";
        path = dati + "\\app.txt";
        newPath = path + ".tmp";
        backupPath = path + ".bak";
        Clean();
    }
    void TearDown() override {
        FailFileStepForTests(FileStep::Read, 0, 0);
        Clean();
    }
    void Clean() {
        for (const std::string& item : {newPath, backupPath, path, dati, product}) {
            RemoveAnything(item);
        }
    }
    void WriteFile(const std::string& bytes) {
        ASSERT_EQ(DataFolder("Zelmivo"), dati + "\\");
        WriteBytes(path, bytes);
    }
    // A save as the first of a new run.
    bool Save(const Catalogue& catalogue) {
        CatalogueFile file;
        return SaveCatalogue(catalogue, file).saved;
    }
    Catalogue Load() { return LoadCatalogue().catalogue; }

    std::string product, dati, path, newPath, backupPath;
};

const std::string kWorkedExampleText = "CATEGORIE\r\n" + kUfficioLine + "\r\n" + kGiochiLine +
                                       "\r\nAPP\r\n" + kBloccoLine + "\r\n" + kSolitarioLine +
                                       "\r\n";

TEST_F(CatalogueFileTest, WorkedExampleIsByteExact) {
    ASSERT_TRUE(Save(WorkedExample()));
    EXPECT_EQ(kBloccoLine.size(), 210u);
    EXPECT_EQ(kSolitarioLine.size(), 205u);
    std::string written = ReadBytes(path);
    EXPECT_EQ(written.size(), 541u);
    EXPECT_EQ(written, kWorkedExampleText);
    EXPECT_FALSE(PathExists(newPath));
    LoadResult loaded = LoadCatalogue();
    EXPECT_EQ(loaded.problem, LoadProblem::None);
    EXPECT_TRUE(loaded.file.writable);
    EXPECT_EQ(AsText(loaded.catalogue), AsText(WorkedExample()));
}

TEST_F(CatalogueFileTest, LinesFormatAndParse) {
    EXPECT_EQ(FormatCategoryLine(Categoria(-12, "")), Blanks(50) + "-12");
    EXPECT_EQ(FormatCategoryLine(Categoria(3, std::string(60, 'x'))), std::string(60, 'x') + "3");
    EXPECT_EQ(ParseCategoryLine(Blanks(50) + "-12").id, -12);
    // Blanks around a description go; those around a pathname stay.
    App app;
    std::int32_t recordId = app.id;
    ParseAppLine("-7" + Blanks(8) + " desc " + Blanks(44) + Blanks(128) + "  C:\\a b\\c.exe  ",
                 app);
    EXPECT_EQ(app.categoryId, -7);
    EXPECT_EQ(app.description, "desc");
    EXPECT_EQ(app.pathname, "  C:\\a b\\c.exe  ");
    EXPECT_EQ(app.id, recordId);
}

TEST_F(CatalogueFileTest, ReaderIsLenient) {
    std::string categories = "CATEGORIE\n" + kUfficioLine + "\n" + kGiochiLine + "\n";
    // Line feeds only, and CR alone.
    WriteFile(categories + "APP\n" + kBloccoLine + "\n" + kSolitarioLine + "\n");
    EXPECT_EQ(AsText(Load()), AsText(WorkedExample()));
    WriteFile("CATEGORIE\r" + kUfficioLine + "\r" + kGiochiLine + "\rAPP\r" + kBloccoLine + "\r" +
              kSolitarioLine);
    EXPECT_EQ(AsText(Load()), AsText(WorkedExample()));

    // Repeated and alternating sections; entries join categories read earlier.
    WriteFile("CATEGORIE\r\n" + kUfficioLine + "\r\nAPP\r\n" + kBloccoLine + "\r\n" +
              kSolitarioLine + "\r\nCATEGORIE\r\n" + kGiochiLine + "\r\nAPP\r\n" + kSolitarioLine +
              "\r\nAPP\r\n" + kBloccoLine + "\r\n");
    Catalogue loaded = Load();
    ASSERT_EQ(loaded.categories.size(), 2u);
    EXPECT_EQ(loaded.categories[0].apps.size(), 2u);
    EXPECT_EQ(loaded.categories[1].apps.size(), 1u);

    // Entries before any category are dropped, each still using a record id.
    WriteFile("APP\r\n" + kBloccoLine + "\r\n" + kSolitarioLine + "\r\nCATEGORIE\r\n" +
              kUfficioLine + "\r\n");
    std::int32_t before = App().id;
    loaded = Load();
    EXPECT_EQ(App().id, before + 3);
    ASSERT_EQ(loaded.categories.size(), 1u);
    EXPECT_TRUE(loaded.categories[0].apps.empty());

    // Keywords must match exactly: inside a section they are records of it,
    // before any section they are ignored.
    WriteFile("categorie\r\n" + kGiochiLine + "\r\nCATEGORIE\r\n" + kUfficioLine + "\r\nAPP \r\n" +
              kBloccoLine + "\r\n");
    loaded = Load();
    ASSERT_EQ(loaded.categories.size(), 3u);
    EXPECT_EQ(loaded.categories[0].name, "Ufficio");
    EXPECT_EQ(loaded.categories[1].name, "APP");
    EXPECT_TRUE(loaded.categories[0].apps.empty());
}

TEST_F(CatalogueFileTest, ShortAndUnfinishedLines) {
    WriteFile("CATEGORIE\r\nCorta\r\n   \r\n\r\n  Sette" + Blanks(43) + "7\r\n\t\r\nAPP\r\n" +
              "1\r\n0         Solo descrizione   \r\n" + "7" + Blanks(9) + "Con parametri" +
              Blanks(37) + "-x -y\r\n\r\n" + kSolitarioLine.substr(0, 70) + "\r\n" + "7" +
              Blanks(9) + "Ultima" + Blanks(44) + Blanks(128) + "C:\\ultima.exe");
    Catalogue loaded = Load();
    ASSERT_EQ(loaded.categories.size(), 2u);
    EXPECT_EQ(loaded.categories[0].name, "Corta");
    EXPECT_EQ(loaded.categories[0].id, 0);
    EXPECT_EQ(loaded.categories[1].name, "Sette");
    EXPECT_EQ(loaded.categories[1].id, 7);

    ASSERT_EQ(loaded.categories[0].apps.size(), 1u);
    const App& only = loaded.categories[0].apps[0];
    EXPECT_EQ(only.description, "Solo descrizione");
    EXPECT_EQ(only.parameters, "");
    EXPECT_EQ(only.pathname, "");

    ASSERT_EQ(loaded.categories[1].apps.size(), 2u);
    EXPECT_EQ(loaded.categories[1].apps[0].description, "Con parametri");
    EXPECT_EQ(loaded.categories[1].apps[0].parameters, "-x -y");
    EXPECT_EQ(loaded.categories[1].apps[0].pathname, "");
    EXPECT_EQ(loaded.categories[1].apps[1].description, "Ultima");
    EXPECT_EQ(loaded.categories[1].apps[1].pathname, "C:\\ultima.exe");

    // A NUL cuts its line; CR alone ends one, so no field keeps a line break
    // that a saved file would then carry inside a line.
    Catalogue cut = ParseCatalogueText("CATEGORIE\nf\r\x01\ndue\0x\r\n"s + "APP\r0" + Blanks(9) +
                                       "a\0"s + Blanks(60) + "z\r")
                        .catalogue;
    ASSERT_EQ(cut.categories.size(), 3u);
    EXPECT_EQ(cut.categories[1].name, "\x01");
    EXPECT_EQ(cut.categories[2].name, "due");
    ASSERT_EQ(cut.categories[0].apps.size(), 1u);
    EXPECT_EQ(cut.categories[0].apps[0].description, "a");
    EXPECT_EQ(cut.categories[0].apps[0].pathname, "");
}

TEST_F(CatalogueFileTest, EditorEncodingsLoadAndSaveAsTheyCame) {
    Catalogue accented;
    accented.categories.assign({Categoria(1, "Caff\xE8")});
    accented.AddApp(1, "T\xE8 verde", "C:\\B\xE8vande\\t\xE8.exe", "--tazza=\xE0");
    const std::string mark = "\xEF\xBB\xBF";
    const std::string utf8Line = "Caff\xC3\xA8" + Blanks(45) + "1";
    struct Case {
        TextEncoding encoding;
        std::string categoryLine;  // the category line as the file holds it
    } cases[] = {
        {TextEncoding::Latin1, "Caff\xE8" + Blanks(45) + "1"},
        {TextEncoding::Utf8, utf8Line},
        {TextEncoding::Utf8WithMark, utf8Line},
    };
    for (const Case& c : cases) {
        std::string text = FormatCatalogueText(accented, c.encoding);
        std::string expectedStart = (c.encoding == TextEncoding::Utf8WithMark ? mark : "") +
                                    "CATEGORIE\r\n" + c.categoryLine + "\r\nAPP\r\n";
        EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
        WriteFile(text);
        LoadResult loaded = LoadCatalogue();
        EXPECT_EQ(loaded.problem, LoadProblem::None);
        EXPECT_EQ(loaded.file.encoding, c.encoding);
        EXPECT_EQ(AsText(loaded.catalogue), AsText(accented));
        // A change is written back in the encoding the file came in.
        loaded.catalogue.RenameCategory(1, "Caff\xE8 e t\xE8");
        ASSERT_TRUE(SaveCatalogue(loaded.catalogue, loaded.file).saved);
        EXPECT_EQ(ReadBytes(path), FormatCatalogueText(loaded.catalogue, c.encoding));
    }

    // Latin-1 letters that happen to form UTF-8 are marked as UTF-8, or they
    // would read back as other letters.
    Catalogue lookalike;
    lookalike.categories.assign({Categoria(1, "Caff\xC3\xA8")});
    ParsedCatalogue reread =
        ParseCatalogueText(FormatCatalogueText(lookalike, TextEncoding::Latin1));
    EXPECT_EQ(AsText(reread.catalogue), AsText(lookalike));
    EXPECT_EQ(reread.encoding, TextEncoding::Utf8WithMark);

    // Characters the catalogue cannot keep: the file is shown, never written.
    for (const std::string& text : {"CATEGORIE\r\nZ\xC5\x81\xC3\xB3"
                                    "d\xC5\xBA" +
                                        Blanks(45) + "1\r\n",
                                    mark + "CATEGORIE\r\nCaff\xE8" + Blanks(45) + "1\r\n"}) {
        WriteFile(text);
        RemoveAnything(backupPath);
        LoadResult loaded = LoadCatalogue();
        EXPECT_EQ(loaded.problem, LoadProblem::Unrepresentable);
        ASSERT_EQ(loaded.catalogue.categories.size(), 1u);
        loaded.catalogue.AddCategory("Nuova");
        SaveResult result = SaveCatalogue(loaded.catalogue, loaded.file);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(ReadBytes(path), text);
        EXPECT_FALSE(PathExists(backupPath));
    }
}

TEST_F(CatalogueFileTest, EveryCategoryGetsAnIdOfItsOwn) {
    auto line = [](const std::string& name, const std::string& id) {
        return name + Blanks(50 - name.size()) + id + "\r\n";
    };
    struct Case {
        std::string categories;
        std::vector<std::int32_t> ids;
    } cases[] = {
        {line("Uno", "5") + line("Due", "5") + line("Tre", "6"), {5, 1, 6}},
        {"Corta\r\nAnche\r\n" + line("Uno", "1"), {0, 2, 1}},
        {line("A", "99999999999") + line("B", "88888888888"), {2147483647, 1}},
        {line("A", "-1000000000") + line("B", "-999999999"), {1, -999999999}},
    };
    for (const Case& c : cases) {
        WriteFile("CATEGORIE\r\n" + c.categories + "APP\r\n");
        Catalogue loaded = Load();
        std::vector<std::int32_t> ids;
        for (const Categoria& category : loaded.categories) ids.push_back(category.id);
        EXPECT_EQ(ids, c.ids) << c.categories;
    }

    // Entries stay with the category they were filed under and follow its new id.
    WriteFile("CATEGORIE\r\n" + line("Uno", "5") + line("Due", "5") + line("Tre", "-1000000000") +
              "APP\r\n5" + Blanks(9) + "Primo\r\n-100000000Perso\r\n");
    Catalogue loaded = Load();
    ASSERT_EQ(loaded.categories.size(), 3u);
    ASSERT_EQ(loaded.categories[0].apps.size(), 1u);
    EXPECT_EQ(loaded.categories[0].apps[0].categoryId, 5);
    EXPECT_TRUE(loaded.categories[1].apps.empty());
    EXPECT_EQ(loaded.categories[2].id, 2);
    loaded.categories[2].apps.emplace_back("Ultimo", "C:\\u.exe", 2, "");
    ASSERT_TRUE(Save(loaded));
    EXPECT_EQ(AsText(Load()), AsText(loaded));
}

TEST_F(CatalogueFileTest, EveryFailedStepOfASaveLeavesTheFileAsItWas) {
    ASSERT_TRUE(Save(WorkedExample()));
    const std::string old = ReadBytes(path);
    RemoveAnything(backupPath);

    // Large enough to be written in more than one piece.
    Catalogue changed = WorkedExample();
    changed.AddCategory("Nuova");
    changed.AddApp(3, "Grande", std::string(70000, 'p'), "");
    const SystemError failure = 28;
    struct Case {
        FileStep step;
        int attempt;
    } cases[] = {{FileStep::Backup, 1}, {FileStep::Create, 1}, {FileStep::Write, 1},
                 {FileStep::Write, 2},  {FileStep::Flush, 1},  {FileStep::Close, 1},
                 {FileStep::Replace, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step) * 10 + c.attempt);
        CatalogueFile file;
        FailFileStepForTests(c.step, c.attempt, failure);
        SaveResult result = SaveCatalogue(changed, file);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.error, failure);
        EXPECT_EQ(result.path, path);
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_FALSE(PathExists(newPath));
        if (PathExists(backupPath)) {
            EXPECT_EQ(ReadBytes(backupPath), old);
        }
        // The next save tries again and replaces the file.
        ASSERT_TRUE(SaveCatalogue(changed, file).saved);
        EXPECT_EQ(AsText(Load()), AsText(changed));
        EXPECT_EQ(ReadBytes(backupPath), old);
        WriteBytes(path, old);
        RemoveAnything(backupPath);
    }

    // The new file cannot be made: a folder stands in its place.
    ASSERT_TRUE(MakeDirectory(newPath));
    CatalogueFile another;
    SaveResult result = SaveCatalogue(changed, another);
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.error, 0u);
    EXPECT_FALSE(SystemErrorText(result.error).empty());
    EXPECT_EQ(ReadBytes(path), old);
    ASSERT_TRUE(RemoveFolder(newPath));

    // The replacement is refused: a folder stands where the file belongs.
    RemoveAnything(path);
    ASSERT_TRUE(MakeDirectory(path));
    EXPECT_FALSE(Save(changed));
    EXPECT_FALSE(PathExists(newPath));
    EXPECT_TRUE(RemoveFolder(path));
}

TEST_F(CatalogueFileTest, TheFirstSaveOfARunKeepsTheStartingFile) {
    WriteFile(kWorkedExampleText);
    LoadResult run = LoadCatalogue();
    run.catalogue.AddCategory("Uno");
    ASSERT_TRUE(SaveCatalogue(run.catalogue, run.file).saved);
    EXPECT_EQ(ReadBytes(backupPath), kWorkedExampleText);
    const std::string afterFirst = ReadBytes(path);
    run.catalogue.AddCategory("Due");
    ASSERT_TRUE(SaveCatalogue(run.catalogue, run.file).saved);
    EXPECT_EQ(ReadBytes(backupPath), kWorkedExampleText);

    // The next run renews it; deleting the last category deletes the file
    // but keeps the backup.
    LoadResult next = LoadCatalogue();
    next.catalogue.categories.clear();
    ASSERT_TRUE(SaveCatalogue(next.catalogue, next.file).saved);
    EXPECT_FALSE(PathExists(path));
    EXPECT_NE(ReadBytes(backupPath), afterFirst);
    EXPECT_EQ(ParseCatalogueText(ReadBytes(backupPath)).catalogue.categories.size(), 4u);
}

TEST_F(CatalogueFileTest, AFileNotReadWholeIsNeverWritten) {
    WriteFile(kWorkedExampleText);
    const SystemError failure = 5;
    FailFileStepForTests(FileStep::Read, 1, failure);
    LoadResult held = LoadCatalogue();
    EXPECT_EQ(held.problem, LoadProblem::Unreadable);
    EXPECT_EQ(held.error, failure);
    EXPECT_EQ(held.path, path);
    EXPECT_TRUE(held.catalogue.categories.empty());
    held.catalogue.AddCategory("Sola");
    EXPECT_FALSE(SaveCatalogue(held.catalogue, held.file).saved);
    EXPECT_EQ(ReadBytes(path), kWorkedExampleText);

    // A missing file is no problem: the first save makes it.
    RemoveAnything(path);
    LoadResult fresh = LoadCatalogue();
    EXPECT_EQ(fresh.problem, LoadProblem::None);
    EXPECT_TRUE(fresh.file.writable);

#ifdef _WIN32
    // Another program holds the file: a short hold is waited out, a long one
    // is reported with the system's reason.
    WriteFile(kWorkedExampleText);
    for (DWORD holdMs : {300u, 3000u}) {
        HANDLE other = CreateFileW(Common::NarrowToWide(path).c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        std::thread release([other, holdMs] {
            Sleep(holdMs);
            CloseHandle(other);
        });
        LoadResult result = LoadCatalogue();
        release.join();
        if (holdMs < 1000) {
            EXPECT_EQ(result.problem, LoadProblem::None);
            EXPECT_EQ(AsText(result.catalogue), AsText(WorkedExample()));
        } else {
            EXPECT_EQ(result.problem, LoadProblem::Unreadable);
            EXPECT_TRUE(IsSharingError(result.error)) << result.error;
        }
    }
#endif
}

TEST_F(CatalogueFileTest, DataFolderAndItsFailures) {
    EXPECT_EQ(WithTrailingSeparator(""), "");
    EXPECT_EQ(WithTrailingSeparator("C:\\a"), "C:\\a\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(WithTrailingSeparator("a/"), "a/");

    EXPECT_FALSE(PathExists(product));
    EXPECT_EQ(DataFolder("Zelmivo"), dati + "\\");
    EXPECT_TRUE(PathExists(dati));
    EXPECT_TRUE(EnsureDirectory(dati));
    EXPECT_FALSE(EnsureDirectory(dati + "\\missing\\deeper"));

    // Dati is a file: its path is still given, and saving there fails.
    ASSERT_TRUE(RemoveFolder(dati));
    WriteBytes(dati, "not a folder");
    EXPECT_EQ(DataFolder("Zelmivo"), dati + "\\");
    EXPECT_FALSE(Save(WorkedExample()));
    EXPECT_EQ(ReadBytes(dati), "not a folder");
    EXPECT_TRUE(Load().categories.empty());
    RemoveAnything(dati);

    // Zelmivo is a file: no data folder at all.
    ASSERT_TRUE(RemoveFolder(product));
    WriteBytes(product, "x");
    EXPECT_EQ(DataFolder("Zelmivo"), "");
}

}  // namespace
