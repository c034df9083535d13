// The catalogue shown as category columns of tiles on one scrolling panel:
// the layout, the cells and tiles made as they come into view, the scroll
// bars and the view kept across changes, the tooltips, and the selection as
// it is drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue.h"
#include "colour_scheme.h"
#include "column_geometry.h"
#include "gui_element.h"
#include "tile_navigation.h"
#include "tool_tip.h"

namespace OrvoUtility {
class Button;
class CellControl;
class FontDescription;
class Form;
class PanelChildren;
}  // namespace OrvoUtility

namespace MyApp {

class TileIcons;

// Where the cells and tiles report what the user does with them.
struct ColumnViewHandlers {
    // A press on a "+ aggiungi" cell.
    OrvoUtility::MouseButtonHandler leftDown;
    // A right click on a header or a tile.
    OrvoUtility::MouseButtonHandler rightUp;
    OrvoUtility::CommandHandler tileClick;
    // Keys and characters typed while a cell, a tile or the panel has the focus.
    OrvoUtility::KeyHandler keys;
    OrvoUtility::CharHandler chars;
    // Files dropped on the panel, at a point of its client area.
    std::function<void(const std::vector<std::wstring>& paths, POINT point)> drop;
};

class ColumnView {
public:
    ColumnView(OrvoUtility::Form& window, const Catalogue& catalogue, TileIcons& icons,
               ColumnViewHandlers handlers);
    ~ColumnView();
    ColumnView(const ColumnView&) = delete;
    ColumnView& operator=(const ColumnView&) = delete;

    // The panel with the "+ aggiungi categoria" cell, then the columns in view.
    void Build();
    bool Built() const;
    // The measures and fonts of the layout at this DPI, given to every cell
    // and tile made so far.
    void UseDpi(std::int32_t dpi);
    // The colours every cell and tile paints with from now on.
    void UseScheme(const ColourScheme& colours);
    const ColourScheme& Scheme() const { return scheme; }
    // The window shows at another DPI: the extent is measured anew and the
    // view keeps the same part of the content.
    void Rescale(std::int32_t oldDpi, std::int32_t newDpi);
    // The panel takes the window's client area, and what comes into view is made.
    void Fit();
    // The scroll bars for the content's extent, as the resize timer sets them.
    void UpdateScrollBars();
    // Makes the cells and tiles that the panel shows for the first time,
    // after a scroll or a larger window: a large catalogue costs at start
    // only what fits on the screen.
    void MakeElementsInView();
    // Moves every cell and tile to its place, then scrolls to `view`
    // (content coordinates) as far as the extent allows and shows the newest
    // place of `revealed` when given.
    void LayOutAgain(POINT view, std::optional<std::int32_t> revealed);
    POINT ScrollPosition() const;
    // The windows of the cells and tiles whose part of the catalogue is gone go.
    void ForgetElementsNotShown();
    // Shows on their tiles the icons found since.
    void RefreshIcons();
    // Every tile lets go of its icon, to take it again at a new size.
    void DropIcons();
    // The category whose column stands at this point of the panel's client
    // area; null between and below columns.
    const Categoria* ColumnAt(POINT point) const;

    // Selects the header or tile, scrolls it into view and draws it selected;
    // a tile takes the focus, so that the system and its tools see the choice.
    void Select(TilePlace place);
    std::optional<TilePlace> SelectedPlace() const;

    // The cell or tile made for this part of the catalogue; null until it is made.
    OrvoUtility::GUIElement* ElementFor(const ShownItem& item) const;
    OrvoUtility::GUIElement* TileOf(const App& app) const;
    OrvoUtility::GUIElement* HeaderOf(const Categoria& category) const;
    OrvoUtility::GUIElement* AddCellOf(const Categoria& category) const;
    OrvoUtility::GUIElement* ElementAt(TilePlace place) const;
    // What a made cell or tile stands for; null for any other element.
    const ShownItem* ItemOf(const OrvoUtility::GUIElement* element) const;
    // The entry a tile shows; null for any other element, or when it is gone.
    const App* AppOf(const OrvoUtility::GUIElement* tile) const;

    OrvoUtility::PanelChildren& Panel() const { return *panel; }
    // The "+ aggiungi categoria" cell; null while it is far out of view.
    OrvoUtility::GUIElement* AddCategoryCell() const { return addCategoryCell; }
    const OrvoUtility::FontDescription& TileFont() const { return *tileFont; }
    // The tooltip control of the tiles; null until a tip was shown.
    HWND TipsWindow() const { return tileTips.window; }

private:
    // Moves every cell and tile to its place where the panel is scrolled now,
    // and makes those not made yet that come into view.
    void Arrange();
    // Moves and re-labels the cells and tiles made before, where they changed.
    void MoveMadeElements(const RECT& shown);
    // Makes the missing cells and tiles that the panel shows; `inOrder` when
    // they come in the layout's order, after every one made before.
    void MakeMissingElements(bool inOrder);
    // Cells and tiles far out of view lose their windows, so that the window
    // count stays within a few screens whatever the catalogue's size and
    // however far the user scrolls. The selected one and the focused one stay.
    void RetireFarElements(const RECT& shown);
    // The element loses its window at once and leaves the maps; the element
    // itself goes at the next retirement, when no handler of it can still be
    // running.
    void Retire(OrvoUtility::GUIElement* element);
    // The part of the content the panel shows, in content coordinates.
    RECT ShownContent() const;
    void ScrollIntoView(const RECT& content);
    OrvoUtility::GUIElement* Make(const ShownItem& item, const Categoria* category, const App* app);
    std::unique_ptr<OrvoUtility::CellControl> NewCell(const std::string& caption);
    // What screen readers say of the element as it is now.
    void Describe(OrvoUtility::GUIElement& element, const ShownItem& item, const std::string& text,
                  const App* app);
    // The cell's colours as the scheme gives them for what it stands for.
    void Paint(OrvoUtility::CellControl& cell, ShownItem::Kind kind) const;
    std::unique_ptr<OrvoUtility::Button> NewTile(const App& app);
    // The tile's tooltip tells the whole entry: description, pathname and
    // parameters.
    void ShowTileTip(OrvoUtility::GUIElement& tile, const App& app);
    void HandOverKeys(OrvoUtility::GUIElement& element);
    // Draws the header or tile of this item selected and every other one not.
    void MarkSelected(const ShownItem& item);

    OrvoUtility::Form& window;
    const Catalogue& catalogue;
    TileIcons& icons;
    ColumnViewHandlers handlers;
    ColumnGeometry geometry;
    ColourScheme scheme;
    std::int32_t dpi;
    std::int32_t contentWidth;
    std::int32_t contentHeight;
    std::optional<ShownItem> selected;
    // One tooltip control for every tile.
    OrvoUtility::ToolTip tileTips;
    // The tiles' caption font, the system font's look at the window's DPI.
    std::unique_ptr<OrvoUtility::FontDescription> tileFont;
    // The elements go after their windows, which the window destroys with
    // its children first; a deleted cell or tile keeps its element until then.
    std::unique_ptr<OrvoUtility::PanelChildren> panel;
    OrvoUtility::GUIElement* addCategoryCell = nullptr;
    OrvoUtility::GUIElement* importCell = nullptr;
    std::vector<std::unique_ptr<OrvoUtility::CellControl>> cells;
    std::vector<std::unique_ptr<OrvoUtility::Button>> tiles;
    std::unordered_map<std::int32_t, OrvoUtility::GUIElement*> headerOf;   // by category id
    std::unordered_map<std::int32_t, OrvoUtility::GUIElement*> addCellOf;  // by category id
    std::unordered_map<std::int32_t, OrvoUtility::GUIElement*> tileOf;     // by record id
    std::unordered_map<const OrvoUtility::GUIElement*, ShownItem> itemOf;
    std::vector<std::unique_ptr<OrvoUtility::GUIElement>> retired;
};

}  // namespace MyApp
