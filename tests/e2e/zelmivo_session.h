// One run of zelmivo.exe driven the way a user works with it: it finds the
// main window, its cells and tiles, the dialogs and message boxes on the
// screen, and acts on them with real clicks and keys only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app_process.h"

namespace ZelmivoE2E {

struct MessageBoxSeen {
    HWND box = nullptr;
    std::wstring caption;
    std::wstring text;
};

class ZelmivoSession {
public:
    // Starts the program and waits for its main window; false when it did not appear.
    bool Start();
    AppProcess& Process() { return process; }
    HWND MainWindow() const { return mainWindow; }
    // The scrolling panel that fills the main window.
    HWND TilePanel() const;
    std::vector<std::string> Layout() const;

    // A cell or tile of the tile panel by its text; null when none shows it.
    HWND Cell(const std::wstring& text) const;
    HWND Tile(const std::wstring& text) const;
    // Clicks the cell or tile showing this text; false when there is none.
    bool ClickItem(HWND item);

    // A visible top-level window of the program whose title starts with `title`.
    HWND WaitForWindow(const std::wstring& title, DWORD timeoutMs = 15000) const;
    bool WaitUntilGone(HWND window) const;
    MessageBoxSeen WaitForMessageBox() const;
    // Clicks a message-box button (IDOK, IDYES, IDNO) and waits for the box to go.
    bool Answer(const MessageBoxSeen& box, int buttonId);

    // Right-clicks the item and chooses the entry with this underlined letter.
    bool ChooseFromContextMenu(HWND item, WORD letterKey);
    // Opens a menu-bar menu with Alt and its letter, moves right `menusRight`
    // menus, then chooses the entry with this underlined letter.
    bool ChooseFromMenuBar(WORD menuLetterKey, int menusRight, WORD itemLetterKey);

    // Clicks into the edit box (which selects its text) and types `text` over it.
    bool TypeInto(HWND edit, const std::wstring& text);
    // A push button of a dialog by its caption.
    HWND Button(HWND dialog, const std::wstring& caption) const;
    std::vector<HWND> EditBoxes(HWND dialog) const;
    bool ClickButton(HWND dialog, const std::wstring& caption);
    // Clicks the close box Wine draws in the window's caption.
    bool ClickCloseBox(HWND window);

    // The program's own working folder and the folder the suite writes into.
    static std::wstring OutputFolder();

private:
    HWND WaitForMenu() const;

    AppProcess process;
    HWND mainWindow = nullptr;
};

}  // namespace ZelmivoE2E
