#include "bench_desktop.h"

#include <string>

namespace Bench {

const wchar_t* const desktopName = L"ZelmivoBench";

bool EnterBenchDesktop() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring size = L"1366x768";
    LONG written =
        RegSetValueExW(key, desktopName, 0, REG_SZ, reinterpret_cast<const BYTE*>(size.c_str()),
                       static_cast<DWORD>((size.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (written != ERROR_SUCCESS) return false;
    // Kept open for the life of the process: closing it would end the desktop.
    HDESK desktop = CreateDesktopW(desktopName, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop != nullptr && SetThreadDesktop(desktop);
}

}  // namespace Bench
