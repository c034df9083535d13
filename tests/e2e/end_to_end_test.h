// The base of every end-to-end test and its driver: one run of the real
// zelmivo.exe, worked only as a user works it. Real clicks, keys and typing go
// through SendInput; message boxes are answered by pressing their buttons;
// menus are opened by keyboard, since Wine cannot read the menus of another
// process. What the program shows is read from its windows, and every wait is
// bounded so that a program that never reacts fails the test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue_on_disk.h"
#include "dialog_answerer.h"
#include "gtest/gtest.h"
#include "real_input.h"
#include "window_query.h"

namespace ZelmivoE2E {

using namespace ZelmivoTest;

// Waits up to five seconds for the catalogue file to hold `expected`.
inline ::testing::AssertionResult Saved(const std::string& expected) {
    bool saved = WaitUntil([&] { return ReadBytes() == expected; }, 5000);
    return (saved ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "the file holds\n" + ReadBytes();
}

inline RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveCatalogue(); }
    // A run still going is ended.
    void TearDown() override {
        Stop();
        RemoveCatalogue();
    }

    // Starts a copy of the program, as the Start menu's shortcut does (or,
    // with "/ridotto", as Windows does at sign-in).
    static bool Launch(PROCESS_INFORMATION& started, const std::wstring& switches = L"") {
        std::wstring program = WindowsPath(ZELMIVO_EXE_PATH),
                     commandLine = L"\"" + program + L"\" " + switches;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        return CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              WindowsPath(ZELMIVO_E2E_OUTPUT_DIR).c_str(), &startup, &started);
    }
    // Starts the program and waits for its main window; false when none appeared.
    bool Start(const std::wstring& switches = L"") {
        Stop();
        return Launch(process, switches) &&
               (mainWindow = WaitForWindow(L"", L"Orvo Zelmivo")) != nullptr &&
               WaitUntil([&] { return !Children(mainWindow, L"PanelChildren").empty(); });
    }
    void Stop() {
        mainWindow = nullptr;
        if (process.hProcess == nullptr) return;
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = {};
    }
    // Waits up to `waitMs` for the program to end; STILL_ACTIVE while it runs on.
    DWORD ExitCode(DWORD waitMs) const {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process.hProcess, waitMs);
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    // The cells and tiles of the main window's panel, left to right.
    std::vector<HWND> PanelItems() const {
        std::vector<HWND> panels = Children(mainWindow, L"PanelChildren");
        std::vector<HWND> items = panels.empty() ? panels : Children(panels[0]);
        std::sort(items.begin(), items.end(), [](HWND a, HWND b) {
            RECT first = ScreenRect(a), second = ScreenRect(b);
            return std::tie(first.left, first.top) < std::tie(second.left, second.top);
        });
        return items;
    }
    // The columns, each its header then its tiles top to bottom: "Ufficio, Paint | Giochi".
    std::wstring Shown() const {
        std::wstring shown;
        LONG column = 0;
        for (HWND item : PanelItems()) {
            std::wstring text = TextOf(item);
            if (text.rfind(L"+ aggiungi ", 0) == 0) continue;
            if (!shown.empty()) shown += ScreenRect(item).left == column ? L", " : L" | ";
            shown += text;
            column = ScreenRect(item).left;
        }
        return shown;
    }
    // Of the cells and tiles showing this text, the `place`th from the left; null when none.
    HWND Item(const std::wstring& text, size_t place = 0) const {
        for (HWND item : PanelItems()) {
            if (TextOf(item) == text && place-- == 0) return item;
        }
        return nullptr;
    }

    // A top-level window of the program other than the main one, by class
    // ("#32768" a menu, "" any) and title prefix.
    HWND WaitForWindow(const std::wstring& classPrefix, const std::wstring& title) const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND window : VisibleTopWindows(process.dwProcessId)) {
                if (window != mainWindow && ClassOf(window).rfind(classPrefix, 0) == 0 &&
                    TextOf(window).rfind(title, 0) == 0) {
                    found = window;
                }
            }
            return found != nullptr;
        });
        return found;
    }
    // Waits for a message box, presses its IDOK, IDYES or IDNO, and tells "caption: text".
    std::wstring AnswerMessageBox(int buttonId) const {
        DialogAnswerer answer(buttonId, DialogAnswerer::defaultTimeoutMs, process.dwProcessId);
        const AnsweredDialog& box = answer.Result();
        return box.pressed ? box.caption + L": " + box.text : L"no box answered";
    }
    // Right-clicks the item, or for the main window clicks its caption to bring
    // it forward and opens the File menu with Alt+F; then picks the entry with
    // this underlined letter.
    bool ChooseFromMenu(HWND item, wchar_t letter) const {
        if (item == mainWindow) {
            ClickAt(POINT{ScreenRect(mainWindow).left + 200,
                          ScreenRect(mainWindow).top + GetSystemMetrics(SM_CYFRAME) +
                              GetSystemMetrics(SM_CYCAPTION) / 2});
            PressChord({VK_MENU}, L'F');
        }
        HWND menu =
            item == mainWindow || Click(item, true) ? WaitForWindow(L"#32768", L"") : nullptr;
        PressKeys({letter});
        return menu != nullptr && WaitUntil([&] { return !IsWindowVisible(menu); });
    }
    static bool ClickButton(HWND dialog, const std::wstring& caption) {
        for (HWND button : Children(dialog, L"Button")) {
            if (TextOf(button) == caption) return Click(button);
        }
        return false;
    }
    // Clicks into the box, waits for it to take the keys, and types over what it held.
    static bool TypeInto(HWND edit, const std::wstring& text) {
        GUITHREADINFO focus = {sizeof focus, 0, {}, {}, {}, {}, {}, {}, {}};
        auto focused = [&] {
            return GetGUIThreadInfo(GetWindowThreadProcessId(edit, nullptr), &focus) &&
                   focus.hwndFocus == edit;
        };
        if (!Click(edit) || !WaitUntil(focused)) return false;
        PressKeys({VK_END});
        PressKeys(std::vector<WORD>(TextOf(edit).size(), VK_BACK));
        TypeText(text);
        return WaitUntil([&] { return TextOf(edit) == text; }, 5000);
    }
    // Types the texts into the dialog's boxes, then confirms with Enter or "OK".
    static bool Fill(HWND dialog, const std::vector<std::wstring>& texts, bool withEnter) {
        // Made, and so listed, from top to bottom.
        std::vector<HWND> boxes = Children(dialog, L"Edit");
        for (size_t i = 0; i < texts.size(); ++i) {
            if (boxes.size() != texts.size() || !TypeInto(boxes[i], texts[i])) return false;
        }
        if (withEnter) PressKeys({VK_RETURN});
        bool confirmed = withEnter || ClickButton(dialog, L"OK");
        return confirmed && WaitUntil([&] { return !IsWindowVisible(dialog); });
    }
    // Clicks a "+ aggiungi" cell, fills the dialog it opens and waits for the new header or tile.
    bool Add(HWND cell, const std::vector<std::wstring>& texts, bool withEnter) const {
        return Click(cell) && Fill(WaitForWindow(L"", L"Aggiungi "), texts, withEnter) &&
               WaitUntil([&] { return Item(texts[0]) != nullptr; });
    }

    PROCESS_INFORMATION process = {};
    HWND mainWindow = nullptr;
};

}  // namespace ZelmivoE2E
