// Win32 menus: the menu bar of a form, its drop-down menus (or the root of a
// context menu) and their items. They are not windows: each holds the menu
// handle it builds, and an item reports its command through its handler.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace OrvoUtility {

class Form;
class GUIElement;
class Menu;
class SubMenu;

using MenuCommandHandler = std::function<void(SubMenu* item)>;

// What items are appended to: a drop-down menu, or an item that opens a
// nested pop-up.
class MenuItemList {
public:
    MenuItemList() = default;
    MenuItemList(const MenuItemList&) = delete;
    MenuItemList& operator=(const MenuItemList&) = delete;

    std::vector<SubMenu*> items;  // in order; not owned
    // The live menu the items are appended to; null until created.
    HMENU menuHandle = nullptr;
    bool created = false;

protected:
    ~MenuItemList() = default;
};

class MenuBar {
public:
    explicit MenuBar(Form* parentForm);
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // Builds the bar with its menus and sets it on the form's created window.
    void Create();

    Form* parent;              // not owned
    std::vector<Menu*> items;  // in order; not owned
    HMENU menuHandle;          // belongs to the form's window once set on it
    bool created;
};

class Menu : public MenuItemList {
public:
    // Without a parent bar the menu is the root of a context menu for ShowPopup.
    Menu(const std::string& caption, MenuBar* parentBar);

    void Create();

    MenuBar* parent;  // not owned; null for a context menu
    std::wstring text;
};

// A command item, or a nested pop-up when it has items of its own. Its id is
// taken at construction so that it is valid in context menus too, which are
// built without creating their items.
class SubMenu : public MenuItemList {
public:
    // The parent is a Menu or a SubMenu.
    SubMenu(MenuItemList* parentMenu, const std::string& caption);
    ~SubMenu();

    void Create();
    void SetEnabled(bool value);
    // Shows or clears the check mark of a checkable item.
    void SetChecked(bool value);
    // The menu this item is appended to in the live menu tree; null if none.
    HMENU ContainingMenu() const;

    MenuItemList* parent;  // not owned
    std::int32_t id;
    std::wstring text;
    bool enabled;
    UINT appendFlags;
    std::uint8_t checkable;
    std::uint8_t checkState;  // 1: the check mark is shown
    MenuCommandHandler onCommand;
};

// Shows the menu as a context menu at the screen point for the owner's window
// and returns when it closes; a picked item's WM_COMMAND is posted to the owner.
void ShowPopup(Menu* menu, GUIElement* owner, std::int32_t x, std::int32_t y);

// The first SubMenu with this id; null if none.
SubMenu* FindSubMenuById(std::int32_t id);

// A menu command: toggles the item's check mark if it is checkable, then runs its onCommand.
void RunMenuCommand(std::int32_t id);

}  // namespace OrvoUtility
