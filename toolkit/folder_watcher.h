// Tells a window when something in a folder changes: a file written, made,
// renamed or deleted, by this program or any other. A worker thread waits on
// the system's change notification and posts a message; the window decides
// what the change means.
#pragma once

#include <windows.h>

#include <string>

namespace OrvoUtility {

class FolderWatcher {
public:
    // Watching starts at once; a folder that cannot be watched is recorded
    // and posts nothing.
    FolderWatcher(const std::wstring& folder, HWND window, UINT message);
    // Waits for the worker, which ends within moments.
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    bool Watching() const;

private:
    static DWORD WINAPI Watch(void* watcher);

    HANDLE notification;
    HANDLE stopEvent;
    HANDLE worker;
    HWND window;  // not owned
    UINT message;
};

}  // namespace OrvoUtility
