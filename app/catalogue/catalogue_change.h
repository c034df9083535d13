// A change the user makes to the catalogue, told by what it acts on (a
// category's number, an entry's texts) rather than by the run's record ids, so
// that it applies as well to the catalogue read again after another program
// changed the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"

namespace MyApp {

// An entry's texts, as the file holds them.
struct EntryText {
    std::string description;
    std::string pathname;
    std::string parameters;
};

// Entries for the column of this name.
struct NamedColumnEntries {
    std::string categoryName;
    std::vector<EntryText> entries;
};

class CatalogueChange {
public:
    static CatalogueChange AddCategory(std::string name);
    static CatalogueChange RenameCategory(const Categoria& category, std::string name);
    static CatalogueChange DeleteCategory(const Categoria& category);
    static CatalogueChange ReorderCategories(std::vector<std::int32_t> categoryIds);
    static CatalogueChange AddApps(std::int32_t categoryId, std::vector<EntryText> entries);
    // The entry must belong to the catalogue given.
    static CatalogueChange EditApp(const Catalogue& catalogue, const App& app, EntryText edited);
    static CatalogueChange DeleteApp(const Catalogue& catalogue, const App& app);
    static CatalogueChange ReorderApps(const Categoria& category,
                                       const std::vector<std::int32_t>& recordIds);
    // Each entry whose pathname the catalogue does not hold yet (in any case,
    // as Windows compares paths) joins the column of its name, whatever the
    // case, added when there is none. Nothing is removed or renamed, so the
    // change applies as well to whatever another program left.
    static CatalogueChange ImportFromStartMenu(std::vector<NamedColumnEntries> columns);

    // False, leaving the catalogue as it was, when what the change acts on is
    // no longer there; a deletion of what is gone already counts as done.
    bool ApplyTo(Catalogue& catalogue) const;
    // What the user did, in a few words, for the message that tells a change
    // was dropped.
    std::string Description() const;

    // The category of the entry or column the change added, once applied;
    // false when it added none.
    bool Reveals(const Catalogue& applied, std::int32_t& revealedCategory) const;

private:
    enum class Kind {
        AddCategory,
        RenameCategory,
        DeleteCategory,
        ReorderCategories,
        AddApps,
        EditApp,
        DeleteApp,
        ReorderApps,
        ImportFromStartMenu
    };
    explicit CatalogueChange(Kind kind) : kind(kind) {}
    // The entry acted on in the catalogue given, or null.
    App* FindEntry(Catalogue& catalogue) const;

    Kind kind;
    std::int32_t categoryId = 0;
    // The new name, or the name the category had.
    std::string name;
    std::vector<std::int32_t> categoryOrder;
    // The entry acted on as it was, and where it stood in its column.
    EntryText entry;
    std::size_t entryIndex = 0;
    // The new entries, the edited texts, or a column's entries in their new order.
    std::vector<EntryText> entries;
    // The imported entries, by the name of their column.
    std::vector<NamedColumnEntries> columns;
};

// The catalogue read again keeps the record ids of the entries the window
// already shows, so that their tiles stay put.
void KeepShownIdentity(const Catalogue& shown, Catalogue& read);

}  // namespace MyApp
