#include "single_instance.h"

#include "win32_failure.h"

namespace MyApp {

namespace {

// "Local\" keeps the name to this user session: another user's Zelmivo is
// another catalogue.
const wchar_t kMutexName[] = L"Local\\Zelmivo.Catalogo";
const wchar_t kWindowMark[] = L"Zelmivo.FinestraPrincipale";
constexpr int kFindAttempts = 50;
constexpr DWORD kFindRetryMs = 100;

BOOL CALLBACK FindMarked(HWND window, LPARAM found) {
    if (GetPropW(window, kWindowMark) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

SingleInstance::SingleInstance() : mutex(CreateMutexW(nullptr, FALSE, kMutexName)), first(true) {
    if (mutex == nullptr) {
        // Without the name nothing can tell a second start: the program runs.
        OrvoUtility::RecordWin32Failure("CreateMutexW");
    } else if (GetLastError() == ERROR_ALREADY_EXISTS) {
        first = false;
    }
}

SingleInstance::~SingleInstance() {
    if (mutex != nullptr) CloseHandle(mutex);
}

bool SingleInstance::IsFirst() const { return first; }

bool SingleInstance::BringFirstForward() const {
    for (int attempt = 0; attempt < kFindAttempts; ++attempt) {
        HWND window = nullptr;
        EnumWindows(&FindMarked, reinterpret_cast<LPARAM>(&window));
        if (window != nullptr) {
            // This start came from the user, so it may pass the right to take
            // the foreground on to the copy that runs.
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            return PostMessageW(window, ComeForwardMessage(), 0, 0) != 0;
        }
        Sleep(kFindRetryMs);
    }
    return false;
}

void MarkAsFirstInstance(HWND window) {
    if (!SetPropW(window, kWindowMark, reinterpret_cast<HANDLE>(1))) {
        OrvoUtility::RecordWin32Failure("SetPropW");
    }
}

UINT ComeForwardMessage() {
    static const UINT message = RegisterWindowMessageW(L"Zelmivo.VieniAvanti");
    return message;
}

void ComeForward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // An open dialog or box is where the user left off.
    HWND front = GetLastActivePopup(window);
    SetForegroundWindow(front);
    HWND focus = GetFocus();
    if (front == window && focus != window && !IsChild(window, focus)) SetFocus(window);
}

}  // namespace MyApp
