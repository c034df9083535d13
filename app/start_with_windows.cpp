#include "start_with_windows.h"

// windows.h comes first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

#include "product_info.h"
#include "text.h"
#include "win32_failure.h"

namespace MyApp {

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kMinimisedSwitch[] = L"/ridotto";
// The longest path Windows takes, with its closing NUL.
constexpr DWORD kLongPathLength = 32768;

std::wstring ValueName() { return Common::NarrowToWide(productName); }

// The full path of this program, however long: the buffer grows until it holds it.
std::wstring ProgramPath(DWORD& error) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) {
            error = GetLastError();
            return std::wstring();
        }
        if (length < path.size()) return path.substr(0, length);
        if (path.size() >= kLongPathLength) {
            error = ERROR_INSUFFICIENT_BUFFER;
            return std::wstring();
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

bool StartsWithWindows() {
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kRunKey, ValueName().c_str(),
                                  RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                                  nullptr, nullptr);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        SetLastError(static_cast<DWORD>(status));
        OrvoUtility::RecordWin32Failure("RegGetValueW");
    }
    return status == ERROR_SUCCESS;
}

bool SetStartWithWindows(bool on, std::uint32_t* error) {
    DWORD status = ERROR_SUCCESS;
    if (on) {
        // Quoted, since the path may hold blanks; Windows runs the line as it stands.
        std::wstring path = ProgramPath(status);
        if (status == ERROR_SUCCESS) {
            std::wstring command = L"\"" + path + L"\" " + kMinimisedSwitch;
            status = static_cast<DWORD>(RegSetKeyValueW(
                HKEY_CURRENT_USER, kRunKey, ValueName().c_str(), REG_SZ, command.c_str(),
                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))));
        }
    } else {
        status =
            static_cast<DWORD>(RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, ValueName().c_str()));
        // Already off.
        if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
    }
    if (status != ERROR_SUCCESS && error != nullptr) *error = status;
    return status == ERROR_SUCCESS;
}

bool StartMinimised(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (arguments == nullptr) {
        OrvoUtility::RecordWin32Failure("CommandLineToArgvW");
        return false;
    }
    bool minimised = false;
    // The first is the program, whose path may end in the same word.
    for (int i = 1; i < count; ++i) {
        minimised = minimised || CompareStringOrdinal(arguments[i], -1, kMinimisedSwitch, -1,
                                                      TRUE) == CSTR_EQUAL;
    }
    LocalFree(arguments);
    return minimised;
}

}  // namespace MyApp
