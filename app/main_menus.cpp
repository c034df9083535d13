#include "main_menus.h"

namespace MyApp {

using OrvoUtility::Menu;

MainMenus::MainMenus(OrvoUtility::Form& window, OrvoUtility::MenuCommandHandler chosen)
    : chosen(std::move(chosen)), bar(&window) {
    Menu& file = *menus.emplace_back(std::make_unique<Menu>("&File", &bar));
    Add(file, "&Esci", MenuCommand::Exit);
    Menu& help = *menus.emplace_back(std::make_unique<Menu>("&?", &bar));
    Add(help, "&Guida", MenuCommand::Guide);
    Add(help, "&Home", MenuCommand::Home);
    Add(help, "&Info...", MenuCommand::About);
    bar.Create();

    categoryMenu = std::make_unique<Menu>("", nullptr);
    Add(*categoryMenu, "&Rinomina", MenuCommand::RenameCategory);
    Add(*categoryMenu, "&Cancella", MenuCommand::DeleteCategory);
    Add(*categoryMenu, "&Sposta...", MenuCommand::MoveCategory);
    categoryMenu->Create();

    appMenu = std::make_unique<Menu>("", nullptr);
    Add(*appMenu, "&Modifica", MenuCommand::EditApp);
    Add(*appMenu, "&Cancella", MenuCommand::DeleteApp);
    Add(*appMenu, "&Sposta...", MenuCommand::MoveApp);
    appMenu->Create();
}

void MainMenus::Add(Menu& menu, const std::string& caption, MenuCommand command) {
    auto item = std::make_unique<OrvoUtility::SubMenu>(&menu, caption);
    item->onCommand = chosen;
    items.emplace_back(std::move(item), command);
}

std::optional<MenuCommand> MainMenus::CommandOf(const OrvoUtility::SubMenu& item) const {
    for (const auto& [made, command] : items) {
        if (made->id == item.id) return command;
    }
    return std::nullopt;
}

}  // namespace MyApp
