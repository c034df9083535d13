#include "clipboard.h"

#include <windows.h>

#include <cstring>

#include "gui_element.h"
#include "win32_failure.h"

namespace OrvoUtility {

namespace {

constexpr int openAttempts = 5;
constexpr DWORD openRetryMs = 20;

// Another program may hold the clipboard for a moment, reading what changed.
bool OpenClipboardFor(HWND window) {
    for (int attempt = 1; !OpenClipboard(window); ++attempt) {
        if (attempt == openAttempts) return false;
        Sleep(openRetryMs);
    }
    return true;
}

// The text with its closing NUL in memory the clipboard can take over.
HGLOBAL GlobalCopy(const std::wstring& text) {
    SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        RecordWin32Failure("GlobalAlloc");
        return nullptr;
    }
    void* place = GlobalLock(memory);
    if (place == nullptr) {
        RecordWin32Failure("GlobalLock");
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(place, text.c_str(), bytes);
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

bool CopyTextToClipboard(GUIElement* owner, const std::wstring& text) {
    HGLOBAL memory = GlobalCopy(text);
    if (memory == nullptr) return false;
    if (!OpenClipboardFor(owner != nullptr ? static_cast<HWND>(owner->hwnd) : nullptr)) {
        RecordWin32Failure("OpenClipboard");
        GlobalFree(memory);
        return false;
    }
    bool copied = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!copied) {
        RecordWin32Failure("SetClipboardData");
        // Still ours: only a successful SetClipboardData hands it over.
        GlobalFree(memory);
    }
    CloseClipboard();
    return copied;
}

}  // namespace OrvoUtility
