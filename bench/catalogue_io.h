// The one place where the benchmarks call the catalogue file's interface, so
// that a change of that interface is answered here alone.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue.h"

namespace Bench {

// app.txt in the data folder under the current local application data.
std::string CatalogueFilePath();
// The file's lines for the catalogue, as a save writes them.
std::vector<std::string> FormatLines(const MyApp::Catalogue& catalogue);
// Reads the lines back as a load does; answers the number of entries read.
std::size_t ParseLines(const std::vector<std::string>& lines);
bool Save(const MyApp::Catalogue& catalogue);
// Loads app.txt; answers the number of entries loaded.
std::size_t Load();
// Leaves no app.txt behind.
void RemoveCatalogueFile();

}  // namespace Bench
