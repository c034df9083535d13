// The main window's commands: the menus, the cells' and tiles' clicks, the
// keyboard and finding by typing.
#include "catalogue_store.h"
#include "column_view.h"
#include "dialog_host.h"
#include "entry_commands.h"
#include "formmain.h"
#include "locale_text.h"
#include "main_menus.h"
#include "menu.h"
#include "panel.h"
#include "product_info.h"
#include "shell.h"
#include "start_menu_import.h"
#include "start_menu_shortcuts.h"
#include "start_with_windows.h"
#include "target_address.h"
#include "text.h"
#include "typed_finder.h"

namespace MyApp {

using OrvoUtility::Child;
using OrvoUtility::GUIElement;

namespace {

std::string QuotedInCapitals(const std::string& text) {
    return "\"" + Common::WideToNarrow(OrvoUtility::UpperCase(Common::NarrowToWide(text))) + "\"?";
}

}  // namespace

void FormMain::HandleMenuCommand(OrvoUtility::SubMenu* item) {
    std::optional<MenuCommand> command = menus->CommandOf(*item);
    if (!command.has_value()) return;
    const std::int32_t category = contextTarget.has_value() ? contextTarget->categoryId : 0;
    const App* app = contextTarget.has_value() && contextTarget->kind == ShownItem::Kind::Tile
                         ? store->Shown().FindApp({category, contextTarget->recordId})
                         : nullptr;
    switch (*command) {
        case MenuCommand::ImportStartMenu:
            ImportStartMenu();
            break;
        case MenuCommand::StartWithWindows: {
            const bool on = !StartsWithWindows();
            std::uint32_t error = 0;
            if (!SetStartWithWindows(on, &error)) {
                OrvoUtility::ShowError(this,
                                       std::string(on ? "Impossibile avviare Zelmivo con Windows."
                                                      : "Impossibile togliere Zelmivo dai "
                                                        "programmi avviati con Windows.") +
                                           "\r\n\r\n" + SystemErrorText(error),
                                       "Errore");
            }
            item->SetChecked(StartsWithWindows());
            break;
        }
        case MenuCommand::Exit:
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
            break;
        case MenuCommand::Guide:
            OrvoUtility::OpenWithShell(std::string(productWebAddress) + "/" + productName + ".asp");
            break;
        case MenuCommand::Home:
            OrvoUtility::OpenWithShell(productWebAddress);
            break;
        case MenuCommand::About:
            dialogs->ShowAbout();
            break;
        case MenuCommand::RenameCategory:
            dialogs->OpenRenameCategory(category);
            break;
        case MenuCommand::MoveCategory:
            dialogs->OpenReorderCategories();
            break;
        case MenuCommand::EditApp:
            if (contextTarget.has_value()) {
                dialogs->OpenEditApp({contextTarget->categoryId, contextTarget->recordId});
            }
            break;
        case MenuCommand::MoveApp:
            dialogs->OpenReorderApps(category);
            break;
        case MenuCommand::DeleteCategory:
        case MenuCommand::DeleteApp:
            DeleteContextTarget();
            break;
        case MenuCommand::OpenFolder:
            if (app != nullptr) OpenEntryFolder(*this, *app);
            break;
        case MenuCommand::RunAsAdministrator:
            if (app != nullptr) LaunchEntry(*this, *app, "runas");
            break;
        case MenuCommand::CopyPath:
            if (app != nullptr) CopyEntryPath(*this, *app);
            break;
    }
}

void FormMain::HandleChildMouseDown(Child* child) {
    const ShownItem* item = view->ItemOf(child);
    if (item == nullptr) return;
    if (item->kind == ShownItem::Kind::AddCategory) dialogs->OpenAddCategory();
    if (item->kind == ShownItem::Kind::Import) ImportStartMenu();
    if (item->kind == ShownItem::Kind::AddCell) dialogs->OpenAddApp(item->categoryId);
}

void FormMain::HandleChildRightUp(Child* child, std::int32_t x, std::int32_t y) {
    const ShownItem* item = view->ItemOf(child);
    if (item == nullptr) return;
    // Set first: the picked command arrives after the menu has closed.
    contextTarget = *item;
    // Header cells carry their category's menu; tiles their entry's, whose
    // folder a web or mail address has none of.
    OrvoUtility::Menu& menu =
        item->kind == ShownItem::Kind::Header ? menus->CategoryMenu() : menus->AppMenu();
    const App* app = view->AppOf(child);
    menus->Item(MenuCommand::OpenFolder)
        .SetEnabled(app != nullptr && !IsSchemeAddress(app->pathname));
    POINT point{x, y};
    ClientToScreen(child->hwnd, &point);
    OrvoUtility::ShowPopup(&menu, child->parent, point.x, point.y);
}

void FormMain::HandleTileClick(GUIElement* element) {
    const App* app = view->AppOf(element);
    if (app != nullptr) LaunchEntry(*this, *app, "open");
}

void FormMain::DeleteContextTarget() {
    if (!contextTarget.has_value()) return;
    const ShownItem target = *contextTarget;
    const Catalogue& catalogue = store->Shown();
    std::int32_t column = catalogue.FindCategory(target.categoryId);
    if (column < 0) return;
    const Categoria& category = catalogue.categories[static_cast<std::size_t>(column)];
    if (target.kind == ShownItem::Kind::Header) {
        std::string question =
            "Si desidera realmente cancellare la categoria " + QuotedInCapitals(category.name);
        if (!OrvoUtility::AskYesNoFor(this, question, "Conferma")) return;
        // Looked up again: the catalogue may have changed while the box was open.
        column = store->Shown().FindCategory(target.categoryId);
        if (column >= 0) {
            Commit(CatalogueChange::DeleteCategory(
                store->Shown().categories[static_cast<std::size_t>(column)]));
        }
        return;
    }
    const App* app = catalogue.FindApp({target.categoryId, target.recordId});
    if (app == nullptr) return;
    std::string question =
        "Si desidera realmente cancellare il pulsante " + QuotedInCapitals(app->description);
    if (!OrvoUtility::AskYesNoFor(this, question, "Conferma")) return;
    app = store->Shown().FindApp({target.categoryId, target.recordId});
    if (app != nullptr) Commit(CatalogueChange::DeleteApp(store->Shown(), *app));
}

void FormMain::ImportStartMenu() {
    std::optional<CatalogueChange> imported =
        StartMenuImport(ListStartMenuShortcuts(), store->Shown());
    if (imported.has_value()) {
        Commit(*imported);
        return;
    }
    OrvoUtility::ShowInformation(this,
                                 "Nel menu Start non ci sono collegamenti che il catalogo non "
                                 "contenga già.",
                                 "Importa dal menu Start");
}

void FormMain::HandleKeyDown(std::int32_t key) { TakeKey(key); }

bool FormMain::TakeKey(std::int32_t key) {
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    std::optional<TilePlace> selected = view->SelectedPlace();
    KeyStep step = StepForKey(key, shift, ColumnsOf(store->Shown()), selected);
    GUIElement* element = selected.has_value() ? view->ElementAt(*selected) : nullptr;
    switch (step.kind) {
        case KeyStep::Kind::NotMine:
            return false;
        case KeyStep::Kind::Taken:
            return true;
        case KeyStep::Kind::Move:
            view->Select(step.place);
            return true;
        case KeyStep::Kind::Launch:
            if (element == nullptr || selected->row < 0) return true;
            finder->Clear();
            SetTextNarrow(finder->Title(baseTitle, true));
            HandleTileClick(element);
            return true;
        case KeyStep::Kind::OpenMenu:
            if (element != nullptr && element->hwnd != nullptr) {
                HandleChildRightUp(static_cast<Child*>(element), 0, element->height);
            }
            return true;
    }
    return false;
}

bool FormMain::HandleChar(std::int32_t character) {
    TypedFinder::Step step = finder->Type(character, store->Shown());
    switch (step.kind) {
        case TypedFinder::Step::Kind::Ignored:
            return step.passOn;
        case TypedFinder::Step::Kind::Held:
            return false;
        case TypedFinder::Step::Kind::Launch:
            TakeKey(VK_RETURN);
            return false;
        case TypedFinder::Step::Kind::Searched:
            if (step.match.has_value()) view->Select(*step.match);
            SetTextNarrow(finder->Title(baseTitle, step.match.has_value() || finder->Empty()));
            return false;
    }
    return false;
}

}  // namespace MyApp
