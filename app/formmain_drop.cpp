// Files, folders and shortcuts dragged from Explorer onto a column become
// entries of that column's category.
#include "formmain.h"
#include "formmain_shared.h"
#include "panel.h"
#include "shell.h"
#include "text.h"

namespace MyApp {

using namespace MainWindowParts;

namespace {

// The file or folder name without its extension; a drive such as "D:\"
// keeps its whole path.
std::string DescriptionOf(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::string name = Common::FileNameOf(folder);
    std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? path : name;
}

}  // namespace

Categoria* FormMain::ColumnAt(POINT point) {
    // The panel's client point in content coordinates, wherever it is scrolled.
    RECT shown = ShownContent(false);
    std::int32_t x = shown.left + point.x - measures.margin;
    std::int32_t y = shown.top + point.y - measures.margin;
    if (x < 0 || y < 0 || x % measures.columnStep >= measures.cellWidth) return nullptr;
    std::size_t column = static_cast<std::size_t>(x / measures.columnStep);
    if (column >= catalogue.categories.size()) return nullptr;
    Categoria& category = catalogue.categories[column];
    // From the header to the bottom of the "+ aggiungi App" cell.
    std::int32_t rows = static_cast<std::int32_t>(category.apps.size()) + 1;
    return y < measures.rowStep * rows + measures.cellHeight ? &category : nullptr;
}

void FormMain::HandleDroppedFiles(const std::vector<std::wstring>& paths, POINT point) {
    Categoria* category = ColumnAt(point);
    if (category == nullptr) return;
    std::int32_t categoryId = category->id;
    std::vector<EntryText> added;
    for (const std::wstring& path : paths) {
        std::string name = Common::WideToNarrow(path);
        added.push_back(EntryText{DescriptionOf(name), name, ""});
    }
    if (!added.empty()) Commit(CatalogueChange::AddApps(categoryId, std::move(added)));
}

}  // namespace MyApp
