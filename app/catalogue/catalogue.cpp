#include "catalogue.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "text.h"

namespace MyApp {

namespace {

std::int32_t lastRecordId = 0;

std::int32_t NextRecordId() { return ++lastRecordId; }

// A control character inside a field would split or cut its line in the
// file, and reads back as a blank.
std::string WithoutControls(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < ' ') {
            c = ' ';
        }
    }
    return text;
}

}  // namespace

std::string ForColumn(std::string text, std::size_t width) {
    std::string clean = Common::Trim(WithoutControls(std::move(text)));
    const std::string_view kept = Common::FirstCodePoints(clean, width);
    if (kept.size() < clean.size()) {
        clean = Common::Trim(std::string(kept));
    }
    return clean;
}

App::App() : id(NextRecordId()) {}

App::App(std::string description, std::string pathname, std::int32_t categoryId,
         std::string parameters)
    : description(std::move(description)),
      pathname(std::move(pathname)),
      parameters(std::move(parameters)),
      categoryId(categoryId),
      id(NextRecordId()) {}

Categoria::Categoria(std::int32_t id, std::string name) : name(std::move(name)), id(id) {}

bool operator==(EntryRef a, EntryRef b) {
    return a.categoryId == b.categoryId && a.recordId == b.recordId;
}

std::int32_t Catalogue::FindCategory(std::int32_t id) const {
    for (std::size_t i = 0; i < categories.size(); ++i) {
        if (categories[i].id == id) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

const App* Catalogue::FindApp(EntryRef entry) const {
    std::int32_t index = FindCategory(entry.categoryId);
    if (index < 0) {
        return nullptr;
    }
    for (const App& app : categories[static_cast<std::size_t>(index)].apps) {
        if (app.id == entry.recordId) {
            return &app;
        }
    }
    return nullptr;
}

App* Catalogue::FindApp(EntryRef entry) {
    return const_cast<App*>(static_cast<const Catalogue&>(*this).FindApp(entry));
}

void Catalogue::AddCategory(std::string name) {
    std::int32_t highest = 0;
    for (const Categoria& category : categories) {
        highest = std::max(highest, category.id);
    }
    std::int32_t id = 1;
    if (highest < std::numeric_limits<std::int32_t>::max()) {
        id = highest + 1;
    } else {
        // A hand-edited file may hold the largest id; one above it does not
        // exist, so the smallest free positive id is taken instead.
        while (FindCategory(id) >= 0) {
            ++id;
        }
    }
    categories.emplace_back(id, ForColumn(std::move(name), kNameWidth));
}

void Catalogue::RenameCategory(std::int32_t id, std::string name) {
    std::int32_t index = FindCategory(id);
    if (index >= 0) {
        categories[static_cast<std::size_t>(index)].name = ForColumn(std::move(name), kNameWidth);
    }
}

void Catalogue::DeleteCategory(std::int32_t id) {
    std::int32_t index = FindCategory(id);
    if (index >= 0) {
        categories.erase(categories.begin() + index);
    }
}

void Catalogue::ReorderCategories(const std::vector<std::int32_t>& ids) {
    std::vector<Categoria> reordered;
    for (std::int32_t id : ids) {
        std::int32_t index = FindCategory(id);
        if (index >= 0) {
            reordered.push_back(categories[static_cast<std::size_t>(index)]);
        }
    }
    categories = std::move(reordered);
}

void Catalogue::AddApp(std::int32_t categoryId, std::string description, std::string pathname,
                       std::string parameters) {
    std::int32_t index = FindCategory(categoryId);
    if (index < 0) {
        return;
    }
    categories[static_cast<std::size_t>(index)].apps.emplace_back(
        ForColumn(std::move(description), kDescriptionWidth), WithoutControls(std::move(pathname)),
        categoryId, ForColumn(std::move(parameters), kParametersWidth));
}

void Catalogue::EditApp(EntryRef entry, std::string description, std::string pathname,
                        std::string parameters) {
    App* app = FindApp(entry);
    if (app == nullptr) {
        return;
    }
    app->description = ForColumn(std::move(description), kDescriptionWidth);
    app->pathname = WithoutControls(std::move(pathname));
    app->parameters = ForColumn(std::move(parameters), kParametersWidth);
}

void Catalogue::DeleteApp(EntryRef entry) {
    App* app = FindApp(entry);
    Categoria* category = app != nullptr ? CategoryOf(*app) : nullptr;
    if (category == nullptr) {
        return;
    }
    std::int32_t recordId = app->id;
    auto& apps = category->apps;
    auto at = std::find_if(apps.begin(), apps.end(),
                           [recordId](const App& entry) { return entry.id == recordId; });
    if (at != apps.end()) {
        apps.erase(at);
    }
}

void Catalogue::ReorderApps(EntryRef entry, const std::vector<std::int32_t>& recordIds) {
    App* app = FindApp(entry);
    Categoria* category = app != nullptr ? CategoryOf(*app) : nullptr;
    if (category == nullptr) {
        return;
    }
    std::vector<App> reordered;
    for (std::int32_t recordId : recordIds) {
        for (const App& entry : category->apps) {
            if (entry.id == recordId) {
                reordered.push_back(entry);
                break;
            }
        }
    }
    category->apps = std::move(reordered);
}

Categoria* Catalogue::CategoryOf(const App& app) {
    std::int32_t index = FindCategory(app.categoryId);
    return index < 0 ? nullptr : &categories[static_cast<std::size_t>(index)];
}

}  // namespace MyApp
