#include "catalogue_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "catalogue_helpers.h"
#include "file_faults.h"
#include "text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace MyApp;

#ifndef _WIN32
// Natively the local application-data folder is a fresh temporary folder;
// under Wine it is the one of the test's private prefix.
class LocalAppDataEnvironment : public ::testing::Environment {
    char folder[25] = "/tmp/zelmivo-core-XXXXXX";
    void SetUp() override {
        ASSERT_NE(mkdtemp(folder), nullptr);
        setenv("LOCALAPPDATA", folder, 1);
    }
    void TearDown() override { std::filesystem::remove(folder); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new LocalAppDataEnvironment);
#endif

// Removes a file or an empty folder.
bool Remove(const std::string& path) {
    std::error_code ignored;
#ifdef _WIN32
    return std::filesystem::remove(Common::NarrowToWide(path), ignored);
#else
    return std::filesystem::remove(Common::ReplaceChar(path, '\\', '/'), ignored);
#endif
}

std::string ReadBytes(const std::string& path) {
    std::string content;
    SystemError ignored = 0;
    ReadWholeFile(path, content, ignored);
    return content;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FileWriter file;
    ASSERT_TRUE(file.Open(path) && file.Write(bytes.data(), bytes.size()) && file.Close()) << path;
}

class CatalogueFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(AppDataFolder().empty());
        product = WithTrailingSeparator(AppDataFolder()) + "Zelmivo";
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
        for (const std::string& item : {newPath, backupPath, path, dati, product}) Remove(item);
    }
    // A save as the first of a new run.
    bool Save(const Catalogue& catalogue) {
        CatalogueFile file;
        return SaveCatalogue(catalogue, file).saved;
    }

    std::string product, dati, path, newPath, backupPath;
};

TEST_F(CatalogueFileTest, ASaveWritesTheWholeTextAndLoadsBack) {
    ASSERT_TRUE(Save(WorkedExample()));
    EXPECT_EQ(ReadBytes(path), FormatCatalogueText(WorkedExample(), TextEncoding::Latin1));
    EXPECT_FALSE(PathExists(newPath));
    LoadResult loaded = LoadCatalogue();
    EXPECT_EQ(loaded.problem, LoadProblem::None);
    EXPECT_TRUE(loaded.file.writable);
    EXPECT_EQ(loaded.path, path);
    EXPECT_EQ(Listing(loaded.catalogue), Listing(WorkedExample()));
}

TEST_F(CatalogueFileTest, AFileIsWrittenBackInTheEncodingItCameIn) {
    // Characters the catalogue cannot keep: the file is shown, never written.
    const std::string beyond = "CATEGORIE\r\nZ\xC5\x81" + std::string(48, ' ') + "1\r\n";
    ASSERT_EQ(DataFolder("Zelmivo"), dati + "\\");
    WriteBytes(path, beyond);
    LoadResult shown = LoadCatalogue();
    EXPECT_EQ(shown.problem, LoadProblem::Unrepresentable);
    EXPECT_EQ(Listing(shown.catalogue), "Z?#1{}");
    shown.catalogue.AddCategory("Nuova");
    EXPECT_FALSE(SaveCatalogue(shown.catalogue, shown.file).saved);
    EXPECT_EQ(ReadBytes(path), beyond);
    EXPECT_FALSE(PathExists(backupPath));

    Catalogue accented;
    accented.categories.assign({Categoria(1, "Caff\xE8")});
    for (TextEncoding encoding :
         {TextEncoding::Latin1, TextEncoding::Utf8, TextEncoding::Utf8WithMark}) {
        WriteBytes(path, FormatCatalogueText(accented, encoding));
        LoadResult loaded = LoadCatalogue();
        EXPECT_EQ(loaded.problem, LoadProblem::None);
        EXPECT_EQ(loaded.file.encoding, encoding);
        loaded.catalogue.RenameCategory(1, "T\xE8");
        ASSERT_TRUE(SaveCatalogue(loaded.catalogue, loaded.file).saved);
        EXPECT_EQ(ReadBytes(path), FormatCatalogueText(loaded.catalogue, encoding));
    }
}

TEST_F(CatalogueFileTest, EveryFailedStepOfASaveLeavesTheFileAsItWas) {
    ASSERT_TRUE(Save(WorkedExample()));
    const std::string old = ReadBytes(path);
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
        // The next save tries again, keeping the file as it was beside it.
        ASSERT_TRUE(SaveCatalogue(changed, file).saved);
        EXPECT_EQ(ReadBytes(path), FormatCatalogueText(changed, TextEncoding::Latin1));
        EXPECT_EQ(ReadBytes(backupPath), old);
        WriteBytes(path, old);
        Remove(backupPath);
    }

    // The system refuses: a folder stands where the new file, then the file, belongs.
    ASSERT_TRUE(MakeDirectory(newPath));
    CatalogueFile another;
    SaveResult result = SaveCatalogue(changed, another);
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.error, 0u);
    EXPECT_FALSE(SystemErrorText(result.error).empty());
    EXPECT_EQ(ReadBytes(path), old);
    ASSERT_TRUE(Remove(newPath));
    ASSERT_TRUE(Remove(path) && MakeDirectory(path));
    EXPECT_FALSE(Save(changed));
    EXPECT_FALSE(PathExists(newPath));
}

TEST_F(CatalogueFileTest, TheFirstSaveOfARunKeepsTheStartingFile) {
    ASSERT_TRUE(Save(WorkedExample()));
    const std::string start = ReadBytes(path);
    LoadResult run = LoadCatalogue();
    for (const char* name : {"Uno", "Due"}) {
        run.catalogue.AddCategory(name);
        ASSERT_TRUE(SaveCatalogue(run.catalogue, run.file).saved);
        EXPECT_EQ(ReadBytes(backupPath), start);
    }
    // The next run renews it; deleting the last category deletes the file
    // but keeps the backup.
    const std::string end = ReadBytes(path);
    LoadResult next = LoadCatalogue();
    next.catalogue.categories.clear();
    ASSERT_TRUE(SaveCatalogue(next.catalogue, next.file).saved);
    EXPECT_FALSE(PathExists(path));
    EXPECT_EQ(ReadBytes(backupPath), end);
}

TEST_F(CatalogueFileTest, AFileNotReadWholeIsNeverWritten) {
    ASSERT_TRUE(Save(WorkedExample()));
    const std::string old = ReadBytes(path);
    FailFileStepForTests(FileStep::Read, 1, 5);
    LoadResult held = LoadCatalogue();
    EXPECT_EQ(held.problem, LoadProblem::Unreadable);
    EXPECT_EQ(held.error, 5u);
    EXPECT_TRUE(held.catalogue.categories.empty());
    held.catalogue.AddCategory("Sola");
    EXPECT_FALSE(SaveCatalogue(held.catalogue, held.file).saved);
    EXPECT_EQ(ReadBytes(path), old);

#ifdef _WIN32
    // Another program holding the file a moment is waited out (a long hold is
    // told to the user, as the end-to-end suite shows).
    HANDLE other = CreateFileW(Common::NarrowToWide(path).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    std::thread release([other] {
        Sleep(300);
        CloseHandle(other);
    });
    LoadResult waited = LoadCatalogue();
    release.join();
    EXPECT_EQ(waited.problem, LoadProblem::None);
    EXPECT_EQ(Listing(waited.catalogue), Listing(WorkedExample()));
#endif

    // A missing file is no problem: the first save makes it.
    ASSERT_TRUE(Remove(path));
    LoadResult fresh = LoadCatalogue();
    EXPECT_EQ(fresh.problem, LoadProblem::None);
    EXPECT_TRUE(fresh.file.writable);
}

TEST_F(CatalogueFileTest, DataFolderAndItsFailures) {
    for (const char* kept : {"", "C:\\a\\", "a/"}) EXPECT_EQ(WithTrailingSeparator(kept), kept);
    EXPECT_EQ(WithTrailingSeparator("C:\\a"), "C:\\a\\");

    EXPECT_EQ(DataFolder("Zelmivo"), dati + "\\");
    EXPECT_FALSE(EnsureDirectory(dati + "\\missing\\deeper"));

    // Dati is a file: its path is still given, and saving there fails.
    ASSERT_TRUE(Remove(dati));
    WriteBytes(dati, "not a folder");
    EXPECT_EQ(DataFolder("Zelmivo"), dati + "\\");
    EXPECT_FALSE(Save(WorkedExample()));
    EXPECT_EQ(ReadBytes(dati), "not a folder");
    EXPECT_TRUE(LoadCatalogue().catalogue.categories.empty());

    // Zelmivo is a file: no data folder at all.
    ASSERT_TRUE(Remove(dati) && Remove(product));
    WriteBytes(product, "x");
    EXPECT_EQ(DataFolder("Zelmivo"), "");
}

}  // namespace
