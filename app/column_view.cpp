#include "column_view.h"

#include <algorithm>
#include <limits>

#include "button.h"
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

// The element's size without its border and scroll bars.
void RefreshClientSize(GUIElement& element) {
    RECT client;
    if (element.hwnd == nullptr || !GetClientRect(element.hwnd, &client)) return;
    element.width = client.right - client.left;
    element.height = client.bottom - client.top;
}

// A relayout after one edit leaves alone every window whose place and text
// did not change.
void PlaceElement(GUIElement& element, const RECT& box) {
    // Sizes change only with the DPI.
    std::int32_t boxWidth = box.right - box.left;
    std::int32_t boxHeight = box.bottom - box.top;
    if (element.width != boxWidth || element.height != boxHeight) {
        element.Resize(boxWidth, boxHeight);
    }
    POINT at = element.GetPosition();
    if (at.x != box.left || at.y != box.top || !element.created) element.MoveTo(box.left, box.top);
}

void LabelElement(GUIElement& element, const std::string& text) {
    std::wstring wide = Common::NarrowToWide(text);
    if (element.text != wide || !element.created) element.SetText(wide);
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

GUIElement* Found(const std::unordered_map<std::int32_t, GUIElement*>& made, std::int32_t key) {
    auto found = made.find(key);
    return found != made.end() ? found->second : nullptr;
}

}  // namespace

ColumnView::ColumnView(OrvoUtility::Form& window, const Catalogue& catalogue, TileIcons& icons,
                       ColumnViewHandlers handlers)
    : window(window),
      catalogue(catalogue),
      icons(icons),
      handlers(std::move(handlers)),
      geometry(MeasuresAt(window.dpi)),
      scheme(SchemeFor(HighContrastOn())),
      dpi(window.dpi),
      contentWidth(640),
      contentHeight(480),
      tileFont(OrvoUtility::SystemFontAt(window.dpi)) {}

ColumnView::~ColumnView() = default;

bool ColumnView::Built() const { return panel != nullptr; }

void ColumnView::Build() {
    const LayoutMeasures& measures = geometry.measures;
    RefreshClientSize(window);
    panel = std::make_unique<OrvoUtility::PanelChildren>(&window);
    panel->left = measures.margin;
    panel->top = measures.margin;
    panel->width = window.width - 2 * measures.margin;
    panel->height = window.height - 2 * measures.margin;
    panel->border = true;
    panel->thinBorder = false;
    panel->SetBackColor(scheme.panelBackground);
    panel->childBackColor = scheme.controlBackground;
    panel->childTextColor = scheme.controlText;
    // Scrolling shows cells and tiles that may not have been made yet; they
    // are made and painted before the user sees the gap.
    auto scrolled = [this](OrvoUtility::PanelChildren* scrolledPanel, std::int32_t) {
        MakeElementsInView();
        if (scrolledPanel->hwnd != nullptr) {
            RedrawWindow(scrolledPanel->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    };
    panel->onVerticalScroll = scrolled;
    panel->onHorizontalScroll = scrolled;
    panel->onDropFiles = handlers.drop;
    HandOverKeys(*panel);
    panel->Create();
    panel->AcceptDroppedFiles();
    Arrange();
}

void ColumnView::UseDpi(std::int32_t newDpi) {
    dpi = newDpi;
    geometry = ColumnGeometry(MeasuresAt(dpi));
    const LayoutMeasures& measures = geometry.measures;
    // The new font reaches every tile before the old one is freed.
    std::unique_ptr<OrvoUtility::FontDescription> newTileFont = OrvoUtility::SystemFontAt(dpi);
    for (const std::unique_ptr<Button>& tile : tiles) {
        tile->font = newTileFont.get();
        tile->iconSize = measures.iconSize;
        tile->ApplyFont();
    }
    for (const std::unique_ptr<CellControl>& cell : cells) cell->fontSize = measures.cellFontHeight;
    tileFont = std::move(newTileFont);
}

void ColumnView::Rescale(std::int32_t oldDpi, std::int32_t newDpi) {
    if (!Built()) return;
    contentWidth = OrvoUtility::ScaleForDpi(640, newDpi);
    contentHeight = OrvoUtility::ScaleForDpi(480, newDpi);
    POINT view = panel->ScrollPosition();
    LayOutAgain(POINT{MulDiv(view.x, newDpi, oldDpi), MulDiv(view.y, newDpi, oldDpi)},
                std::nullopt);
}

void ColumnView::Fit() {
    RefreshClientSize(window);
    if (panel == nullptr) return;
    const LayoutMeasures& measures = geometry.measures;
    std::int32_t panelWidth = window.width - 2 * measures.margin;
    std::int32_t panelHeight = window.height - 2 * measures.margin;
    // A panel of the right size is not resized, which would repaint every
    // tile in view.
    RECT frame;
    if (panel->created && GetWindowRect(panel->hwnd, &frame) &&
        frame.right - frame.left == panelWidth && frame.bottom - frame.top == panelHeight) {
        panel->width = panelWidth;
        panel->height = panelHeight;
    } else {
        panel->Resize(panelWidth, panelHeight);
    }
    MakeElementsInView();
}

void ColumnView::UpdateScrollBars() {
    RefreshClientSize(*panel);
    if (panel->width < contentWidth) {
        panel->SetHorizontalScrollBar(true);
        panel->SetHorizontalRange(contentWidth);
    } else {
        // A bar that goes takes only its own direction back to the start:
        // the view stays put in the other.
        panel->ScrollToLeft();
        panel->SetHorizontalScrollBar(false);
    }
    // The horizontal bar may have taken some of the height.
    RefreshClientSize(*panel);
    if (panel->height < contentHeight) {
        panel->SetVerticalScrollBar(true);
        panel->SetVerticalRange(contentHeight);
    } else {
        panel->ScrollToTop();
        panel->SetVerticalScrollBar(false);
    }
}

void ColumnView::MakeElementsInView() {
    if (Built()) MakeMissingElements(false);
}

void ColumnView::LayOutAgain(POINT view, std::optional<std::int32_t> revealed) {
    Arrange();
    Fit();
    UpdateScrollBars();
    panel->ScrollTo(view.x, view.y);
    if (revealed.has_value()) ScrollIntoView(geometry.NewestPlaceIn(catalogue, *revealed));
    MakeElementsInView();
}

void ColumnView::Arrange() {
    // Windows that stay are moved out of the way before new ones are made, so
    // that a new window never paints over one that is about to move.
    MoveMadeElements(ShownContent());
    MakeMissingElements(itemOf.empty());
    const LayoutMeasures& measures = geometry.measures;
    std::int32_t columns = static_cast<std::int32_t>(catalogue.categories.size());
    contentWidth = std::max<std::int32_t>(contentWidth,
                                          geometry.AddCategoryBox(columns).right + measures.margin);
    contentHeight = std::max(contentHeight, geometry.ContentBottom(catalogue));
}

POINT ColumnView::ScrollPosition() const { return panel->ScrollPosition(); }

RECT ColumnView::ShownContent() const {
    // Everything, when the panel cannot tell what it shows.
    RECT shown{0, 0, std::numeric_limits<std::int32_t>::max() / 2,
               std::numeric_limits<std::int32_t>::max() / 2};
    if (panel == nullptr || panel->hwnd == nullptr || !GetClientRect(panel->hwnd, &shown)) {
        return shown;
    }
    POINT at = panel->ScrollPosition();
    OffsetRect(&shown, at.x, at.y);
    return shown;
}

void ColumnView::ScrollIntoView(const RECT& content) {
    RECT client;
    if (panel->hwnd == nullptr || !GetClientRect(panel->hwnd, &client)) return;
    POINT at = panel->ScrollPosition();
    RECT wanted = content;
    InflateRect(&wanted, geometry.measures.margin, geometry.measures.margin);
    if (wanted.right > at.x + client.right) at.x = wanted.right - client.right;
    if (wanted.left < at.x) at.x = std::max<LONG>(wanted.left, 0);
    if (wanted.bottom > at.y + client.bottom) at.y = wanted.bottom - client.bottom;
    if (wanted.top < at.y) at.y = std::max<LONG>(wanted.top, 0);
    panel->ScrollTo(at.x, at.y);
}

const Categoria* ColumnView::ColumnAt(POINT point) const {
    // The panel's client point in content coordinates, wherever it is scrolled.
    RECT shown = ShownContent();
    std::int32_t column =
        geometry.ColumnAt(catalogue, POINT{shown.left + point.x, shown.top + point.y});
    return column >= 0 ? &catalogue.categories[static_cast<std::size_t>(column)] : nullptr;
}

void ColumnView::MoveMadeElements(const RECT& shown) {
    auto move = [this, &shown](const ShownItem& item, const Categoria* category, const App* app,
                               RECT box) {
        GUIElement* element = ElementFor(item);
        if (element == nullptr) return;
        if (item.kind == Place::Header) {
            LabelElement(*element, category->name);
            Describe(*element, item, category->name, nullptr);
        }
        if (item.kind == Place::Tile) {
            Button* tile = static_cast<Button*>(element);
            HICON icon = icons.IconFor(app->pathname);
            if (icon != nullptr && icon != tile->enabledIcon) {
                tile->enabledIcon = icon;
                if (tile->created) InvalidateRect(tile->hwnd, nullptr, FALSE);
            }
            LabelElement(*tile, app->description);
            Describe(*tile, item, app->description, app);
            if (tileTips.Has(tile->hwnd)) ShowTileTip(*tile, *app);
        }
        // Placed where the view is now: a window's place never grows with
        // the content, however long the columns.
        OffsetRect(&box, -shown.left, -shown.top);
        PlaceElement(*element, box);
    };
    geometry.ForEachPlace(catalogue, move);
}

void ColumnView::MakeMissingElements(bool inOrder) {
    RECT shown = ShownContent();
    RetireFarElements(shown);
    // Coming into view later, an element takes its place in the tab order
    // after the one before it in the layout, as if it had been made at start.
    HWND previous = nullptr;
    auto make = [&](const ShownItem& item, const Categoria* category, const App* app,
                    const RECT& box) {
        GUIElement* element = ElementFor(item);
        if (element == nullptr && Overlap(box, shown)) {
            element = Make(item, category, app);
            // The shown part's corner stands at the panel's client origin.
            element->left = box.left - shown.left;
            element->top = box.top - shown.top;
            element->Create();
            if (!inOrder && element->hwnd != nullptr) {
                SetWindowPos(element->hwnd, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        if (element != nullptr && element->hwnd != nullptr) previous = element->hwnd;
    };
    geometry.ForEachPlace(catalogue, make);
}

GUIElement* ColumnView::ElementFor(const ShownItem& item) const {
    switch (item.kind) {
        case Place::Header:
            return Found(headerOf, item.categoryId);
        case Place::Tile:
            return Found(tileOf, item.recordId);
        case Place::AddCell:
            return Found(addCellOf, item.categoryId);
        case Place::AddCategory:
            return addCategoryCell;
        case Place::Import:
            return importCell;
    }
    return nullptr;
}

GUIElement* ColumnView::TileOf(const App& app) const { return Found(tileOf, app.id); }

GUIElement* ColumnView::HeaderOf(const Categoria& category) const {
    return Found(headerOf, category.id);
}

GUIElement* ColumnView::AddCellOf(const Categoria& category) const {
    return Found(addCellOf, category.id);
}

const App* ColumnView::AppOf(const GUIElement* tile) const {
    const ShownItem* item = ItemOf(tile);
    return item != nullptr && item->kind == Place::Tile
               ? catalogue.FindApp({item->categoryId, item->recordId})
               : nullptr;
}

const ShownItem* ColumnView::ItemOf(const GUIElement* element) const {
    auto found = itemOf.find(element);
    return found != itemOf.end() ? &found->second : nullptr;
}

}  // namespace MyApp
