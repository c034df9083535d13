// The one place where the benchmarks call the catalogue file's interface, so
// that a change of that interface is answered here alone.
#pragma once

#include <cstddef>
#include <string>

#include "catalogue.h"

namespace Bench {

// app.txt in the data folder under the current local application data.
std::string CatalogueFilePath();
// The file's text for the catalogue, as a save writes it.
std::string FormatText(const MyApp::Catalogue& catalogue);
// Reads the text back as a load does; answers the number of entries read.
std::size_t ParseText(const std::string& text);
bool Save(const MyApp::Catalogue& catalogue);
// Loads app.txt; answers the number of entries loaded.
std::size_t Load();
// Leaves no app.txt behind.
void RemoveCatalogueFile();

}  // namespace Bench
