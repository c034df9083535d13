#include "zelmivo_session.h"

#include "shown_layout.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

namespace ZelmivoE2E {

namespace {

const wchar_t* const mainTitle = L"Orvo Zelmivo";

HWND PanelChild(HWND panel, const std::wstring& text, bool tile) {
    for (HWND child : ChildWindows(panel)) {
        if (!IsWindowVisible(child) || (ClassOf(child) == L"Button") != tile) continue;
        if (TextOf(child) == text) return child;
    }
    return nullptr;
}

}  // namespace

std::wstring ZelmivoSession::OutputFolder() { return WindowsPath(ZELMIVO_E2E_OUTPUT_DIR); }

bool ZelmivoSession::Start() {
    mainWindow = nullptr;
    if (!process.Start(WindowsPath(ZELMIVO_EXE_PATH), OutputFolder())) return false;
    WaitUntil(
        [&] {
            HWND window = FindTopLevel(process.Id(), L"", mainTitle);
            if (window != nullptr && FindDescendant(window, L"PanelChildren", nullptr, true)) {
                mainWindow = window;
            }
            return mainWindow != nullptr || !process.IsRunning();
        },
        30000);
    return mainWindow != nullptr;
}

HWND ZelmivoSession::TilePanel() const {
    for (HWND child : ChildWindows(mainWindow)) {
        if (ClassOf(child).compare(0, 13, L"PanelChildren") == 0) return child;
    }
    return nullptr;
}

std::vector<std::string> ZelmivoSession::Layout() const { return ShownLayout(TilePanel()); }

HWND ZelmivoSession::Cell(const std::wstring& text) const {
    return PanelChild(TilePanel(), text, false);
}

HWND ZelmivoSession::Tile(const std::wstring& text) const {
    return PanelChild(TilePanel(), text, true);
}

bool ZelmivoSession::ClickItem(HWND item) {
    if (item == nullptr) return false;
    LeftClick(CenterOf(item));
    return true;
}

HWND ZelmivoSession::WaitForWindow(const std::wstring& title, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel(process.Id(), L"", title);
            return found != nullptr && found != mainWindow;
        },
        timeoutMs);
    return found != mainWindow ? found : nullptr;
}

bool ZelmivoSession::WaitUntilGone(HWND window) const {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

MessageBoxSeen ZelmivoSession::WaitForMessageBox() const {
    MessageBoxSeen seen;
    WaitUntil([&] {
        seen.box = FindTopLevel(process.Id(), L"#32770", L"");
        return seen.box != nullptr;
    });
    if (seen.box == nullptr) return seen;
    seen.caption = TextOf(seen.box);
    for (HWND child : ChildWindows(seen.box)) {
        if (ClassOf(child) == L"Static" && IsWindowVisible(child) && seen.text.empty()) {
            seen.text = TextOf(child);
        }
    }
    return seen;
}

bool ZelmivoSession::Answer(const MessageBoxSeen& box, int buttonId) {
    HWND button = box.box != nullptr ? GetDlgItem(box.box, buttonId) : nullptr;
    if (button == nullptr || !IsWindowVisible(button)) return false;
    LeftClick(CenterOf(button));
    return WaitUntilGone(box.box);
}

HWND ZelmivoSession::WaitForMenu() const {
    HWND menu = nullptr;
    WaitUntil([&] {
        menu = FindTopLevel(process.Id(), L"#32768", L"");
        return menu != nullptr;
    });
    return menu;
}

bool ZelmivoSession::ChooseFromContextMenu(HWND item, WORD letterKey) {
    if (item == nullptr) return false;
    RightClick(CenterOf(item));
    HWND menu = WaitForMenu();
    if (menu == nullptr) return false;
    PressKey(letterKey);
    return WaitUntilGone(menu);
}

bool ZelmivoSession::ChooseFromMenuBar(WORD menuLetterKey, int menusRight, WORD itemLetterKey) {
    PressChord(VK_MENU, menuLetterKey);
    HWND menu = WaitForMenu();
    if (menu == nullptr) return false;
    for (int i = 0; i < menusRight; ++i) {
        PressKey(VK_RIGHT);
        WaitUntil([&] { return !IsWindowVisible(menu); }, 2000);
        menu = WaitForMenu();
        if (menu == nullptr) return false;
    }
    PressKey(itemLetterKey);
    return WaitUntilGone(menu);
}

bool ZelmivoSession::TypeInto(HWND edit, const std::wstring& text) {
    if (edit == nullptr) return false;
    LeftClick(CenterOf(edit));
    WaitUntil([&] { return FocusedWindowOf(edit) == edit; }, 3000);
    // Clicking selects the whole text; typing replaces it, and the Backspace
    // empties a box that had only the caret.
    PressKey(VK_END);
    for (size_t i = TextOf(edit).size(); i > 0; --i) PressKey(VK_BACK);
    TypeText(text);
    return WaitUntil([&] { return TextOf(edit) == text; }, 5000);
}

HWND ZelmivoSession::Button(HWND dialog, const std::wstring& caption) const {
    return FindDescendant(dialog, L"Button", caption.c_str());
}

std::vector<HWND> ZelmivoSession::EditBoxes(HWND dialog) const {
    return DescendantsOfClass(dialog, L"Edit");
}

bool ZelmivoSession::ClickButton(HWND dialog, const std::wstring& caption) {
    HWND button = Button(dialog, caption);
    if (button == nullptr) return false;
    LeftClick(CenterOf(button));
    return true;
}

bool ZelmivoSession::ClickCloseBox(HWND window) {
    // The close box is wherever the window says it is: ask it which part of
    // the caption row is HTCLOSE, as the system does for every mouse move.
    auto isCloseBox = [window](LONG x, LONG y) {
        DWORD_PTR hit = 0;
        return SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                   3000, &hit) != 0 &&
               hit == HTCLOSE;
    };
    RECT frame = ScreenRect(window);
    for (LONG y = frame.top + 1; y < frame.top + 40; ++y) {
        for (LONG x = frame.right - 1; x > frame.right - 80; --x) {
            if (!isCloseBox(x, y)) continue;
            LONG left = x;
            while (isCloseBox(left - 1, y)) --left;
            LONG bottom = y;
            while (isCloseBox(x, bottom + 1)) ++bottom;
            LeftClick(POINT{(left + x) / 2, (y + bottom) / 2});
            return true;
        }
    }
    return false;
}

}  // namespace ZelmivoE2E
