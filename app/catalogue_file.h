// The catalogue's one stored form: app.txt in Zelmivo\Dati under the user's
// local application data, fixed-width columns, CR LF line ends.
#pragma once

#include <string>
#include <vector>

#include "catalogue.h"

namespace MyApp {

struct FileStatus {
    bool error = false;       // any failure
    bool openFailed = false;  // set together with error
};

std::string AppDataFolder();
// The data folder with a trailing backslash, made if missing; empty when it
// cannot be made, which leaves the file in the current directory.
std::string DataFolder(const std::string& productFolder);

// Replaces the file in one step: a failed save leaves the previous file as it
// was. An empty catalogue deletes the file and gives false.
bool SaveCatalogue(Catalogue catalogue);
Catalogue LoadCatalogue();

std::string FormatCategoryLine(const Categoria& category);
Categoria ParseCategoryLine(const std::string& line);
std::string FormatAppLine(const App& app);
void ParseAppLine(const std::string& line, App& app);

// Writes each line followed by CR LF; true when every byte reached the disk.
bool WriteLines(const std::string& path, std::vector<std::string> lines, FileStatus& status);
// The lines of the file without their line ends (CR LF or LF), each cut at its
// first NUL; empty when the file cannot be opened.
std::vector<std::string> ReadLines(const std::string& path, FileStatus& status);

// True when the folder exists afterwards; makes one level only.
bool EnsureDirectory(const std::string& path);
std::string WithTrailingSeparator(const std::string& path);

}  // namespace MyApp
