#include "catalogue_file.h"

#include <algorithm>
#include <cstring>

#include "file_faults.h"
#include "text.h"

namespace MyApp {

namespace {

const char kProductFolder[] = "Zelmivo";
const char kDataFolder[] = "Dati";
const char kFileName[] = "app.txt";
// Written in full beside the file, then moved over it.
const char kNewFileSuffix[] = ".tmp";
// The file as it was when the run started, copied by the run's first save
// when it can be.
const char kBackupSuffix[] = ".bak";
// A file with lines the reader could not use, kept before it is replaced;
// never renewed nor deleted.
const char kKeptAsideSuffix[] = ".non-letto";
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

// Eight bytes at a time in four independent lanes: a byte at a time took
// longer than reading the file. It only has to tell one content from another.
std::uint64_t HashOf(const std::string& bytes) {
    constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t lanes[4] = {14695981039346656037ull, 1, 2, 3};
    std::size_t at = 0;
    for (; at + 32 <= bytes.size(); at += 32) {
        for (std::size_t lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + at + 8 * lane, sizeof word);
            lanes[lane] = (lanes[lane] ^ word) * kPrime;
        }
    }
    std::uint64_t hash = bytes.size();
    for (std::uint64_t lane : lanes) hash = (hash ^ lane) * kPrime;
    for (; at < bytes.size(); ++at) {
        hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
    }
    return hash;
}

// The time is read after the bytes are: a write in between then shows as a
// changed file, never as the same one.
FileFingerprint FingerprintOf(const std::string& path, const std::string& bytes) {
    return FileFingerprint{true, bytes.size(), StatusOf(path).writeTime, HashOf(bytes)};
}

// A file of that name is not the folder: making it then fails and says why.
bool EnsureFolder(const std::string& path, SystemError& error) {
    return StatusOf(path).kind == PathKind::Folder || MakeDirectory(path, error);
}

LoadResult WithoutDataFolder(std::string folder, SystemError error) {
    LoadResult result;
    result.path = std::move(folder);
    result.problem = LoadProblem::NoDataFolder;
    result.error = error;
    result.file.writable = false;
    return result;
}

LoadResult ReadCatalogueFile(CatalogueFile file) {
    LoadResult result;
    result.path = file.path;
    result.file = std::move(file);
    if (StatusOf(result.path).kind == PathKind::Missing) {
        return result;
    }
    std::string bytes;
    if (!ReadCatalogueBytes(result.path, bytes, result.error)) {
        result.problem = LoadProblem::Unreadable;
        result.file.writable = false;
        return result;
    }
    result.file.known = FingerprintOf(result.path, bytes);
    ParsedCatalogue parsed = ParseCatalogueText(bytes);
    result.catalogue = std::move(parsed.catalogue);
    result.file.encoding = parsed.encoding;
    result.unreadLines = parsed.unreadLines;
    result.file.keepAside = parsed.unreadLines > 0;
    if (!parsed.lossless) {
        result.problem = LoadProblem::Unrepresentable;
        result.file.writable = false;
    }
    return result;
}

// Copies the file as it is now to the first free name beside it.
bool KeepAside(const std::string& path, std::string& keptPath, SystemError& error) {
    std::string target = path + kKeptAsideSuffix;
    for (std::int64_t number = 2; PathExists(target); ++number) {
        target = path + kKeptAsideSuffix + "." + Common::FormatInt64(number);
    }
    if (InjectedFailure(FileStep::KeepAside, error) || !CopyFileNew(path, target, error)) {
        return false;
    }
    keptPath = target;
    return true;
}

// Puts the catalogue in the place of the file: a complete new file moved over
// it, or for an empty catalogue no file at all.
bool ReplaceWith(const Catalogue& catalogue, CatalogueFile& file, bool present,
                 SystemError& error) {
    if (catalogue.categories.empty()) {
        if (present &&
            (InjectedFailure(FileStep::Replace, error) || !RemoveFile(file.path, error))) {
            return false;
        }
        file.known = FileFingerprint();
        return true;
    }
    // The old file is replaced only by a complete new one, so a full disk or
    // a crash never leaves half a catalogue.
    CatalogueBytes formatted = FormatCatalogueText(catalogue, file.encoding);
    std::string newPath = file.path + kNewFileSuffix;
    SystemError ignored = 0;
    if (!WriteNewFile(newPath, formatted.bytes, error) ||
        InjectedFailure(FileStep::Replace, error) || !MoveFileOver(newPath, file.path, error)) {
        RemoveFile(newPath, ignored);
        return false;
    }
    file.encoding = formatted.encoding;
    file.known = FingerprintOf(file.path, formatted.bytes);
    return true;
}

}  // namespace

LoadResult LoadCatalogue() {
    const std::string appData = LocalAppDataFolder();
    if (appData.empty()) {
        return WithoutDataFolder(std::string(), PathNotFoundError());
    }
    SystemError error = 0;
    const std::string product = WithTrailingSeparator(appData) + kProductFolder;
    if (!EnsureFolder(product, error)) {
        return WithoutDataFolder(product, error);
    }
    const std::string data = WithTrailingSeparator(product) + kDataFolder;
    if (!EnsureFolder(data, error)) {
        return WithoutDataFolder(data, error);
    }
    CatalogueFile file;
    file.path = WithTrailingSeparator(data) + kFileName;
    return ReadCatalogueFile(std::move(file));
}

LoadResult ReloadCatalogue(const CatalogueFile& current) {
    if (current.path.empty()) {
        return WithoutDataFolder(std::string(), PathNotFoundError());
    }
    CatalogueFile file;
    file.path = current.path;
    file.backupTried = current.backupTried;
    return ReadCatalogueFile(std::move(file));
}

bool ChangedOutside(const CatalogueFile& file) {
    if (file.path.empty()) {
        return false;
    }
    const PathStatus now = StatusOf(file.path);
    if (now.kind == PathKind::Unknown) {
        return false;
    }
    if ((now.kind != PathKind::Missing) != file.known.exists) {
        return true;
    }
    if (!file.known.exists) {
        return false;
    }
    if (now.size != file.known.size || now.writeTime != file.known.writeTime) {
        return true;
    }
    // Same size and time: only the bytes can tell.
    std::string bytes;
    SystemError ignored = 0;
    return ReadWholeFile(file.path, bytes, ignored) && HashOf(bytes) != file.known.hash;
}

SaveResult SaveCatalogue(const Catalogue& catalogue, CatalogueFile& file) {
    SaveResult result;
    result.path = file.path;
    // Only the path found at start is ever written, never one relative to the
    // current folder.
    if (file.path.empty()) {
        result.error = PathNotFoundError();
        return result;
    }
    if (!file.writable) {
        return result;
    }
    const bool present = StatusOf(file.path).kind != PathKind::Missing;
    if (file.keepAside && present && !KeepAside(file.path, file.keptAsidePath, result.error)) {
        return result;
    }
    // Kept, or gone already: nothing of that content is left to lose.
    file.keepAside = false;
    const bool backupDue = !file.backupTried && present;
    if (backupDue) {
        // A courtesy: the save goes on without it.
        result.backupPath = file.path + kBackupSuffix;
        result.backupFailed = InjectedFailure(FileStep::Backup, result.backupError) ||
                              !CopyFileOver(file.path, result.backupPath, result.backupError);
    }
    result.saved = ReplaceWith(catalogue, file, present, result.error);
    if (!result.saved && result.backupFailed) {
        // Failing with the save, the backup most likely failed for the same
        // reason (the file held): that is the one to tell, and the next save
        // tries both again.
        result.backupFailed = false;
    } else if (backupDue) {
        file.backupTried = true;
    }
    return result;
}

std::string WithTrailingSeparator(const std::string& path) {
    if (path.empty() || path.back() == '\\' || path.back() == '/') {
        return path;
    }
    return path + "\\";
}

}  // namespace MyApp
