// Where everything of the columns stands, in content coordinates: one place
// for the layout's measures and formulas, free of windows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "catalogue.h"

namespace MyApp {

// What a cell or tile of the columns stands for.
struct ShownItem {
    // AddCell: a column's "+ aggiungi App"; AddCategory: the one after the
    // columns; Import: "+ importa dal menu Start", beside it while there are none.
    enum class Kind { Header, Tile, AddCell, AddCategory, Import };
    Kind kind = Kind::Header;
    std::int32_t categoryId = 0;
    std::int32_t recordId = 0;  // of a tile's entry
};
bool operator==(const ShownItem& a, const ShownItem& b);

// The layout's measures at one DPI; at 96 columns are 160 wide and 180
// apart, tiles 40 high and 50 apart.
struct LayoutMeasures {
    std::int32_t margin;
    std::int32_t columnStep;
    std::int32_t rowStep;
    std::int32_t cellWidth;
    std::int32_t cellHeight;
    std::int32_t headerHeight;
    std::int32_t iconSize;
    // The form's font, and the headers' and "+ aggiungi" cells' own.
    std::int32_t formFontHeight;
    std::int32_t cellFontHeight;
};
LayoutMeasures MeasuresAt(std::int32_t dpi);

class ColumnGeometry {
public:
    explicit ColumnGeometry(const LayoutMeasures& measures) : measures(measures) {}

    // The left edge of a column; the column after the last holds the
    // "+ aggiungi categoria" cell.
    std::int32_t ColumnLeft(std::int32_t column) const;
    // The box of the header (row -1), of a tile (row 0 and on) or, one row
    // below the last tile, of the "+ aggiungi App" cell.
    RECT Box(std::int32_t column, std::int32_t row) const;
    RECT AddCategoryBox(std::int32_t columns) const;
    // Where the newest entry of the category stands, or its header and
    // "+ aggiungi App" cell when it has none.
    RECT NewestPlaceIn(const Catalogue& catalogue, std::int32_t categoryId) const;
    // The column whose header, tiles or "+ aggiungi App" cell hold this
    // point; -1 between and below columns.
    std::int32_t ColumnAt(const Catalogue& catalogue, POINT content) const;
    // The lowest edge of any column, with a margin below.
    std::int32_t ContentBottom(const Catalogue& catalogue) const;

    // Calls visit(item, category or null, entry or null, box) for every place
    // of the layout, column by column, top to bottom, then the
    // "+ aggiungi categoria" cell.
    template <typename Visit>
    void ForEachPlace(const Catalogue& catalogue, Visit visit) const {
        std::int32_t column = 0;
        for (const Categoria& category : catalogue.categories) {
            visit(ShownItem{ShownItem::Kind::Header, category.id, 0}, &category, nullptr,
                  Box(column, -1));
            std::int32_t row = 0;
            for (const App& app : category.apps) {
                visit(ShownItem{ShownItem::Kind::Tile, category.id, app.id}, &category, &app,
                      Box(column, row++));
            }
            visit(ShownItem{ShownItem::Kind::AddCell, category.id, 0}, &category, nullptr,
                  Box(column, row));
            ++column;
        }
        visit(ShownItem{ShownItem::Kind::AddCategory, 0, 0}, nullptr, nullptr,
              AddCategoryBox(column));
        if (column == 0) {
            visit(ShownItem{ShownItem::Kind::Import, 0, 0}, nullptr, nullptr, AddCategoryBox(1));
        }
    }

    LayoutMeasures measures;
};

}  // namespace MyApp
