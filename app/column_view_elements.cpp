// The cells and tiles of the column view: how each is made, its tooltip, the
// selection drawn on it, its icon, and its window let go when its part of the
// catalogue is gone.
#include <oleacc.h>

#include <unordered_set>

#include "accessible_element.h"
#include "button.h"
#include "column_view.h"
#include "dpi.h"
#include "font_description.h"
#include "form.h"
#include "panel.h"
#include "text.h"
#include "tile_icons.h"

namespace MyApp {

using OrvoUtility::Button;
using OrvoUtility::CellControl;
using OrvoUtility::GUIElement;
using Place = ShownItem::Kind;

namespace {

// A deleted cell or tile loses its window at once; the element itself stays
// until teardown, with no handle that a later window could reuse.
void DestroyElementWindow(GUIElement* element) {
    if (element->hwnd != nullptr && IsWindow(element->hwnd)) DestroyWindow(element->hwnd);
    element->hwnd = nullptr;
    element->created = false;
}

}  // namespace

GUIElement* ColumnView::Make(const ShownItem& item, const Categoria* category, const App* app) {
    const LayoutMeasures& measures = geometry.measures;
    GUIElement* made = nullptr;
    if (item.kind == Place::Tile) {
        tiles.push_back(NewTile(*app));
        made = tileOf[app->id] = tiles.back().get();
    } else if (item.kind == Place::AddCategory) {
        cells.push_back(NewCell("+ aggiungi categoria"));
        made = addCategoryCell = cells.back().get();
    } else if (item.kind == Place::Import) {
        cells.push_back(NewCell("+ importa dal menu Start"));
        made = importCell = cells.back().get();
    } else if (item.kind == Place::Header) {
        auto header = NewCell(category->name);
        header->height = measures.headerHeight;
        Paint(*header, Place::Header);
        header->SetHandCursor(false);
        header->onLeftDown = nullptr;
        header->onRightUp = handlers.rightUp;
        header->selected = selected == item;
        cells.push_back(std::move(header));
        made = headerOf[category->id] = cells.back().get();
    } else {
        cells.push_back(NewCell("+ aggiungi App"));
        made = addCellOf[category->id] = cells.back().get();
    }
    itemOf[made] = item;
    Describe(*made, item, item.kind == Place::Header ? category->name : made->GetTextNarrow(), app);
    return made;
}

void ColumnView::Describe(GUIElement& element, const ShownItem& item, const std::string& text,
                          const App* app) {
    OrvoUtility::AccessibleInfo info;
    info.name = Common::NarrowToWide(text);
    // A header names its column; everything else is pressed.
    info.role = item.kind == Place::Header ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_PUSHBUTTON;
    if (app != nullptr) info.description = Common::NarrowToWide(app->pathname);
    element.accessibleInfo = std::move(info);
}

void ColumnView::Paint(CellControl& cell, ShownItem::Kind kind) const {
    const bool header = kind == Place::Header;
    cell.textColor = header ? scheme.headerText : scheme.addCellText;
    cell.SetBackColor(header ? scheme.headerBackground : scheme.panelBackground);
}

void ColumnView::UseScheme(const ColourScheme& colours) {
    scheme = colours;
    if (panel == nullptr) return;
    panel->SetBackColor(scheme.panelBackground);
    panel->childBackColor = scheme.controlBackground;
    panel->childTextColor = scheme.controlText;
    for (const std::unique_ptr<CellControl>& cell : cells) {
        const ShownItem* item = ItemOf(cell.get());
        if (item != nullptr) Paint(*cell, item->kind);
    }
    if (panel->hwnd != nullptr) {
        RedrawWindow(panel->hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

std::unique_ptr<CellControl> ColumnView::NewCell(const std::string& caption) {
    const LayoutMeasures& measures = geometry.measures;
    auto cell = std::make_unique<CellControl>(panel.get());
    cell->width = measures.cellWidth;
    cell->height = measures.cellHeight;
    cell->fontSize = measures.cellFontHeight;
    cell->SetTextNarrow(caption);
    cell->SetHandCursor(true);
    cell->onLeftDown = handlers.leftDown;
    Paint(*cell, Place::AddCell);
    HandOverKeys(*cell);
    return cell;
}

std::unique_ptr<Button> ColumnView::NewTile(const App& app) {
    const LayoutMeasures& measures = geometry.measures;
    auto tile = std::make_unique<Button>(panel.get(), app.description);
    tile->ownerDrawn = true;
    tile->width = measures.cellWidth;
    tile->height = measures.cellHeight;
    tile->font = tileFont.get();
    tile->iconSize = measures.iconSize;
    tile->onCommand = handlers.tileClick;
    tile->onRightUp = handlers.rightUp;
    tile->SetHandCursor(true);
    tile->selected = selected == ShownItem{Place::Tile, app.categoryId, app.id};
    HandOverKeys(*tile);
    // A tile clicked or reached by the focus becomes the selection.
    tile->onGotFocus = [this](GUIElement* focused) {
        if (const ShownItem* item = ItemOf(focused)) MarkSelected(*item);
    };
    // A tile becomes a tool of the tooltip when the mouse first reaches it:
    // a tool for each tile made costs start-up time under Wine.
    tile->onMouseMove = [this](GUIElement* hovered, std::int32_t, std::int32_t) {
        const App* entry = AppOf(hovered);
        if (entry != nullptr && !tileTips.Has(hovered->hwnd)) ShowTileTip(*hovered, *entry);
        return 0;
    };
    tile->enabledIcon = icons.IconFor(app.pathname);
    return tile;
}

void ColumnView::ShowTileTip(GUIElement& tile, const App& app) {
    if (!tile.created) return;
    std::string tip = app.description + "\r\n" + app.pathname;
    if (!app.parameters.empty()) tip += "\r\n" + app.parameters;
    tileTips.SetText(window.hwnd, tile.hwnd, Common::NarrowToWide(tip),
                     OrvoUtility::ScaleForDpi(600, dpi));
}

void ColumnView::HandOverKeys(GUIElement& element) {
    element.onKeyDown = handlers.keys;
    element.onChar = handlers.chars;
}

void ColumnView::Select(TilePlace place) {
    if (place.column < 0 ||
        place.column >= static_cast<std::int32_t>(catalogue.categories.size())) {
        return;
    }
    const Categoria& category = catalogue.categories[static_cast<std::size_t>(place.column)];
    if (place.row < 0) {
        MarkSelected(ShownItem{Place::Header, category.id, 0});
    } else {
        MarkSelected(ShownItem{Place::Tile, category.id,
                               category.apps[static_cast<std::size_t>(place.row)].id});
    }
    // Scrolling makes the element when it comes into view for the first time.
    ScrollIntoView(geometry.Box(place.column, place.row));
    GUIElement* element = ElementAt(place);
    if (element != nullptr && element->hwnd != nullptr) {
        MarkSelected(*selected);
        if (place.row >= 0) element->Focus();
        // Screen readers follow the pick to a header too, which takes no focus.
        OrvoUtility::NotifyFocus(*element);
    }
}

std::optional<TilePlace> ColumnView::SelectedPlace() const {
    if (!selected.has_value()) return std::nullopt;
    std::int32_t column = catalogue.FindCategory(selected->categoryId);
    if (column < 0) return std::nullopt;
    if (selected->kind == Place::Header) return TilePlace{column, -1};
    const std::vector<App>& apps = catalogue.categories[static_cast<std::size_t>(column)].apps;
    for (std::size_t row = 0; row < apps.size(); ++row) {
        if (apps[row].id == selected->recordId) {
            return TilePlace{column, static_cast<std::int32_t>(row)};
        }
    }
    return std::nullopt;
}

GUIElement* ColumnView::ElementAt(TilePlace place) const {
    if (place.column < 0 ||
        place.column >= static_cast<std::int32_t>(catalogue.categories.size())) {
        return nullptr;
    }
    const Categoria& category = catalogue.categories[static_cast<std::size_t>(place.column)];
    if (place.row < 0) return HeaderOf(category);
    if (place.row >= static_cast<std::int32_t>(category.apps.size())) return nullptr;
    return TileOf(category.apps[static_cast<std::size_t>(place.row)]);
}

void ColumnView::MarkSelected(const ShownItem& item) {
    selected = item;
    auto mark = [this, &item](GUIElement& element, bool& flag) {
        const ShownItem* shown = ItemOf(&element);
        bool now = shown != nullptr && *shown == item;
        if (flag == now) return;
        flag = now;
        if (element.created && element.hwnd != nullptr)
            InvalidateRect(element.hwnd, nullptr, FALSE);
    };
    for (const std::unique_ptr<Button>& tile : tiles) mark(*tile, tile->selected);
    for (const std::unique_ptr<CellControl>& cell : cells) mark(*cell, cell->selected);
}

void ColumnView::ForgetElementsNotShown() {
    std::unordered_set<std::int32_t> categories;
    std::unordered_set<std::int32_t> entries;
    for (const Categoria& category : catalogue.categories) {
        categories.insert(category.id);
        for (const App& app : category.apps) entries.insert(app.id);
    }
    std::vector<GUIElement*> gone;
    for (const auto& [element, item] : itemOf) {
        bool kept = item.kind == Place::Tile          ? entries.count(item.recordId) != 0
                    : item.kind == Place::AddCategory ? true
                    : item.kind == Place::Import      ? catalogue.categories.empty()
                                                      : categories.count(item.categoryId) != 0;
        if (!kept) gone.push_back(const_cast<GUIElement*>(element));
    }
    for (GUIElement* element : gone) Retire(element);
}

void ColumnView::RetireFarElements(const RECT& shown) {
    // Gone by now: nothing of theirs has run since their windows went.
    retired.clear();
    RECT kept = shown;
    InflateRect(&kept, (shown.right - shown.left) / 2, (shown.bottom - shown.top) / 2);
    HWND focus = GetFocus();
    std::vector<GUIElement*> distant;
    for (const auto& [element, item] : itemOf) {
        RECT box;
        if (element->hwnd == nullptr || element->hwnd == focus || selected == item ||
            !GetWindowRect(element->hwnd, &box)) {
            continue;
        }
        MapWindowPoints(nullptr, panel->hwnd, reinterpret_cast<POINT*>(&box), 2);
        OffsetRect(&box, shown.left, shown.top);
        if (box.right <= kept.left || box.left >= kept.right || box.bottom <= kept.top ||
            box.top >= kept.bottom) {
            distant.push_back(const_cast<GUIElement*>(element));
        }
    }
    for (GUIElement* element : distant) Retire(element);
}

void ColumnView::Retire(GUIElement* element) {
    const ShownItem item = itemOf.at(element);
    itemOf.erase(element);
    if (item.kind == Place::Header) headerOf.erase(item.categoryId);
    if (item.kind == Place::AddCell) addCellOf.erase(item.categoryId);
    if (item.kind == Place::Tile) tileOf.erase(item.recordId);
    if (item.kind == Place::AddCategory) addCategoryCell = nullptr;
    if (item.kind == Place::Import) importCell = nullptr;
    tileTips.Remove(element->hwnd);
    DestroyElementWindow(element);
    auto take = [this, element](auto& made) {
        for (auto at = made.begin(); at != made.end(); ++at) {
            if (at->get() != element) continue;
            retired.push_back(std::move(*at));
            *at = std::move(made.back());
            made.pop_back();
            return;
        }
    };
    if (item.kind == Place::Tile) {
        take(tiles);
    } else {
        take(cells);
    }
}

void ColumnView::RefreshIcons() {
    for (const Categoria& category : catalogue.categories) {
        for (const App& app : category.apps) {
            Button* tile = static_cast<Button*>(TileOf(app));
            HICON found = tile != nullptr ? icons.Found(app.pathname) : nullptr;
            if (found == nullptr || tile->enabledIcon == found) continue;
            tile->enabledIcon = found;
            if (tile->created && tile->hwnd != nullptr) InvalidateRect(tile->hwnd, nullptr, FALSE);
        }
    }
}

void ColumnView::DropIcons() {
    for (const std::unique_ptr<Button>& tile : tiles) tile->enabledIcon = nullptr;
}

}  // namespace MyApp
