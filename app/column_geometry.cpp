#include "column_geometry.h"

#include <algorithm>

#include "dpi.h"

namespace MyApp {

bool operator==(const ShownItem& a, const ShownItem& b) {
    return a.kind == b.kind && a.categoryId == b.categoryId && a.recordId == b.recordId;
}

LayoutMeasures MeasuresAt(std::int32_t dpi) {
    auto scaled = [dpi](std::int32_t value) { return OrvoUtility::ScaleForDpi(value, dpi); };
    return LayoutMeasures{scaled(10), scaled(180), scaled(50), scaled(160), scaled(40),
                          scaled(25), scaled(32),  scaled(14), scaled(14)};
}

std::int32_t ColumnGeometry::ColumnLeft(std::int32_t column) const {
    return measures.margin + measures.columnStep * column;
}

RECT ColumnGeometry::Box(std::int32_t column, std::int32_t row) const {
    std::int32_t x = ColumnLeft(column);
    if (row < 0) {
        return RECT{x, measures.margin, x + measures.cellWidth,
                    measures.margin + measures.headerHeight};
    }
    std::int32_t y = measures.margin + measures.rowStep * (row + 1);
    return RECT{x, y, x + measures.cellWidth, y + measures.cellHeight};
}

RECT ColumnGeometry::AddCategoryBox(std::int32_t columns) const {
    std::int32_t x = ColumnLeft(columns);
    return RECT{x, measures.margin, x + measures.cellWidth, measures.margin + measures.cellHeight};
}

RECT ColumnGeometry::NewestPlaceIn(const Catalogue& catalogue, std::int32_t categoryId) const {
    std::int32_t column = catalogue.FindCategory(categoryId);
    if (column < 0) return RECT{0, 0, 0, 0};
    std::int32_t entries = static_cast<std::int32_t>(
        catalogue.categories[static_cast<std::size_t>(column)].apps.size());
    if (entries > 0) return Box(column, entries - 1);
    RECT header = Box(column, -1);
    header.bottom = Box(column, 0).bottom;
    return header;
}

std::int32_t ColumnGeometry::ColumnAt(const Catalogue& catalogue, POINT content) const {
    std::int32_t x = content.x - measures.margin;
    std::int32_t y = content.y - measures.margin;
    if (x < 0 || y < 0 || x % measures.columnStep >= measures.cellWidth) return -1;
    std::size_t column = static_cast<std::size_t>(x / measures.columnStep);
    if (column >= catalogue.categories.size()) return -1;
    // From the header to the bottom of the "+ aggiungi App" cell.
    std::int32_t rows = static_cast<std::int32_t>(catalogue.categories[column].apps.size()) + 1;
    return y < measures.rowStep * rows + measures.cellHeight ? static_cast<std::int32_t>(column)
                                                             : -1;
}

std::int32_t ColumnGeometry::ContentBottom(const Catalogue& catalogue) const {
    std::int32_t bottom = 0;
    for (const Categoria& category : catalogue.categories) {
        std::int32_t apps = static_cast<std::int32_t>(category.apps.size());
        bottom = std::max(bottom, measures.margin + measures.rowStep * (apps + 2));
    }
    return bottom;
}

}  // namespace MyApp
