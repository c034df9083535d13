#include "catalogue_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "catalogue_helpers.h"
#include "catalogue_store.h"
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

std::filesystem::path Native(const std::string& path) {
#ifdef _WIN32
    return Common::NarrowToWide(path);
#else
    return Common::ReplaceChar(path, '\\', '/');
#endif
}

// Removes a file or an empty folder.
bool Remove(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::remove(Native(path), ignored);
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
        ASSERT_FALSE(LocalAppDataFolder().empty());
        product = WithTrailingSeparator(LocalAppDataFolder()) + "Zelmivo";
        dati = product + "\\Dati";
        path = dati + "\\app.txt";
        newPath = path + ".tmp";
        backupPath = path + ".bak";
        keptPath = path + ".non-letto";
        Clean();
    }
    void TearDown() override {
        FailFileStepForTests(FileStep::Read, 0, 0);
        Clean();
    }
    void Clean() {
        std::error_code ignored;
        std::filesystem::remove_all(Native(product), ignored);
    }
    // A save as the first of a new run.
    bool Save(const Catalogue& catalogue) {
        CatalogueFile file = LoadCatalogue().file;
        return SaveCatalogue(catalogue, file).saved;
    }

    std::string product, dati, path, newPath, backupPath, keptPath;
};

TEST_F(CatalogueFileTest, AFileIsWrittenBackInTheEncodingItCameIn) {
    // Bytes that are not UTF-8 behind its mark: the file is shown, never written.
    const std::string lossy =
        std::string("\xEF\xBB\xBF") + "CATEGORIE\r\nZ\xE8" + std::string(48, ' ') + "1\r\n";
    ASSERT_EQ(LoadCatalogue().file.path, path);
    WriteBytes(path, lossy);
    LoadResult shown = LoadCatalogue();
    EXPECT_EQ(shown.problem, LoadProblem::Unrepresentable);
    EXPECT_EQ(Listing(shown.catalogue), "Z\uFFFD#1{}");
    shown.catalogue.AddCategory("Nuova");
    EXPECT_FALSE(SaveCatalogue(shown.catalogue, shown.file).saved);
    EXPECT_EQ(ReadBytes(path), lossy);
    EXPECT_FALSE(PathExists(backupPath));

    // Windows-1252 given a character beyond it turns UTF-8 for good.
    Catalogue accented;
    accented.categories.assign({Categoria(1, "Caffè")});
    WriteBytes(path, FormatCatalogueText(accented, TextEncoding::Windows1252).bytes);
    LoadResult loaded = LoadCatalogue();
    for (const char* name : {"Tè 😀", "Tè"}) {
        loaded.catalogue.RenameCategory(1, name);
        ASSERT_TRUE(SaveCatalogue(loaded.catalogue, loaded.file).saved);
        EXPECT_EQ(ReadBytes(path),
                  FormatCatalogueText(loaded.catalogue, TextEncoding::Utf8WithMark).bytes);
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
    } cases[] = {{FileStep::Create, 1}, {FileStep::Write, 1}, {FileStep::Write, 2},
                 {FileStep::Flush, 1},  {FileStep::Close, 1}, {FileStep::Replace, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step) * 10 + c.attempt);
        CatalogueFile file = LoadCatalogue().file;
        FailFileStepForTests(c.step, c.attempt, failure);
        SaveResult result = SaveCatalogue(changed, file);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.error, failure);
        EXPECT_EQ(result.path, path);
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_FALSE(PathExists(newPath));
        // The next save tries again, keeping the file as it was beside it.
        ASSERT_TRUE(SaveCatalogue(changed, file).saved);
        EXPECT_EQ(ReadBytes(path), FormatCatalogueText(changed, TextEncoding::Windows1252).bytes);
        EXPECT_EQ(ReadBytes(backupPath), old);
        WriteBytes(path, old);
        Remove(backupPath);
    }
}

// One message for a run of failed saves; after a save that worked, the next
// failure is told again. The one that works writes every change still pending.
TEST_F(CatalogueFileTest, ARunOfFailedSavesIsToldOnceAndAgainAfterOneThatWorked) {
    CatalogueStore store;
    store.Load();
    store.TakeNotices();
    const struct {
        bool fails;
        std::size_t told;
    } steps[] = {{true, 1}, {true, 0}, {false, 0}, {true, 1}};
    int added = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(added);
        FailFileStepForTests(FileStep::Create, step.fails ? 1 : 0, 28);
        ASSERT_TRUE(store.Commit(CatalogueChange::AddCategory("Nuova " + std::to_string(++added))));
        const std::vector<std::string> told = store.TakeNotices();
        ASSERT_EQ(told.size(), step.told);
        for (const std::string& notice : told) {
            EXPECT_EQ(notice.find("Impossibile salvare il catalogo"), 0u);
        }
        EXPECT_EQ(store.HasPending(), step.fails);
    }
    FailFileStepForTests(FileStep::Create, 0, 0);
    const std::string saved = ReadBytes(path);
    EXPECT_NE(saved.find("Nuova 2"), std::string::npos);
    EXPECT_EQ(saved.find("Nuova 4"), std::string::npos);
}

TEST_F(CatalogueFileTest, TheFirstSaveOfARunKeepsTheStartingFile) {
    ASSERT_TRUE(Save(WorkedExample()));
    const std::string start = ReadBytes(path);
    // Failing with the save itself, the backup is not told, and the next save tries it again.
    LoadResult held = LoadCatalogue();
    SystemError ignored = 0;
    ASSERT_TRUE(MakeDirectory(backupPath, ignored));
    FailFileStepForTests(FileStep::Create, 1, 32);
    SaveResult both = SaveCatalogue(held.catalogue, held.file);
    EXPECT_FALSE(both.saved || both.backupFailed);
    ASSERT_TRUE(Remove(backupPath));
    ASSERT_TRUE(SaveCatalogue(held.catalogue, held.file).saved);
    EXPECT_EQ(ReadBytes(backupPath), start);
    ASSERT_TRUE(Remove(backupPath));
    // A backup that cannot be written lets the save go on; the run tries it no more.
    LoadResult failing = LoadCatalogue();
    FailFileStepForTests(FileStep::Backup, 1, 5);
    SaveResult result = SaveCatalogue(failing.catalogue, failing.file);
    EXPECT_TRUE(result.saved && result.backupFailed && result.backupError == 5u);
    EXPECT_EQ(result.backupPath, backupPath);
    ASSERT_TRUE(SaveCatalogue(failing.catalogue, failing.file).saved);
    EXPECT_FALSE(PathExists(backupPath));
    LoadResult run = LoadCatalogue();
    for (const char* name : {"Uno", "Due"}) {
        run.catalogue.AddCategory(name);
        ASSERT_TRUE(SaveCatalogue(run.catalogue, run.file).saved);
        EXPECT_FALSE(ChangedOutside(run.file));
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
}

TEST_F(CatalogueFileTest, AFileWithUnreadLinesIsKeptAsideOnceBeforeItIsReplaced) {
    // Keywords typed in the wrong letter case: all of it is kept.
    const std::string unread =
        "Categorie\r\n" + FormatCatalogueText(WorkedExample(), TextEncoding::Windows1252).bytes;
    ASSERT_EQ(LoadCatalogue().file.path, path);
    WriteBytes(path, unread);
    WriteBytes(keptPath, "older");
    LoadResult run = LoadCatalogue();
    EXPECT_EQ(run.unreadLines, 1u);
    run.catalogue.AddCategory("Nuova");
    FailFileStepForTests(FileStep::KeepAside, 1, 5);
    SaveResult failed = SaveCatalogue(run.catalogue, run.file);
    EXPECT_TRUE(!failed.saved && failed.error == 5u);
    EXPECT_EQ(ReadBytes(path), unread);
    for (int save = 1; save <= 2; ++save) {
        ASSERT_TRUE(SaveCatalogue(run.catalogue, run.file).saved);
        EXPECT_EQ(run.file.keptAsidePath, keptPath + ".2");
        EXPECT_EQ(ReadBytes(keptPath + ".2"), unread);
        EXPECT_EQ(ReadBytes(keptPath), "older");
        EXPECT_FALSE(PathExists(keptPath + ".3"));
    }
}

TEST_F(CatalogueFileTest, ChangesFromOutsideAreSeen) {
    ASSERT_TRUE(Save(WorkedExample()));
    // As many bytes written and the time put back (whole seconds, which
    // Windows' C library keeps): only the bytes tell.
    const auto time = std::filesystem::last_write_time(Native(path)) - std::chrono::hours(1);
    std::filesystem::last_write_time(Native(path), time);
    LoadResult read = LoadCatalogue();
    EXPECT_FALSE(ChangedOutside(read.file));
    std::string other = ReadBytes(path);
    other[11] = 'X';
    WriteBytes(path, other);
    std::filesystem::last_write_time(Native(path), time);
    ASSERT_EQ(StatusOf(path).writeTime, read.file.known.writeTime);
    EXPECT_TRUE(ChangedOutside(read.file));
    read.file.backupTried = true;
    LoadResult again = ReloadCatalogue(read.file);
    EXPECT_TRUE(again.file.backupTried && !ChangedOutside(again.file));
    EXPECT_EQ(again.catalogue.categories[0].name, "Xfficio");
    ASSERT_TRUE(Remove(path));
    EXPECT_TRUE(ChangedOutside(again.file));
    // A save of no categories knows the file is gone, until one comes.
    ASSERT_TRUE(SaveCatalogue(Catalogue(), again.file).saved);
    EXPECT_FALSE(ChangedOutside(again.file));
    WriteBytes(path, other);
    EXPECT_TRUE(ChangedOutside(again.file));
}

TEST_F(CatalogueFileTest, WithoutADataFolderNothingIsWritten) {
    for (const char* kept : {"", "C:\\a\\", "a/"}) EXPECT_EQ(WithTrailingSeparator(kept), kept);
    ASSERT_FALSE(PathExists("app.txt"));

    // A file stands where a folder belongs.
    for (const std::string& blocked : {product, dati}) {
        Clean();
        if (blocked == dati) std::filesystem::create_directory(Native(product));
        WriteBytes(blocked, "x");
        LoadResult loaded = LoadCatalogue();
        EXPECT_EQ(loaded.problem, LoadProblem::NoDataFolder);
        EXPECT_EQ(loaded.path, blocked);
        EXPECT_NE(loaded.error, 0u);
        EXPECT_TRUE(loaded.file.path.empty() && !loaded.file.writable);
        EXPECT_FALSE(SaveCatalogue(WorkedExample(), loaded.file).saved);
        EXPECT_EQ(ReadBytes(blocked), "x");
    }
#ifndef _WIN32
    // No local application data at all.
    const std::string appData = LocalAppDataFolder();
    unsetenv("LOCALAPPDATA");
    LoadResult none = LoadCatalogue();
    setenv("LOCALAPPDATA", appData.c_str(), 1);
    EXPECT_TRUE(none.problem == LoadProblem::NoDataFolder && none.path.empty() &&
                none.error == ENOENT);
#endif
    EXPECT_FALSE(PathExists("app.txt"));
}

}  // namespace
