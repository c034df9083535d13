#include "menu.h"

#include <algorithm>

#include "form.h"
#include "gui_element.h"
#include "text.h"

namespace OrvoUtility {

namespace {

// Every live item, in order of construction: where a menu command finds its item.
std::vector<SubMenu*> menuItems;

const wchar_t* CaptionOrNull(const std::wstring& caption) {
    return caption.empty() ? nullptr : caption.c_str();
}

UINT CheckFlag(const SubMenu* item) {
    return item->checkable != 0 && item->checkState == 1 ? MF_CHECKED : MF_UNCHECKED;
}

// Appends a copy of the item (and of its own items) into a context menu that
// lives only while it is shown; the item's stored handles stay untouched.
void AppendInto(HMENU menu, const SubMenu* item) {
    if (!item->items.empty()) {
        HMENU popup = CreatePopupMenu();
        for (const SubMenu* nested : item->items) AppendInto(popup, nested);
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item->text.c_str());
        return;
    }
    AppendMenuW(menu, item->appendFlags, static_cast<UINT_PTR>(item->id),
                CaptionOrNull(item->text));
    if (item->checkable != 0) CheckMenuItem(menu, static_cast<UINT>(item->id), CheckFlag(item));
    if (!item->enabled) EnableMenuItem(menu, static_cast<UINT>(item->id), MF_BYCOMMAND | MF_GRAYED);
}

}  // namespace

MenuBar::MenuBar(Form* parentForm) : parent(parentForm), menuHandle(nullptr), created(false) {}

void MenuBar::Create() {
    if (created || parent == nullptr || parent->hwnd == nullptr) return;
    // The handle is stored first: the menus look for it while they are created.
    menuHandle = CreateMenu();
    for (Menu* menu : items) menu->Create();
    // From here on the form's window owns the bar and destroys it with itself.
    SetMenu(parent->hwnd, menuHandle);
    created = true;
}

Menu::Menu(const std::string& caption, MenuBar* parentBar)
    : parent(parentBar), text(Common::NarrowToWide(caption)) {
    if (parentBar == nullptr) return;
    parentBar->items.push_back(this);
    if (parentBar->created) Create();
}

void Menu::Create() {
    if (created || parent == nullptr || parent->menuHandle == nullptr) return;
    menuHandle = CreateMenu();
    for (SubMenu* item : items) item->Create();
    AppendMenuW(parent->menuHandle, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
    created = true;
}

SubMenu::SubMenu(MenuItemList* parentMenu, const std::string& caption)
    : parent(parentMenu),
      id(dispatcher.NextId()),
      text(Common::NarrowToWide(caption)),
      enabled(true),
      appendFlags(MF_STRING),
      checkable(0),
      checkState(0),
      onCommand(nullptr) {
    menuItems.push_back(this);
    if (parent == nullptr) return;
    parent->items.push_back(this);
    if (parent->created) Create();
}

SubMenu::~SubMenu() {
    menuItems.erase(std::remove(menuItems.begin(), menuItems.end(), this), menuItems.end());
}

HMENU SubMenu::ContainingMenu() const { return parent != nullptr ? parent->menuHandle : nullptr; }

void SubMenu::Create() {
    if (created) return;
    HMENU containing = ContainingMenu();
    if (containing == nullptr) return;
    if (items.empty()) {
        AppendMenuW(containing, appendFlags, static_cast<UINT_PTR>(id), CaptionOrNull(text));
        if (checkable != 0) CheckMenuItem(containing, static_cast<UINT>(id), CheckFlag(this));
    } else {
        // Stored before the items are created: it is their containing menu.
        menuHandle = CreatePopupMenu();
        for (SubMenu* item : items) item->Create();
        AppendMenuW(containing, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
    }
    created = true;
    if (!enabled) SetEnabled(false);
}

void SubMenu::SetEnabled(bool value) {
    enabled = value;
    if (!created) return;
    EnableMenuItem(ContainingMenu(), static_cast<UINT>(id),
                   MF_BYCOMMAND | (value ? MF_ENABLED : MF_GRAYED));
}

void SubMenu::SetChecked(bool value) {
    checkState = value ? 1 : 0;
    if (created)
        CheckMenuItem(ContainingMenu(), static_cast<UINT>(id), MF_BYCOMMAND | CheckFlag(this));
}

void ShowPopup(Menu* menu, GUIElement* owner, std::int32_t x, std::int32_t y) {
    if (menu == nullptr) return;
    HMENU popup = CreatePopupMenu();
    for (const SubMenu* item : menu->items) AppendInto(popup, item);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, x, y, 0,
                   owner != nullptr ? static_cast<HWND>(owner->hwnd) : nullptr, nullptr);
    DestroyMenu(popup);
}

SubMenu* FindSubMenuById(std::int32_t id) {
    for (SubMenu* item : menuItems) {
        if (item->id == id) return item;
    }
    return nullptr;
}

void RunMenuCommand(std::int32_t id) {
    SubMenu* item = FindSubMenuById(id);
    if (item == nullptr) return;
    if (item->checkable != 0) {
        HMENU containing = item->created ? item->ContainingMenu() : nullptr;
        bool checked = item->checkState == 1;
        if (containing != nullptr) {
            // The live menu is the truth; the state also carries other bits
            // (greyed, highlighted), so only the check bit is looked at.
            UINT state = GetMenuState(containing, static_cast<UINT>(id), MF_BYCOMMAND);
            if (state != static_cast<UINT>(-1)) checked = (state & MF_CHECKED) != 0;
        }
        item->checkState = checked ? 0 : 1;
        if (item->created) {
            CheckMenuItem(containing, static_cast<UINT>(id), MF_BYCOMMAND | CheckFlag(item));
        }
    }
    if (item->onCommand != nullptr) item->onCommand(item);
}

}  // namespace OrvoUtility
