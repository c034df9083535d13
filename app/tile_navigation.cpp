#include "tile_navigation.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace MyApp {

namespace {

bool Before(TilePlace a, TilePlace b) {
    return a.column < b.column || (a.column == b.column && a.row < b.row);
}

}  // namespace

TilePlace Neighbour(const ColumnLengths& columns, TilePlace from, Direction direction) {
    std::int32_t count = static_cast<std::int32_t>(columns.size());
    if (from.column < 0 || from.column >= count) return from;
    std::int32_t length = columns[static_cast<std::size_t>(from.column)];
    switch (direction) {
        case Direction::Up:
            return {from.column, std::max(-1, from.row - 1)};
        case Direction::Down:
            return from.row + 1 < length ? TilePlace{from.column, from.row + 1} : from;
        case Direction::Left:
        case Direction::Right: {
            std::int32_t column = from.column + (direction == Direction::Left ? -1 : 1);
            if (column < 0 || column >= count) return from;
            std::int32_t last = columns[static_cast<std::size_t>(column)] - 1;
            return {column, std::min(from.row, last)};
        }
    }
    return from;
}

TilePlace NextInOrder(const ColumnLengths& columns, TilePlace from, bool backwards) {
    std::vector<TilePlace> tiles;
    for (std::size_t column = 0; column < columns.size(); ++column) {
        for (std::int32_t row = 0; row < columns[column]; ++row) {
            tiles.push_back({static_cast<std::int32_t>(column), row});
        }
    }
    if (tiles.empty()) return from;
    if (backwards) {
        for (auto tile = tiles.rbegin(); tile != tiles.rend(); ++tile) {
            if (Before(*tile, from)) return *tile;
        }
        return tiles.back();
    }
    for (TilePlace tile : tiles) {
        if (Before(from, tile)) return tile;
    }
    return tiles.front();
}

KeyStep StepForKey(std::int32_t key, bool shift, const ColumnLengths& columns,
                   std::optional<TilePlace> selected) {
    using Kind = KeyStep::Kind;
    auto moveTo = [&columns, &selected](auto next) {
        if (selected.has_value()) return KeyStep{Kind::Move, next(*selected)};
        if (columns.empty()) return KeyStep{Kind::Taken, {0, -1}};
        return KeyStep{Kind::Move, NextInOrder(columns, {0, -1}, false)};
    };
    const std::pair<std::int32_t, Direction> arrows[] = {{VK_UP, Direction::Up},
                                                         {VK_DOWN, Direction::Down},
                                                         {VK_LEFT, Direction::Left},
                                                         {VK_RIGHT, Direction::Right}};
    for (const auto& arrow : arrows) {
        if (key != arrow.first) continue;
        return moveTo([&](TilePlace from) { return Neighbour(columns, from, arrow.second); });
    }
    switch (key) {
        case VK_TAB:
            return moveTo([&](TilePlace from) { return NextInOrder(columns, from, shift); });
        case VK_RETURN:
            return KeyStep{Kind::Launch, {0, -1}};
        case VK_SPACE:
            return KeyStep{Kind::Taken, {0, -1}};
        case VK_APPS:
            return KeyStep{Kind::OpenMenu, {0, -1}};
        case VK_F10:
            return KeyStep{shift ? Kind::OpenMenu : Kind::NotMine, {0, -1}};
        default:
            return KeyStep{};
    }
}

ColumnLengths ColumnsOf(const Catalogue& catalogue) {
    ColumnLengths columns;
    for (const Categoria& category : catalogue.categories) {
        columns.push_back(static_cast<std::int32_t>(category.apps.size()));
    }
    return columns;
}

}  // namespace MyApp
