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
    std::size_t characters = 1;
    for (const std::wstring& path : paths) characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fNC = FALSE;
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths) {
        std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        text += path.size() + 1;
    }
    *text = L'\0';
    GlobalUnlock(memory);
    // The receiver's DragFinish frees the memory.
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

}  // namespace ZelmivoTest
