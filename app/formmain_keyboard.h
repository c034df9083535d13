// The choices behind finding by typing and moving through the tiles with the
// keyboard, kept free of windows so that they can be tested on their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// The index of the first description holding `typed`, both folded for finding
// (small letters without accents, a blank between words); one where it begins
// a word comes before one where it does not. -1 when none holds it or nothing
// is typed.
std::int32_t FindMatch(const std::vector<std::wstring>& descriptions, const std::wstring& typed);

}  // namespace MyApp
