#include "catalogue_change.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "text.h"

namespace MyApp {

namespace {

EntryText TextOf(const App& app) {
    return EntryText{app.description, app.pathname, app.parameters};
}

bool Holds(const App& app, const EntryText& text) {
    return app.description == text.description && app.pathname == text.pathname &&
           app.parameters == text.parameters;
}

// Of the entries holding these texts and not taken yet, the one at `index`
// when it is one of them, else the first; apps.size() when there is none.
std::size_t MatchIn(const std::vector<App>& apps, const EntryText& text, std::size_t index,
                    const std::vector<bool>& taken) {
    auto free = [&](std::size_t at) { return !taken[at] && Holds(apps[at], text); };
    if (index < apps.size() && free(index)) return index;
    for (std::size_t at = 0; at < apps.size(); ++at) {
        if (free(at)) return at;
    }
    return apps.size();
}

Categoria* CategoryWithId(Catalogue& catalogue, std::int32_t id) {
    std::int32_t index = catalogue.FindCategory(id);
    return index < 0 ? nullptr : &catalogue.categories[static_cast<std::size_t>(index)];
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Paths and column names told apart as Windows tells file names: in any case.
std::string Key(const std::string& text) { return Common::ToLower(text); }

std::int32_t IndexNamed(const Catalogue& catalogue, const std::string& name) {
    const std::string key = Key(ForColumn(name, kNameWidth));
    for (std::size_t i = 0; i < catalogue.categories.size(); ++i) {
        if (Key(catalogue.categories[i].name) == key) return static_cast<std::int32_t>(i);
    }
    return -1;
}

void Import(Catalogue& catalogue, const std::vector<NamedColumnEntries>& columns) {
    std::unordered_set<std::string> held;
    for (const Categoria& category : catalogue.categories) {
        for (const App& app : category.apps) held.insert(Key(app.pathname));
    }
    for (const NamedColumnEntries& column : columns) {
        for (const EntryText& added : column.entries) {
            if (!held.insert(Key(added.pathname)).second) continue;
            std::int32_t index = IndexNamed(catalogue, column.categoryName);
            if (index < 0) {
                catalogue.AddCategory(column.categoryName);
                index = static_cast<std::int32_t>(catalogue.categories.size()) - 1;
            }
            catalogue.AddApp(catalogue.categories[static_cast<std::size_t>(index)].id,
                             added.description, added.pathname, added.parameters);
        }
    }
}

}  // namespace

CatalogueChange CatalogueChange::AddCategory(std::string name) {
    CatalogueChange change(Kind::AddCategory);
    change.name = std::move(name);
    return change;
}

CatalogueChange CatalogueChange::RenameCategory(const Categoria& category, std::string name) {
    CatalogueChange change(Kind::RenameCategory);
    change.categoryId = category.id;
    change.name = std::move(name);
    return change;
}

CatalogueChange CatalogueChange::DeleteCategory(const Categoria& category) {
    CatalogueChange change(Kind::DeleteCategory);
    change.categoryId = category.id;
    change.name = category.name;
    return change;
}

CatalogueChange CatalogueChange::ReorderCategories(std::vector<std::int32_t> categoryIds) {
    CatalogueChange change(Kind::ReorderCategories);
    change.categoryOrder = std::move(categoryIds);
    return change;
}

CatalogueChange CatalogueChange::AddApps(std::int32_t categoryId, std::vector<EntryText> entries) {
    CatalogueChange change(Kind::AddApps);
    change.categoryId = categoryId;
    change.entries = std::move(entries);
    return change;
}

CatalogueChange CatalogueChange::EditApp(const Catalogue& catalogue, const App& app,
                                         EntryText edited) {
    CatalogueChange change = DeleteApp(catalogue, app);
    change.kind = Kind::EditApp;
    change.entries.push_back(std::move(edited));
    return change;
}

CatalogueChange CatalogueChange::DeleteApp(const Catalogue& catalogue, const App& app) {
    CatalogueChange change(Kind::DeleteApp);
    change.categoryId = app.categoryId;
    change.entry = TextOf(app);
    std::int32_t column = catalogue.FindCategory(app.categoryId);
    if (column >= 0) {
        const std::vector<App>& apps = catalogue.categories[static_cast<std::size_t>(column)].apps;
        auto at = std::find_if(apps.begin(), apps.end(),
                               [&](const App& other) { return other.id == app.id; });
        change.entryIndex = static_cast<std::size_t>(at - apps.begin());
    }
    return change;
}

CatalogueChange CatalogueChange::ReorderApps(const Categoria& category,
                                             const std::vector<std::int32_t>& recordIds) {
    CatalogueChange change(Kind::ReorderApps);
    change.categoryId = category.id;
    for (std::int32_t recordId : recordIds) {
        for (const App& app : category.apps) {
            if (app.id == recordId) change.entries.push_back(TextOf(app));
        }
    }
    return change;
}

CatalogueChange CatalogueChange::ImportFromStartMenu(std::vector<NamedColumnEntries> columns) {
    CatalogueChange change(Kind::ImportFromStartMenu);
    change.columns = std::move(columns);
    return change;
}

App* CatalogueChange::FindEntry(Catalogue& catalogue) const {
    Categoria* category = CategoryWithId(catalogue, categoryId);
    if (category == nullptr) return nullptr;
    std::vector<bool> taken(category->apps.size(), false);
    std::size_t at = MatchIn(category->apps, entry, entryIndex, taken);
    return at < category->apps.size() ? &category->apps[at] : nullptr;
}

bool CatalogueChange::ApplyTo(Catalogue& catalogue) const {
    Categoria* category = CategoryWithId(catalogue, categoryId);
    switch (kind) {
        case Kind::AddCategory:
            catalogue.AddCategory(name);
            return true;
        case Kind::RenameCategory:
            if (category == nullptr) return false;
            catalogue.RenameCategory(categoryId, name);
            return true;
        case Kind::DeleteCategory:
            // A column already gone is as the user wanted it.
            catalogue.DeleteCategory(categoryId);
            return true;
        case Kind::ReorderCategories: {
            // Columns added by another program keep their order after the others.
            std::vector<std::int32_t> order;
            for (std::int32_t id : categoryOrder) {
                if (catalogue.FindCategory(id) >= 0) order.push_back(id);
            }
            for (const Categoria& other : catalogue.categories) {
                if (std::find(order.begin(), order.end(), other.id) == order.end()) {
                    order.push_back(other.id);
                }
            }
            catalogue.ReorderCategories(order);
            return true;
        }
        case Kind::AddApps:
            if (category == nullptr) return false;
            for (const EntryText& added : entries) {
                catalogue.AddApp(categoryId, added.description, added.pathname, added.parameters);
            }
            return true;
        case Kind::EditApp:
        case Kind::DeleteApp: {
            App* app = FindEntry(catalogue);
            if (app == nullptr) return kind == Kind::DeleteApp;
            const EntryRef key = app->Ref();
            if (kind == Kind::DeleteApp) {
                catalogue.DeleteApp(key);
            } else {
                catalogue.EditApp(key, entries[0].description, entries[0].pathname,
                                  entries[0].parameters);
            }
            return true;
        }
        case Kind::ReorderApps: {
            if (category == nullptr || category->apps.empty()) return category != nullptr;
            std::vector<bool> taken(category->apps.size(), false);
            std::vector<std::int32_t> order;
            for (std::size_t place = 0; place < entries.size(); ++place) {
                std::size_t at = MatchIn(category->apps, entries[place], place, taken);
                if (at == category->apps.size()) continue;
                taken[at] = true;
                order.push_back(category->apps[at].id);
            }
            // Entries added by another program stay, after the others.
            for (std::size_t at = 0; at < category->apps.size(); ++at) {
                if (!taken[at]) order.push_back(category->apps[at].id);
            }
            const App& first = category->apps.front();
            catalogue.ReorderApps(first.Ref(), order);
            return true;
        }
        case Kind::ImportFromStartMenu:
            Import(catalogue, columns);
            return true;
    }
    return false;
}

std::string CatalogueChange::Description() const {
    switch (kind) {
        case Kind::AddCategory:
            return "aggiunta della categoria " + Quoted(name);
        case Kind::RenameCategory:
            return "nuovo nome " + Quoted(name) + " di una categoria";
        case Kind::DeleteCategory:
            return "cancellazione della categoria " + Quoted(name);
        case Kind::ReorderCategories:
            return "nuovo ordine delle categorie";
        case Kind::AddApps:
            return entries.size() == 1 ? "aggiunta di " + Quoted(entries[0].description)
                                       : "aggiunta di più applicazioni";
        case Kind::EditApp:
            return "modifica di " + Quoted(entry.description);
        case Kind::DeleteApp:
            return "cancellazione di " + Quoted(entry.description);
        case Kind::ReorderApps:
            return "nuovo ordine delle applicazioni di una categoria";
        case Kind::ImportFromStartMenu:
            return "importazione dal menu Start";
    }
    return std::string();
}

bool CatalogueChange::Reveals(const Catalogue& applied, std::int32_t& revealedCategory) const {
    if (kind == Kind::AddApps && applied.FindCategory(categoryId) >= 0) {
        revealedCategory = categoryId;
        return true;
    }
    if (kind == Kind::AddCategory && !applied.categories.empty()) {
        revealedCategory = applied.categories.back().id;
        return true;
    }
    return false;
}

void KeepShownIdentity(const Catalogue& shown, Catalogue& read) {
    for (Categoria& category : read.categories) {
        std::int32_t index = shown.FindCategory(category.id);
        if (index < 0) continue;
        const Categoria& before = shown.categories[static_cast<std::size_t>(index)];
        std::vector<bool> taken(before.apps.size(), false);
        for (std::size_t place = 0; place < category.apps.size(); ++place) {
            App& app = category.apps[place];
            std::size_t at = MatchIn(before.apps, TextOf(app), place, taken);
            if (at == before.apps.size()) continue;
            taken[at] = true;
            app.id = before.apps[at].id;
        }
    }
}

}  // namespace MyApp
