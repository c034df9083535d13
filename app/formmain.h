// The launcher's main window: it puts together the catalogue's store, the
// column view, the tile icons, the menus and the dialogs, and hands each
// event of the window to the one it belongs to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "column_geometry.h"
#include "form.h"

namespace OrvoUtility {
class Child;
class FolderWatcher;
class FontDescription;
class HotKey;
class SubMenu;
class Timer;
}  // namespace OrvoUtility

namespace MyApp {

class Catalogue;
class CatalogueChange;
class CatalogueStore;
class ColumnView;
class DialogHost;
class MainMenus;
class TileIcons;
class TypedFinder;

class FormMain : public OrvoUtility::Form {
public:
    FormMain(HINSTANCE instance, const std::string& title);
    ~FormMain() override;

    HBRUSH OnControlColor(HDC dc) override;

    // The window's handler operations.
    virtual void HandleLoad();
    virtual bool HandleClosing();
    virtual void HandleResize();
    // The resize timer: the scroll bars follow the window.
    virtual void HandleTimer();
    virtual bool HandleChar(std::int32_t character);
    virtual void HandleKeyDown(std::int32_t key);
    virtual void HandleMenuCommand(OrvoUtility::SubMenu* item);
    virtual void HandleChildMouseDown(OrvoUtility::Child* child);
    virtual void HandleChildRightUp(OrvoUtility::Child* child, std::int32_t x, std::int32_t y);
    virtual void HandleTileClick(OrvoUtility::GUIElement* element);

    // Every change of the catalogue: applied, written to app.txt and shown,
    // keeping the view and bringing a new entry or column into it.
    void Commit(const CatalogueChange& change);

    // The system's colours while high contrast is on, the launcher's own otherwise.
    void UseHighContrast(bool on);

    const Catalogue& CatalogueShown() const;
    const ColumnView& View() const { return *view; }
    TileIcons& Icons() const { return *icons; }

private:
    // The messages of the icon worker, of the folder watcher and of a second start.
    void HandleAppMessage(UINT message);
    // The catalogue as the store now holds it, laid out again with the view
    // kept; then whatever the store has to tell.
    void ShowCatalogue(POINT viewAt, std::optional<std::int32_t> revealed);
    // False when the look had to be put off: a dialog, a box or a menu is open.
    bool LookForOutsideChange();
    // Log-off or shutdown: false, with the reason Windows shows, while a
    // change cannot be saved.
    bool HandleQueryEndSession();
    // The window now shows at another DPI: it takes the suggested rectangle
    // and is laid out again, with fonts and tile icons at the new size.
    void HandleDpiChanged(std::int32_t newDpi, const RECT& suggested);
    // A navigation or launch key; false when the key is not the window's.
    bool TakeKey(std::int32_t key);
    // The deletions of the context menus, each after a question.
    void DeleteContextTarget();
    // The shortcuts of the Start menu the catalogue lacks become its entries.
    void ImportStartMenu();

    std::string baseTitle;
    // The form's own font, which `font` points to, at the window's DPI.
    std::unique_ptr<OrvoUtility::FontDescription> formFont;
    std::unique_ptr<CatalogueStore> store;
    std::unique_ptr<TileIcons> icons;
    std::unique_ptr<TypedFinder> finder;
    // The cell or tile last right-clicked, which the context commands act on.
    std::optional<ShownItem> contextTarget;
    std::unique_ptr<MainMenus> menus;
    std::unique_ptr<OrvoUtility::Timer> resizeTimer;
    // Ticks once the first paint is done: no timer message comes while a
    // paint waits. Then the tiles' own icons are looked up.
    std::unique_ptr<OrvoUtility::Timer> iconTimer;
    // Set while HandleTimer runs, so that it never nests.
    bool timerBusy = false;
    // Tells of changes in the data folder; looking is put off while a dialog
    // or a menu is open, and done once more a moment after each change, for
    // a writer that held the file when it was first looked at.
    std::unique_ptr<OrvoUtility::FolderWatcher> folderWatcher;
    std::unique_ptr<OrvoUtility::Timer> folderTimer;
    bool sessionEndHeld = false;
    // Ctrl+Alt+Z, from any program; null when another program holds it.
    std::unique_ptr<OrvoUtility::HotKey> hotKey;
    // After the store and the icons, which it shows, and before the dialogs,
    // which close first.
    std::unique_ptr<ColumnView> view;
    std::unique_ptr<DialogHost> dialogs;
};

}  // namespace MyApp
