// A stand-in for a launched program: records how it was started. It writes its
// working folder on the first line and then each argument on a line of its
// own, in UTF-8 as the catalogue keeps texts, into the file named by
// ZELMIVO_PROBE_OUT.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    auto line = [](const std::wstring& text) {
        std::string utf8(text.size() * 3, '\0');
        int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
        utf8.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        return utf8 + "\n";
    };
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    std::string report = line(std::wstring(buffer, length < MAX_PATH ? length : 0));
    for (int i = 1; i < argc; ++i) report += line(argv[i]);
    length = GetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", buffer, MAX_PATH);
    std::wstring path(buffer, length < MAX_PATH ? length : 0);
    if (path.empty()) return 1;

    // Written beside the target and then renamed, so a waiting test never reads half a report.
    std::wstring partial = path + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != report.size()) return 1;
    return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
