#include "dialog_answerer.h"

#include "window_query.h"

namespace ZelmivoTest {

namespace {

constexpr int fileNameComboId = 0x47C;  // cmb13, the file-name combo box of newer dialogs
constexpr int fileNameEditId = 0x480;   // edt1, the plain file-name edit box

// All descendants of the box, in the order the system lists them.
std::vector<HWND> ChildrenOf(HWND box) {
    std::vector<HWND> windows;
    EnumChildWindows(
        box,
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

DialogAnswerer::DialogAnswerer(int buttonId, DWORD timeoutMs, DWORD processId)
    : worker(&DialogAnswerer::Run, this, buttonId, std::wstring(), timeoutMs, processId) {}

DialogAnswerer::DialogAnswerer(const std::wstring& fileName, DWORD timeoutMs)
    : worker(&DialogAnswerer::Run, this, IDOK, fileName, timeoutMs, GetCurrentProcessId()) {}

DialogAnswerer::~DialogAnswerer() { Result(); }

const AnsweredDialog& DialogAnswerer::Result() {
    if (worker.joinable()) worker.join();
    return seen;
}

void DialogAnswerer::Run(int buttonId, std::wstring fileName, DWORD timeoutMs, DWORD processId) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindTopWindow(processId, L"#32770")) != nullptr; },
                   timeoutMs)) {
        done = true;
        return;
    }
    seen.found = true;
    seen.caption = TextOf(box);
    HWND edit = nullptr;  // for the file name: the combo box's where there is one, else edt1
    for (HWND child : ChildrenOf(box)) {
        if (!IsWindowVisible(child)) continue;
        std::wstring kind = ClassOf(child);
        if (seen.text.empty() && kind == L"Static") seen.text = TextOf(child);
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
    bool ready = fileName.empty() ||
                 (edit != nullptr &&
                  SendBounded(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str())));
    seen.pressed = ready && press(buttonId);
    // Never leave the test blocked in the modal call: dismiss the box any way it allows.
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (seen.pressed || press(id)) break;
    }
    // Wait for the box to go, so that the next answerer cannot mistake it for its own.
    WaitUntil([box] { return !IsWindowVisible(box); }, timeoutMs);
    done = true;
}

}  // namespace ZelmivoTest
