// The main window's layout as the benchmarks derive it from outside: where
// its header cells, tiles and "+ aggiungi" cells stand, and which of them it
// makes at start, so that a floor makes the same windows and a stopwatch
// knows when the program has made them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace Bench {

// The main window's measures at 96 DPI.
constexpr int layoutMargin = 10;
constexpr int columnStep = 180;
constexpr int rowStep = 50;
constexpr int cellWidth = 160;
constexpr int cellHeight = 40;
constexpr int headerHeight = 25;
constexpr int tileIconSize = 32;

enum class PlaceKind { Header, Tile, AddApp, AddCategory };

struct Place {
    PlaceKind kind;
    // The tile's entry, counted from 1 through the catalogue; 0 for a cell.
    int entry;
    int column;
    // In content coordinates.
    RECT box;
};

// Every place of columns of these many entries, column by column from the
// top, then "+ aggiungi categoria".
std::vector<Place> LayoutPlaces(const std::vector<int>& columns);

// Whether any of the place shows in this part of the content, tested as the
// main window tests it.
bool InView(const Place& place, const RECT& shown);

// The main window makes "+ aggiungi categoria" wherever it stands, the rest
// only in view.
bool MadeAtStart(const Place& place, const RECT& shown);

int CountMadeAtStart(const std::vector<Place>& places, const RECT& shown);

// The caption the place shows.
std::wstring Caption(const Place& place);

// The main window is 90% of the screen each way.
SIZE MainWindowSize();

}  // namespace Bench
