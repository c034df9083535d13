// The catalogue's one stored form: app.txt in Zelmivo\Dati under the user's
// local application data. Loading tells a missing file from one that could
// not be read whole; saving replaces the file in one step and says why it
// failed.
#pragma once

#include <string>

#include "catalogue.h"
#include "catalogue_text.h"
#include "file_system.h"

namespace MyApp {

// What a run knows of its catalogue file between the load and the saves.
struct CatalogueFile {
    TextEncoding encoding = TextEncoding::Latin1;
    // False when the file was not read whole: then this run never writes it,
    // so nothing it held can be lost.
    bool writable = true;
    // Set by the run's first save, which keeps the file as it was beside it.
    bool backupKept = false;
};

enum class LoadProblem {
    None,
    Unreadable,      // held by another program, or a read failed part-way
    Unrepresentable  // holds characters the catalogue cannot keep
};

struct LoadResult {
    Catalogue catalogue;
    CatalogueFile file;
    std::string path;
    LoadProblem problem = LoadProblem::None;
    SystemError error = 0;  // why an unreadable file could not be read
};

struct SaveResult {
    bool saved = false;
    std::string path;
    SystemError error = 0;
};

std::string AppDataFolder();
// The data folder with a trailing backslash, made if missing; empty when it
// cannot be made, which leaves the file in the current directory.
std::string DataFolder(const std::string& productFolder);
std::string CatalogueFilePath();

// A file held by another program is tried again for about two seconds.
LoadResult LoadCatalogue();
// Writes the whole catalogue beside app.txt and then moves it over the old
// file, so any failure leaves app.txt as it was. The run's first save first
// copies app.txt to app.txt.bak. An empty catalogue deletes the file.
SaveResult SaveCatalogue(const Catalogue& catalogue, CatalogueFile& file);

// True when the folder exists afterwards; makes one level only.
bool EnsureDirectory(const std::string& path);
std::string WithTrailingSeparator(const std::string& path);

}  // namespace MyApp
