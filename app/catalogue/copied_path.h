// The text "Copia percorso" puts on the clipboard for an entry: its pathname
// ready to be pasted into a command line or a file dialog.
#pragma once

#include <string>

namespace MyApp {

// The pathname, its variables already expanded, in double quotes when it
// holds a blank (as the shell's "Copia come percorso" gives it) and is not
// quoted yet.
std::wstring CopiedPath(const std::wstring& expandedPathname);

}  // namespace MyApp
