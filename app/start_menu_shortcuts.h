// The shortcuts of the Start menu's Programs folders, the user's own and
// everyone's, for the import into the catalogue.
#pragma once

#include <vector>

#include "start_menu_import.h"

namespace MyApp {

// Every .lnk file in the two folders and their subfolders at any depth,
// sorted by folder, then by name (in any case), then by path; a folder that
// cannot be read adds nothing.
std::vector<FoundShortcut> ListStartMenuShortcuts();

}  // namespace MyApp
