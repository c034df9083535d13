// The main window's menu bar and the context menus of a header and of a tile:
// their items, and the command each stands for.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "menu.h"

namespace MyApp {

enum class MenuCommand {
    ImportStartMenu,
    StartWithWindows,
    Exit,
    Guide,
    Home,
    About,
    RenameCategory,
    DeleteCategory,
    MoveCategory,
    EditApp,
    DeleteApp,
    MoveApp,
    OpenFolder,
    RunAsAdministrator,
    CopyPath
};

class MainMenus {
public:
    // Sets the bar on the window; every item's choice reaches `chosen`.
    MainMenus(OrvoUtility::Form& window, OrvoUtility::MenuCommandHandler chosen);
    MainMenus(const MainMenus&) = delete;
    MainMenus& operator=(const MainMenus&) = delete;

    // The command of one of these menus' items; none for any other item.
    std::optional<MenuCommand> CommandOf(const OrvoUtility::SubMenu& item) const;
    OrvoUtility::Menu& CategoryMenu() { return *categoryMenu; }
    OrvoUtility::Menu& AppMenu() { return *appMenu; }
    OrvoUtility::SubMenu& Item(MenuCommand command);

private:
    OrvoUtility::SubMenu& Add(OrvoUtility::Menu& menu, const std::string& caption,
                              MenuCommand command);
    void AddSeparator(OrvoUtility::Menu& menu);

    OrvoUtility::MenuCommandHandler chosen;
    // The bar's menu handle belongs to the window; the objects to these menus.
    OrvoUtility::MenuBar bar;
    std::vector<std::unique_ptr<OrvoUtility::Menu>> menus;
    std::unique_ptr<OrvoUtility::Menu> categoryMenu;
    std::unique_ptr<OrvoUtility::Menu> appMenu;
    std::vector<std::pair<std::unique_ptr<OrvoUtility::SubMenu>, MenuCommand>> items;
    std::vector<std::unique_ptr<OrvoUtility::SubMenu>> separators;
};

}  // namespace MyApp
