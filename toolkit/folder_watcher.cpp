#include "folder_watcher.h"

#include "win32_failure.h"

namespace OrvoUtility {

namespace {

constexpr DWORD watchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

}  // namespace

FolderWatcher::FolderWatcher(const std::wstring& folder, HWND target, UINT changedMessage)
    : notification(INVALID_HANDLE_VALUE),
      stopEvent(nullptr),
      worker(nullptr),
      window(target),
      message(changedMessage) {
    notification = FindFirstChangeNotificationW(folder.c_str(), FALSE, watchedChanges);
    if (notification == INVALID_HANDLE_VALUE) {
        RecordWin32Failure("FindFirstChangeNotificationW");
        return;
    }
    stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent != nullptr) worker = CreateThread(nullptr, 0, &Watch, this, 0, nullptr);
    if (worker == nullptr) RecordWin32Failure("CreateThread");
}

FolderWatcher::~FolderWatcher() {
    if (worker != nullptr) {
        SetEvent(stopEvent);
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    }
    if (stopEvent != nullptr) CloseHandle(stopEvent);
    if (notification != INVALID_HANDLE_VALUE) FindCloseChangeNotification(notification);
}

bool FolderWatcher::Watching() const { return worker != nullptr; }

DWORD WINAPI FolderWatcher::Watch(void* context) {
    auto* watcher = static_cast<FolderWatcher*>(context);
    HANDLE waits[] = {watcher->stopEvent, watcher->notification};
    // Several changes in a row, as one save makes, are one message: the
    // window looks at the folder as it is when the message arrives.
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(watcher->window, watcher->message, 0, 0);
        if (!FindNextChangeNotification(watcher->notification)) {
            RecordWin32Failure("FindNextChangeNotification");
            break;
        }
    }
    return 0;
}

}  // namespace OrvoUtility
