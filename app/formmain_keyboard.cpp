#include "formmain_keyboard.h"

#include <algorithm>

#include "button.h"
#include "formmain.h"
#include "formmain_shared.h"
#include "locale_text.h"
#include "panel.h"
#include "text.h"

namespace MyApp {

using namespace MainWindowParts;
using OrvoUtility::Button;
using OrvoUtility::CellControl;
using OrvoUtility::Child;
using OrvoUtility::GUIElement;

namespace {

constexpr std::int32_t backspace = 8;
constexpr std::int32_t escape = 27;

bool Before(TilePlace a, TilePlace b) {
    return a.column < b.column || (a.column == b.column && a.row < b.row);
}

// Folded text has a blank wherever a word ends.
bool BeginsWord(const std::wstring& text, std::size_t at) {
    return at == 0 || text[at - 1] == L' ';
}

// The last character of UTF-8 text, all of its bytes.
void DropLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) text.pop_back();
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

std::int32_t FindMatch(const std::vector<std::wstring>& descriptions, const std::wstring& typed) {
    if (typed.empty()) return -1;
    std::int32_t inside = -1;
    for (std::size_t index = 0; index < descriptions.size(); ++index) {
        const std::wstring& text = descriptions[index];
        for (std::size_t at = text.find(typed); at != std::wstring::npos;
             at = text.find(typed, at + 1)) {
            if (BeginsWord(text, at)) return static_cast<std::int32_t>(index);
            if (inside < 0) inside = static_cast<std::int32_t>(index);
        }
    }
    return inside;
}

OrvoUtility::KeyHandler FormMain::KeysToForm() {
    return [this](GUIElement*, std::int32_t key) { return TakeKey(key) ? 1 : 0; };
}

OrvoUtility::CharHandler FormMain::CharsToForm() {
    return [this](GUIElement*, std::int32_t character) { return HandleChar(character); };
}

void FormMain::HandleKeyDown(std::int32_t key) { TakeKey(key); }

bool FormMain::TakeKey(std::int32_t key) {
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const std::pair<std::int32_t, Direction> arrows[] = {{VK_UP, Direction::Up},
                                                         {VK_DOWN, Direction::Down},
                                                         {VK_LEFT, Direction::Left},
                                                         {VK_RIGHT, Direction::Right}};
    TilePlace place{0, -1};
    bool any = SelectedPlace(place);
    for (const auto& arrow : arrows) {
        if (key != arrow.first) continue;
        if (any) {
            Select(Neighbour(Columns(), place, arrow.second));
        } else {
            SelectFirst();
        }
        return true;
    }
    switch (key) {
        case VK_TAB:
            if (any) {
                Select(NextInOrder(Columns(), place, shift));
            } else {
                SelectFirst();
            }
            return true;
        case VK_RETURN:
            LaunchSelected();
            return true;
        case VK_SPACE:
            // Launched with its character, which may also belong to a typed
            // text; taken here so that a focused tile does not click itself too.
            return true;
        case VK_APPS:
            OpenSelectedMenu();
            return true;
        case VK_F10:
            if (!shift) return false;
            OpenSelectedMenu();
            return true;
        default:
            return false;
    }
}

bool FormMain::HandleChar(std::int32_t character) {
    const wchar_t unit = static_cast<wchar_t>(character);
    if (character == backspace) {
        DropLastCharacter(findText);
    } else if (character == escape) {
        findText.clear();
    } else if (character == ' ' && findText.empty()) {
        LaunchSelected();
        return false;
    } else if (IS_HIGH_SURROGATE(unit)) {
        // A character beyond the BMP comes as two messages.
        typedHighSurrogate = unit;
        return false;
    } else if (character >= ' ' && character != 0x7F && character <= 0xFFFF) {
        std::wstring typed(1, unit);
        if (IS_LOW_SURROGATE(unit)) typed.insert(typed.begin(), typedHighSurrogate);
        findText += Common::WideToNarrow(typed);
    } else {
        return character != '\r' && character != '\t';
    }
    typedHighSurrogate = 0;
    std::vector<std::wstring> descriptions;
    std::vector<TilePlace> places;
    std::int32_t column = 0;
    for (const Categoria& category : catalogue.categories) {
        std::int32_t row = 0;
        for (const App& app : category.apps) {
            descriptions.push_back(FoldedDescription(app.description));
            places.push_back({column, row++});
        }
        ++column;
    }
    std::int32_t match =
        FindMatch(descriptions, OrvoUtility::FoldedForFinding(Common::NarrowToWide(findText)));
    if (match >= 0) Select(places[static_cast<std::size_t>(match)]);
    ShowFindText(match >= 0 || findText.empty());
    return false;
}

const std::wstring& FormMain::FoldedDescription(const std::string& description) {
    auto found = foldedDescriptions.find(description);
    if (found == foldedDescriptions.end()) {
        found = foldedDescriptions
                    .emplace(description,
                             OrvoUtility::FoldedForFinding(Common::NarrowToWide(description)))
                    .first;
    }
    return found->second;
}

void FormMain::ShowFindText(bool found) {
    std::string title = baseTitle;
    if (!findText.empty()) {
        title += "   -   Trova: " + findText;
        if (!found) title += "  (nessuna corrispondenza)";
    }
    SetTextNarrow(title);
}

ColumnLengths FormMain::Columns() const {
    ColumnLengths columns;
    for (const Categoria& category : catalogue.categories) {
        columns.push_back(static_cast<std::int32_t>(category.apps.size()));
    }
    return columns;
}

bool FormMain::SelectedPlace(TilePlace& place) const {
    if (!selected.has_value()) return false;
    for (std::size_t column = 0; column < catalogue.categories.size(); ++column) {
        const Categoria& category = catalogue.categories[column];
        if (category.id != selected->categoryId) continue;
        if (selected->kind == ShownItem::Kind::Header) {
            place = {static_cast<std::int32_t>(column), -1};
            return true;
        }
        for (std::size_t row = 0; row < category.apps.size(); ++row) {
            if (category.apps[row].id == selected->recordId) {
                place = {static_cast<std::int32_t>(column), static_cast<std::int32_t>(row)};
                return true;
            }
        }
    }
    return false;
}

void FormMain::SelectFirst() {
    if (catalogue.categories.empty()) return;
    Select(NextInOrder(Columns(), {0, -1}, false));
}

GUIElement* FormMain::ElementAtPlace(TilePlace place) {
    if (place.column < 0 ||
        place.column >= static_cast<std::int32_t>(catalogue.categories.size())) {
        return nullptr;
    }
    Categoria& category = catalogue.categories[static_cast<std::size_t>(place.column)];
    if (place.row < 0) return HeaderOf(category);
    if (place.row >= static_cast<std::int32_t>(category.apps.size())) return nullptr;
    return TileOf(category.apps[static_cast<std::size_t>(place.row)]);
}

void FormMain::Select(TilePlace place) {
    if (place.column < 0 ||
        place.column >= static_cast<std::int32_t>(catalogue.categories.size())) {
        return;
    }
    const Categoria& category = catalogue.categories[static_cast<std::size_t>(place.column)];
    if (place.row < 0) {
        MarkSelected(ShownItem{ShownItem::Kind::Header, category.id, 0});
    } else {
        MarkSelected(ShownItem{ShownItem::Kind::Tile, category.id,
                               category.apps[static_cast<std::size_t>(place.row)].id});
    }
    // Scrolling makes the element when it comes into view for the first time.
    std::int32_t x = measures.margin + measures.columnStep * place.column;
    std::int32_t y = measures.margin + (place.row < 0 ? 0 : measures.rowStep * (place.row + 1));
    std::int32_t boxHeight = place.row < 0 ? measures.headerHeight : measures.cellHeight;
    ScrollIntoView(RECT{x, y, x + measures.cellWidth, y + boxHeight});
    GUIElement* element = ElementAtPlace(place);
    if (element != nullptr && element->hwnd != nullptr) {
        MarkSelected(*selected);
        // A tile takes the focus, so that the system and its tools see the choice.
        if (place.row >= 0) element->Focus();
    }
}

void FormMain::MarkSelected(const ShownItem& item) {
    selected = item;
    auto mark = [this, &item](GUIElement* element, bool& flag) {
        const ShownItem* shown = ItemOf(element);
        bool now = shown != nullptr && *shown == item;
        if (flag == now) return;
        flag = now;
        if (element->created && element->hwnd != nullptr) {
            InvalidateRect(element->hwnd, nullptr, FALSE);
        }
    };
    for (const auto& tile : tiles) mark(tile.get(), tile->selected);
    for (const auto& header : categoryCells) mark(header.get(), header->selected);
}

void FormMain::LaunchSelected() {
    TilePlace place{0, -1};
    if (!SelectedPlace(place) || place.row < 0) return;
    GUIElement* tile = ElementAtPlace(place);
    if (tile == nullptr) return;
    findText.clear();
    ShowFindText(true);
    HandleTileClick(tile);
}

void FormMain::OpenSelectedMenu() {
    TilePlace place{0, -1};
    if (!SelectedPlace(place)) return;
    GUIElement* element = ElementAtPlace(place);
    if (element == nullptr || element->hwnd == nullptr) return;
    HandleChildRightUp(static_cast<Child*>(element), 0, element->height);
}

void FormMain::ForwardKeys(GUIElement* element) {
    element->onKeyDown = KeysToForm();
    element->onChar = CharsToForm();
}

}  // namespace MyApp
