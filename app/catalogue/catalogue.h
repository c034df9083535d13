// The launcher's catalogue: ordered categories, each owning its ordered
// application entries, and the operations the main window applies to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace MyApp {

// Column widths of the catalogue file, in characters; the catalogue never
// holds longer texts.
constexpr std::size_t kNameWidth = 50;
constexpr std::size_t kDescriptionWidth = 50;
constexpr std::size_t kParametersWidth = 128;

// A text as the catalogue holds it in a file column of `width` characters:
// control characters blanked, trimmed, cut to the width. The reader trims the
// column, so the text reads back exactly as held.
std::string ForColumn(std::string text, std::size_t width);

// Names one entry during a run: its category's id and its record id.
struct EntryRef {
    std::int32_t categoryId = 0;
    std::int32_t recordId = 0;
};
bool operator==(EntryRef a, EntryRef b);

struct App {
    // Both constructors take the next record id of the run.
    App();
    App(std::string description, std::string pathname, std::int32_t categoryId,
        std::string parameters);

    std::string description;
    std::string pathname;
    std::string parameters;
    std::int32_t categoryId = 0;
    std::int32_t id = 0;

    EntryRef Ref() const { return EntryRef{categoryId, id}; }
};

struct Categoria {
    Categoria(std::int32_t id, std::string name);

    std::string name;
    std::int32_t id = 0;
    std::vector<App> apps;
};

class Catalogue {
public:
    // Index of the first category with this id, or -1.
    std::int32_t FindCategory(std::int32_t id) const;
    App* FindApp(EntryRef entry);
    const App* FindApp(EntryRef entry) const;
    void AddCategory(std::string name);
    void RenameCategory(std::int32_t id, std::string name);
    void DeleteCategory(std::int32_t id);
    void ReorderCategories(const std::vector<std::int32_t>& ids);
    void AddApp(std::int32_t categoryId, std::string description, std::string pathname,
                std::string parameters);
    void EditApp(EntryRef entry, std::string description, std::string pathname,
                 std::string parameters);
    void DeleteApp(EntryRef entry);
    // Reorders the entries of the category of `entry`.
    void ReorderApps(EntryRef entry, const std::vector<std::int32_t>& recordIds);

    std::vector<Categoria> categories;

private:
    Categoria* CategoryOf(const App& app);
};

}  // namespace MyApp
