#include <shlobj.h>
#include <windows.h>

#include <algorithm>

#include "file_system.h"
#include "text.h"

namespace MyApp {

namespace {

std::wstring Wide(const std::string& path) { return Common::NarrowToWide(path); }

HANDLE HandleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// Records why the last call failed and gives false, for `return Failed(e);`.
bool Failed(SystemError& error) {
    error = GetLastError();
    return false;
}

}  // namespace

std::string SystemErrorText(SystemError error) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    std::string narrow = Common::Trim(Common::WideToNarrow(text));
    if (narrow.empty()) narrow = "Errore di sistema";
    return narrow + " (codice " + Common::FormatInt64(error) + ")";
}

bool IsSharingError(SystemError error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

void PauseMilliseconds(std::uint32_t milliseconds) { Sleep(milliseconds); }

SystemError PathNotFoundError() { return ERROR_PATH_NOT_FOUND; }

std::string LocalAppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    HRESULT result =
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer);
    if (FAILED(result)) {
        return std::string();
    }
    return Common::WideToNarrow(buffer);
}

PathStatus StatusOf(const std::string& path) {
    PathStatus status;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            status.kind = PathKind::Missing;
        }
        return status;
    }
    status.kind =
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
    status.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    status.writeTime = static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                       data.ftLastWriteTime.dwLowDateTime;
    return status;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeDirectory(const std::string& path, SystemError& error) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) || Failed(error);
}

bool RemoveFile(const std::string& path, SystemError& error) {
    return DeleteFileW(Wide(path).c_str()) || Failed(error);
}

bool MoveFileOver(const std::string& source, const std::string& target, SystemError& error) {
    return MoveFileExW(Wide(source).c_str(), Wide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           Failed(error);
}

bool CopyFileOver(const std::string& source, const std::string& target, SystemError& error) {
    return CopyFileW(Wide(source).c_str(), Wide(target).c_str(), FALSE) || Failed(error);
}

bool CopyFileNew(const std::string& source, const std::string& target, SystemError& error) {
    return CopyFileW(Wide(source).c_str(), Wide(target).c_str(), TRUE) || Failed(error);
}

bool ReadWholeFile(const std::string& path, std::string& bytes, SystemError& error) {
    bytes.clear();
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Failed(error);
    }
    LARGE_INTEGER size;
    const std::size_t expected = GetFileSizeEx(file, &size) && size.QuadPart > 0
                                     ? static_cast<std::size_t>(size.QuadPart)
                                     : 0;
    bool complete = ReadToEnd(bytes, expected, [file, &error](char* buffer, std::size_t room) {
        DWORD count = 0;
        const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
        if (!ReadFile(file, buffer, asked, &count, nullptr)) {
            Failed(error);
            return std::int64_t{-1};
        }
        return static_cast<std::int64_t>(count);
    });
    CloseHandle(file);
    return complete;
}

FileWriter::~FileWriter() {
    if (handle != -1) CloseHandle(HandleOf(handle));
}

bool FileWriter::Open(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Failed(error);
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    return true;
}

bool FileWriter::Write(const char* bytes, std::size_t count) {
    while (count > 0) {
        DWORD chunk = static_cast<DWORD>(count < 0x40000000 ? count : 0x40000000);
        DWORD written = 0;
        if (!WriteFile(HandleOf(handle), bytes, chunk, &written, nullptr)) {
            return Failed(error);
        }
        bytes += written;
        count -= written;
    }
    return true;
}

bool FileWriter::Flush() { return FlushFileBuffers(HandleOf(handle)) || Failed(error); }

bool FileWriter::Close() {
    HANDLE file = HandleOf(handle);
    handle = -1;
    return CloseHandle(file) || Failed(error);
}

}  // namespace MyApp
