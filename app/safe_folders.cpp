#include "safe_folders.h"

// windows.h comes first: shlobj.h builds on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include "win32_failure.h"

namespace MyApp {

void UseSafeFolders() {
    wchar_t profile[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)) ||
        !SetCurrentDirectoryW(profile)) {
        OrvoUtility::RecordWin32Failure("SetCurrentDirectoryW");
    }
    // Windows 7 has SetDefaultDllDirectories only with a later update.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<SetDefaultDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) return;
    // Without it, taking the current folder out of the search is what is left.
    if (!SetDllDirectoryW(L"")) OrvoUtility::RecordWin32Failure("SetDllDirectoryW");
}

}  // namespace MyApp
