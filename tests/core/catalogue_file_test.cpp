#include "catalogue_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "file_system.h"
#include "output_file.h"
#include "text.h"

#ifdef _WIN32
#include <direct.h>
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
    if (!RemoveFile(path)) {
        RemoveFolder(path);
    }
}

std::string ReadBytes(const std::string& path) {
    std::string content;
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        return content;
    }
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        content.push_back(static_cast<char>(c));
    }
    std::fclose(file);
    return content;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = OpenForWriting(path);
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(std::fclose(file), 0);
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

void ExpectSameCatalogue(const Catalogue& loaded, const Catalogue& expected) {
    ASSERT_EQ(loaded.categories.size(), expected.categories.size());
    for (std::size_t i = 0; i < expected.categories.size(); ++i) {
        const Categoria& got = loaded.categories[i];
        const Categoria& want = expected.categories[i];
        EXPECT_EQ(got.name, want.name) << "category " << i;
        EXPECT_EQ(got.id, want.id) << "category " << i;
        ASSERT_EQ(got.apps.size(), want.apps.size()) << "category " << i;
        for (std::size_t j = 0; j < want.apps.size(); ++j) {
            EXPECT_EQ(got.apps[j].description, want.apps[j].description);
            EXPECT_EQ(got.apps[j].pathname, want.apps[j].pathname);
            EXPECT_EQ(got.apps[j].parameters, want.apps[j].parameters);
            EXPECT_EQ(got.apps[j].categoryId, want.apps[j].categoryId);
        }
    }
}

class CatalogueFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = AppDataFolder();
        ASSERT_FALSE(base.empty());
        product = WithTrailingSeparator(base) + "Zelmivo";
        dati = product + "\\Dati";
        path = dati + "\\app.txt";
        newPath = path + ".tmp";
        Clean();
    }
    void TearDown() override {
        SetWriteLimitForTests(-1);
        Clean();
    }
    void Clean() {
        for (const std::string& item : {newPath, path, dati, product}) {
            RemoveAnything(item);
        }
    }
    void WriteFile(const std::string& bytes) {
        ASSERT_EQ(DataFolder("Zelmivo"), dati + "\\");
        WriteBytes(path, bytes);
    }

    std::string product, dati, path, newPath;
};

TEST_F(CatalogueFile, WorkedExampleIsByteExact) {
    ASSERT_TRUE(SaveCatalogue(WorkedExample()));
    std::string expected = "CATEGORIE\r\n" + kUfficioLine + "\r\n" + kGiochiLine + "\r\nAPP\r\n" +
                           kBloccoLine + "\r\n" + kSolitarioLine + "\r\n";
    EXPECT_EQ(kBloccoLine.size(), 210u);
    EXPECT_EQ(kSolitarioLine.size(), 205u);
    std::string written = ReadBytes(path);
    EXPECT_EQ(written.size(), 541u);
    EXPECT_EQ(written, expected);
    EXPECT_FALSE(PathExists(newPath));
    ExpectSameCatalogue(LoadCatalogue(), WorkedExample());
}

TEST_F(CatalogueFile, LinesFormatAndParse) {
    Catalogue example = WorkedExample();
    EXPECT_EQ(FormatCategoryLine(example.categories[0]), kUfficioLine);
    EXPECT_EQ(FormatAppLine(example.categories[1].apps[0]), kSolitarioLine);
    EXPECT_EQ(FormatCategoryLine(Categoria(-12, "")), Blanks(50) + "-12");
    EXPECT_EQ(FormatCategoryLine(Categoria(3, std::string(60, 'x'))), std::string(60, 'x') + "3");

    Categoria empty = ParseCategoryLine(Blanks(50) + "-12");
    EXPECT_EQ(empty.name, "");
    EXPECT_EQ(empty.id, -12);
    EXPECT_TRUE(empty.apps.empty());
    EXPECT_EQ(empty.cell, nullptr);

    App app;
    std::int32_t recordId = app.id;
    ParseAppLine("-7" + Blanks(8) + " desc " + Blanks(44) + Blanks(128) + "  C:\\a b\\c.exe  ",
                 app);
    EXPECT_EQ(app.categoryId, -7);
    EXPECT_EQ(app.description, "desc");
    EXPECT_EQ(app.parameters, "");
    EXPECT_EQ(app.pathname, "  C:\\a b\\c.exe  ");
    EXPECT_EQ(app.id, recordId);
}

// Texts built from what users type and what breaks fixed columns: blanks
// inside and around, Latin-1 letters, control bytes, overlong runs.
std::string RandomText(std::mt19937& random, std::size_t maxLength) {
    static const std::string pool = "aZ09 .\\:-_\t\x1A\r\n\0\xA0\xC8\xE8\xF9\xFF\xB0"s;
    std::string text;
    std::size_t length = random() % (maxLength + 1);
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(pool[random() % pool.size()]);
    }
    return text;
}

TEST_F(CatalogueFile, GeneratedCataloguesSurviveSaveAndLoad) {
    std::mt19937 random(20240531);
    for (int round = 0; round < 60; ++round) {
        Catalogue catalogue;
        std::size_t count = 1 + random() % 6;
        for (std::size_t i = 0; i < count; ++i) {
            catalogue.AddCategory(random() % 5 == 0 ? "" : RandomText(random, 70));
            std::int32_t& id = catalogue.categories.back().id;
            switch (random() % 5) {
                case 0:
                    id = 0;
                    break;
                case 1:
                    id = -static_cast<std::int32_t>(random() % 999999999) - 1;
                    break;
                case 2:
                    id = catalogue.categories[random() % catalogue.categories.size()].id;
                    break;
                case 3:
                    id = static_cast<std::int32_t>(random() % 2147483647u) + 1;
                    break;
                default:
                    break;
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t entries = random() % 4;
            for (std::size_t j = 0; j < entries; ++j) {
                std::string pathname = RandomText(random, random() % 3 == 0 ? 400 : 40);
                catalogue.AddApp(catalogue.categories[i].id, RandomText(random, 70), pathname,
                                 random() % 3 == 0 ? "" : RandomText(random, 150));
            }
        }
        ASSERT_TRUE(SaveCatalogue(catalogue)) << "round " << round;
        ExpectSameCatalogue(LoadCatalogue(), catalogue);
        if (HasFailure()) {
            FAIL() << "round " << round;
        }
    }
}

TEST_F(CatalogueFile, ReaderIsLenient) {
    std::string categories = "CATEGORIE\n" + kUfficioLine + "\n" + kGiochiLine + "\n";
    // Line feeds only.
    WriteFile(categories + "APP\n" + kBloccoLine + "\n" + kSolitarioLine + "\n");
    ExpectSameCatalogue(LoadCatalogue(), WorkedExample());

    // Repeated and alternating sections; entries join categories read earlier.
    WriteFile("CATEGORIE\r\n" + kUfficioLine + "\r\nAPP\r\n" + kBloccoLine + "\r\n" +
              kSolitarioLine + "\r\nCATEGORIE\r\n" + kGiochiLine + "\r\nAPP\r\n" + kSolitarioLine +
              "\r\nAPP\r\n" + kBloccoLine + "\r\n");
    Catalogue loaded = LoadCatalogue();
    ASSERT_EQ(loaded.categories.size(), 2u);
    EXPECT_EQ(loaded.categories[0].apps.size(), 2u);
    EXPECT_EQ(loaded.categories[1].apps.size(), 1u);

    // Entries before any category are dropped, each still using a record id.
    WriteFile("APP\r\n" + kBloccoLine + "\r\n" + kSolitarioLine + "\r\nCATEGORIE\r\n" +
              kUfficioLine + "\r\n");
    std::int32_t before = App().id;
    loaded = LoadCatalogue();
    EXPECT_EQ(App().id, before + 3);
    ASSERT_EQ(loaded.categories.size(), 1u);
    EXPECT_TRUE(loaded.categories[0].apps.empty());

    // Keywords must match exactly: inside a section they are records of it,
    // before any section they are ignored.
    WriteFile("categorie\r\n" + kGiochiLine + "\r\nCATEGORIE\r\n" + kUfficioLine + "\r\nAPP \r\n" +
              kBloccoLine + "\r\n");
    loaded = LoadCatalogue();
    ASSERT_EQ(loaded.categories.size(), 3u);
    EXPECT_EQ(loaded.categories[0].name, "Ufficio");
    EXPECT_EQ(loaded.categories[1].name, "APP");
    EXPECT_EQ(loaded.categories[1].id, 0);
    EXPECT_TRUE(loaded.categories[0].apps.empty());

    // A byte-order mark hides the first keyword.
    WriteFile("\xEF\xBB\xBF" + categories + "APP\n" + kBloccoLine + "\n");
    EXPECT_TRUE(LoadCatalogue().categories.empty());

    // Duplicate ids are both kept; their entries join the first.
    WriteFile(categories + "Altro" + Blanks(45) + "1\nAPP\n" + kBloccoLine + "\n" + kBloccoLine +
              "\n");
    loaded = LoadCatalogue();
    ASSERT_EQ(loaded.categories.size(), 3u);
    EXPECT_EQ(loaded.categories[2].id, 1);
    EXPECT_EQ(loaded.categories[0].apps.size(), 2u);
    EXPECT_TRUE(loaded.categories[2].apps.empty());
}

TEST_F(CatalogueFile, ShortAndUnfinishedLines) {
    WriteFile("CATEGORIE\r\nCorta\r\n   \r\n\r\n  Sette" + Blanks(43) + "7\r\n\t\r\nAPP\r\n" +
              "1\r\n0         Solo descrizione   \r\n" + "7" + Blanks(9) + "Con parametri" +
              Blanks(37) + "-x -y\r\n\r\n" + kSolitarioLine.substr(0, 70) + "\r\n" + "7" +
              Blanks(9) + "Ultima" + Blanks(44) + Blanks(128) + "C:\\ultima.exe");
    Catalogue loaded = LoadCatalogue();
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

    FileStatus status;
    WriteBytes(path, "uno\r\ndue\0x\nultima\r"s);
    std::vector<std::string> lines = ReadLines(path, status);
    EXPECT_EQ(lines, (std::vector<std::string>{"uno", "due", "ultima\r"}));
    EXPECT_FALSE(status.error);
}

TEST_F(CatalogueFile, FailedSaveKeepsThePreviousFile) {
    ASSERT_TRUE(SaveCatalogue(WorkedExample()));
    const std::string old = ReadBytes(path);
    ASSERT_EQ(old.size(), 541u);

    Catalogue changed = WorkedExample();
    changed.AddCategory("Nuova");
    changed.AddApp(3, "Grande", std::string(5000, 'p'), "");
    for (std::int64_t limit : {0, 1, 100, 541, 4000}) {
        SetWriteLimitForTests(limit);
        EXPECT_FALSE(SaveCatalogue(changed)) << limit;
        EXPECT_EQ(ReadBytes(path), old) << limit;
        EXPECT_FALSE(PathExists(newPath)) << limit;
    }
    SetWriteLimitForTests(100000);
    EXPECT_TRUE(SaveCatalogue(changed));
    ExpectSameCatalogue(LoadCatalogue(), changed);
    SetWriteLimitForTests(-1);

    // The new file cannot be made.
    ASSERT_TRUE(SaveCatalogue(WorkedExample()));
    ASSERT_TRUE(MakeDirectory(newPath));
    EXPECT_FALSE(SaveCatalogue(changed));
    EXPECT_EQ(ReadBytes(path), old);
    ASSERT_TRUE(RemoveFolder(newPath));

    // The replacement is refused: a folder stands where the file belongs.
    ASSERT_TRUE(RemoveFile(path));
    ASSERT_TRUE(MakeDirectory(path));
    EXPECT_FALSE(SaveCatalogue(changed));
    EXPECT_FALSE(PathExists(newPath));
    EXPECT_TRUE(RemoveFolder(path));
}

TEST_F(CatalogueFile, DataFolderAndItsFailures) {
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
    EXPECT_FALSE(SaveCatalogue(WorkedExample()));
    EXPECT_EQ(ReadBytes(dati), "not a folder");
    EXPECT_TRUE(LoadCatalogue().categories.empty());
    ASSERT_TRUE(RemoveFile(dati));

    // Zelmivo is a file: no data folder at all.
    ASSERT_TRUE(RemoveFolder(product));
    WriteBytes(product, "x");
    EXPECT_EQ(DataFolder("Zelmivo"), "");
}

TEST_F(CatalogueFile, EmptyCatalogueDeletesTheFile) {
    EXPECT_TRUE(LoadCatalogue().categories.empty());
    ASSERT_TRUE(SaveCatalogue(WorkedExample()));
    ASSERT_TRUE(PathExists(path));
    EXPECT_FALSE(SaveCatalogue(Catalogue()));
    EXPECT_FALSE(PathExists(path));
    EXPECT_TRUE(LoadCatalogue().categories.empty());
    EXPECT_FALSE(SaveCatalogue(Catalogue()));
}

TEST_F(CatalogueFile, LineFilesReportFailures) {
    FileStatus status;
    EXPECT_FALSE(WriteLines(dati + "\\missing\\x.txt", {"a"}, status));
    EXPECT_TRUE(status.error);
    EXPECT_TRUE(status.openFailed);
    EXPECT_TRUE(ReadLines(dati + "\\missing.txt", status).empty());
    EXPECT_TRUE(status.error);
    EXPECT_TRUE(status.openFailed);

    ASSERT_EQ(DataFolder("Zelmivo"), dati + "\\");
    // A folder is no file to read.
    EXPECT_TRUE(ReadLines(dati, status).empty());
    EXPECT_TRUE(status.error);
    std::string file = dati + "\\righe.txt";
    EXPECT_TRUE(WriteLines(file, {"a", "", "\xE8 b "}, status));
    EXPECT_FALSE(status.error);
    EXPECT_EQ(ReadBytes(file), "a\r\n\r\n\xE8 b \r\n");
    EXPECT_EQ(ReadLines(file, status), (std::vector<std::string>{"a", "", "\xE8 b "}));
    EXPECT_FALSE(status.error);

    SetWriteLimitForTests(4);
    EXPECT_FALSE(WriteLines(file, {"a", "bcd"}, status));
    EXPECT_TRUE(status.error);
    EXPECT_FALSE(status.openFailed);
    EXPECT_EQ(ReadBytes(file), "a\r\nb");
    ASSERT_TRUE(RemoveFile(file));

#ifndef _WIN32
    // A full disk that shows only when the buffered lines are flushed.
    SetWriteLimitForTests(-1);
    EXPECT_FALSE(WriteLines("/dev/full", {"a"}, status));
    EXPECT_TRUE(status.error);
    EXPECT_FALSE(status.openFailed);
#endif
}

}  // namespace
