// The catalogue's one stored form: app.txt in Zelmivo\Dati under the user's
// local application data, found once at start. Loading tells a missing file
// from one that could not be read whole; saving replaces the file in one step,
// keeps aside first a file the reader could not use whole, and says why it
// failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue.h"
#include "catalogue_text.h"
#include "file_system.h"

namespace MyApp {

// What app.txt was when last read or written.
struct FileFingerprint {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // the system's last-write time, in its own units
    std::uint64_t hash = 0;       // of the whole bytes
};

// What a run knows of its catalogue file between the load and the saves.
struct CatalogueFile {
    // Absolute, resolved once at start; empty when the data folder cannot be
    // reached.
    std::string path;
    // As read; a new file, or Windows-1252 text given a character beyond it,
    // takes what the next save writes.
    TextEncoding encoding = TextEncoding::Windows1252;
    // False when the file was not read whole, or the data folder cannot be
    // reached: then this run never writes, so nothing the file held is lost.
    bool writable = true;
    // The run's first save tries the backup, once.
    bool backupTried = false;
    // The file as read holds lines the reader could not use: before it is
    // first replaced it is kept aside, once for that content.
    bool keepAside = false;
    std::string keptAsidePath;  // where it went, once kept
    // Nothing read (exists false) when the file was missing or unreadable.
    FileFingerprint known;
};

enum class LoadProblem {
    None,
    NoDataFolder,    // Zelmivo\Dati cannot be made, or there is no folder to make it in
    Unreadable,      // held by another program, or a read failed part-way
    Unrepresentable  // cannot be decoded faithfully: not valid in its encoding
};

struct LoadResult {
    Catalogue catalogue;
    CatalogueFile file;
    // The file's path, or for NoDataFolder the folder that could not be
    // reached (empty when the system gives no local application-data folder).
    std::string path;
    LoadProblem problem = LoadProblem::None;
    SystemError error = 0;  // why, for Unreadable and NoDataFolder
    std::size_t unreadLines = 0;
};

struct SaveResult {
    bool saved = false;
    std::string path;
    SystemError error = 0;
    // The backup could not be written; the save went on all the same.
    bool backupFailed = false;
    std::string backupPath;  // set whenever the backup was tried
    SystemError backupError = 0;
};

// Finds the data folder once, making what is missing, then reads app.txt
// there. A file held by another program is tried again for about two seconds.
LoadResult LoadCatalogue();
// Reads current.path again, as after a change from outside, keeping whether
// the run's backup was tried; the folder is not looked for again.
LoadResult ReloadCatalogue(const CatalogueFile& current);
// True when app.txt is no longer the file last read or written. A file that
// cannot be read now counts as unchanged: the next save then says why it fails.
bool ChangedOutside(const CatalogueFile& file);
// Writes the whole catalogue beside app.txt and then moves it over the old
// file, so any failure leaves app.txt as it was. Before that, a file with
// unread lines is copied to the first free app.txt.non-letto[.N], or the save
// fails; the run's first save copies app.txt to app.txt.bak, and goes on if it
// cannot. An empty catalogue deletes the file.
SaveResult SaveCatalogue(const Catalogue& catalogue, CatalogueFile& file);

std::string WithTrailingSeparator(const std::string& path);

}  // namespace MyApp
