#include "list_box.h"

#include "control_window.h"
#include "text.h"

namespace OrvoUtility {

ListBox::ListBox(GUIElement* parentElement) : Child(parentElement), border(true) {
    width = 130;
    height = 130;
}

void ListBox::Create() {
    if (created) return;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY;
    if (border) style |= WS_BORDER;
    if (!enabled) style |= WS_DISABLED;
    CreateControlWindow(*this, L"ListBox", style, border ? WS_EX_CLIENTEDGE : 0);
    SubclassWindow();
    created = true;
    for (const std::wstring& itemText : itemTexts) {
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
    }
    FinishControlWindow(*this);
}

void ListBox::OnControlCommand(WORD notification) {
    if (notification == LBN_SELCHANGE && onCommand != nullptr) onCommand(this);
}

void ListBox::AddItem(std::string itemText, std::string itemValue) {
    itemTexts.push_back(Common::NarrowToWide(itemText));
    itemValues.push_back(Common::NarrowToWide(itemValue));
    if (created && hwnd != nullptr) {
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemTexts.back().c_str()));
    }
}

bool ListBox::RemoveItem(std::int32_t index) {
    if (index == -1) return false;
    if (created && hwnd != nullptr) {
        if (SendMessageW(hwnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR) {
            return false;
        }
    }
    // Without a window nothing has checked the index, so it is checked here.
    if (index < 0 || index >= ItemCount()) return false;
    itemValues.erase(itemValues.begin() + index);
    itemTexts.erase(itemTexts.begin() + index);
    return true;
}

bool ListBox::SetSelectedIndex(std::int32_t index) {
    if (!created || hwnd == nullptr) return false;
    return SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0) != LB_ERR;
}

std::int32_t ListBox::GetSelectedIndex() {
    if (!created || hwnd == nullptr) return -1;
    return static_cast<std::int32_t>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
}

std::int32_t ListBox::ItemCount() { return static_cast<std::int32_t>(itemTexts.size()); }

}  // namespace OrvoUtility
