#include "dialog_answerer.h"

#include <utility>

namespace ZelmivoTest {

namespace {

constexpr DWORD pollMs = 20;
constexpr UINT sendTimeoutMs = 2000;
constexpr int fileNameComboId = 0x47C;  // cmb13, the file-name combo box of newer dialogs
constexpr int fileNameEditId = 0x480;   // edt1, the plain file-name edit box

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The box belongs to the thread blocked in the modal call, so its texts are
// read with a bounded send: a stuck thread must not hang the test too.
std::wstring ReadText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs,
                             &length)) {
        return std::wstring();
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, sendTimeoutMs, &copied)) {
        return std::wstring();
    }
    text.resize(copied);
    return text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// All descendants, in the order the system lists them.
std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> windows;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindBox() {
    for (HWND window : TopLevelWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            ClassOf(window) == L"#32770") {
            return window;
        }
    }
    return nullptr;
}

HWND FindDescendant(HWND box, int id, const wchar_t* className) {
    for (HWND child : Descendants(box)) {
        if ((id == 0 || GetDlgCtrlID(child) == id) &&
            (className == nullptr || ClassOf(child) == className)) {
            return child;
        }
    }
    return nullptr;
}

bool IsPushButton(HWND window) {
    if (ClassOf(window) != L"Button" || !IsWindowVisible(window)) return false;
    LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The edit box the user types the file name into.
HWND FindFileNameBox(HWND box) {
    HWND combo = FindDescendant(box, fileNameComboId, nullptr);
    if (combo != nullptr) {
        HWND edit = FindDescendant(combo, 0, L"Edit");
        if (edit != nullptr) return edit;
    }
    return FindDescendant(box, fileNameEditId, L"Edit");
}

// A click as the user makes it; the button reports BN_CLICKED to the box.
bool Press(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    if (button == nullptr || !IsWindowEnabled(button)) return false;
    return PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

}  // namespace

DialogAnswerer::DialogAnswerer(int buttonId, DWORD timeoutMs)
    : worker(&DialogAnswerer::Run, this, buttonId, std::wstring(), timeoutMs) {}

DialogAnswerer::DialogAnswerer(const std::wstring& fileName, DWORD timeoutMs)
    : worker(&DialogAnswerer::Run, this, IDOK, fileName, timeoutMs) {}

DialogAnswerer::~DialogAnswerer() {
    if (worker.joinable()) worker.join();
}

const AnsweredDialog& DialogAnswerer::Result() {
    if (worker.joinable()) worker.join();
    return seen;
}

void DialogAnswerer::Run(int buttonId, std::wstring fileName, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND box = nullptr;
    while (box == nullptr && GetTickCount64() < deadline) {
        box = FindBox();
        if (box == nullptr) Sleep(pollMs);
    }
    if (box == nullptr) return;

    seen.found = true;
    seen.caption = ReadText(box);
    for (HWND child : Descendants(box)) {
        if (seen.text.empty() && ClassOf(child) == L"Static" && IsWindowVisible(child)) {
            seen.text = ReadText(child);
        }
        if (IsPushButton(child)) seen.buttons.push_back(GetDlgCtrlID(child));
    }
    seen.owner = GetWindow(box, GW_OWNER);
    seen.ownerWasEnabled = seen.owner == nullptr || IsWindowEnabled(seen.owner);

    bool ready = true;
    if (!fileName.empty()) {
        HWND edit = FindFileNameBox(box);
        DWORD_PTR ignored = 0;
        ready = edit != nullptr &&
                SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()),
                                    SMTO_ABORTIFHUNG, sendTimeoutMs, &ignored) != 0;
    }
    seen.pressed = ready && Press(box, buttonId);
    if (!seen.pressed) {
        // Never leave the test blocked in the modal call: dismiss the box any way it allows.
        for (int id : {IDCANCEL, IDNO, IDOK}) {
            if (Press(box, id)) break;
        }
    }
    // Wait for the box to go, so that the next answerer cannot mistake it for its own.
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount64() < deadline) Sleep(pollMs);
}

}  // namespace ZelmivoTest
