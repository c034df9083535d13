#include "program_layout.h"

#include <algorithm>

namespace Bench {

std::vector<Place> LayoutPlaces(const std::vector<int>& columns) {
    std::vector<Place> places;
    int entry = 0;
    for (std::size_t column = 0; column < columns.size(); ++column) {
        int x = layoutMargin + columnStep * static_cast<int>(column);
        int index = static_cast<int>(column);
        places.push_back(Place{PlaceKind::Header, 0, index,
                               RECT{x, layoutMargin, x + cellWidth, layoutMargin + headerHeight}});
        int y = layoutMargin;
        for (int row = 0; row < columns[column]; ++row) {
            y += rowStep;
            places.push_back(
                Place{PlaceKind::Tile, ++entry, index, RECT{x, y, x + cellWidth, y + cellHeight}});
        }
        y += rowStep;
        places.push_back(
            Place{PlaceKind::AddApp, 0, index, RECT{x, y, x + cellWidth, y + cellHeight}});
    }
    int x = layoutMargin + columnStep * static_cast<int>(columns.size());
    places.push_back(Place{PlaceKind::AddCategory, 0, static_cast<int>(columns.size()),
                           RECT{x, layoutMargin, x + cellWidth, layoutMargin + cellHeight}});
    return places;
}

bool InView(const Place& place, const RECT& shown) {
    return place.box.left < shown.right && place.box.right > shown.left &&
           place.box.top < shown.bottom && place.box.bottom > shown.top;
}

bool MadeAtStart(const Place& place, const RECT& shown) {
    return place.kind == PlaceKind::AddCategory || InView(place, shown);
}

int CountMadeAtStart(const std::vector<Place>& places, const RECT& shown) {
    return static_cast<int>(std::count_if(places.begin(), places.end(), [&](const Place& place) {
        return MadeAtStart(place, shown);
    }));
}

std::wstring Caption(const Place& place) {
    switch (place.kind) {
        case PlaceKind::Header:
            return L"Categoria " + std::to_wstring(place.column + 1);
        case PlaceKind::Tile:
            return L"Applicazione " + std::to_wstring(place.entry);
        case PlaceKind::AddApp:
            return L"+ aggiungi App";
        case PlaceKind::AddCategory:
            break;
    }
    return L"+ aggiungi categoria";
}

SIZE MainWindowSize() {
    return SIZE{GetSystemMetrics(SM_CXSCREEN) * 9 / 10, GetSystemMetrics(SM_CYSCREEN) * 9 / 10};
}

}  // namespace Bench
