#include "dialog_answerer.h"

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
    wchar_t text[4096] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        sendTimeoutMs, &copied);
    return std::wstring(text, copied);
}

// The top-level windows, or all descendants of the parent, in the order the
// system lists them.
std::vector<HWND> WindowsUnder(HWND parent) {
    std::vector<HWND> windows;
    auto collect = [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    };
    LPARAM list = reinterpret_cast<LPARAM>(&windows);
    parent != nullptr ? EnumChildWindows(parent, collect, list) : EnumWindows(collect, list);
    return windows;
}

HWND FindBox() {
    for (HWND window : WindowsUnder(nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            ClassOf(window) == L"#32770") {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

DialogAnswerer::DialogAnswerer(int buttonId, DWORD timeoutMs)
    : worker(&DialogAnswerer::Run, this, buttonId, std::wstring(), timeoutMs) {}

DialogAnswerer::DialogAnswerer(const std::wstring& fileName, DWORD timeoutMs)
    : worker(&DialogAnswerer::Run, this, IDOK, fileName, timeoutMs) {}

DialogAnswerer::~DialogAnswerer() { Result(); }

const AnsweredDialog& DialogAnswerer::Result() {
    if (worker.joinable()) worker.join();
    return seen;
}

void DialogAnswerer::Run(int buttonId, std::wstring fileName, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND box = FindBox();
    for (; box == nullptr && GetTickCount64() < deadline; box = FindBox()) Sleep(pollMs);
    if (box == nullptr) return;

    seen.found = true;
    seen.caption = ReadText(box);
    HWND edit = nullptr;  // for the file name: the combo box's where there is one, else edt1
    for (HWND child : WindowsUnder(box)) {
        if (!IsWindowVisible(child)) continue;
        std::wstring kind = ClassOf(child);
        if (seen.text.empty() && kind == L"Static") seen.text = ReadText(child);
        if (kind == L"Edit" && (GetDlgCtrlID(GetParent(child)) == fileNameComboId ||
                                (edit == nullptr && GetDlgCtrlID(child) == fileNameEditId))) {
            edit = child;
        }
        LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (kind == L"Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            seen.buttons.push_back(GetDlgCtrlID(child));
        }
    }
    seen.owner = GetWindow(box, GW_OWNER);
    seen.ownerWasEnabled = seen.owner == nullptr || IsWindowEnabled(seen.owner);

    // A click as the user makes it; the button reports BN_CLICKED to the box.
    auto press = [box](int id) {
        HWND button = GetDlgItem(box, id);
        return button != nullptr && IsWindowEnabled(button) && PostMessageW(button, BM_CLICK, 0, 0);
    };
    DWORD_PTR ignored = 0;
    bool ready =
        fileName.empty() ||
        (edit != nullptr &&
         SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()),
                             SMTO_ABORTIFHUNG, sendTimeoutMs, &ignored) != 0);
    seen.pressed = ready && press(buttonId);
    // Never leave the test blocked in the modal call: dismiss the box any way it allows.
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (seen.pressed || press(id)) break;
    }
    // Wait for the box to go, so that the next answerer cannot mistake it for its own.
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount64() < deadline) Sleep(pollMs);
}

}  // namespace ZelmivoTest
