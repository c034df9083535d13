#include "start_menu_import.h"

#include <algorithm>
#include <iterator>

#include "text.h"

namespace MyApp {

namespace {

const char kExtension[] = ".lnk";
const std::size_t kExtensionLength = sizeof kExtension - 1;
const char kProgramsColumn[] = "Programmi";
const char* const kUninstallerWords[] = {"disinstalla", "uninstall"};

bool IsUninstaller(const std::string& name) {
    const std::string lower = Common::ToLower(name);
    return std::any_of(std::begin(kUninstallerWords), std::end(kUninstallerWords),
                       [&](const char* word) { return lower.find(word) != std::string::npos; });
}

std::size_t EntryCount(const Catalogue& catalogue) {
    std::size_t count = 0;
    for (const Categoria& category : catalogue.categories) count += category.apps.size();
    return count;
}

}  // namespace

bool IsShortcutName(const std::string& fileName) {
    return fileName.size() > kExtensionLength &&
           Common::ToLower(fileName.substr(fileName.size() - kExtensionLength)) == kExtension;
}

std::optional<CatalogueChange> StartMenuImport(const std::vector<FoundShortcut>& shortcuts,
                                               const Catalogue& catalogue) {
    std::vector<NamedColumnEntries> columns;
    for (const FoundShortcut& shortcut : shortcuts) {
        std::string name = shortcut.fileName;
        if (IsShortcutName(name)) name.erase(name.size() - kExtensionLength);
        if (IsUninstaller(name)) continue;
        const std::string column = shortcut.folder.empty() ? kProgramsColumn : shortcut.folder;
        auto at = std::find_if(columns.begin(), columns.end(), [&](const NamedColumnEntries& c) {
            return c.categoryName == column;
        });
        if (at == columns.end()) at = columns.insert(columns.end(), NamedColumnEntries{column, {}});
        at->entries.push_back(EntryText{name, shortcut.path, ""});
    }
    CatalogueChange change = CatalogueChange::ImportFromStartMenu(std::move(columns));
    // The change itself leaves out what the catalogue holds: tried on a copy,
    // it tells whether anything is left.
    Catalogue tried = catalogue;
    change.ApplyTo(tried);
    if (EntryCount(tried) == EntryCount(catalogue)) return std::nullopt;
    return change;
}

}  // namespace MyApp
