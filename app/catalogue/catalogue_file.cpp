#include "catalogue_file.h"

#include <algorithm>

#include "file_faults.h"

namespace MyApp {

namespace {

const char kProductFolder[] = "Zelmivo";
const char kFileName[] = "app.txt";
// Written in full beside the file, then moved over it.
const char kNewFileSuffix[] = ".tmp";
// The file as it was when the run started, kept by the run's first save.
const char kBackupSuffix[] = ".bak";
// Large catalogues are written in several calls, each of which may fail.
constexpr std::size_t kWriteChunk = 64 * 1024;
// A backup or sync tool holds a file for moments: about two seconds in all.
constexpr int kReadAttempts = 20;
constexpr std::uint32_t kReadRetryMs = 100;

bool ReadCatalogueBytes(const std::string& path, std::string& bytes, SystemError& error) {
    for (int attempt = 1;; ++attempt) {
        if (!InjectedFailure(FileStep::Read, error) && ReadWholeFile(path, bytes, error)) {
            return true;
        }
        if (attempt == kReadAttempts || !IsSharingError(error)) {
            return false;
        }
        PauseMilliseconds(kReadRetryMs);
    }
}

bool WriteNewFile(const std::string& path, const std::string& bytes, SystemError& error) {
    FileWriter writer;
    if (InjectedFailure(FileStep::Create, error) || !writer.Open(path)) {
        if (error == 0) error = writer.error;
        return false;
    }
    bool written = true;
    for (std::size_t at = 0; written && at < bytes.size(); at += kWriteChunk) {
        std::size_t count = std::min(kWriteChunk, bytes.size() - at);
        written =
            !InjectedFailure(FileStep::Write, error) && writer.Write(bytes.data() + at, count);
    }
    // A full disk often shows only when the data is pushed to it.
    written = written && !InjectedFailure(FileStep::Flush, error) && writer.Flush();
    bool closed = !InjectedFailure(FileStep::Close, error) && writer.Close();
    if (error == 0) error = writer.error;
    return written && closed;
}

}  // namespace

std::string AppDataFolder() { return LocalAppDataFolder(); }

std::string DataFolder(const std::string& productFolder) {
    std::string base = WithTrailingSeparator(AppDataFolder()) + productFolder;
    if (!PathExists(base) && !EnsureDirectory(base)) {
        return std::string();
    }
    base = WithTrailingSeparator(base) + "Dati";
    if (!PathExists(base) && !EnsureDirectory(base)) {
        return std::string();
    }
    return WithTrailingSeparator(base);
}

std::string CatalogueFilePath() { return DataFolder(kProductFolder) + kFileName; }

LoadResult LoadCatalogue() {
    LoadResult result;
    result.path = CatalogueFilePath();
    if (!PathExists(result.path)) {
        return result;
    }
    std::string bytes;
    if (!ReadCatalogueBytes(result.path, bytes, result.error)) {
        result.problem = LoadProblem::Unreadable;
        result.file.writable = false;
        return result;
    }
    ParsedCatalogue parsed = ParseCatalogueText(bytes);
    result.catalogue = std::move(parsed.catalogue);
    result.file.encoding = parsed.encoding;
    if (!parsed.lossless) {
        result.problem = LoadProblem::Unrepresentable;
        result.file.writable = false;
    }
    return result;
}

SaveResult SaveCatalogue(const Catalogue& catalogue, CatalogueFile& file) {
    SaveResult result;
    result.path = CatalogueFilePath();
    if (!file.writable) {
        return result;
    }
    if (!file.backupKept && PathExists(result.path)) {
        if (InjectedFailure(FileStep::Backup, result.error) ||
            !CopyFileOver(result.path, result.path + kBackupSuffix, result.error)) {
            return result;
        }
    }
    file.backupKept = true;
    if (catalogue.categories.empty()) {
        result.saved =
            !PathExists(result.path) || (!InjectedFailure(FileStep::Replace, result.error) &&
                                         RemoveFile(result.path, result.error));
        return result;
    }
    // The old file is replaced only by a complete new one, so a full disk or
    // a crash never leaves half a catalogue.
    std::string newPath = result.path + kNewFileSuffix;
    SystemError ignored = 0;
    if (!WriteNewFile(newPath, FormatCatalogueText(catalogue, file.encoding), result.error)) {
        RemoveFile(newPath, ignored);
        return result;
    }
    if (InjectedFailure(FileStep::Replace, result.error) ||
        !MoveFileOver(newPath, result.path, result.error)) {
        RemoveFile(newPath, ignored);
        return result;
    }
    result.saved = true;
    return result;
}

bool EnsureDirectory(const std::string& path) { return PathExists(path) || MakeDirectory(path); }

std::string WithTrailingSeparator(const std::string& path) {
    if (path.empty() || path.back() == '\\' || path.back() == '/') {
        return path;
    }
    return path + "\\";
}

}  // namespace MyApp
