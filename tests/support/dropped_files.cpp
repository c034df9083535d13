#include "dropped_files.h"

// windows.h comes first: shlobj.h builds on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <cstring>

namespace ZelmivoTest {

void DropFiles(HWND window, const std::vector<std::wstring>& paths, POINT point) {
    // DROPFILES, then each path with its NUL, then one more NUL.
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    *header = DROPFILES{sizeof(DROPFILES), point, FALSE, TRUE};
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    // The receiver's DragFinish frees the memory.
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

}  // namespace ZelmivoTest
