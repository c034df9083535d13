// Win32 menus built from elements: the menu bar of a form, its drop-down
// menus (or the root of a context menu) and their items. For these elements
// `hwnd` holds a menu handle, not a window handle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui_element.h"

namespace OrvoUtility {

class Form;

class MenuBar : public Child {
public:
    explicit MenuBar(Form* parentForm);
    void Create() override;

    std::vector<GUIElement*> items;  // the Menus, in order; not owned
    HMENU menuHandle;                // belongs to the form's window once set on it
};

class Menu : public Child {
public:
    // Without a parent bar the menu is the root of a context menu for ShowPopup.
    Menu(const std::string& caption, MenuBar* parentBar);
    void Create() override;

    std::vector<GUIElement*> items;  // the SubMenus, in order; not owned
    HMENU menuHandle;
};

// A command item, or a nested pop-up when it has items of its own. Its id is
// taken at construction so that it is valid in context menus too, which are
// built without creating their items.
class SubMenu : public Child, public CommandElement {
public:
    // The parent is a Menu or a SubMenu.
    SubMenu(GUIElement* parentMenu, const std::string& caption);
    void Create() override;
    void SetEnabled(bool value) override;

    // The menu this item is appended to in the live menu tree; null if none.
    HMENU ContainingMenu() const;

    std::vector<GUIElement*> items;  // nested SubMenus, in order; not owned
    HMENU popupHandle;
    UINT appendFlags;
    std::uint8_t checkable;
    std::uint8_t checkState;  // 1: the check mark is shown
};

// Shows the menu as a context menu at the screen point for the owner's window
// and returns when it closes; a picked item's WM_COMMAND is posted to the owner.
void ShowPopup(Menu* menu, GUIElement* owner, std::int32_t x, std::int32_t y);

// The first SubMenu with this id; null if none.
SubMenu* FindSubMenuById(std::int32_t id);

// A menu command: toggles the item's check mark if it is checkable, then runs its onCommand.
void RunMenuCommand(std::int32_t id);

}  // namespace OrvoUtility
