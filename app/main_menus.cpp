#include "main_menus.h"

namespace MyApp {

using OrvoUtility::Menu;

MainMenus::MainMenus(OrvoUtility::Form& window, OrvoUtility::MenuCommandHandler chosen)
    : chosen(std::move(chosen)), bar(&window) {
    Menu& file = *menus.emplace_back(std::make_unique<Menu>("&File", &bar));
    Add(file, "&Importa dal menu Start...", MenuCommand::ImportStartMenu);
    Add(file, "&Avvia con Windows", MenuCommand::StartWithWindows).checkable = 1;
    AddSeparator(file);
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
    AddSeparator(*appMenu);
    Add(*appMenu, "Apri &percorso file", MenuCommand::OpenFolder);
    Add(*appMenu, "Esegui come &amministratore", MenuCommand::RunAsAdministrator);
    Add(*appMenu, "C&opia percorso", MenuCommand::CopyPath);
    appMenu->Create();
}

OrvoUtility::SubMenu& MainMenus::Add(Menu& menu, const std::string& caption, MenuCommand command) {
    auto item = std::make_unique<OrvoUtility::SubMenu>(&menu, caption);
    item->onCommand = chosen;
    return *items.emplace_back(std::move(item), command).first;
}

void MainMenus::AddSeparator(Menu& menu) {
    auto separator = std::make_unique<OrvoUtility::SubMenu>(&menu, "");
    separator->appendFlags = MF_SEPARATOR;
    separators.push_back(std::move(separator));
}

OrvoUtility::SubMenu& MainMenus::Item(MenuCommand command) {
    for (auto& [made, itsCommand] : items) {
        if (itsCommand == command) return *made;
    }
    // Every command has its item.
    return *items.front().first;
}

std::optional<MenuCommand> MainMenus::CommandOf(const OrvoUtility::SubMenu& item) const {
    for (const auto& [made, command] : items) {
        if (made->id == item.id) return command;
    }
    return std::nullopt;
}

}  // namespace MyApp
