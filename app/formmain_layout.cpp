#include <algorithm>
#include <limits>
#include <memory>

#include "button.h"
#include "dpi.h"
#include "formmain.h"
#include "formmain_shared.h"
#include "panel.h"
#include "text.h"

namespace MyApp {

using namespace MainWindowParts;

namespace {

// A relayout after one edit leaves alone every window whose place and text
// did not change.
void PlaceElement(GUIElement* element, std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                  std::int32_t boxHeight) {
    // Sizes change only with the DPI.
    if (element->width != boxWidth || element->height != boxHeight) {
        element->Resize(boxWidth, boxHeight);
    }
    if (element->left != x || element->top != y || !element->created) element->MoveTo(x, y);
}

void LabelElement(GUIElement* element, const std::string& text) {
    std::wstring wide = Common::NarrowToWide(text);
    if (element->text != wide || !element->created) element->SetText(wide);
}

using Place = ShownItem::Kind;

// Calls visit(item, category, entry or null, x, y) for every place of the
// layout, column by column, top to bottom, in content coordinates.
template <typename Visit>
void ForEachPlace(Catalogue& catalogue, const LayoutMeasures& measures, Visit visit) {
    std::int32_t column = 0;
    for (Categoria& category : catalogue.categories) {
        std::int32_t x = measures.margin + measures.columnStep * column;
        visit(ShownItem{Place::Header, category.id, 0}, category, nullptr, x, measures.margin);
        std::int32_t y = measures.margin;
        for (App& app : category.apps) {
            y += measures.rowStep;
            visit(ShownItem{Place::Tile, category.id, app.id}, category, &app, x, y);
        }
        visit(ShownItem{Place::AddCell, category.id, 0}, category, nullptr, x,
              y + measures.rowStep);
        ++column;
    }
}

GUIElement* Found(const std::unordered_map<std::int32_t, GUIElement*>& made, std::int32_t key) {
    auto found = made.find(key);
    return found != made.end() ? found->second : nullptr;
}

}  // namespace

GUIElement* FormMain::ElementFor(const ShownItem& item) const {
    switch (item.kind) {
        case Place::Header:
            return Found(headerOf, item.categoryId);
        case Place::Tile:
            return Found(tileOf, item.recordId);
        case Place::AddCell:
            return Found(addCellOf, item.categoryId);
    }
    return nullptr;
}

GUIElement* FormMain::TileOf(const App& app) const { return Found(tileOf, app.id); }

GUIElement* FormMain::HeaderOf(const Categoria& category) const {
    return Found(headerOf, category.id);
}

GUIElement* FormMain::AddCellOf(const Categoria& category) const {
    return Found(addCellOf, category.id);
}

const ShownItem* FormMain::ItemOf(const GUIElement* element) const {
    auto found = itemOf.find(element);
    return found != itemOf.end() ? &found->second : nullptr;
}

OrvoUtility::MouseButtonHandler FormMain::ChildLeftDown() {
    return [this](GUIElement* cell, HWND, std::int32_t, std::int32_t) {
        HandleChildMouseDown(static_cast<Child*>(cell));
        return 0;
    };
}

OrvoUtility::MouseButtonHandler FormMain::ChildRightUp() {
    return [this](GUIElement* child, HWND, std::int32_t x, std::int32_t y) {
        HandleChildRightUp(static_cast<Child*>(child), x, y);
        return 0;
    };
}

void FormMain::BuildPanel() {
    tilePanel = std::make_unique<PanelChildren>(this);
    tilePanel->left = measures.margin;
    tilePanel->top = measures.margin;
    tilePanel->width = width - 2 * measures.margin;
    tilePanel->height = height - 2 * measures.margin;
    tilePanel->border = true;
    tilePanel->thinBorder = false;
    tilePanel->SetBackColor(panelBackground);
    tilePanel->childBackColor = controlBackground;
    tilePanel->childTextColor = 0;
    // Scrolling shows cells and tiles that may not have been made yet; they
    // are made and painted before the user sees the gap.
    auto scrolled = [this](PanelChildren* panel, std::int32_t) {
        CreateElementsInView();
        if (panel->hwnd != nullptr) {
            RedrawWindow(panel->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    };
    tilePanel->onVerticalScroll = scrolled;
    tilePanel->onHorizontalScroll = scrolled;
    tilePanel->onDropFiles = [this](const std::vector<std::wstring>& paths, POINT point) {
        HandleDroppedFiles(paths, point);
    };
    ForwardKeys(tilePanel.get());
    tilePanel->Create();
    tilePanel->AcceptDroppedFiles();

    addCategoryCell = std::make_unique<CellControl>(tilePanel.get());
    addCategoryCell->width = measures.cellWidth;
    addCategoryCell->height = measures.cellHeight;
    addCategoryCell->fontSize = measures.cellFontHeight;
    addCategoryCell->SetTextNarrow("+ aggiungi categoria");
    addCategoryCell->SetHandCursor(true);
    addCategoryCell->onLeftDown = ChildLeftDown();
    addCategoryCell->textColor = addCellText;
    addCategoryCell->left =
        measures.margin +
        measures.columnStep * static_cast<std::int32_t>(catalogue.categories.size());
    addCategoryCell->top = measures.margin;
    addCategoryCell->SetBackColor(tilePanel->backColor);
    ForwardKeys(addCategoryCell.get());
    addCategoryCell->Create();

    BuildColumns();
}

void FormMain::BuildColumns() {
    // Windows that stay are moved out of the way before new ones are made, so
    // that a new window never paints over one that is about to move.
    std::int32_t column = static_cast<std::int32_t>(catalogue.categories.size());
    PlaceElement(addCategoryCell.get(), measures.margin + measures.columnStep * column,
                 measures.margin, measures.cellWidth, measures.cellHeight);
    MoveMadeElements();
    MakeMissingElements(true);

    POINT corner = addCategoryCell->GetPosition();
    std::int32_t addWidth = addCategoryCell->width;
    RECT frame;
    if (addCategoryCell->created && GetWindowRect(addCategoryCell->hwnd, &frame)) {
        addWidth = frame.right - frame.left;
    }
    std::int32_t maxBottom = 0;
    for (const Categoria& category : catalogue.categories) {
        std::int32_t apps = static_cast<std::int32_t>(category.apps.size());
        maxBottom = std::max(maxBottom, measures.margin + measures.rowStep * (apps + 2));
    }
    contentWidth = std::max<std::int32_t>(contentWidth, corner.x + addWidth + measures.margin);
    contentHeight = std::max(contentHeight, maxBottom);
}

void FormMain::CreateElementsInView() {
    if (tilePanel == nullptr || addCategoryCell == nullptr) return;
    MakeMissingElements(false);
}

void FormMain::MoveMadeElements() {
    auto move = [this](const ShownItem& item, Categoria& category, App* app, std::int32_t x,
                       std::int32_t y) {
        const Place place = item.kind;
        GUIElement* element = ElementFor(item);
        if (element == nullptr) return;
        if (place == Place::Header) LabelElement(element, category.name);
        if (place == Place::Tile) {
            Button* tile = static_cast<Button*>(element);
            HICON icon = IconFor(app->pathname);
            if (icon != nullptr && icon != tile->enabledIcon) {
                tile->enabledIcon = icon;
                if (tile->created) InvalidateRect(tile->hwnd, nullptr, FALSE);
            }
            LabelElement(tile, app->description);
            if (tileTips.Has(tile->hwnd)) ShowTileTip(*tile, *app);
        }
        PlaceElement(element, x, y, measures.cellWidth,
                     place == Place::Header ? measures.headerHeight : measures.cellHeight);
    };
    ForEachPlace(catalogue, measures, move);
}

void FormMain::MakeMissingElements(bool atOrigin) {
    RECT shown = ShownContent(atOrigin);
    // Coming into view later, an element takes its place in the tab order
    // after the one before it in the layout, as if it had been made at start.
    HWND previous = nullptr;
    auto make = [&](const ShownItem& item, Categoria& category, App* app, std::int32_t x,
                    std::int32_t y) {
        const Place place = item.kind;
        GUIElement* element = ElementFor(item);
        std::int32_t boxHeight =
            place == Place::Header ? measures.headerHeight : measures.cellHeight;
        if (element == nullptr && x < shown.right && x + measures.cellWidth > shown.left &&
            y < shown.bottom && y + boxHeight > shown.top) {
            if (place == Place::Header) {
                categoryCells.push_back(NewHeaderCell(category));
                element = headerOf[category.id] = categoryCells.back().get();
            } else if (place == Place::Tile) {
                tiles.push_back(NewTile(*app));
                element = tileOf[app->id] = tiles.back().get();
            } else {
                addAppCells.push_back(NewAddAppCell(category));
                element = addCellOf[category.id] = addAppCells.back().get();
            }
            itemOf[element] = item;
            // The shown part's corner stands at the panel's client origin.
            element->left = x - shown.left;
            element->top = y - shown.top;
            element->Create();
            if (!atOrigin && element->hwnd != nullptr) {
                SetWindowPos(element->hwnd, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        if (element != nullptr && element->hwnd != nullptr) previous = element->hwnd;
    };
    ForEachPlace(catalogue, measures, make);
}

RECT FormMain::ShownContent(bool atOrigin) {
    // Everything, when the panel cannot tell what it shows.
    RECT shown{0, 0, std::numeric_limits<std::int32_t>::max() / 2,
               std::numeric_limits<std::int32_t>::max() / 2};
    if (tilePanel == nullptr || tilePanel->hwnd == nullptr ||
        !GetClientRect(tilePanel->hwnd, &shown)) {
        return shown;
    }
    if (atOrigin || addCategoryCell == nullptr) return shown;
    // The "+ aggiungi categoria" cell always exists and scrolls with the
    // content: how far it stands from its place is how far the panel is scrolled.
    POINT at = addCategoryCell->GetPosition();
    std::int32_t placeX = measures.margin + measures.columnStep * static_cast<std::int32_t>(
                                                                      catalogue.categories.size());
    OffsetRect(&shown, placeX - at.x, measures.margin - at.y);
    return shown;
}

std::unique_ptr<CellControl> FormMain::NewHeaderCell(const Categoria& category) {
    auto header = std::make_unique<CellControl>(tilePanel.get());
    header->width = measures.cellWidth;
    header->height = measures.headerHeight;
    header->fontSize = measures.cellFontHeight;
    header->tag = Common::FormatInt64(category.id);
    header->textColor = headerText;
    header->SetBackColor(headerBackground);
    header->onRightUp = ChildRightUp();
    header->SetTextNarrow(category.name);
    header->selected = selected == ShownItem{Place::Header, category.id, 0};
    ForwardKeys(header.get());
    return header;
}

std::unique_ptr<CellControl> FormMain::NewAddAppCell(const Categoria& category) {
    auto addCell = std::make_unique<CellControl>(tilePanel.get());
    addCell->width = measures.cellWidth;
    addCell->height = measures.cellHeight;
    addCell->fontSize = measures.cellFontHeight;
    addCell->SetTextNarrow("+ aggiungi App");
    addCell->SetHandCursor(true);
    addCell->onLeftDown = ChildLeftDown();
    addCell->textColor = addCellText;
    addCell->tag = "APP;" + Common::FormatInt64(category.id);
    addCell->SetBackColor(tilePanel->backColor);
    ForwardKeys(addCell.get());
    return addCell;
}

std::unique_ptr<Button> FormMain::NewTile(const App& app) {
    auto tile = std::make_unique<Button>(tilePanel.get(), app.description);
    tile->ownerDrawn = true;
    tile->width = measures.cellWidth;
    tile->height = measures.cellHeight;
    tile->font = tileFont.get();
    tile->iconSize = measures.iconSize;
    tile->onCommand = [this](GUIElement* clicked) { HandleTileClick(clicked); };
    tile->onRightUp = ChildRightUp();
    tile->SetHandCursor(true);
    tile->tag = AppKey(app.Ref());
    tile->selected = selected == ShownItem{Place::Tile, app.categoryId, app.id};
    ForwardKeys(tile.get());
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
    HICON icon = IconFor(app.pathname);
    if (icon != nullptr) tile->enabledIcon = icon;
    return tile;
}

void FormMain::ShowTileTip(GUIElement& tile, const App& app) {
    if (!tile.created) return;
    std::string tip = app.description + "\r\n" + app.pathname;
    if (!app.parameters.empty()) tip += "\r\n" + app.parameters;
    tileTips.SetText(hwnd, tile.hwnd, Common::NarrowToWide(tip),
                     OrvoUtility::ScaleForDpi(600, dpi));
}

void FormMain::DestroyTileWindow(GUIElement* tile) {
    if (tile != nullptr) tileTips.Remove(tile->hwnd);
    DestroyElementWindow(tile);
}

void FormMain::ScrollIntoView(const RECT& content) {
    RECT client;
    if (tilePanel->hwnd == nullptr || !GetClientRect(tilePanel->hwnd, &client)) return;
    POINT at = tilePanel->ScrollPosition();
    RECT wanted = content;
    InflateRect(&wanted, measures.margin, measures.margin);
    if (wanted.right > at.x + client.right) at.x = wanted.right - client.right;
    if (wanted.left < at.x) at.x = std::max<LONG>(wanted.left, 0);
    if (wanted.bottom > at.y + client.bottom) at.y = wanted.bottom - client.bottom;
    if (wanted.top < at.y) at.y = std::max<LONG>(wanted.top, 0);
    tilePanel->ScrollTo(at.x, at.y);
}

RECT FormMain::NewestPlaceIn(std::int32_t categoryId) {
    std::int32_t column = catalogue.FindCategory(categoryId);
    if (column < 0) return RECT{0, 0, 0, 0};
    std::int32_t x = measures.margin + measures.columnStep * column;
    std::int32_t entries = static_cast<std::int32_t>(
        catalogue.categories[static_cast<std::size_t>(column)].apps.size());
    if (entries == 0)
        return RECT{x, measures.margin, x + measures.cellWidth,
                    measures.margin + measures.rowStep + measures.cellHeight};
    std::int32_t y = measures.margin + measures.rowStep * entries;
    return RECT{x, y, x + measures.cellWidth, y + measures.cellHeight};
}

}  // namespace MyApp
