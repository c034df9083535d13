#include <io.h>
#include <share.h>
#include <shlobj.h>
#include <windows.h>

#include "file_system.h"
#include "text.h"

namespace MyApp {

namespace {

bool IsLatin1(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c > 0xFF) {
            return false;
        }
    }
    return true;
}

std::wstring Wide(const std::string& path) { return Common::NarrowToWide(path); }

}  // namespace

std::string LocalAppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    HRESULT result =
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer);
    if (FAILED(result)) {
        return std::string();
    }
    std::wstring folder(buffer);
    if (IsLatin1(folder)) {
        return Common::WideToNarrow(folder);
    }
    // Narrowing a name such as C:\Users\Łukasz would name another folder; the
    // short 8.3 name of the same folder is often plain ASCII.
    wchar_t shortName[MAX_PATH] = {};
    DWORD length = GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        GetLastError();
        return std::string();
    }
    std::wstring shortFolder(shortName, length);
    return IsLatin1(shortFolder) ? Common::WideToNarrow(shortFolder) : std::string();
}

bool PathExists(const std::string& path) {
    if (GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
        GetLastError();
        return false;
    }
    return true;
}

bool MakeDirectory(const std::string& path) {
    if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) {
        GetLastError();
        return false;
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    if (!DeleteFileW(Wide(path).c_str())) {
        GetLastError();
        return false;
    }
    return true;
}

bool MoveFileOver(const std::string& source, const std::string& target) {
    if (!MoveFileExW(Wide(source).c_str(), Wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        GetLastError();
        return false;
    }
    return true;
}

std::FILE* OpenForReading(const std::string& path) {
    return _wfsopen(Wide(path).c_str(), L"rb", _SH_DENYNO);
}

std::FILE* OpenForWriting(const std::string& path) {
    return _wfsopen(Wide(path).c_str(), L"wb", _SH_DENYNO);
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
    return _commit(_fileno(file)) == 0;
}

}  // namespace MyApp
