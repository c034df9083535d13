// Moving through the headers and tiles with the keyboard, over a snapshot of
// the columns' lengths: kept free of windows so that it can be tested alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"

namespace MyApp {

// A place in the columns: row -1 is the header, 0 and on the tiles from the top.
struct TilePlace {
    std::int32_t column;
    std::int32_t row;
};

enum class Direction { Up, Down, Left, Right };

// The number of tiles of each column, left to right.
using ColumnLengths = std::vector<std::int32_t>;

// Up and down stay in the column (up from the first tile reaches the header);
// left and right go to the nearest row of the next column, its header when it
// has no tiles. At an edge the place stays.
TilePlace Neighbour(const ColumnLengths& columns, TilePlace from, Direction direction);

// The next tile in catalogue order (the previous one when `backwards`), round
// the end; from a header, the first tile after it. Unchanged without tiles.
TilePlace NextInOrder(const ColumnLengths& columns, TilePlace from, bool backwards);

// What a key does to the selection.
struct KeyStep {
    enum class Kind { NotMine, Taken, Move, Launch, OpenMenu };
    Kind kind = Kind::NotMine;
    TilePlace place{0, -1};  // where a move goes
};

// The arrows and Tab move (to the first tile when nothing is selected yet),
// Enter launches, the menu key and Shift+F10 open the selection's menu.
// Space is taken: it launches with its character, which may also belong to a
// typed text.
KeyStep StepForKey(std::int32_t key, bool shift, const ColumnLengths& columns,
                   std::optional<TilePlace> selected);

ColumnLengths ColumnsOf(const Catalogue& catalogue);

}  // namespace MyApp
