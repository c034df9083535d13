// The launcher's main window: the catalogue shown as category columns of tiles
// on one scrolling panel, the close question, and the resize timer that makes
// the scroll bars follow the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalogue.h"
#include "catalogue_change.h"
#include "catalogue_file.h"
#include "font_description.h"
#include "form.h"
#include "formmain_keyboard.h"
#include "formmain_shared.h"
#include "formordina.h"
#include "icon_extractor.h"
#include "scoped_gdi.h"
#include "tool_tip.h"

namespace OrvoUtility {
class Button;
class CellControl;
class Child;
class FolderWatcher;
class FontDescription;
class FormAbout;
class Menu;
class MenuBar;
class PanelChildren;
class SubMenu;
class Timer;
}  // namespace OrvoUtility

namespace MyApp {

class FormApp;
class FormCategoria;
class FormOrdina;

class FormMain : public OrvoUtility::Form {
public:
    FormMain(HINSTANCE instance, const std::string& title);
    ~FormMain() override;

    HBRUSH OnControlColor(HDC dc) override;

    // The form-level operations, in this order.
    virtual void HandleLoad();
    virtual bool HandleClosing();
    virtual void HandleDialogClosed(OrvoUtility::Form* dialog);
    virtual void HandleResize();
    virtual void HandleTimer();
    virtual bool HandleChar(std::int32_t character);
    virtual void HandleKeyDown(std::int32_t key);
    virtual void HandleMenuCommand(OrvoUtility::SubMenu* item);
    virtual void HandleChildMouseDown(OrvoUtility::Child* child);
    virtual void HandleChildRightUp(OrvoUtility::Child* child, std::int32_t x, std::int32_t y);
    virtual void HandleTileClick(OrvoUtility::GUIElement* element);

    // The menu bar and the two context menus.
    void BuildMenus();
    // The commands of the menus that open no dialog.
    void Exit();
    void OpenHomePage();
    void OpenGuidePage();

    // Each opener replaces the previous dialog of its class with a new one,
    // shown without taking the activation; the main form waits disabled.
    void OpenAddApp(std::int32_t categoryId);
    void OpenEditApp();
    void OpenAddCategory();
    void OpenRenameCategory();
    void OpenReorderApps();
    void OpenReorderCategories();
    // Replaces the reorder dialog with one listing these entries.
    void OpenReorderDialog(std::vector<std::int32_t> ids, std::vector<std::string> texts,
                           ReorderList listKind);
    void ShowAbout();
    // Frees the previous dialog of the class, opens a new one with this title
    // and reports its closing to HandleDialogClosed.
    template <typename Dialog>
    Dialog& Replace(MainWindowParts::DialogSlot<Dialog>& slot, const std::string& title);

    // The column whose header, tiles or "+ aggiungi App" cell stand at this
    // point of the panel's client area; null between and below columns.
    Categoria* ColumnAt(POINT point);
    // Files dropped on the panel: each becomes an entry of the column there.
    void HandleDroppedFiles(const std::vector<std::wstring>& paths, POINT point);

    // The deletions of the context menus, each after a question.
    void DeleteContextCategory();
    void DeleteContextApp();

    // The panel with the "+ aggiungi categoria" cell, then the columns.
    void BuildPanel();
    // The entry or the category of the cell or tile last right-clicked; null
    // when none is, or it is gone.
    App* ContextApp();
    // The entry a tile shows; null for any other element, or when it is gone.
    App* AppOf(const OrvoUtility::GUIElement* tile);
    Categoria* ContextCategory();
    // The cell or tile made for this part of the catalogue; null until it is made.
    OrvoUtility::GUIElement* ElementFor(const MainWindowParts::ShownItem& item) const;
    OrvoUtility::GUIElement* TileOf(const App& app) const;
    OrvoUtility::GUIElement* HeaderOf(const Categoria& category) const;
    OrvoUtility::GUIElement* AddCellOf(const Categoria& category) const;
    // What a made cell or tile stands for; null for any other element.
    const MainWindowParts::ShownItem* ItemOf(const OrvoUtility::GUIElement* element) const;
    // The handlers a cell or tile reports its clicks through.
    OrvoUtility::MouseButtonHandler ChildLeftDown();
    OrvoUtility::MouseButtonHandler ChildRightUp();
    // Moves every cell and tile to its place and makes those not made yet
    // that come into view; the panel must be scrolled to its origin.
    void BuildColumns();
    // Makes the cells and tiles that the panel now shows for the first time,
    // after a scroll or a larger window: a large catalogue costs at start
    // only what fits on the screen.
    void CreateElementsInView();
    // Moves and re-labels the cells and tiles made before, where they changed.
    void MoveMadeElements();
    // Makes the missing cells and tiles that the panel shows; `atOrigin` when
    // the panel is known to be scrolled to its origin.
    void MakeMissingElements(bool atOrigin);
    // The part of the content the panel shows, in content coordinates.
    RECT ShownContent(bool atOrigin);
    std::unique_ptr<OrvoUtility::CellControl> NewHeaderCell(const Categoria& category);
    std::unique_ptr<OrvoUtility::CellControl> NewAddAppCell(const Categoria& category);
    std::unique_ptr<OrvoUtility::Button> NewTile(const App& app);
    // The tile's tooltip tells the whole entry: description, pathname and
    // parameters.
    void ShowTileTip(OrvoUtility::GUIElement& tile, const App& app);
    // A deleted entry's tile loses its tooltip and its window.
    void DestroyTileWindow(OrvoUtility::GUIElement* tile);
    // The tile icon for a pathname: extracted once per pathname, on a worker
    // thread; until it is found, and when there is none, the web or the program
    // icon of the resources.
    HICON IconFor(const std::string& pathname);
    // Takes the icons the worker found and shows them on their tiles.
    void HandleIconAnswers();
    // Every change of the catalogue: applied, written to app.txt (onto what
    // another program may have left there meanwhile) and shown, keeping the
    // view and bringing a new entry or column into it.
    void Commit(const CatalogueChange& change);
    // The cells and tiles of the catalogue as it is now.
    // The windows of the cells and tiles whose part of the catalogue is gone go.
    void ForgetElementsNotShown();
    // Another program changed app.txt: what it holds now becomes the
    // catalogue, with the changes app.txt does not hold yet applied to it;
    // false when it cannot be read now.
    bool TakeOutsideChange();
    // Something changed in the data folder; shown when the window is idle,
    // else looked at again a moment later.
    void HandleFolderChanged();
    // False when the look had to be put off: a dialog, a box or a menu is open.
    bool LookForOutsideChange();
    // Log-off or shutdown: false, with the reason Windows shows, while a
    // change cannot be saved.
    bool HandleQueryEndSession();
    // A second start of the program: this window comes to the front, restored
    // and ready for typing.
    void ComeForward();
    // Moves every cell and tile to its place, then scrolls to `view` (content
    // coordinates) as far as the extent allows and shows `reveal` when given.
    void LayOutAgain(POINT view, const RECT* reveal);
    // The window now shows at another DPI: it takes the suggested rectangle
    // and is laid out again, with fonts and tile icons at the new size.
    void HandleDpiChanged(std::int32_t newDpi, const RECT& suggested);
    // The measures and fonts of the layout at this DPI, given to every cell
    // and tile made so far.
    void UseDpi(std::int32_t newDpi);
    // Lets go of every icon taken at the previous size; the next layout asks
    // for them again.
    void ForgetIcons();
    // The scroll bars for the content's extent, as the resize timer sets them.
    void UpdateScrollBars();
    // Scrolls the least that shows this part of the content.
    void ScrollIntoView(const RECT& content);
    // Where the newest entry of the category stands, or its header and
    // "+ aggiungi App" cell when it has none, in content coordinates.
    RECT NewestPlaceIn(std::int32_t categoryId);
    // Writes app.txt unless the file was not read whole or its folder cannot
    // be reached; a failure leaves the changes pending and, when asked to,
    // tells the user once per run of failures.
    void SaveChanges(bool reportFailure);
    // Writes app.txt as the window shows it; false, with the reason in
    // unsavedReason, when the save failed.
    bool WriteCatalogue();
    // What the last load or save has to tell, shown once the window shows
    // the catalogue it is about.
    void TellNotices();
    // Takes in what a load says of the file: why it may not be written, and
    // the lines it could not read.
    void TellOfLoad(const LoadResult& loaded);
    // Watching the data folder starts once the catalogue is shown.
    void WatchDataFolder();

    // Finding by typing and the keyboard. Keys typed on any cell or tile reach
    // the form through these handlers, whichever of them has the focus.
    OrvoUtility::KeyHandler KeysToForm();
    OrvoUtility::CharHandler CharsToForm();
    void ForwardKeys(OrvoUtility::GUIElement* element);
    // A navigation or launch key; false when the key is not the form's.
    bool TakeKey(std::int32_t key);
    // The typed text in the title after the usual one.
    void ShowFindText(bool found);
    // The description as finding compares it, folded once per text.
    const std::wstring& FoldedDescription(const std::string& description);
    ColumnLengths Columns() const;
    bool SelectedPlace(TilePlace& place) const;
    OrvoUtility::GUIElement* ElementAtPlace(TilePlace place);
    void SelectFirst();
    // Selects the header or tile, scrolls it into view and draws it selected.
    void Select(TilePlace place);
    // Draws the header or tile of this item selected and every other one not.
    void MarkSelected(const MainWindowParts::ShownItem& item);
    void LaunchSelected();
    void OpenSelectedMenu();

    // The last dialog of each class; kept after its window is gone until the
    // next one of the class replaces it.
    MainWindowParts::DialogSlot<OrvoUtility::FormAbout> aboutBox;
    MainWindowParts::DialogSlot<FormCategoria> categoryDialog;
    MainWindowParts::DialogSlot<FormApp> appDialog;
    MainWindowParts::DialogSlot<FormOrdina> orderDialog;
    // The bar's menu handle belongs to the window; the objects to the form.
    std::unique_ptr<OrvoUtility::MenuBar> menuBar;
    std::unique_ptr<OrvoUtility::Menu> fileMenu;
    std::unique_ptr<OrvoUtility::SubMenu> exitItem;
    std::unique_ptr<OrvoUtility::Menu> helpMenu;
    std::unique_ptr<OrvoUtility::SubMenu> homeItem;
    std::unique_ptr<OrvoUtility::SubMenu> guideItem;
    std::unique_ptr<OrvoUtility::SubMenu> infoItem;
    std::unique_ptr<OrvoUtility::Menu> categoryMenu;
    std::unique_ptr<OrvoUtility::SubMenu> renameCategoryItem;
    std::unique_ptr<OrvoUtility::SubMenu> deleteCategoryItem;
    std::unique_ptr<OrvoUtility::SubMenu> moveCategoryItem;
    std::unique_ptr<OrvoUtility::Menu> appMenu;
    std::unique_ptr<OrvoUtility::SubMenu> editAppItem;
    std::unique_ptr<OrvoUtility::SubMenu> deleteAppItem;
    std::unique_ptr<OrvoUtility::SubMenu> moveAppItem;
    // The cell or tile last right-clicked, which the context commands act on;
    // not owned.
    OrvoUtility::GUIElement* contextTarget;
    // The elements below go after the window, which ~FormMain destroys with
    // its children first; a deleted cell or tile keeps its element until then.
    std::unique_ptr<OrvoUtility::PanelChildren> tilePanel;
    // The layout's measures at the form's `dpi`.
    MainWindowParts::LayoutMeasures measures;
    std::int32_t contentWidth;
    std::int32_t contentHeight;
    Catalogue catalogue;
    std::unique_ptr<OrvoUtility::CellControl> addCategoryCell;
    std::vector<std::unique_ptr<OrvoUtility::CellControl>> addAppCells;
    std::vector<std::unique_ptr<OrvoUtility::CellControl>> categoryCells;
    std::vector<std::unique_ptr<OrvoUtility::Button>> tiles;
    // One tooltip control for every tile.
    OrvoUtility::ToolTip tileTips;
    // Found icons by pathname.
    std::unordered_map<std::string, OrvoUtility::OwnedIcon> iconCache;
    // Every pathname looked up in this run, found or not.
    std::unordered_set<std::string> iconLookups;
    // Declared after the cache, so that it stops first: no found icon
    // arrives once the cache is gone.
    std::unique_ptr<IconExtractor> iconExtractor;
    OrvoUtility::OwnedIcon programIcon;
    OrvoUtility::OwnedIcon webIcon;
    std::unique_ptr<OrvoUtility::Timer> resizeTimer;
    // Set while HandleTimer runs, so that it never nests.
    bool timerBusy = false;
    CatalogueFile catalogueFile;
    // The message for a file not read whole; empty when it was.
    std::string loadProblemText;
    // The changes the window shows but app.txt does not hold, and why.
    std::vector<CatalogueChange> pendingChanges;
    std::string unsavedReason;
    bool saveFailureShown = false;
    bool backupFailureShown = false;
    bool sessionEndHeld = false;
    // Messages waiting for TellNotices.
    std::vector<std::string> notices;
    // Tells of changes in the data folder; looking is put off while a dialog
    // or a menu is open, and done once more a moment after each change, for
    // a writer that held the file when it was first looked at.
    std::unique_ptr<OrvoUtility::FolderWatcher> folderWatcher;
    std::unique_ptr<OrvoUtility::Timer> folderTimer;
    // The title without the typed text.
    std::string baseTitle;
    // What the user has typed to find a tile.
    std::string findText;
    // The first half of a character typed beyond the BMP, until the second comes.
    wchar_t typedHighSurrogate = 0;
    std::unordered_map<std::string, std::wstring> foldedDescriptions;
    // The selected header or tile; none at start.
    std::optional<MainWindowParts::ShownItem> selected;
    // The cells and tiles made so far, by what they show, and back.
    std::unordered_map<std::int32_t, OrvoUtility::GUIElement*> headerOf;   // by category id
    std::unordered_map<std::int32_t, OrvoUtility::GUIElement*> addCellOf;  // by category id
    std::unordered_map<std::int32_t, OrvoUtility::GUIElement*> tileOf;     // by record id
    std::unordered_map<const OrvoUtility::GUIElement*, MainWindowParts::ShownItem> itemOf;
    // The form's own font, which `font` points to, and the tiles' caption
    // font, both at the window's DPI.
    std::unique_ptr<OrvoUtility::FontDescription> formFont;
    std::unique_ptr<OrvoUtility::FontDescription> tileFont;
};

}  // namespace MyApp
