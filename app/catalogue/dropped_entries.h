// Files, folders and shortcuts dragged from Explorer onto a column: the
// entries they become.
#pragma once

#include <string>
#include <vector>

#include "catalogue_change.h"

namespace MyApp {

// One entry a path, described by its file or folder name without the
// extension; a drive such as "D:\" keeps its whole path.
std::vector<EntryText> EntriesForDroppedFiles(const std::vector<std::wstring>& paths);

}  // namespace MyApp
