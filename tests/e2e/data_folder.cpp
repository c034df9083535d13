#include "data_folder.h"

#include <shlobj.h>
#include <windows.h>

namespace ZelmivoE2E {

namespace {

std::wstring DataFolderPath() {
    wchar_t base[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base);
    return std::wstring(base) + L"\\Zelmivo\\Dati";
}

}  // namespace

std::wstring CatalogueFilePath() { return DataFolderPath() + L"\\app.txt"; }

bool CatalogueFileExists() {
    return GetFileAttributesW(CatalogueFilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::string ReadCatalogueFile() { return ReadFileBytes(CatalogueFilePath()); }

bool WriteCatalogueFile(const std::string& bytes) {
    std::wstring folder = DataFolderPath();
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    HANDLE file = CreateFileW(CatalogueFilePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

void RemoveCatalogueFile() { DeleteFileW(CatalogueFilePath().c_str()); }

}  // namespace ZelmivoE2E
