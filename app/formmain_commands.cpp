#include <memory>
#include <utility>

#include "button.h"
#include "formmain.h"
#include "formmain_shared.h"
#include "locale_text.h"
#include "menu.h"
#include "panel.h"
#include "product_info.h"
#include "shell.h"
#include "target_address.h"
#include "text.h"

namespace MyApp {

using namespace MainWindowParts;

namespace {

std::string QuotedInCapitals(const std::string& text) {
    return "\"" + Common::WideToNarrow(OrvoUtility::UpperCase(Common::NarrowToWide(text))) + "\"?";
}

}  // namespace

void FormMain::BuildMenus() {
    // Every item, in the bar or in a context menu, reports to this form.
    auto MenuItem = [this](Menu& menu, const std::string& caption) {
        auto item = std::make_unique<SubMenu>(&menu, caption);
        item->onCommand = [this](SubMenu* chosen) { HandleMenuCommand(chosen); };
        return item;
    };
    menuBar = std::make_unique<OrvoUtility::MenuBar>(this);
    fileMenu = std::make_unique<Menu>("&File", menuBar.get());
    exitItem = MenuItem(*fileMenu, "&Esci");
    helpMenu = std::make_unique<Menu>("&?", menuBar.get());
    guideItem = MenuItem(*helpMenu, "&Guida");
    homeItem = MenuItem(*helpMenu, "&Home");
    infoItem = MenuItem(*helpMenu, "&Info...");
    menuBar->Create();

    categoryMenu = std::make_unique<Menu>("", nullptr);
    renameCategoryItem = MenuItem(*categoryMenu, "&Rinomina");
    deleteCategoryItem = MenuItem(*categoryMenu, "&Cancella");
    moveCategoryItem = MenuItem(*categoryMenu, "&Sposta...");
    categoryMenu->Create();

    appMenu = std::make_unique<Menu>("", nullptr);
    editAppItem = MenuItem(*appMenu, "&Modifica");
    deleteAppItem = MenuItem(*appMenu, "&Cancella");
    moveAppItem = MenuItem(*appMenu, "&Sposta...");
    appMenu->Create();
}

App* FormMain::AppOf(const GUIElement* tile) {
    const ShownItem* item = ItemOf(tile);
    return item != nullptr ? catalogue.FindApp({item->categoryId, item->recordId}) : nullptr;
}

App* FormMain::ContextApp() { return AppOf(contextTarget); }

Categoria* FormMain::ContextCategory() {
    const ShownItem* item = contextTarget != nullptr ? ItemOf(contextTarget) : nullptr;
    std::int32_t index = item != nullptr ? catalogue.FindCategory(item->categoryId) : -1;
    return index >= 0 ? &catalogue.categories[static_cast<std::size_t>(index)] : nullptr;
}

void FormMain::HandleMenuCommand(SubMenu* item) {
    const std::pair<SubMenu*, void (FormMain::*)()> commands[] = {
        {exitItem.get(), &FormMain::Exit},
        {homeItem.get(), &FormMain::OpenHomePage},
        {guideItem.get(), &FormMain::OpenGuidePage},
        {infoItem.get(), &FormMain::ShowAbout},
        {renameCategoryItem.get(), &FormMain::OpenRenameCategory},
        {editAppItem.get(), &FormMain::OpenEditApp},
        {deleteCategoryItem.get(), &FormMain::DeleteContextCategory},
        {deleteAppItem.get(), &FormMain::DeleteContextApp},
        {moveAppItem.get(), &FormMain::OpenReorderApps},
        {moveCategoryItem.get(), &FormMain::OpenReorderCategories},
    };
    for (const auto& command : commands) {
        if (command.first != nullptr && command.first->id == item->id) {
            (this->*command.second)();
            return;
        }
    }
}

void FormMain::Exit() { SendMessageW(hwnd, WM_CLOSE, 0, 0); }

void FormMain::OpenHomePage() { OrvoUtility::OpenWithShell(productWebAddress); }

void FormMain::OpenGuidePage() {
    OrvoUtility::OpenWithShell(std::string(productWebAddress) + "/" + productName + ".asp");
}

void FormMain::HandleChildMouseDown(Child* child) {
    if (child == addCategoryCell.get()) {
        OpenAddCategory();
        return;
    }
    const ShownItem* item = ItemOf(child);
    if (item != nullptr && item->kind == ShownItem::Kind::AddCell) OpenAddApp(item->categoryId);
}

void FormMain::HandleChildRightUp(Child* child, std::int32_t x, std::int32_t y) {
    // Set first: the picked command arrives after the menu has closed.
    contextTarget = child;
    // Header cells carry their category's menu; tiles their entry's.
    const ShownItem* item = ItemOf(child);
    Menu* menu = item != nullptr && item->kind == ShownItem::Kind::Header ? categoryMenu.get()
                                                                          : appMenu.get();
    POINT point{x, y};
    ClientToScreen(child->hwnd, &point);
    OrvoUtility::ShowPopup(menu, child->parent, point.x, point.y);
}

void FormMain::HandleTileClick(GUIElement* element) {
    const App* app = AppOf(element);
    if (app == nullptr) return;
    // Copies: the shell may dispatch messages while it starts the target.
    std::string pathname = app->pathname;
    std::string parameters = app->parameters;
    std::uint32_t error = 0;
    if (!OrvoUtility::LaunchTarget(pathname, parameters, !IsSchemeAddress(pathname), &error)) {
        OrvoUtility::ShowError(
            this, "Impossibile aprire\r\n" + pathname + "\r\n\r\n" + SystemErrorText(error),
            "Errore");
    }
}

void FormMain::DeleteContextCategory() {
    if (contextTarget == nullptr) return;
    std::string question = "Si desidera realmente cancellare la categoria " +
                           QuotedInCapitals(contextTarget->GetTextNarrow());
    if (!OrvoUtility::AskYesNoFor(this, question, "Conferma")) return;
    const Categoria* category = ContextCategory();
    if (category != nullptr) Commit(CatalogueChange::DeleteCategory(*category));
}

void FormMain::DeleteContextApp() {
    if (contextTarget == nullptr) return;
    std::string question = "Si desidera realmente cancellare il pulsante " +
                           QuotedInCapitals(contextTarget->GetTextNarrow());
    if (!OrvoUtility::AskYesNoFor(this, question, "Conferma")) return;
    const App* app = ContextApp();
    if (app != nullptr) Commit(CatalogueChange::DeleteApp(catalogue, *app));
}

}  // namespace MyApp
