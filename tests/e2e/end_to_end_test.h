// The base of every end-to-end test and its driver: one run of the real
// zelmivo.exe, worked only as a user works it. Real clicks, keys and typing go
// through SendInput; message boxes are answered by clicking their buttons;
// menus are opened by keyboard, since Wine cannot read the menus of another
// process. What the program shows is read from its windows, and every wait is
// bounded so that a program that never reacts fails the test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue_helper.h"
#include "gtest/gtest.h"

namespace ZelmivoE2E {

// Polls until `condition` holds or the time is up; answers whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 15000) {
    for (ULONGLONG deadline = GetTickCount64() + timeoutMs; !condition(); Sleep(25)) {
        if (GetTickCount64() >= deadline) return false;
    }
    return true;
}

// Waits up to five seconds for the catalogue file to hold `expected`.
inline ::testing::AssertionResult Saved(const std::string& expected) {
    bool saved = WaitUntil([&] { return ReadBytes() == expected; }, 5000);
    return (saved ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "the file holds\n" + ReadBytes();
}

// Bounded, so that a hung program fails the test instead of hanging it.
inline LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 3000, &result);
    return static_cast<LRESULT>(result);
}

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(Send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    return text;
}

inline RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// Visible children of `parent` (of the desktop: the top-level windows) whose class starts so.
inline std::vector<HWND> Children(HWND parent, const std::wstring& classPrefix) {
    std::vector<HWND> found;
    for (HWND child = parent ? FindWindowExW(parent, nullptr, nullptr, nullptr) : nullptr; child;
         child = FindWindowExW(parent, child, nullptr, nullptr)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (IsWindowVisible(child) && std::wstring(name).rfind(classPrefix, 0) == 0) {
            found.push_back(child);
        }
    }
    return found;
}

// Keys pressed in order and released in reverse, as {VK_MENU, 'F'} for Alt+F;
// with `unicode`, characters typed whatever the keyboard layout. A pause
// follows, so that one gesture never merges into the next.
inline bool PressKeys(const std::wstring& keys, bool unicode = false) {
    std::vector<INPUT> inputs(2 * keys.size(), INPUT{INPUT_KEYBOARD, {}});
    for (size_t i = 0; i < keys.size(); ++i) {
        for (INPUT* input : {&inputs[i], &inputs[inputs.size() - 1 - i]}) {
            input->ki.wVk = unicode ? 0 : keys[i];
            input->ki.wScan = unicode ? keys[i] : MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC);
            input->ki.dwFlags =
                (unicode ? KEYEVENTF_UNICODE : 0) | (input == &inputs[i] ? 0 : KEYEVENTF_KEYUP);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(40);
    return true;
}

// Each button event carries its own position: a press relying on an earlier
// move could land wherever a late pointer motion left the cursor.
inline bool ClickAt(POINT point, bool right = false) {
    INPUT input = {INPUT_MOUSE, {}};
    // Absolute positions run from 0 to 65535 over the screen.
    input.mi.dx = (point.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (point.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    for (DWORD button : {0, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                         right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
        SendInput(1, &input, sizeof(INPUT));
        Sleep(40);
    }
    return true;
}

inline bool Click(HWND window, bool right = false) {
    RECT box = ScreenRect(window);
    return window != nullptr && IsWindowVisible(window) &&
           ClickAt(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2}, right);
}

// Saves `area` of the screen as screenshots\<name>.bmp in the suite's build
// folder, 24 bits a pixel with rows bottom-up and padded to 4 bytes.
inline bool Screenshot(const std::wstring& name, const RECT& area) {
    Sleep(300);  // the program finishes painting what the picture shows
    const LONG width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    // "BM", the size, two reserved words, where the pixels start.
    BITMAPFILEHEADER file = {0x4D42, offset + (width * 3 + 3) / 4 * 4 * height, 0, 0, offset};
    std::string bytes(reinterpret_cast<char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<char*>(&header), sizeof header).resize(file.bfSize);
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    int rows = GetDIBits(memory, bitmap, 0, height, &bytes[offset],
                         reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rows > 0 && rows == height &&
           WriteBytes(WindowsPath(ZELMIVO_E2E_OUTPUT_DIR "/screenshots/") + name + L".bmp", bytes);
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveCatalogue(); }
    // A run still going is ended; a failure leaves a picture of the screen.
    void TearDown() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        if (HasFailure()) Screenshot(L"failed_" + std::wstring(name.begin(), name.end()), screen);
        Stop();
        RemoveCatalogue();
    }

    // Starts the program and waits for its main window; false when none appeared.
    bool Start() {
        Stop();
        std::wstring program = WindowsPath(ZELMIVO_EXE_PATH), commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        return CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              WindowsPath(ZELMIVO_E2E_OUTPUT_DIR).c_str(), &startup, &process) &&
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
        std::vector<HWND> items = Children(panels.empty() ? nullptr : panels[0], L"");
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

    // A top-level window of the program's thread other than the main one, by class
    // ("#32770" a message box, "#32768" a menu, "" any) and title prefix.
    HWND WaitForWindow(const std::wstring& classPrefix, const std::wstring& title) const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND window : Children(GetDesktopWindow(), classPrefix)) {
                if (GetWindowThreadProcessId(window, nullptr) == process.dwThreadId &&
                    window != mainWindow && TextOf(window).rfind(title, 0) == 0) {
                    found = window;
                }
            }
            return found != nullptr;
        });
        return found;
    }
    // Waits for a message box, clicks its IDOK, IDYES or IDNO, and tells "caption: text".
    std::wstring AnswerMessageBox(int buttonId) const {
        HWND box = WaitForWindow(L"#32770", L"");
        // A message box's text is the static with the id 0xFFFF.
        std::wstring seen = TextOf(box) + L": " + TextOf(GetDlgItem(box, 0xFFFF));
        if (!Click(GetDlgItem(box, buttonId))) return L"no box answered";
        return WaitUntil([&] { return !IsWindowVisible(box); }) ? seen : L"the box stayed";
    }
    // Right-clicks the item, or for the main window clicks its caption to bring
    // it forward and opens the File menu with Alt+F; then picks the entry with
    // this underlined letter.
    bool ChooseFromMenu(HWND item, wchar_t letter) const {
        if (item == mainWindow) {
            ClickAt(POINT{ScreenRect(mainWindow).left + 200, CaptionRow()});
            PressKeys({VK_MENU, L'F'});
        }
        HWND menu =
            item == mainWindow || Click(item, true) ? WaitForWindow(L"#32768", L"") : nullptr;
        PressKeys({letter});
        return menu != nullptr && WaitUntil([&] { return !IsWindowVisible(menu); });
    }
    // Wine draws the close box at the right end of the caption.
    bool ClickCloseBox() const {
        LONG x = ScreenRect(mainWindow).right - GetSystemMetrics(SM_CXFRAME) -
                 GetSystemMetrics(SM_CXSIZE) / 2;
        return ClickAt(POINT{x, CaptionRow()});
    }
    LONG CaptionRow() const {
        return ScreenRect(mainWindow).top + GetSystemMetrics(SM_CYFRAME) +
               GetSystemMetrics(SM_CYCAPTION) / 2;
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
        for (size_t i = TextOf(edit).size(); i > 0; --i) PressKeys({VK_BACK});
        for (wchar_t character : text) PressKeys({character}, true);
        return WaitUntil([&] { return TextOf(edit) == text; }, 5000);
    }
    // Types the texts into the dialog's boxes, then confirms with Enter or "OK".
    static bool Fill(HWND dialog, const std::vector<std::wstring>& texts, bool withEnter) {
        // Made, and so listed, from top to bottom.
        std::vector<HWND> boxes = Children(dialog, L"Edit");
        for (size_t i = 0; i < texts.size(); ++i) {
            if (boxes.size() != texts.size() || !TypeInto(boxes[i], texts[i])) return false;
        }
        if (!(withEnter ? PressKeys({VK_RETURN}) : ClickButton(dialog, L"OK"))) return false;
        return WaitUntil([&] { return !IsWindowVisible(dialog); });
    }
    // Clicks a "+ aggiungi" cell, fills the dialog it opens and waits for the new header or tile.
    bool Add(HWND cell, const std::vector<std::wstring>& texts, bool withEnter) const {
        return Click(cell) && Fill(WaitForWindow(L"", L"Aggiungi "), texts, withEnter) &&
               WaitUntil([&] { return Item(texts[0]) != nullptr; });
    }

    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    PROCESS_INFORMATION process = {};
    HWND mainWindow = nullptr;
};

}  // namespace ZelmivoE2E
