#include "start_menu_shortcuts.h"

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "text.h"
#include "win32_failure.h"

namespace MyApp {

namespace {

using OrvoUtility::RecordWin32Failure;

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = path;
    } else {
        RecordWin32Failure("SHGetKnownFolderPath");
    }
    CoTaskMemFree(path);
    return folder;
}

// Adds the shortcuts in `folder` and below it; `top` is the first folder
// below Programs on the way, empty in Programs itself.
void Collect(const std::wstring& folder, const std::string& top,
             std::vector<FoundShortcut>& found) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        RecordWin32Failure("FindFirstFileW");
        return;
    }
    do {
        const std::wstring name = data.cFileName;
        const std::wstring path = folder + L"\\" + name;
        const std::string narrowName = Common::WideToNarrow(name);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            if (IsShortcutName(narrowName)) {
                found.push_back(FoundShortcut{top, narrowName, Common::WideToNarrow(path)});
            }
        } else if (name != L"." && name != L".." &&
                   // A junction may lead back up the tree.
                   (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            Collect(path, top.empty() ? narrowName : top, found);
        }
    } while (FindNextFileW(search, &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) RecordWin32Failure("FindNextFileW");
    FindClose(search);
}

}  // namespace

std::vector<FoundShortcut> ListStartMenuShortcuts() {
    std::vector<FoundShortcut> found;
    for (const KNOWNFOLDERID* id : {&FOLDERID_Programs, &FOLDERID_CommonPrograms}) {
        const std::wstring programs = KnownFolder(*id);
        if (!programs.empty()) Collect(programs, std::string(), found);
    }
    auto order = [](const FoundShortcut& shortcut) {
        return std::make_tuple(Common::ToLower(shortcut.folder), Common::ToLower(shortcut.fileName),
                               shortcut.path);
    };
    std::sort(found.begin(), found.end(),
              [&](const FoundShortcut& a, const FoundShortcut& b) { return order(a) < order(b); });
    return found;
}

}  // namespace MyApp
