// The shortcuts of the Start menu's Programs folders as catalogue entries:
// the change that adds those the catalogue lacks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "catalogue_change.h"

namespace MyApp {

// A shortcut file found in a Programs folder of the Start menu, or below it.
struct FoundShortcut {
    // The first folder below Programs on the way to it; empty for a shortcut
    // right in Programs.
    std::string folder;
    std::string fileName;
    std::string path;
};

// A file name that ends in ".lnk", in any case.
bool IsShortcutName(const std::string& fileName);

// A column for each folder ("Programmi" for the shortcuts right in
// Programs), an entry for each shortcut, described by its name without
// ".lnk" and launched by its path; uninstallers stay out. Nothing when the
// catalogue holds every one already.
std::optional<CatalogueChange> StartMenuImport(const std::vector<FoundShortcut>& shortcuts,
                                               const Catalogue& catalogue);

}  // namespace MyApp
